// The "Copy as" menu of the text boxes: the row's character in the form a user needs it, each
// entry saying exactly what it copies.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zentavo {

class TextBoxAccess;

inline constexpr std::u16string_view kCopyAsMenuTitle = u"Copy as / Copiar como";

// The forms (CopyForms) of the character `box`'s row shows, for any of the four boxes; none
// while the row's output box shows no character.
[[nodiscard]] std::vector<std::u16string> CopyAsForms(std::string_view box,
                                                      const TextBoxAccess& boxes);

// A menu entry's text for `form`: the form itself, each '&' doubled so that neither toolkit
// takes it for the mark of an access key.
[[nodiscard]] std::u16string MenuEntryText(std::u16string_view form);

}  // namespace zentavo
