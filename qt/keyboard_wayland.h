// The keymap a Wayland compositor sends, and its active group, heard on a keyboard of the
// program's own on the toolkit's seat: no toolkit version hands out the keymap it received.
#pragma once

#include <functional>
#include <memory>
#include <string>

namespace zentavo {

class WaylandKeymapFeed {
 public:
  // Null where the toolkit hands out no seat with a keyboard (before Qt 6.8, or off Wayland).
  // `changed` is called on the toolkit's thread as a keymap or another group arrives.
  [[nodiscard]] static std::unique_ptr<WaylandKeymapFeed> Make(
      const std::function<void()>& changed);
  virtual ~WaylandKeymapFeed() = default;

  [[nodiscard]] bool HasKeymap() const { return !keymap_.empty(); }
  [[nodiscard]] const std::string& Keymap() const { return keymap_; }
  [[nodiscard]] unsigned Group() const { return group_; }

 protected:
  explicit WaylandKeymapFeed(std::function<void()> changed) : changed_(std::move(changed)) {}

  std::function<void()> changed_;
  std::string keymap_;
  unsigned group_ = 0;
};

}  // namespace zentavo
