// The "Copy as" menu of the text boxes: the row's character in the form a user needs it, each
// entry saying exactly what it copies.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "code_page_setting.h"

namespace zentavo {

class TextBoxAccess;

inline constexpr std::u16string_view kCopyAsMenuTitle = u"Copy as / Copiar como";

// Every form "Copy as" offers for the code, in order, each exactly as it is copied: "150",
// "&H96", "U+2013", "&ndash;", "&#8211;", "\u2013", "E2 80 93", "Alt+0150", then the DOS
// keystrokes that type it in the setting's DOS pages, in their order ("Alt+130"). The named
// reference falls back to the numeric one where HTML names none, and a form the same as the
// one before it is given once. What does not exist is left out: the keystroke where Windows
// types no such character (control and undefined codes), the HTML references HTML would not read
// back as the character, and every form of the character itself for the five codes Windows-1252
// leaves undefined.
[[nodiscard]] std::vector<std::u16string> CopyForms(std::uint8_t code,
                                                    const CodePageSetting& setting);

// The forms (CopyForms) of the character `box`'s row shows, for any of the four boxes; none
// while the row's output box shows no character.
[[nodiscard]] std::vector<std::u16string> CopyAsForms(std::string_view box,
                                                      const TextBoxAccess& boxes,
                                                      const CodePageSetting& setting);

// A menu entry's text for `form`: the form itself, each '&' doubled so that neither toolkit
// takes it for the mark of an access key.
[[nodiscard]] std::u16string MenuEntryText(std::u16string_view form);

}  // namespace zentavo
