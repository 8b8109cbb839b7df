#include "code_pages.h"

#include <algorithm>

namespace zentavo {
namespace {

struct BuiltInTable {
  unsigned number;
  CodePageKind kind;
  std::array<char32_t, 256> characters;
};

// Made at build time from Python's codecs (generate_code_pages.py).
constexpr BuiltInTable kBuiltInTables[] = {
#define ZENTAVO_CODE_PAGE_TABLES
#include "code_pages.inc"
#undef ZENTAVO_CODE_PAGE_TABLES
};

constexpr std::array<char32_t, 32> kIbmPcPictures = {{
#define ZENTAVO_IBM_PC_PICTURES
#include "code_pages.inc"
#undef ZENTAVO_IBM_PC_PICTURES
}};

constexpr char32_t kIbmPcPictureOf7F =
#define ZENTAVO_IBM_PC_PICTURE_OF_7F
#include "code_pages.inc"
#undef ZENTAVO_IBM_PC_PICTURE_OF_7F
    ;

std::vector<std::uint8_t> BytesIn(const std::array<char32_t, 256>& table, char32_t character) {
  std::vector<std::uint8_t> bytes;
  if (character == CodePageTable::kNoCharacter) return bytes;
  for (unsigned byte = 0; byte < table.size(); ++byte) {
    if (table[byte] == character) bytes.push_back(static_cast<std::uint8_t>(byte));
  }
  return bytes;
}

}  // namespace

CodePageTable::CodePageTable(unsigned number, CodePageKind kind,
                             const std::array<char32_t, 256>& characters,
                             const std::array<char32_t, 256>& typed)
    : number_(number), kind_(kind), characters_(characters), typed_(typed) {}

std::optional<char32_t> CodePageTable::CharacterOf(std::uint8_t byte) const {
  if (characters_[byte] == kNoCharacter) return std::nullopt;
  return characters_[byte];
}

std::optional<char32_t> CodePageTable::TypedCharacterOf(std::uint8_t byte) const {
  if (typed_[byte] == kNoCharacter) return std::nullopt;
  return typed_[byte];
}

std::vector<std::uint8_t> CodePageTable::BytesOf(char32_t character) const {
  return BytesIn(characters_, character);
}

std::vector<std::uint8_t> CodePageTable::TypedBytesOf(char32_t character) const {
  return BytesIn(typed_, character);
}

std::array<char32_t, 256> WithIbmPcPictures(std::array<char32_t, 256> characters) {
  std::copy(kIbmPcPictures.begin() + 1, kIbmPcPictures.end(), characters.begin() + 1);
  characters[0x7F] = kIbmPcPictureOf7F;
  return characters;
}

const std::vector<CodePageTable>& BuiltInCodePages() {
  static const std::vector<CodePageTable> tables = [] {
    std::vector<CodePageTable> made;
    for (const BuiltInTable& table : kBuiltInTables) {
      made.emplace_back(
          table.number, table.kind, table.characters,
          table.kind == CodePageKind::Dos ? WithIbmPcPictures(table.characters) : table.characters);
    }
    return made;
  }();
  return tables;
}

const CodePageTable* BuiltInCodePage(unsigned number) {
  const std::vector<CodePageTable>& tables = BuiltInCodePages();
  const auto found = std::find_if(tables.begin(), tables.end(), [number](const CodePageTable& t) {
    return t.Number() == number;
  });
  return found == tables.end() ? nullptr : &*found;
}

}  // namespace zentavo
