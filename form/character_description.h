// What the windows tell of a code in words, in English and Portuguese where the words are the
// program's own: its name, and its details as a tooltip's lines or as one line for speech.
#pragma once

#include <cstdint>
#include <string>

#include "code_page_setting.h"
#include "keyboard_ways.h"

namespace zentavo {

// The name to tell a person: the Unicode name, or that Windows-1252 leaves the code undefined.
[[nodiscard]] std::u16string NameToTell(std::uint8_t code);

// The code's details for a tooltip, Windows-1252's own facts first, then the keystrokes, then
// the other code pages, each only where it differs:
//   LATIN SMALL LETTER A WITH TILDE
//   227 · &HE3 · &O343 · U+00E3
//   This keyboard / Este teclado: ~ a · Compose ~ a · Compose a ~       (where `keyboard` is known)
//   This PC / Este PC: Alt+0227 (1252) · Alt+198 → ╞ (437)        (where this PC's pages are known)
//   Windows: Alt+0227 · DOS: Alt+198 (850; 437 → ╞)
//   UTF-8: C3 A3 · read as Windows-1252: Ã£ · DOS 850: ├ú
//   Its byte elsewhere / Seu byte em outras páginas: 8B (Mac Roman) · C6 (DOS 850) · none / nenhum
//   (DOS 437) Byte E3 elsewhere / O byte E3 em outras páginas: „ (Mac Roman) · Ò (DOS 850) · π (DOS
//   437)
// "→" says what a keystroke types instead. A control or undefined code has no keystroke, and an
// undefined one no UTF-8 and no byte elsewhere. A character the boxes would draw as a picture (a
// control, the no-break space, the soft hyphen) shows as its picture's words ("NBSP"), or as
// "[AD]" inside a misreading ("Ã[AD]" for í), never as a character no one could see.
// "This keyboard" names the layout "system layout" where it was read from the system's setting.
[[nodiscard]] std::u16string DescribeForTooltip(std::uint8_t code, const CodePageSetting& setting,
                                                const KeyboardWays* keyboard = nullptr);
// The same in one line for a screen reader, with commas where a reader would pause, "types /
// digita" for "→", " byte AD" for "[AD]", " then / depois " between a way's presses and " or / ou "
// between two ways.
[[nodiscard]] std::u16string DescribeForSpeech(std::uint8_t code, const CodePageSetting& setting,
                                               const KeyboardWays* keyboard = nullptr);

}  // namespace zentavo
