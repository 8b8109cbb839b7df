// How the window reads to someone who does not see it, as data beside the layout table: which
// labels prompt for which text box, what each row's boxes are about, and the order in which the
// window's controls are read. Code refers to controls only by these names.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "character_details.h"
#include "code_notation.h"
#include "control_names.h"
#include "layout_table.h"

namespace zentavo::accessibility {

namespace names = control_names;

// A label that prompts for a text box; a screen reader gives the box its labels' words.
struct PromptRecord {
  std::string_view label;
  std::string_view box;
};

inline constexpr std::array<PromptRecord, 10> kPrompts = {{
    {"Label9", names::kCodeInput},
    {"Label7", names::kCodeInput},
    {"Label3", names::kCodeInput},
    {"Label10", names::kCharacterOutput},
    {"Label4", names::kCharacterOutput},
    {"Label12", names::kCharacterInput},
    {"Label8", names::kCharacterInput},
    {"Label11", names::kCharacterInput},
    {"Label5", names::kCharacterInput},
    {"Label6", names::kCodeOutput},
}};

// The words of a label as a screen reader reads them: its caption without the blanks that pad
// it out to the next label. Empty for a name that is no label.
constexpr std::u16string_view LabelWords(std::string_view label) {
  for (const layout::ControlRecord& control : layout::kLayoutTable.controls) {
    if (control.name != label || control.kind != layout::ControlKind::Label) continue;
    std::u16string_view words = control.text;
    while (!words.empty() && words.back() == u' ') words.remove_suffix(1);
    return words;
  }
  return {};
}

// What a screen reader calls a text box: the words of its first prompt as the window shows
// them. A name that differs from the box's label is read after it, so anything else would have
// the box read twice over.
constexpr std::u16string_view AccessibleName(std::string_view box) {
  for (const PromptRecord& prompt : kPrompts) {
    if (prompt.box == box) return LabelWords(prompt.label);
  }
  return {};
}

// How a row's output box shows the character the row is about.
enum class ShownAs { Character, DecimalCode };

struct RowRecord {
  std::string_view input_box;
  std::string_view output_box;
  ShownAs output;
  // What the row's boxes tell until the output box shows a character.
  std::u16string_view hint;
};

inline constexpr std::array<RowRecord, 2> kRows = {{
    {names::kCodeInput, names::kCharacterOutput, ShownAs::Character,
     u"Type a code from 0 to 255 to see its character.\n"
     u"Escreva um c\u00F3digo de 0 a 255 para ver o caractere."},
    {names::kCharacterInput, names::kCodeOutput, ShownAs::DecimalCode,
     u"Type a character to see its code.\nEscreva um caractere para ver o c\u00F3digo."},
}};

// The row `box` is one of the two boxes of; nothing for the button or any other name.
constexpr const RowRecord* RowOfBox(std::string_view box) {
  for (const RowRecord& row : kRows) {
    if (row.input_box == box || row.output_box == box) return &row;
  }
  return nullptr;
}

// The code of the character that `text`, the whole text of a row's output box, shows; nothing
// for any other text, such as the box's initial name or what the user typed there.
inline std::optional<std::uint8_t> CodeShown(ShownAs shown_as, std::u16string_view text) {
  return shown_as == ShownAs::Character ? CodeOfLoneCharacter(text) : ReadDecimalCode(text);
}

// Top to bottom as the window reads: the banner; each band's prompts, then each box under its
// headings with the arrow between; the web address and the button last.
inline constexpr std::array<std::string_view, 19> kReadingOrder = {
    "Label13",
    "Label9",
    "Label7",
    "Label3",
    names::kCodeInput,
    "Label1",
    "Label10",
    "Label4",
    names::kCharacterOutput,
    "Label12",
    "Label8",
    "Label11",
    "Label5",
    names::kCharacterInput,
    "Label2",
    "Label6",
    names::kCodeOutput,
    "Label14",
    names::kExitButton,
};

}  // namespace zentavo::accessibility
