#include "keyboard_reader.h"

#include <xkbcommon/xkbcommon-x11.h>

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

#include "keyboard_reading_xkb.h"

namespace zentavo {

struct KeyboardReader::Channel {
  std::mutex mutex;
  std::condition_variable wake;
  std::optional<KeymapRequest> next;
  bool closed = false;
  Deliver deliver;
  // Held while the reader uses the toolkit's X connection, which must not be closed under it.
  std::mutex connection_in_use;
};

namespace {

using Channel = KeyboardReader::Channel;

bool Closed(Channel& channel) {
  const std::lock_guard lock(channel.mutex);
  return channel.closed;
}

// The keymap a request names and its active group; null where it cannot be had.
std::pair<XkbKeymap, xkb_layout_index_t> KeymapOf(const KeymapRequest& request,
                                                  xkb_context* context, Channel& channel) {
  switch (request.source) {
    case KeymapRequest::Source::X11Device: {
      const std::lock_guard in_use(channel.connection_in_use);
      if (Closed(channel)) return {};
      XkbKeymap keymap(xkb_x11_keymap_new_from_device(context, request.connection, request.device,
                                                      XKB_KEYMAP_COMPILE_NO_FLAGS));
      if (!keymap) return {};
      const std::unique_ptr<xkb_state, XkbRelease> state(
          xkb_x11_state_new_from_device(keymap.get(), request.connection, request.device));
      const xkb_layout_index_t layout =
          state ? xkb_state_serialize_layout(state.get(), XKB_STATE_LAYOUT_EFFECTIVE) : 0;
      return {std::move(keymap), layout};
    }
    case KeymapRequest::Source::KeymapText:
      return {XkbKeymap(xkb_keymap_new_from_string(context, request.keymap_text.c_str(),
                                                   XKB_KEYMAP_FORMAT_TEXT_V1,
                                                   XKB_KEYMAP_COMPILE_NO_FLAGS)),
              request.layout};
    case KeymapRequest::Source::SystemSetting:
      return {SystemKeymap(context, "/etc/default/keyboard"), 0};
  }
  return {};
}

void ReadRequests(const std::shared_ptr<Channel>& channel) {
  const XkbContext context = QuietXkbContext();
  // The toolkit reads its compose table once, as the program starts; so does this.
  const XkbComposeTable compose =
      context ? ComposeTableFor(context.get(), ComposeLocaleOfToolkit()) : nullptr;
  for (;;) {
    KeymapRequest request;
    {
      std::unique_lock lock(channel->mutex);
      channel->wake.wait(lock, [&] { return channel->closed || channel->next.has_value(); });
      if (channel->closed) return;
      request = std::move(*channel->next);
      channel->next.reset();
    }
    std::shared_ptr<const KeyboardWays> ways;
    if (context) {
      const auto [keymap, layout] = KeymapOf(request, context.get(), *channel);
      if (keymap) {
        KeyboardReading reading = ReadXkbLayout(keymap.get(), layout, compose.get());
        reading.system_layout = request.source == KeymapRequest::Source::SystemSetting;
        ways = std::make_shared<const KeyboardWays>(reading);
      }
    }
    const std::lock_guard lock(channel->mutex);
    if (channel->closed) return;
    if (!channel->next) channel->deliver(std::move(ways));  // else a newer request overtook it
  }
}

}  // namespace

KeyboardReader::KeyboardReader(Deliver deliver) : channel_(std::make_shared<Channel>()) {
  channel_->deliver = std::move(deliver);
  // The thread outlives this object where it is still reading a compose table as the program
  // ends; it holds the channel, and the channel says it is closed.
  std::thread([channel = channel_] { ReadRequests(channel); }).detach();
}

KeyboardReader::~KeyboardReader() {
  {
    const std::lock_guard lock(channel_->mutex);
    channel_->closed = true;
    channel_->deliver = nullptr;
  }
  channel_->wake.notify_all();
  const std::lock_guard in_use(channel_->connection_in_use);
}

void KeyboardReader::Read(KeymapRequest request) {
  {
    const std::lock_guard lock(channel_->mutex);
    channel_->next = std::move(request);
  }
  channel_->wake.notify_all();
}

}  // namespace zentavo
