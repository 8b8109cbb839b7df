#include "code_page_setting.h"

#include "code_notation.h"
#include "code_pages.h"

namespace zentavo {

unsigned DosPageOfLocale(std::string_view locale_name) {
  const std::string_view language_and_territory =
      locale_name.substr(0, locale_name.find_first_of(".@"));
  const bool united_states = language_and_territory.ends_with("_US") ||
                             language_and_territory == "C" || language_and_territory == "POSIX" ||
                             language_and_territory.empty();
  return united_states ? 437 : 850;
}

std::vector<unsigned> DosPagesFirst(unsigned working_here) {
  std::vector<unsigned> pages = {working_here};
  for (const CodePageTable& page : BuiltInCodePages()) {
    if (page.Kind() == CodePageKind::Dos && page.Number() != working_here) {
      pages.push_back(page.Number());
    }
  }
  return pages;
}

CodePageSetting SettingForLocale(std::string_view locale_name) {
  CodePageSetting setting;
  for (const unsigned page : DosPagesFirst(DosPageOfLocale(locale_name))) {
    setting.dos_pages.push_back(BuiltInCodePage(page));
  }
  for (const CodePageTable& page : BuiltInCodePages()) setting.known_pages.push_back(&page);
  return setting;
}

const CodePageTable* KnownPage(const CodePageSetting& setting, unsigned number) {
  for (const CodePageTable* page : setting.known_pages) {
    if (page->Number() == number) return page;
  }
  return nullptr;
}

std::u16string CodePageName(const CodePageTable& page) {
  const unsigned number = page.Number();
  const std::u16string digits = DecimalNotation(number);
  // The East Asian pages are both a PC's DOS and its Windows page, and single-byte in neither.
  const bool east_asian = number == 932 || number == 936 || number == 949 || number == 950;
  switch (page.Kind()) {
    case CodePageKind::Iso:
      return u"ISO-8859-" + DecimalNotation(number - 28590);
    case CodePageKind::Mac:
      return u"Mac Roman";
    case CodePageKind::Dos:
      return east_asian || number >= 1000 ? u"CP" + digits : u"DOS " + digits;
    case CodePageKind::Windows:
      break;
  }
  const bool windows_own = number == 874 || (number >= 1250 && number <= 1258);
  return windows_own ? u"Windows-" + digits : u"CP" + digits;
}

}  // namespace zentavo
