// The single-byte code pages besides Windows-1252 that codes come from: what each byte stands
// for, which bytes stand for a character, and what kind of page it is. Built in for ISO-8859-1,
// ISO-8859-15, Mac Roman, DOS 850 and DOS 437 from the mapping files at build time; any other can
// be made from a table the platform gives (Windows' own, at run time).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace zentavo {

// A Windows (ANSI) page, a DOS (OEM) page, whose bytes Alt+NNN types, an ISO 8859 part, or Mac.
enum class CodePageKind { Windows, Dos, Iso, Mac };

class CodePageTable {
 public:
  static constexpr char32_t kNoCharacter = 0xFFFF'FFFF;

  // `characters[b]` is what byte b stands for in a file (kNoCharacter where the page leaves it
  // undefined); `typed[b]` is what Windows types for Alt+b and shows for byte b on a DOS screen,
  // which differs only for the pictures DOS gives bytes 1 to 31 and 127.
  CodePageTable(unsigned number, CodePageKind kind, const std::array<char32_t, 256>& characters,
                const std::array<char32_t, 256>& typed);

  [[nodiscard]] unsigned Number() const { return number_; }
  [[nodiscard]] CodePageKind Kind() const { return kind_; }
  [[nodiscard]] std::optional<char32_t> CharacterOf(std::uint8_t byte) const;
  [[nodiscard]] std::optional<char32_t> TypedCharacterOf(std::uint8_t byte) const;
  // Every byte that stands for `character`, lowest first; none where the page lacks it.
  [[nodiscard]] std::vector<std::uint8_t> BytesOf(char32_t character) const;
  // Every byte whose keystroke types `character`: a DOS page can have two (§ is Alt+21, its
  // picture, and Alt+245 in DOS 850).
  [[nodiscard]] std::vector<std::uint8_t> TypedBytesOf(char32_t character) const;

 private:
  unsigned number_;
  CodePageKind kind_;
  std::array<char32_t, 256> characters_;
  std::array<char32_t, 256> typed_;
};

// The built-in pages, in the order the details list them: ISO-8859-1, ISO-8859-15, Mac Roman,
// DOS 850 and DOS 437, as the build's table lists them.
[[nodiscard]] const std::vector<CodePageTable>& BuiltInCodePages();

// A built-in page by its Windows number (28591, 28605, 10000, 850, 437); nullptr for others.
[[nodiscard]] const CodePageTable* BuiltInCodePage(unsigned number);

// `characters` with the IBM PC's pictures for bytes 1 to 31 and 127 in their place, as a DOS
// screen shows those bytes and Windows types them.
[[nodiscard]] std::array<char32_t, 256> WithIbmPcPictures(std::array<char32_t, 256> characters);

}  // namespace zentavo
