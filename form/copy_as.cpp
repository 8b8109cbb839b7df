#include "copy_as.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "accessibility_table.h"
#include "character_details.h"
#include "code_notation.h"
#include "code_pages.h"
#include "handlers.h"

namespace zentavo {

std::vector<std::u16string> CopyForms(std::uint8_t code, const CodePageSetting& setting) {
  const CharacterDetails details = DetailsOfCode(code);
  std::vector<std::u16string> forms = {DecimalNotation(code), HexadecimalNotation(code)};
  if (!details.is_defined) return forms;
  const bool html = HtmlReadsBack(details.character);
  const std::u16string numeric = html ? NumericReference(details.character) : u"";
  const std::string_view named = html ? HtmlNamedReference(details.character) : "";
  const std::u16string keystroke = details.is_control ? u"" : WindowsAltNotation(code);
  for (std::u16string form :
       {CodePointNotation(details.character), named.empty() ? numeric : Widen(named), numeric,
        UnicodeEscape(details.character), ByteNotation(Utf8Of(details.character)), keystroke}) {
    if (!form.empty() && form != forms.back()) forms.push_back(std::move(form));
  }
  for (const CodePageTable* page : setting.dos_pages) {
    if (details.is_control) break;  // no keystroke types a control character
    for (const std::uint8_t byte : page->TypedBytesOf(details.character)) {
      std::u16string keystroke = DosAltNotation(byte);
      if (std::ranges::find(forms, keystroke) == forms.end()) forms.push_back(std::move(keystroke));
    }
  }
  return forms;
}

std::vector<std::u16string> CopyAsForms(std::string_view box, const TextBoxAccess& boxes,
                                        const CodePageSetting& setting) {
  const accessibility::RowRecord* row = accessibility::RowOfBox(box);
  if (row == nullptr) return {};
  const std::optional<std::uint8_t> code =
      accessibility::CodeShown(row->output, boxes.ReadText(row->output_box));
  return code ? CopyForms(*code, setting) : std::vector<std::u16string>();
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
