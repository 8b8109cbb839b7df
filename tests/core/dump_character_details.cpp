// Prints what Zentavo knows of each code, one tab-separated line per code in UTF-8, for the
// oracle check in check_character_details.py.
#include <cstdint>
#include <cstdio>
#include <string>

#include "character_details.h"
#include "code_notation.h"
#include "copy_as.h"
#include "utf8_text.h"
#include "windows1252.h"

namespace {

using zentavo::testing_support::Utf8;

// "00E2 20AC 201C": the misread text may hold tabs and line feeds, which the line cannot.
std::string CodePoints(std::u16string_view text) {
  std::string points;
  for (const char16_t character : text) {
    char point[8];
    std::snprintf(point, sizeof point, points.empty() ? "%04X" : " %04X",
                  static_cast<unsigned>(character));
    points += point;
  }
  return points;
}

}  // namespace

int main() {
  const zentavo::CodePageSetting setting = zentavo::SettingForLocale("pt_BR");
  for (unsigned code = 0; code < 256; ++code) {
    const auto byte = static_cast<std::uint8_t>(code);
    const zentavo::CharacterDetails details = zentavo::DetailsOfCode(byte);
    const char16_t character = zentavo::CharacterForCode(byte);
    std::string forms;
    for (const std::u16string& form : zentavo::CopyForms(byte, setting)) {
      if (!forms.empty()) forms += '\x1f';
      forms += Utf8(form);
    }
    std::printf("%u\t%04X\t%d\t%d\t%.*s\t%.*s\t%s\t%s\t%s\t%s\t%s\n", code,
                static_cast<unsigned>(zentavo::CharacterForCode(byte)), details.is_defined,
                details.is_control, static_cast<int>(details.name.size()), details.name.data(),
                static_cast<int>(details.abbreviation.size()), details.abbreviation.data(),
                Utf8(zentavo::HexadecimalNotation(byte)).c_str(),
                Utf8(zentavo::OctalNotation(byte)).c_str(),
                Utf8(zentavo::ByteNotation(zentavo::Utf8Of(character))).c_str(),
                CodePoints(zentavo::Utf8ReadAsWindows1252(character)).c_str(), forms.c_str());
  }
}
