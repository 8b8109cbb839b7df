// Prints what the windows tell of each code, with DOS 850 first and with DOS 437 first, for the
// tooltip and for speech, one tab-separated line each in UTF-8, for the oracle check in
// check_character_descriptions.py:
//   FIRST_DOS_PAGE CODE NAME ABBREVIATION SPOKEN DESCRIPTION      (line breaks written as \n)
#include <cstdint>
#include <cstdio>
#include <string>

#include "character_description.h"
#include "character_details.h"
#include "code_page_setting.h"
#include "utf8_text.h"

int main() {
  for (const char* locale : {"pt_BR", "en_US"}) {
    const zentavo::CodePageSetting setting = zentavo::SettingForLocale(locale);
    for (unsigned code = 0; code < 256; ++code) {
      const auto byte = static_cast<std::uint8_t>(code);
      const zentavo::CharacterDetails details = zentavo::DetailsOfCode(byte);
      for (const bool spoken : {false, true}) {
        std::string said =
            zentavo::testing_support::Utf8(spoken ? zentavo::DescribeForSpeech(byte, setting)
                                                  : zentavo::DescribeForTooltip(byte, setting));
        for (std::size_t at = 0; (at = said.find('\n', at)) != std::string::npos; at += 2) {
          said.replace(at, 1, "\\n");
        }
        std::printf("%s\t%u\t%.*s\t%.*s\t%d\t%s\n", locale[0] == 'p' ? "850" : "437", code,
                    static_cast<int>(details.name.size()), details.name.data(),
                    static_cast<int>(details.abbreviation.size()), details.abbreviation.data(),
                    spoken ? 1 : 0, said.c_str());
      }
    }
  }
}
