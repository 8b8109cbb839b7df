#include "display_refusal.h"

#include <algorithm>

namespace zentavo {
namespace {

constexpr std::string_view kLinePrefix = "zentavo: no display to open the window on: ";
// A reason printed by a display library is quoted whole unless it runs past a line's worth.
constexpr std::size_t kLongestReason = 240;

bool IsSet(const std::optional<std::string>& value) { return value && !value->empty(); }

// The first line of `text` that holds anything, without surrounding blanks, on one line and
// at most kLongestReason characters.
std::string FirstLine(std::string_view text) {
  for (;;) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, end);
    while (!line.empty() && static_cast<unsigned char>(line.front()) <= ' ') line.remove_prefix(1);
    while (!line.empty() && static_cast<unsigned char>(line.back()) <= ' ') line.remove_suffix(1);
    if (!line.empty() || end == text.size()) {
      std::string first(line.substr(0, kLongestReason));
      std::replace_if(
          first.begin(), first.end(), [](char c) { return static_cast<unsigned char>(c) < ' '; },
          ' ');
      return first;
    }
    text.remove_prefix(end + 1);
  }
}

// What stands between the quotes that follow `opening` at the start of `text`.
std::optional<std::string_view> QuotedAfter(std::string_view text, std::string_view opening) {
  if (!text.starts_with(opening)) return std::nullopt;
  text.remove_prefix(opening.size());
  const std::size_t end = text.find('"');
  if (end == std::string_view::npos) return std::nullopt;
  return text.substr(0, end);
}

// What the toolkit said of each platform it gave up on, one phrase a platform, in its order.
class Reading {
 public:
  explicit Reading(const NamedDisplays& named) : named_(named) {}

  void Read(const ToolkitMessage& message, std::string_view installed) {
    const std::string_view text = message.text;
    if (text.starts_with(kXConnectionFailed)) {
      x_display_ = FirstLine(text.substr(kXConnectionFailed.size()));
      x_refusal_ = FirstLine(message.printed_before);
    } else if (text.starts_with(kWaylandConnectionFailed)) {
      std::string_view error = text.substr(kWaylandConnectionFailed.size());
      error = error.substr(0, error.rfind(')'));
      wayland_error_ = FirstLine(error);
      wayland_printed_ = FirstLine(message.printed_before);
    } else if (const auto missing = QuotedAfter(text, kPluginMissing)) {
      parts_.push_back(MissingPlugin(*missing, installed));
      Forget();
    } else if (const auto failed = QuotedAfter(text, kPluginFailed)) {
      parts_.push_back(FailedPlugin(*failed));
      Forget();
    } else {
      last_warning_ = FirstLine(text);
    }
  }

  [[nodiscard]] const std::vector<std::string>& Parts() const { return parts_; }
  [[nodiscard]] bool XTried() const { return x_tried_; }
  [[nodiscard]] bool WaylandTried() const { return wayland_tried_; }

 private:
  static constexpr std::string_view kXConnectionFailed = "could not connect to display";
  static constexpr std::string_view kWaylandConnectionFailed = "Failed to create wl_display (";
  static constexpr std::string_view kPluginMissing = "Could not find the Qt platform plugin \"";
  static constexpr std::string_view kPluginFailed = "Could not load the Qt platform plugin \"";

  void Forget() {
    x_display_.reset();
    x_refusal_.clear();
    wayland_error_.reset();
    wayland_printed_.clear();
    last_warning_.clear();
  }

  [[nodiscard]] std::string WaylandNamed() const {
    if (named_.wayland_socket) return "WAYLAND_SOCKET is " + *named_.wayland_socket;
    return "WAYLAND_DISPLAY is " + named_.wayland_display.value_or("");
  }

  std::string MissingPlugin(std::string_view platform, std::string_view installed) {
    if (platform.starts_with("wayland")) {
      wayland_tried_ = true;
      const bool named = named_.wayland_socket || IsSet(named_.wayland_display);
      return (named ? "a Wayland compositor is named (" + WaylandNamed() + ") but " : "") +
             std::string("the toolkit's Wayland support (package qt6-wayland) is not installed");
    }
    x_tried_ = x_tried_ || platform.starts_with("xcb");
    return "no platform plugin \"" + std::string(platform) +
           "\"; installed: " + std::string(installed);
  }

  std::string FailedPlugin(std::string_view platform) {
    if (platform.starts_with("xcb") && x_display_) {
      x_tried_ = true;
      return XFailure();
    }
    if (platform.starts_with("wayland") && wayland_error_) {
      wayland_tried_ = true;
      return WaylandFailure();
    }
    return "the toolkit's platform \"" + std::string(platform) + "\" could not start" +
           (last_warning_.empty() ? "" : ": " + last_warning_);
  }

  [[nodiscard]] std::string XFailure() const {
    if (x_display_->empty()) return "DISPLAY is not set";
    // The toolkit takes DISPLAY unless -display names another.
    const std::string where =
        (named_.x_display == *x_display_ ? "DISPLAY " : "-display ") + *x_display_;
    if (!x_refusal_.empty())
      return "the X server at " + where + " refused the connection: " + x_refusal_;
    return "no X server at " + where +
           " lets the program in (none runs there, or it has no such screen)";
  }

  [[nodiscard]] std::string WaylandFailure() const {
    const std::string cause = wayland_printed_.empty() ? *wayland_error_ : wayland_printed_;
    if (named_.wayland_socket) {
      return "the Wayland connection handed over in WAYLAND_SOCKET (" + *named_.wayland_socket +
             ") cannot be used: " + cause;
    }
    if (IsSet(named_.wayland_display)) {
      return "no Wayland compositor answers at WAYLAND_DISPLAY " + *named_.wayland_display + " (" +
             cause + ")";
    }
    return "WAYLAND_DISPLAY is not set, and no Wayland compositor answers at wayland-0, the "
           "default (" +
           cause + ")";
  }

  const NamedDisplays& named_;
  std::vector<std::string> parts_;
  bool x_tried_ = false;
  bool wayland_tried_ = false;
  std::optional<std::string> x_display_;  // the display the toolkit could not connect to
  std::string x_refusal_;                 // the X server's reason, as libX11 printed it
  std::optional<std::string> wayland_error_;
  std::string wayland_printed_;  // what libwayland printed itself
  std::string last_warning_;
};

// "wayland-egl, minimal, xcb" from the toolkit's fatal message.
std::string_view InstalledPlugins(std::string_view fatal) {
  constexpr std::string_view kAvailable = "Available platform plugins are: ";
  const std::size_t at = fatal.find(kAvailable);
  if (at == std::string_view::npos) return "none found";
  std::string_view list = fatal.substr(at + kAvailable.size());
  list = list.substr(0, list.find('\n'));
  while (!list.empty() && (list.back() == '.' || list.back() == ' ')) list.remove_suffix(1);
  return list;
}

std::string Joined(const std::vector<std::string>& parts) {
  std::string joined;
  for (const std::string& part : parts) joined += (joined.empty() ? "" : "; ") + part;
  return joined;
}

}  // namespace

std::string DisplayRefusalLine(const std::vector<ToolkitMessage>& said, std::string_view fatal,
                               const NamedDisplays& named) {
  Reading reading(named);
  for (const ToolkitMessage& message : said) reading.Read(message, InstalledPlugins(fatal));
  const std::vector<std::string>& parts = reading.Parts();
  if (parts.empty()) return "zentavo: the toolkit could not start: " + FirstLine(fatal);
  const bool wayland_named = named.wayland_socket || IsSet(named.wayland_display);
  if (parts.size() == 1 && parts.front() == "DISPLAY is not set" && !wayland_named) {
    return std::string(kLinePrefix) + "neither WAYLAND_DISPLAY nor DISPLAY is set.";
  }
  return std::string(kLinePrefix) + Joined(parts) + ".";
}

std::string UnansweredDisplayLine(const std::vector<ToolkitMessage>& said,
                                  const NamedDisplays& named, int seconds) {
  Reading reading(named);
  for (const ToolkitMessage& message : said) reading.Read(message, {});
  std::vector<std::string> parts = reading.Parts();
  std::vector<std::string> facts;
  bool wayland_left = false;
  if (!reading.WaylandTried()) {
    if (named.wayland_socket) facts.push_back("WAYLAND_SOCKET is " + *named.wayland_socket);
    if (IsSet(named.wayland_display))
      facts.push_back("WAYLAND_DISPLAY is " + *named.wayland_display);
    wayland_left = !facts.empty();
  }
  const bool x_left = !reading.XTried() && IsSet(named.x_display);
  if (x_left) facts.push_back("DISPLAY is " + *named.x_display);
  const std::string who = wayland_left == x_left ? "the display"
                          : wayland_left         ? "the Wayland compositor"
                                                 : "the X server";
  std::string waited =
      who + " took the connection but did not answer within " + std::to_string(seconds) + " s";
  if (!facts.empty()) {
    waited += " (";
    for (std::size_t i = 0; i < facts.size(); ++i) waited += (i == 0 ? "" : ", ") + facts[i];
    waited += ")";
  }
  parts.push_back(std::move(waited));
  return std::string(kLinePrefix) + Joined(parts) + ".";
}

std::optional<std::string> PlatformsToTry(const std::optional<std::string>& platform_variable,
                                          const NamedDisplays& named) {
  if (IsSet(platform_variable)) return std::nullopt;
  if (!named.wayland_socket && !IsSet(named.wayland_display)) return std::nullopt;
  return "wayland;xcb";
}

}  // namespace zentavo
