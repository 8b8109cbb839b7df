#include "keyboard_here_win32.h"

#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "character_details.h"
#include "windows1252.h"

namespace zentavo {
namespace {

// ToUnicodeEx's flag that leaves the keyboard's state as it was (Windows 10 1607 and later), so
// that reading a dead key does not leave it waiting for the user's next key.
constexpr UINT kKeepKeyboardState = 4;
// Dead keys are symbols of their own, past every code point.
constexpr std::uint32_t kFirstDeadKey = 0x110000;

constexpr std::array<std::uint8_t, 4> kLevels = {0, kHoldsShift, kHoldsAltGr,
                                                 kHoldsShift | kHoldsAltGr};

struct Key {
  UINT virtual_key;
  UINT scan_code;
};

std::array<BYTE, 256> StateHolding(std::uint8_t held) {
  std::array<BYTE, 256> state{};
  if ((held & kHoldsShift) != 0) state[VK_SHIFT] = state[VK_LSHIFT] = 0x80;
  // AltGr is Ctrl and right Alt together.
  if ((held & kHoldsAltGr) != 0) state[VK_CONTROL] = state[VK_MENU] = state[VK_RMENU] = 0x80;
  return state;
}

// What `key` types with `held`: its character, or for a dead key its spacing accent and -1.
int Translate(const Key& key, std::uint8_t held, HKL layout, wchar_t& typed, UINT flags) {
  const std::array<BYTE, 256> state = StateHolding(held);
  std::array<wchar_t, 8> buffer{};
  const int count = ToUnicodeEx(key.virtual_key, key.scan_code, state.data(), buffer.data(),
                                static_cast<int>(buffer.size()), flags, layout);
  typed = buffer[0];
  return count;
}

// The key as its cap shows it: what it types alone, else the name Windows gives it.
std::u16string TypesAlone(const Key& key, HKL layout) {
  wchar_t alone = 0;
  if (Translate(key, 0, layout, alone, kKeepKeyboardState) != 0 && !IsControlCharacter(alone)) {
    return std::u16string(1, static_cast<char16_t>(alone));
  }
  std::array<wchar_t, 64> name{};
  const int length = GetKeyNameTextW(static_cast<LONG>(key.scan_code) << 16, name.data(),
                                     static_cast<int>(name.size()));
  return std::u16string(name.begin(), name.begin() + std::max(length, 0));
}

std::optional<std::uint8_t> LevelOfShiftState(BYTE shift_state) {
  if ((shift_state & ~7) != 0) return std::nullopt;  // Hankaku and the like
  const bool alt_gr = (shift_state & 6) == 6;
  if (!alt_gr && (shift_state & 6) != 0) return std::nullopt;  // Ctrl or Alt alone type no text
  return static_cast<std::uint8_t>(((shift_state & 1) != 0 ? kHoldsShift : 0) |
                                   (alt_gr ? kHoldsAltGr : 0));
}

struct LevelPress {
  Key key;
  std::uint8_t held;
  std::uint32_t symbol;
};

// Windows' own choice of key for each Windows-1252 character. Under wine it is all there is past
// ASCII; where the key is then read to type another character, Windows contradicts itself and
// the key is left out.
void AddScannedKeys(HKL layout, KeyboardReading& reading) {
  for (unsigned code = 0x20; code < 256; ++code) {
    const char16_t character = CharacterForCode(static_cast<std::uint8_t>(code));
    const SHORT found = VkKeyScanExW(static_cast<wchar_t>(character), layout);
    if (found == -1) continue;
    const std::optional<std::uint8_t> held = LevelOfShiftState(HIBYTE(found));
    const Key key{LOBYTE(found), MapVirtualKeyExW(LOBYTE(found), MAPVK_VK_TO_VSC, layout)};
    wchar_t typed = 0;
    if (!held || (Translate(key, *held, layout, typed, kKeepKeyboardState) == 1 &&
                  typed != static_cast<wchar_t>(character))) {
      continue;
    }
    reading.presses.push_back({character, {TypesAlone(key, layout), *held, false}});
    reading.typed.push_back({{character}, character});
  }
}

bool DeadKeyWaiting(HKL layout) {
  wchar_t typed = 0;
  return Translate({VK_SPACE, MapVirtualKeyExW(VK_SPACE, MAPVK_VK_TO_VSC, layout)}, 0, layout,
                   typed, kKeepKeyboardState) != 1 ||
         typed != L' ';
}

// Each dead key followed by each key that types a character. Read as the user would type them,
// which leaves no dead key waiting; not at all while one the user pressed waits. A dead key that
// leaves the next key's character as it was composed nothing (wine answers so for every pair).
void AddDeadKeyRuns(HKL layout, const std::vector<LevelPress>& dead_keys,
                    const std::vector<LevelPress>& characters, KeyboardReading& reading) {
  if (dead_keys.empty() || DeadKeyWaiting(layout)) return;
  for (const LevelPress& dead : dead_keys) {
    for (const LevelPress& then : characters) {
      wchar_t typed = 0;
      if (Translate(dead.key, dead.held, layout, typed, 0) >= 0) continue;
      if (Translate(then.key, then.held, layout, typed, 0) == 1 && typed != then.symbol) {
        reading.typed.push_back({{dead.symbol, then.symbol}, typed});
      }
    }
  }
}

}  // namespace

KeyboardReading ReadKeyboardLayout(HKL layout) {
  KeyboardReading reading;
  std::vector<LevelPress> dead_keys;
  std::vector<LevelPress> characters;
  for (UINT virtual_key = 1; virtual_key < 0xFF; ++virtual_key) {
    const Key key{virtual_key, MapVirtualKeyExW(virtual_key, MAPVK_VK_TO_VSC, layout)};
    if (key.scan_code == 0 || virtual_key == VK_PACKET) continue;
    std::u16string alone;
    for (const std::uint8_t held : kLevels) {
      wchar_t typed = 0;
      const int count = Translate(key, held, layout, typed, kKeepKeyboardState);
      if (count != 1 && count >= 0) continue;
      if (count == 1 && IsControlCharacter(typed)) continue;
      if (alone.empty()) alone = TypesAlone(key, layout);
      const std::uint32_t symbol =
          count < 0 ? kFirstDeadKey + (virtual_key << 2 | held) : static_cast<std::uint32_t>(typed);
      reading.presses.push_back({symbol, {alone, held, false}});
      (count < 0 ? dead_keys : characters).push_back({key, held, symbol});
      if (count == 1) reading.typed.push_back({{symbol}, typed});
    }
  }
  AddScannedKeys(layout, reading);
  AddDeadKeyRuns(layout, dead_keys, characters, reading);
  return reading;
}

namespace {

struct LayoutRead {
  HKL layout = nullptr;
  std::unique_ptr<const KeyboardWays> ways;
};
LayoutRead& LastRead() {
  static LayoutRead read;
  return read;
}

}  // namespace

const KeyboardWays* KeyboardWaysHere() {
  LayoutRead& read = LastRead();
  const HKL layout = GetKeyboardLayout(0);
  if (!read.ways || read.layout != layout) {
    read.layout = layout;
    read.ways = std::make_unique<const KeyboardWays>(ReadKeyboardLayout(layout));
  }
  return read.ways.get();
}

void ForgetKeyboardLayout() { LastRead().ways.reset(); }

}  // namespace zentavo
