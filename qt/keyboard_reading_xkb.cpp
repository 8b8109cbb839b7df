#include "keyboard_reading_xkb.h"

#include <xkbcommon/xkbcommon-keysyms.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdarg>
#include <cstdlib>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <string_view>
#include <vector>

#include "character_details.h"
#include "code_notation.h"

namespace zentavo {
namespace {

// A walk of en_US.UTF-8's table over a layout's keys takes under a million feeds; a table many
// times that size is cut short rather than keep the reading from ever ending.
constexpr std::size_t kComposeFeedBudget = 4'000'000;
constexpr std::size_t kLongestRun = 8;
// /etc/default/keyboard is a few lines; a file far past that is not the system's setting.
constexpr std::streamsize kLongestKeyboardFile = std::streamsize{64} * 1024;
// A keymap made from names may hold keys past the X protocol's last keycode (br puts the euro on
// <I443>), which no X server can send and hardly a keyboard has.
constexpr xkb_keycode_t kLastKeycode = 255;
// xkeyboard-config's "fake keycodes for virtual keys": every keymap has them, so that a modifier
// has a key to hang on, and no keyboard sends them. <LVL3> gives ISO_Level3_Shift even where no
// real key gives AltGr.
constexpr std::array<std::string_view, 6> kVirtualKeys = {"LVL3", "MDSW", "ALT",
                                                          "META", "SUPR", "HYPR"};

using XkbState = std::unique_ptr<xkb_state, XkbRelease>;
using XkbComposeState = std::unique_ptr<xkb_compose_state, XkbRelease>;

void LogNothing(xkb_context* /*context*/, xkb_log_level /*level*/, const char* /*format*/,
                va_list /*arguments*/) {}

std::string KeysymName(xkb_keysym_t keysym) {
  std::array<char, 64> name{};
  if (xkb_keysym_get_name(keysym, name.data(), name.size()) <= 0) return {};
  return name.data();
}

bool IsDeadKey(xkb_keysym_t keysym) { return KeysymName(keysym).starts_with("dead_"); }

std::optional<char32_t> OneCharacter(const std::string& utf8) {
  return DecodeOneUtf8(std::vector<std::uint8_t>(utf8.begin(), utf8.end()));
}

// Feeds `keysyms` from the start; the status they leave, or nothing where one was ignored.
std::optional<xkb_compose_status> Feed(xkb_compose_state* state,
                                       const std::vector<xkb_keysym_t>& keysyms) {
  xkb_compose_state_reset(state);
  for (const xkb_keysym_t keysym : keysyms) {
    if (xkb_compose_state_feed(state, keysym) == XKB_COMPOSE_FEED_IGNORED) return std::nullopt;
  }
  return xkb_compose_state_get_status(state);
}

std::string ComposedText(xkb_compose_state* state) {
  std::array<char, 64> utf8{};
  const int length = xkb_compose_state_get_utf8(state, utf8.data(), utf8.size());
  if (length <= 0 || static_cast<std::size_t>(length) >= utf8.size()) return {};
  return std::string(utf8.data(), static_cast<std::size_t>(length));
}

// Every run of `alphabet` the table completes, depth first: libxkbcommon before 1.6 cannot list a
// table, so each prefix is fed again from the start.
class ComposeWalk {
 public:
  ComposeWalk(xkb_compose_state* state, const std::vector<xkb_keysym_t>& alphabet,
              std::vector<KeyboardReading::Typed>& typed)
      : state_(state), alphabet_(alphabet), typed_(typed) {}

  void From(std::vector<xkb_keysym_t>& prefix) {
    for (const xkb_keysym_t keysym : alphabet_) {
      if (feeds_ > kComposeFeedBudget) return;
      prefix.push_back(keysym);
      feeds_ += prefix.size();
      const std::optional<xkb_compose_status> status = Feed(state_, prefix);
      if (status == XKB_COMPOSE_COMPOSING && prefix.size() < kLongestRun) {
        From(prefix);
      } else if (status == XKB_COMPOSE_COMPOSED) {
        if (const std::optional<char32_t> character = OneCharacter(ComposedText(state_))) {
          typed_.push_back({{prefix.begin(), prefix.end()}, *character});
        }
      }
      prefix.pop_back();
    }
  }

 private:
  xkb_compose_state* state_;
  const std::vector<xkb_keysym_t>& alphabet_;
  std::vector<KeyboardReading::Typed>& typed_;
  std::size_t feeds_ = 0;
};

// What a dead key types pressed twice, or followed by the space bar: its accent, as the key's cap
// shows it (twice comes first: the space bar gives an apostrophe for the acute). Without either,
// the keysym's own name.
std::u16string DeadKeyText(xkb_keysym_t dead_key, xkb_compose_state* compose) {
  if (compose != nullptr) {
    for (const xkb_keysym_t then : {dead_key, static_cast<xkb_keysym_t>(XKB_KEY_space)}) {
      if (Feed(compose, {dead_key, then}) != XKB_COMPOSE_COMPOSED) continue;
      if (const std::optional<char32_t> accent = OneCharacter(ComposedText(compose))) {
        return Utf16Of(*accent);
      }
    }
  }
  return Widen(KeysymName(dead_key).substr(5));
}

// What a key whose first level is `keysym` types alone.
std::u16string TypesAlone(xkb_keysym_t keysym, xkb_compose_state* compose) {
  if (IsDeadKey(keysym)) return DeadKeyText(keysym, compose);
  const char32_t character = xkb_keysym_to_utf32(keysym);
  if (character != 0 && !IsControlCharacter(character)) return Utf16Of(character);
  return Widen(KeysymName(keysym));
}

struct Modifiers {
  xkb_mod_mask_t shift = 0;
  xkb_mod_mask_t alt_gr = 0;  // none where no key gives ISO_Level3_Shift
};

// The layout of a key a keyboard has that `layout` selects; none for a key no keyboard sends.
xkb_layout_index_t LayoutOfKey(xkb_keymap* keymap, xkb_keycode_t key, xkb_layout_index_t layout) {
  const xkb_layout_index_t layouts = xkb_keymap_num_layouts_for_key(keymap, key);
  const char* name = xkb_keymap_key_get_name(keymap, key);
  if (layouts == 0 || key > kLastKeycode ||
      (name != nullptr && std::ranges::find(kVirtualKeys, name) != kVirtualKeys.end())) {
    return XKB_LAYOUT_INVALID;
  }
  return layout % layouts;
}

xkb_keysym_t KeysymAt(xkb_keymap* keymap, xkb_keycode_t key, xkb_layout_index_t layout,
                      xkb_level_index_t level) {
  const xkb_keysym_t* keysyms = nullptr;
  const int count = xkb_keymap_key_get_syms_by_level(keymap, key, layout, level, &keysyms);
  return count == 1 ? keysyms[0] : XKB_KEY_NoSymbol;
}

Modifiers ModifiersOf(xkb_keymap* keymap, xkb_layout_index_t layout) {
  Modifiers modifiers;
  const xkb_mod_index_t shift = xkb_keymap_mod_get_index(keymap, XKB_MOD_NAME_SHIFT);
  if (shift != XKB_MOD_INVALID) modifiers.shift = xkb_mod_mask_t{1} << shift;
  for (xkb_keycode_t key = xkb_keymap_min_keycode(keymap);
       key <= xkb_keymap_max_keycode(keymap) && modifiers.alt_gr == 0; ++key) {
    const xkb_layout_index_t key_layout = LayoutOfKey(keymap, key, layout);
    if (key_layout == XKB_LAYOUT_INVALID ||
        KeysymAt(keymap, key, key_layout, 0) != XKB_KEY_ISO_Level3_Shift) {
      continue;
    }
    // What the key sets is the keymap's to say: Mod5 on most layouts, not on all.
    const XkbState state(xkb_state_new(keymap));
    if (!state) break;
    xkb_state_update_mask(state.get(), 0, 0, 0, 0, 0, layout);
    xkb_state_update_key(state.get(), key, XKB_KEY_DOWN);
    modifiers.alt_gr =
        xkb_state_serialize_mods(state.get(), XKB_STATE_MODS_DEPRESSED) & ~modifiers.shift;
  }
  return modifiers;
}

// The modifiers a level is reached with, Shift and AltGr alone, fewest first; nothing where it
// takes any other (Caps Lock, Num Lock, a fifth level).
std::optional<std::uint8_t> HeldFor(xkb_keymap* keymap, xkb_keycode_t key,
                                    xkb_layout_index_t layout, xkb_level_index_t level,
                                    const Modifiers& modifiers) {
  std::array<xkb_mod_mask_t, 16> masks{};
  const std::size_t count =
      xkb_keymap_key_get_mods_for_level(keymap, key, layout, level, masks.data(), masks.size());
  std::optional<std::uint8_t> fewest;
  if (level == 0 && count == 0) fewest = 0;  // a key of one level takes no modifier at all
  for (std::size_t i = 0; i < count && i < masks.size(); ++i) {
    const xkb_mod_mask_t mask = masks[i];
    if ((mask & ~(modifiers.shift | modifiers.alt_gr)) != 0) continue;
    const auto held = static_cast<std::uint8_t>(((mask & modifiers.shift) != 0 ? kHoldsShift : 0) |
                                                ((mask & modifiers.alt_gr) != 0 ? kHoldsAltGr : 0));
    if (!fewest || std::popcount(held) < std::popcount(*fewest)) fewest = held;
  }
  return fewest;
}

std::map<std::string, std::string> ShellAssignments(const char* path) {
  std::map<std::string, std::string> values;
  std::ifstream file(path);
  std::string line;
  std::streamsize read = 0;
  while (read < kLongestKeyboardFile && std::getline(file, line)) {
    read += static_cast<std::streamsize>(line.size()) + 1;
    const std::size_t equals = line.find('=');
    if (line.starts_with('#') || equals == std::string::npos) continue;
    std::string value = line.substr(equals + 1);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
      value = value.substr(1, value.size() - 2);
    }
    values[line.substr(0, equals)] = value;
  }
  return values;
}

}  // namespace

XkbContext QuietXkbContext() {
  XkbContext context(xkb_context_new(XKB_CONTEXT_NO_FLAGS));
  if (context) xkb_context_set_log_fn(context.get(), &LogNothing);
  return context;
}

std::string ComposeLocaleOfToolkit() {
  for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') return value;
  }
  return "C";
}

XkbComposeTable ComposeTableFor(xkb_context* context, const std::string& locale) {
  return XkbComposeTable(
      xkb_compose_table_new_from_locale(context, locale.c_str(), XKB_COMPOSE_COMPILE_NO_FLAGS));
}

XkbKeymap SystemKeymap(xkb_context* context, const char* keyboard_file) {
  xkb_rule_names names{};  // what is left null libxkbcommon takes from XKB_DEFAULT_*
  std::map<std::string, std::string> setting;
  const char* layout = std::getenv("XKB_DEFAULT_LAYOUT");
  if (layout == nullptr || *layout == '\0') {
    setting = ShellAssignments(keyboard_file);
    const auto name = [&](const char* key) -> const char* {
      const auto found = setting.find(key);
      return found == setting.end() || found->second.empty() ? nullptr : found->second.c_str();
    };
    names.model = name("XKBMODEL");
    names.layout = name("XKBLAYOUT");
    names.variant = name("XKBVARIANT");
    names.options = name("XKBOPTIONS");
  }
  return XkbKeymap(xkb_keymap_new_from_names(context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS));
}

KeyboardReading ReadXkbLayout(xkb_keymap* keymap, xkb_layout_index_t layout,
                              xkb_compose_table* compose) {
  KeyboardReading reading;
  const XkbComposeState compose_state(
      compose != nullptr ? xkb_compose_state_new(compose, XKB_COMPOSE_STATE_NO_FLAGS) : nullptr);
  const Modifiers modifiers = ModifiersOf(keymap, layout);
  std::set<xkb_keysym_t> reached;
  for (xkb_keycode_t key = xkb_keymap_min_keycode(keymap); key <= xkb_keymap_max_keycode(keymap);
       ++key) {
    const xkb_layout_index_t key_layout = LayoutOfKey(keymap, key, layout);
    if (key_layout == XKB_LAYOUT_INVALID) continue;
    const xkb_keysym_t first = KeysymAt(keymap, key, key_layout, 0);
    if (first == XKB_KEY_NoSymbol) continue;
    const std::u16string alone = TypesAlone(first, compose_state.get());
    const xkb_level_index_t levels = xkb_keymap_num_levels_for_key(keymap, key, key_layout);
    for (xkb_level_index_t level = 0; level < levels; ++level) {
      const xkb_keysym_t keysym = KeysymAt(keymap, key, key_layout, level);
      const std::optional<std::uint8_t> held = HeldFor(keymap, key, key_layout, level, modifiers);
      if (keysym == XKB_KEY_NoSymbol || !held) continue;
      reading.presses.push_back({keysym, {alone, *held, keysym == XKB_KEY_Multi_key}});
      if (!reached.insert(keysym).second) continue;
      const char32_t character = xkb_keysym_to_utf32(keysym);
      if (character != 0) reading.typed.push_back({{keysym}, character});
    }
  }
  if (compose_state) {
    const std::vector<xkb_keysym_t> alphabet(reached.begin(), reached.end());
    std::vector<xkb_keysym_t> prefix;
    ComposeWalk(compose_state.get(), alphabet, reading.typed).From(prefix);
  }
  return reading;
}

}  // namespace zentavo
