// How each character is typed on the keyboard in use now: the layout's own keys at each of its
// levels, and the runs of keys a dead key or Compose starts, as each platform reads them, made
// into at most three ways per code, shortest first.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zentavo {

// The modifiers a press holds, as bits.
inline constexpr std::uint8_t kHoldsShift = 1;
inline constexpr std::uint8_t kHoldsAltGr = 2;

// One press of one key of the layout.
struct LayoutPress {
  // What the key types alone, as on its cap ("ç", "=", "´" for a dead acute); where it types
  // nothing a person could read, the platform's name for it.
  std::u16string types_alone;
  std::uint8_t held = 0;    // kHoldsShift | kHoldsAltGr
  bool is_compose = false;  // the key that starts a Compose sequence

  friend bool operator==(const LayoutPress&, const LayoutPress&) = default;
};

using TypingWay = std::vector<LayoutPress>;

// What a platform reads of the layout in use. A symbol is the platform's own number for what a
// press gives: a character, a dead key, Compose.
struct KeyboardReading {
  struct Press {
    std::uint32_t symbol;
    LayoutPress press;
  };
  struct Typed {
    std::vector<std::uint32_t> symbols;  // pressed one after another
    char32_t character;
  };
  std::vector<Press> presses;  // every press the layout offers, a key's levels in order
  std::vector<Typed> typed;    // what runs of symbols type, a single symbol included
  // Read from the layout the system is set to, where the keyboard in use could not be asked.
  bool system_layout = false;
};

// The ways to type each Windows-1252 code on one layout.
class KeyboardWays {
 public:
  static constexpr std::size_t kMostWays = 3;

  // Each character the boxes take from the keyboard (no control character) gets the runs that
  // type it: a symbol typed alone by any press that gives it, a longer run by the press with the
  // fewest modifiers for each of its symbols. Ordered by presses, then by modifiers held, then as
  // the reading lists them; the same keys twice are told once.
  explicit KeyboardWays(const KeyboardReading& reading);

  // At most kMostWays; none where this layout cannot type the code's character.
  [[nodiscard]] const std::vector<TypingWay>& Of(std::uint8_t code) const { return ways_[code]; }
  [[nodiscard]] bool SystemLayout() const { return system_layout_; }
  // The heap and object memory the table holds.
  [[nodiscard]] std::size_t BytesHeld() const;

 private:
  std::array<std::vector<TypingWay>, 256> ways_;
  bool system_layout_ = false;
};

// How a window hands the table over: null while it is not known, or where no layout can be read.
using KeyboardWaysSource = const KeyboardWays* (*)();

// A way as the keys are pressed: "~ a", "Shift+AltGr+s", "Compose o c"; for the ear, the presses
// joined by " then / depois ".
[[nodiscard]] std::u16string WayText(const TypingWay& way, bool spoken);

}  // namespace zentavo
