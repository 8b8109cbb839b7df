// Finds the Windows-1252 characters a person looks for, by any words of their names or keywords
// in English or Portuguese, or by any written form of their code. Toolkit-free: both windows'
// finders show what this answers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zentavo {

// How a term of a character came to be: one of Unicode's own names for it (its name and the
// aliases NameAliases.txt gives), another name (NamesList's informal aliases, CLDR's short
// names), a keyword (CLDR's), or an HTML named reference, which only a query written as one
// ("&ndash;") reads.
enum class TermKind : std::uint8_t { Name, OtherName, Keyword, Html };

struct CharacterTerm {
  std::uint8_t code;
  TermKind kind;
  std::u16string_view text;
};

// How well a character matched, best first.
enum class MatchLevel : std::uint8_t {
  CodeForm,     // the query is a written form of its code ("U+2013", "&ndash;", "â€“")
  WholeTerm,    // a term equal to the whole query
  WholeWords,   // every word of the query a whole word of one term
  WordStarts,   // every word the start of a word of one term
  SpreadWords,  // every word the start of a word of some term
};

struct FoundCharacter {
  std::uint8_t code;
  MatchLevel level;
  // The term that matched best; empty for a code form.
  std::u16string_view term;
};

struct FindResult {
  std::vector<FoundCharacter> matches;  // best first
  // A code point the query writes that Windows-1252 has no character for ("U+2192", "→").
  std::optional<char32_t> outside;
};

class CodePageTable;

// The characters `query` finds, best first. A query is read first as a written form of a code:
// the character itself, a decimal code, "U+2013", "0x96", "&H96", "&O226", "&#150;" (which HTML
// reads as the en dash), "&#8211;", "&#x2013;", "&ndash;", "Alt+0150", "Alt+130" (in each of
// `dos_pages`, in their order), "\u2013", UTF-8 bytes "E2 80 93", or a misreading of UTF-8 in any
// code page the program knows ("â€“", "├®"); then by words, each of which must begin a word of the
// character's terms, in any order, case and accents ignored. Unicode's own names are compared
// before other terms, then by MatchLevel, names before keywords, fewer other words in the term,
// a one-letter word's case matching the letter's ("c cedilla" gives ç, "C cedilla" Ç), and the
// lower code. Never fails; any text is a query.
// A misreading is read in Windows-1252, then `dos_pages`, then `other_pages`.
[[nodiscard]] FindResult FindCharacters(std::u16string_view query,
                                        const std::vector<const CodePageTable*>& dos_pages,
                                        const std::vector<const CodePageTable*>& other_pages);

// `text` as matching compares it: lower case, accents taken off by Unicode decomposition
// ("Travessão" gives "travessao").
[[nodiscard]] std::u16string FoldForSearch(std::u16string_view text);

// Every term of every code, in the order of the codes.
[[nodiscard]] const std::vector<CharacterTerm>& CharacterTerms();

}  // namespace zentavo
