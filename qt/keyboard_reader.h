// Reads a keymap and the toolkit's compose table into the ways each character is typed, on a
// thread of its own: a compose file of megabytes, or an X server slow to answer, never holds up
// the window. The newest request wins; one overtaken before it is read is never delivered.
#pragma once

#include <xkbcommon/xkbcommon.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "keyboard_ways.h"

struct xcb_connection_t;

namespace zentavo {

struct KeymapRequest {
  enum class Source { X11Device, KeymapText, SystemSetting };
  Source source = Source::SystemSetting;
  xcb_connection_t* connection = nullptr;  // X11Device: the toolkit's connection and device,
  std::int32_t device = -1;                // whose active group is read with the keymap
  std::string keymap_text;                 // KeymapText: as a Wayland compositor sends it,
  xkb_layout_index_t layout = 0;           // with its active group
};

class KeyboardReader {
 public:
  // `deliver` is called on the reader's thread with each reading, or with null where the keymap
  // could not be had; never once this reader is destroyed.
  using Deliver = std::function<void(std::shared_ptr<const KeyboardWays>)>;
  explicit KeyboardReader(Deliver deliver);
  // Waits only while the reader is reading on the toolkit's X connection, a few round trips.
  ~KeyboardReader();
  KeyboardReader(const KeyboardReader&) = delete;
  KeyboardReader& operator=(const KeyboardReader&) = delete;

  void Read(KeymapRequest request);

  struct Channel;

 private:
  std::shared_ptr<Channel> channel_;
};

}  // namespace zentavo
