// What the windows tell of a code in words, in English and Portuguese where the words are the
// program's own: its name, and its details as a tooltip's lines or as one line for speech.
#pragma once

#include <cstdint>
#include <string>

namespace zentavo {

// The name to tell a person: the Unicode name, or that Windows-1252 leaves the code undefined.
[[nodiscard]] std::u16string NameToTell(std::uint8_t code);

// The code's details in a few lines for a tooltip:
//   EN DASH
//   150 · &H96 · &O226 · U+2013
//   Windows: Alt+0150
//   UTF-8: E2 80 93 · read as Windows-1252: â€“
// (the misreading only where it differs from the character; no UTF-8 for an undefined code).
// A byte of the misreading whose character the boxes draw as a picture (a control, an undefined
// code, the no-break space, the soft hyphen) shows as "[AD]" in the tooltip and " byte AD" in
// speech ("Ã[AD]" for í), never as a character no one could see or tell from a blank.
[[nodiscard]] std::u16string DescribeForTooltip(std::uint8_t code);
// The same in one line for a screen reader, with commas where a reader would pause.
[[nodiscard]] std::u16string DescribeForSpeech(std::uint8_t code);

}  // namespace zentavo
