#include "code_pages_here_win32.h"

#include <windows.h>

#include <array>
#include <deque>

#include "code_pages.h"

namespace zentavo {
namespace {

std::array<char32_t, 256> CharactersOf(unsigned page, DWORD flags) {
  std::array<char32_t, 256> characters{};
  for (unsigned byte = 0; byte < characters.size(); ++byte) {
    const char narrow = static_cast<char>(byte);
    wchar_t wide[2] = {};
    const int got = MultiByteToWideChar(page, flags | MB_ERR_INVALID_CHARS, &narrow, 1, wide, 2);
    characters[byte] = got == 1 ? static_cast<char32_t>(wide[0]) : CodePageTable::kNoCharacter;
  }
  return characters;
}

}  // namespace

CodePageTable WindowsCodePage(unsigned page, CodePageKind kind) {
  const std::array<char32_t, 256> characters = CharactersOf(page, 0);
  return {page, kind, characters,
          kind == CodePageKind::Dos ? CharactersOf(page, MB_USEGLYPHCHARS) : characters};
}

const CodePageSetting& CodePagesHere() {
  // The tables live as long as the program; a deque keeps each where it was made.
  static std::deque<CodePageTable> tables;
  static const CodePageSetting setting = [] {
    // A page is of the kind the build's table gives it, or the kind Windows uses it as here.
    const auto table = [](unsigned page, CodePageKind kind) -> const CodePageTable* {
      for (const CodePageTable& each : tables) {
        if (each.Number() == page && each.Kind() == kind) return &each;
      }
      return &tables.emplace_back(WindowsCodePage(page, kind));
    };
    CodePageSetting made;
    // Mac Roman as Apple's current table has it, which files are written in: Windows' own older
    // table reads BD as the ohm sign and leaves out F0, the Apple logo.
    for (const CodePageTable& page : BuiltInCodePages()) {
      made.known_pages.push_back(
          page.Kind() == CodePageKind::Mac ? &page : table(page.Number(), page.Kind()));
    }
    for (const unsigned page : DosPagesFirst(GetOEMCP())) {
      made.dos_pages.push_back(table(page, CodePageKind::Dos));
    }
    made.this_pc_dos = made.dos_pages.front();
    if (GetACP() != 1252) made.this_pc_windows = table(GetACP(), CodePageKind::Windows);
    return made;
  }();
  return setting;
}

}  // namespace zentavo
