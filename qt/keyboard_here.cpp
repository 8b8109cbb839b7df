#include "keyboard_here.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMetaObject>

#include <xcb/xcb.h>
// xcb's XKB header names a member "explicit", which C++ reserves.
#if defined(__clang__)
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Wkeyword-macro"
#endif
#define explicit xkb_explicit
#include <xcb/xkb.h>
#undef explicit
#if defined(__clang__)
#pragma clang diagnostic pop
#endif
#include <xkbcommon/xkbcommon-x11.h>

#include <chrono>
#include <utility>

#include "keyboard_reader.h"
#include "keyboard_wayland.h"

namespace zentavo {
namespace {

// A switch of layout comes as a burst of notices: the new keyboard, its map, its state.
constexpr std::chrono::milliseconds kBurst(50);

KeyboardHere* running = nullptr;

}  // namespace

const KeyboardWays* KeyboardWaysHere() {
  if (running == nullptr) return nullptr;
  // Read once details are first asked for, not as the program starts: a user who never looks
  // costs nothing, and the window comes up as fast and as small as it did.
  running->Start();
  return running->Ways();
}

KeyboardHere::KeyboardHere(QObject* parent) : QObject(parent) {
  running = this;
  read_soon_.setSingleShot(true);
  read_soon_.setInterval(kBurst);
  connect(&read_soon_, &QTimer::timeout, this, &KeyboardHere::ReadNow);
}

KeyboardHere::~KeyboardHere() {
  if (running == this) running = nullptr;
  reader_.reset();  // no reading is delivered from here on
}

void KeyboardHere::Start() {
  if (reader_) return;
  reader_ = std::make_unique<KeyboardReader>([this](std::shared_ptr<const KeyboardWays> ways) {
    // On the reader's thread, which delivers only while this object lives.
    QMetaObject::invokeMethod(
        this, [this, ways = std::move(ways)]() mutable { Take(std::move(ways)); },
        Qt::QueuedConnection);
  });
  const QString platform = QGuiApplication::platformName();
  if (platform == QStringLiteral("xcb")) {
    StartOnX11();
    return;
  }
  // A compositor sends its keymap as the feed is made; until then there is nothing to read.
  if (platform.startsWith(QStringLiteral("wayland"))) {
    wayland_ = WaylandKeymapFeed::Make([this] { ReadSoon(); });
  }
  if (!wayland_) ReadNow();
}

void KeyboardHere::StartOnX11() {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
  std::uint8_t base_event = 0;
  if (connection == nullptr ||
      xkb_x11_setup_xkb_extension(
          connection, XKB_X11_MIN_MAJOR_XKB_VERSION, XKB_X11_MIN_MINOR_XKB_VERSION,
          XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr, &base_event, nullptr) == 0) {
    return;  // a server without the keyboard extension: nothing to tell of its keyboard
  }
  x11_device_ = xkb_x11_get_core_keyboard_device_id(connection);
  if (x11_device_ < 0) return;
  xkb_base_event_ = base_event;
  // The toolkit already asks the server for these notices; this only listens in.
  QCoreApplication::instance()->installNativeEventFilter(this);
  ReadNow();
}

bool KeyboardHere::nativeEventFilter(const QByteArray& type, void* message, qintptr* /*result*/) {
  if (xkb_base_event_ < 0 || type != QByteArrayLiteral("xcb_generic_event_t")) return false;
  const auto* event = static_cast<const xcb_generic_event_t*>(message);
  if ((event->response_type & 0x7F) != xkb_base_event_) return false;
  // Every XKB event begins alike: its kind after the response type, then the time and device.
  const auto* any = reinterpret_cast<const xcb_xkb_new_keyboard_notify_event_t*>(event);
  if (any->deviceID != x11_device_) return false;
  switch (any->xkbType) {
    case XCB_XKB_NEW_KEYBOARD_NOTIFY:
    case XCB_XKB_MAP_NOTIFY:
      ReadSoon();
      break;
    case XCB_XKB_STATE_NOTIFY: {
      const auto* state = reinterpret_cast<const xcb_xkb_state_notify_event_t*>(event);
      if (state->group != x11_group_) {
        x11_group_ = state->group;
        ReadSoon();
      }
      break;
    }
    default:
      break;
  }
  return false;
}

void KeyboardHere::ReadSoon() { read_soon_.start(); }

void KeyboardHere::ReadNow() {
  if (!reader_) return;
  KeymapRequest request;
  if (xkb_base_event_ >= 0) {
    request.source = KeymapRequest::Source::X11Device;
    request.connection =
        qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
    request.device = x11_device_;
  } else if (wayland_ && wayland_->HasKeymap()) {
    request.source = KeymapRequest::Source::KeymapText;
    request.keymap_text = wayland_->Keymap();
    request.layout = wayland_->Group();
  }
  reader_->Read(std::move(request));
}

void KeyboardHere::Take(std::shared_ptr<const KeyboardWays> ways) {
  ways_ = std::move(ways);
  emit Changed();
}

}  // namespace zentavo
