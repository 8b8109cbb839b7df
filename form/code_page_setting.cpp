#include "code_page_setting.h"

#include <array>

#include "code_notation.h"
#include "code_pages.h"

namespace zentavo {

CodePageSetting SettingForLocale(std::string_view locale_name) {
  const std::string_view language_and_territory =
      locale_name.substr(0, locale_name.find_first_of(".@"));
  const bool united_states = language_and_territory.ends_with("_US") ||
                             language_and_territory == "C" || language_and_territory == "POSIX" ||
                             language_and_territory.empty();
  CodePageSetting setting;
  for (const unsigned page : united_states ? std::array{437u, 850u} : std::array{850u, 437u}) {
    setting.dos_pages.push_back(BuiltInCodePage(page));
  }
  for (const unsigned page : kBuiltInCodePages)
    setting.known_pages.push_back(BuiltInCodePage(page));
  return setting;
}

const CodePageTable* KnownPage(const CodePageSetting& setting, unsigned number) {
  for (const CodePageTable* page : setting.known_pages) {
    if (page->Number() == number) return page;
  }
  return nullptr;
}

std::u16string CodePageName(unsigned number) {
  switch (number) {
    case 28591:
      return u"ISO-8859-1";
    case 28605:
      return u"ISO-8859-15";
    case 10000:
      return u"Mac Roman";
    default:
      break;
  }
  const std::u16string digits = DecimalNotation(number);
  if (number == 874 || (number >= 1250 && number <= 1258)) return u"Windows-" + digits;
  // The East Asian pages are both a PC's DOS and its Windows page, and single-byte in neither.
  const bool east_asian = number == 932 || number == 936 || number == 949 || number == 950;
  if (number < 1000 && !east_asian) return u"DOS " + digits;
  return u"CP" + digits;
}

}  // namespace zentavo
