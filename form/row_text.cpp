#include "row_text.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

#include "character_description.h"
#include "code_notation.h"

namespace zentavo {

RowText RowTextFor(const accessibility::RowRecord& row, std::u16string_view shown,
                   CodePageSettingSource setting, InputChange change, KeyboardWaysSource keyboard) {
  const std::optional<std::uint8_t> code = accessibility::CodeShown(row.output, shown);
  if (!code) {
    std::u16string one_line(row.hint);
    std::replace(one_line.begin(), one_line.end(), u'\n', u' ');
    return {std::u16string(row.hint), std::move(one_line), {}};
  }
  std::u16string announcement = NameToTell(*code);
  // A code heard alone means nothing: the row that shows codes says which code it is, and so
  // does a step.
  if (row.output == accessibility::ShownAs::DecimalCode || change == InputChange::Stepped) {
    announcement = DecimalNotation(*code) + u", " + announcement;
  }
  const KeyboardWays* ways = keyboard != nullptr ? keyboard() : nullptr;
  return {DescribeForTooltip(*code, setting(), ways), DescribeForSpeech(*code, setting(), ways),
          std::move(announcement)};
}

std::u16string_view AnnouncementOf(const RowText& text, bool output_box_has_focus) {
  if (output_box_has_focus) return {};
  return text.announcement;
}

}  // namespace zentavo
