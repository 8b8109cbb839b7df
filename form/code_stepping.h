// Stepping through the codes from the keyboard in txtDeASCII: Up and Down by one, Page Up and
// Page Down by sixteen, as an ordinary edit of the box.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "control_names.h"

namespace zentavo {

// The one box whose keys step its code; in the others they keep their usual meaning.
inline constexpr std::string_view kSteppingBox = control_names::kCodeInput;

enum class StepKey { Up, Down, PageUp, PageDown };

// +1, -1, +16 or -16.
[[nodiscard]] constexpr int StepOf(StepKey key) {
  switch (key) {
    case StepKey::Up:
      return 1;
    case StepKey::Down:
      return -1;
    case StepKey::PageUp:
      return 16;
    case StepKey::PageDown:
      return -16;
  }
  return 0;
}

// The text txtDeASCII holds once its code, read from `text` as the box reads it and rounded as
// the reading rules round, is stepped by `step` and then kept within 0..255: "256" down gives
// "255", "-1" up gives "0". The new code is written in the notation `text` was in: "65" gives
// "66", "&H41" "&H42", "&O101" "&O102". A text with no number counts as 0; a number too large to
// read lies past the end its sign points to, as "300" does ("1e400" gives "255", "-1e400" "0",
// "&H100000000" "&HFF"). Nothing when the code would stay as it is, as at either end, whatever
// the notation: no edit is made. Stepping never fails.
[[nodiscard]] std::optional<std::u16string> SteppedCodeText(std::u16string_view text, int step);

}  // namespace zentavo
