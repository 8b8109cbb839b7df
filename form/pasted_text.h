// What a one-line box takes of a text pasted or dropped into it, and what a paste or a cut does,
// decided once for both windows.
#pragma once

#include <optional>
#include <string_view>

namespace zentavo {

// Nothing when any character of `text` is outside Windows-1252: the text is refused whole, its
// later lines too, so that nothing is half taken. Otherwise its first line, up to its first line
// break (a line feed, a carriage return, or both): a one-line box shows no line break, so the
// line the user saw is what goes in, as the platforms' own one-line boxes have it.
[[nodiscard]] std::optional<std::u16string_view> PastedText(std::u16string_view text);

// Where the platforms' own boxes part ways, each window follows its own.
enum class Platform { Windows, Linux };

struct PasteOutcome {
  // What takes the selection's place; nothing where nothing changes: a refused text, or an
  // empty one with no selection to replace (an empty clipboard still deletes a selection, as in
  // both toolkits' own boxes).
  std::optional<std::u16string_view> put_in;
  // A refused paste is answered as the platform's own box answers what it will not take:
  // Windows' EDIT beeps, Qt's line edit takes nothing without a sound.
  bool beep = false;
};
[[nodiscard]] PasteOutcome PasteOutcomeOf(std::u16string_view clipboard, bool has_selection,
                                          Platform platform);

struct CutOutcome {
  bool delete_selection = false;
  bool beep = false;
};
// A cut offers the selection to the clipboard first, and deletes it only once the clipboard
// holds it: a clipboard another program keeps open takes nothing, and then the text stays and
// the user hears that nothing was cut.
[[nodiscard]] constexpr CutOutcome CutOutcomeOf(bool clipboard_holds_selection) {
  return {clipboard_holds_selection, !clipboard_holds_selection};
}

}  // namespace zentavo
