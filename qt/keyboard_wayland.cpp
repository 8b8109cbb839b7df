#include "keyboard_wayland.h"

#include <QtGlobal>

#if ZENTAVO_WAYLAND_KEYMAP
#include <QGuiApplication>

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include <cstring>
#endif

namespace zentavo {

#if ZENTAVO_WAYLAND_KEYMAP
namespace {

// A compositor's keymap is some tens of kilobytes; one past this is not read.
constexpr std::uint32_t kLargestKeymap = 16 * 1024 * 1024;

class SeatKeyboard final : public WaylandKeymapFeed {
 public:
  SeatKeyboard(wl_keyboard* keyboard, std::function<void()> changed)
      : WaylandKeymapFeed(std::move(changed)), keyboard_(keyboard) {
    wl_keyboard_add_listener(keyboard_, &kListener, this);
  }
  ~SeatKeyboard() override {
    if (wl_keyboard_get_version(keyboard_) >= WL_KEYBOARD_RELEASE_SINCE_VERSION) {
      wl_keyboard_release(keyboard_);
    } else {
      wl_keyboard_destroy(keyboard_);
    }
  }
  SeatKeyboard(const SeatKeyboard&) = delete;
  SeatKeyboard& operator=(const SeatKeyboard&) = delete;

 private:
  static void Keymap(void* data, wl_keyboard* /*keyboard*/, std::uint32_t format, std::int32_t fd,
                     std::uint32_t size) {
    auto* self = static_cast<SeatKeyboard*>(data);
    if (format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1 && size > 0 && size <= kLargestKeymap) {
      void* mapped = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
      if (mapped != MAP_FAILED) {
        const auto* text = static_cast<const char*>(mapped);
        self->keymap_.assign(text, strnlen(text, size));
        munmap(mapped, size);
        self->changed_();
      }
    }
    close(fd);
  }
  static void Modifiers(void* data, wl_keyboard* /*keyboard*/, std::uint32_t /*serial*/,
                        std::uint32_t /*depressed*/, std::uint32_t /*latched*/,
                        std::uint32_t /*locked*/, std::uint32_t group) {
    auto* self = static_cast<SeatKeyboard*>(data);
    if (group == self->group_) return;
    self->group_ = group;
    self->changed_();
  }
  static void Enter(void*, wl_keyboard*, std::uint32_t, wl_surface*, wl_array*) {}
  static void Leave(void*, wl_keyboard*, std::uint32_t, wl_surface*) {}
  static void Key(void*, wl_keyboard*, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t) {
  }
  static void RepeatInfo(void*, wl_keyboard*, std::int32_t, std::int32_t) {}

  static constexpr wl_keyboard_listener kListener = {&Keymap, &Enter,     &Leave,
                                                     &Key,    &Modifiers, &RepeatInfo};
  wl_keyboard* keyboard_;
};

}  // namespace

std::unique_ptr<WaylandKeymapFeed> WaylandKeymapFeed::Make(const std::function<void()>& changed) {
  auto* wayland = qGuiApp->nativeInterface<QNativeInterface::QWaylandApplication>();
  // Asking a seat that never had a keyboard for one is a protocol error, which would end the
  // connection: the toolkit's own keyboard says the seat has one.
  if (wayland == nullptr || wayland->seat() == nullptr || wayland->keyboard() == nullptr) {
    return nullptr;
  }
  wl_keyboard* keyboard = wl_seat_get_keyboard(wayland->seat());
  if (keyboard == nullptr) return nullptr;
  return std::make_unique<SeatKeyboard>(keyboard, changed);
}

#else

std::unique_ptr<WaylandKeymapFeed> WaylandKeymapFeed::Make(
    const std::function<void()>& /*changed*/) {
  return nullptr;
}

#endif

}  // namespace zentavo
