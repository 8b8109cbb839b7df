// What the character finder's dialog shows and does for a query, decided once for both windows:
// each dialog only puts it into its own controls.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "code_page_setting.h"
#include "control_names.h"

namespace zentavo {

struct FinderRow {
  std::uint8_t code;
  std::u16string character;  // the character, or its picture's words (FinderRowCharacter)
  std::u16string name;       // the row's words and accessible name (FinderRowName)
};

struct FinderScreen {
  std::vector<FinderRow> rows;        // best first
  std::optional<std::size_t> chosen;  // what Enter and Use take until the user moves: the first
  std::u16string outside_line;        // shown under the list where not empty
  bool use_enabled = false;
  // Told once the query has stayed as it is for kFinderAnnouncementDelayMilliseconds, the wait
  // starting again at each change; an empty query has nothing to tell, and stops the wait.
  bool announce_later = false;
  std::u16string announcement;
};
// "Alt+NNN" is read in `setting`'s DOS pages, a misreading in every page it knows.
[[nodiscard]] FinderScreen FinderScreenFor(std::u16string_view query,
                                           const CodePageSetting& setting);

// Down in the search field moves into the list, at its chosen row, where there is one.
[[nodiscard]] bool DownMovesIntoList(const FinderScreen& screen);

// Where a code the user chose goes: into this box, its whole text replaced by FoundCodeText as
// one edit of the user's (one undo takes it back), with the focus there.
inline constexpr std::string_view kFoundCodeBox = control_names::kCodeInput;

}  // namespace zentavo
