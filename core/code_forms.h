// Reads a query as the written forms of a code the finder takes it for: what Copy as gives, what
// the details show, the keystrokes that type it, and what a wrong decoding makes of a character.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace zentavo {

class CodePageTable;

// The codes `query` writes a form of, in the order the forms are tried (the decimal code first),
// and the code point it writes where Windows-1252 has none. "Alt+NNN" is read in each of
// `dos_pages` in turn; a misreading in Windows-1252, then each of `dos_pages`, then each of
// `other_pages`.
struct CodeFormReading {
  std::vector<std::uint8_t> codes;
  std::optional<char32_t> outside;
};
[[nodiscard]] CodeFormReading ReadCodeForms(std::u16string_view query,
                                            const std::vector<const CodePageTable*>& dos_pages,
                                            const std::vector<const CodePageTable*>& other_pages);

}  // namespace zentavo
