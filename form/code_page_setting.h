// Which code pages the windows tell keystrokes and bytes in: the DOS pages whose Alt+NNN they
// tell, in order, and this PC's own pages where the program can ask the system for them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zentavo {

class CodePageTable;

struct CodePageSetting {
  // The DOS pages whose Alt+NNN keystrokes are told and read back, the one that works here first.
  std::vector<const CodePageTable*> dos_pages;
  // The pages people still meet, whose bytes the details compare: ISO-8859-1, ISO-8859-15, Mac
  // Roman, DOS 850 and DOS 437, in that order (BuiltInCodePages), from the build's tables or the
  // system's own.
  std::vector<const CodePageTable*> known_pages;
  // This PC's own DOS (OEM) and Windows (ANSI) pages, where the program could ask the system
  // (Zentavo.exe); null where it cannot know them.
  const CodePageTable* this_pc_dos = nullptr;
  const CodePageTable* this_pc_windows = nullptr;
};

// The DOS page Windows takes for a locale: 437 for the United States and the C locale ("en_US",
// "C.UTF-8"), 850 elsewhere, as in Brazil, Portugal and most of Europe.
[[nodiscard]] unsigned DosPageOfLocale(std::string_view locale_name);
// The DOS pages whose Alt+NNN keystrokes are told, in order: the one that works here, then the
// built-in DOS pages in their order.
[[nodiscard]] std::vector<unsigned> DosPagesFirst(unsigned working_here);

// Where only the user's locale is known (the Qt program): the built-in DOS pages, the locale's
// first, and the built-in pages as the pages people meet.
[[nodiscard]] CodePageSetting SettingForLocale(std::string_view locale_name);

// The page of `setting`'s known pages that has `number`; null where none has.
[[nodiscard]] const CodePageTable* KnownPage(const CodePageSetting& setting, unsigned number);

// How a window hands the setting over where it may not be needed: asked for only then, since
// asking the system for its tables costs time a window's start need not spend.
using CodePageSettingSource = const CodePageSetting& (*)();

// "ISO-8859-1", "ISO-8859-15", "Mac Roman", "DOS 850", "Windows-1251": a page as the details
// name it, by its kind and Windows number.
[[nodiscard]] std::u16string CodePageName(const CodePageTable& page);

}  // namespace zentavo
