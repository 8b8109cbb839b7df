#include "copy_as.h"

#include <cstdint>
#include <optional>

#include "accessibility_table.h"
#include "character_details.h"
#include "handlers.h"

namespace zentavo {

std::vector<std::u16string> CopyAsForms(std::string_view box, const TextBoxAccess& boxes) {
  const accessibility::RowRecord* row = accessibility::RowOfBox(box);
  if (row == nullptr) return {};
  const std::optional<std::uint8_t> code =
      accessibility::CodeShown(row->output, boxes.ReadText(row->output_box));
  return code ? CopyForms(*code) : std::vector<std::u16string>();
}

std::u16string MenuEntryText(std::u16string_view form) {
  std::u16string text;
  for (const char16_t character : form) {
    text += character;
    if (character == u'&') text += u'&';
  }
  return text;
}

}  // namespace zentavo
