// Prints what the windows' tooltips tell of each code, with DOS 850 first and with DOS 437 first,
// one tab-separated line each in UTF-8, for check_character_descriptions.py:
//   FIRST_DOS_PAGE CODE TOOLTIP      (line breaks written as \n)
#include <cstdint>
#include <cstdio>
#include <string>

#include "character_description.h"
#include "code_page_setting.h"
#include "utf8_text.h"

int main() {
  for (const char* locale : {"pt_BR", "en_US"}) {
    const zentavo::CodePageSetting setting = zentavo::SettingForLocale(locale);
    for (unsigned code = 0; code < 256; ++code) {
      std::string said = zentavo::testing_support::Utf8(
          zentavo::DescribeForTooltip(static_cast<std::uint8_t>(code), setting));
      for (std::size_t at = 0; (at = said.find('\n', at)) != std::string::npos; at += 2) {
        said.replace(at, 1, "\\n");
      }
      std::printf("%u\t%u\t%s\n", zentavo::DosPageOfLocale(locale), code, said.c_str());
    }
  }
}
