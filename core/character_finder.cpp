#include "character_finder.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <tuple>
#include <utility>

#include "character_details.h"
#include "code_forms.h"

namespace zentavo {
namespace {

struct FoldedLetter {
  char16_t from;
  char16_t to;
};

// clang-format off
// Every term's text in one string, and where each lies in it: a table of offsets needs no
// relocation as the program loads, where one of views would need one for every term.
constexpr char16_t kTermText[] =
#define ZENTAVO_CHARACTER_TERM_TEXT
#include "character_terms.inc"
#undef ZENTAVO_CHARACTER_TERM_TEXT
    u"";

struct TermAt {
  std::uint8_t code;
  TermKind kind;
  std::uint16_t length;
  std::uint32_t at;
};
constexpr TermAt kTerms[] = {
#define ZENTAVO_CHARACTER_TERMS
#include "character_terms.inc"
#undef ZENTAVO_CHARACTER_TERMS
};

// Each letter below U+2000 to its lower-case base letter, from UnicodeData.txt's decompositions
// and lower-case mappings; sorted by `from`.
constexpr FoldedLetter kFoldedLetters[] = {
#define ZENTAVO_FOLDED_LETTERS
#include "character_terms.inc"
#undef ZENTAVO_FOLDED_LETTERS
};
// clang-format on

char16_t Folded(char16_t character) {
  if (character >= u'A' && character <= u'Z') return static_cast<char16_t>(character + 32);
  if (character < 0x80) return character;
  const auto* found = std::lower_bound(
      std::begin(kFoldedLetters), std::end(kFoldedLetters), character,
      [](const FoldedLetter& letter, char16_t wanted) { return letter.from < wanted; });
  return found != std::end(kFoldedLetters) && found->from == character ? found->to : character;
}

// Letters and digits make words; blanks, hyphens, brackets and punctuation part them.
bool IsWordCharacter(char16_t character) {
  if (character < 0x80) {
    return (character >= u'a' && character <= u'z') || (character >= u'A' && character <= u'Z') ||
           (character >= u'0' && character <= u'9');
  }
  return character >= 0xC0 && character != 0xD7 && character != 0xF7 &&
         !(character >= 0x2000 && character <= 0x2BFF) &&
         !(character >= 0x3000 && character <= 0x303F) &&
         !(character >= 0xD800 && character <= 0xDFFF);
}

std::vector<std::u16string_view> WordsOf(std::u16string_view text) {
  std::vector<std::u16string_view> words;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && IsWordCharacter(text[i])) continue;
    if (i > start) words.push_back(text.substr(start, i - start));
    start = i + 1;
  }
  return words;
}

struct PreparedTerm {
  const CharacterTerm* term;
  std::u16string folded;
  std::vector<std::u16string_view> words;  // views into `folded`
};

// Every term folded and cut into words once, on the first search.
const std::vector<std::vector<PreparedTerm>>& PreparedTerms() {
  static const std::vector<std::vector<PreparedTerm>> prepared = [] {
    std::vector<std::vector<PreparedTerm>> by_code(256);
    for (const CharacterTerm& term : CharacterTerms()) {
      PreparedTerm& each = by_code[term.code].emplace_back();
      each.term = &term;
      each.folded = FoldForSearch(term.text);
    }
    for (auto& terms : by_code) {
      for (PreparedTerm& each : terms) each.words = WordsOf(each.folded);
    }
    return by_code;
  }();
  return prepared;
}

bool StartsWith(std::u16string_view text, std::u16string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// What decides the order, compared in turn; smaller is better.
using RankKey = std::tuple<int, MatchLevel, int, std::ptrdiff_t, int, int>;

struct Candidate {
  RankKey key;
  std::u16string_view term;
};

// Whether the letter of `code` is a capital (1), a small letter (0), or neither (-1), by the
// words of its Unicode name.
int LetterCase(std::uint8_t code) {
  const std::string_view name = DetailsOfCode(code).name;
  if (name.find("CAPITAL LETTER") != std::string_view::npos) return 1;
  if (name.find("SMALL LETTER") != std::string_view::npos) return 0;
  return -1;
}

struct Query {
  std::vector<std::u16string_view> words;  // folded
  int one_letter_case = -1;                // of the first one-letter word: 1 capital, 0 small
};

std::optional<Candidate> MatchTerm(const PreparedTerm& term, const Query& query, int case_miss) {
  const bool all_whole = std::all_of(query.words.begin(), query.words.end(), [&](auto word) {
    return std::find(term.words.begin(), term.words.end(), word) != term.words.end();
  });
  const bool all_start =
      all_whole || std::all_of(query.words.begin(), query.words.end(), [&](auto word) {
        return std::any_of(term.words.begin(), term.words.end(),
                           [&](auto own) { return StartsWith(own, word); });
      });
  if (!all_start) return std::nullopt;
  MatchLevel level = all_whole ? MatchLevel::WholeWords : MatchLevel::WordStarts;
  if (all_whole && term.words == query.words) level = MatchLevel::WholeTerm;
  const TermKind kind = term.term->kind;
  const int formal = kind == TermKind::Name ? 0 : 1;
  const int keyword = kind == TermKind::Keyword || kind == TermKind::Html ? 1 : 0;
  const auto others =
      std::max<std::ptrdiff_t>(0, static_cast<std::ptrdiff_t>(term.words.size()) -
                                      static_cast<std::ptrdiff_t>(query.words.size()));
  return Candidate{{formal, level, keyword, others, case_miss, 0}, term.term->text};
}

// Words found only across several terms: over Unicode's own names, or over all terms.
std::optional<Candidate> MatchSpread(const std::vector<PreparedTerm>& terms, const Query& query,
                                     int case_miss) {
  for (const int formal : {0, 1}) {
    const bool found = std::all_of(query.words.begin(), query.words.end(), [&](auto word) {
      return std::any_of(terms.begin(), terms.end(), [&](const PreparedTerm& term) {
        if (formal == 0 && term.term->kind != TermKind::Name) return false;
        return std::any_of(term.words.begin(), term.words.end(),
                           [&](auto own) { return StartsWith(own, word); });
      });
    });
    if (found) return Candidate{{formal, MatchLevel::SpreadWords, formal, 0, case_miss, 0}, {}};
  }
  return std::nullopt;
}

}  // namespace

const std::vector<CharacterTerm>& CharacterTerms() {
  static const std::vector<CharacterTerm> terms = [] {
    const std::u16string_view text(kTermText, std::size(kTermText) - 1);
    std::vector<CharacterTerm> each;
    each.reserve(std::size(kTerms));
    for (const TermAt& term : kTerms) {
      each.push_back({term.code, term.kind, text.substr(term.at, term.length)});
    }
    return each;
  }();
  return terms;
}

std::u16string FoldForSearch(std::u16string_view text) {
  std::u16string folded(text);
  for (char16_t& character : folded) character = Folded(character);
  return folded;
}

FindResult FindCharacters(std::u16string_view query,
                          const std::vector<const CodePageTable*>& dos_pages,
                          const std::vector<const CodePageTable*>& other_pages) {
  FindResult result;
  CodeFormReading forms = ReadCodeForms(query, dos_pages, other_pages);
  result.outside = forms.outside;
  for (const std::uint8_t code : forms.codes)
    result.matches.push_back({code, MatchLevel::CodeForm, {}});

  const std::u16string folded = FoldForSearch(query);
  Query words{WordsOf(folded), -1};
  for (const std::u16string_view word : WordsOf(query)) {
    if (word.size() == 1 && word[0] < 0x80 && !(word[0] >= u'0' && word[0] <= u'9')) {
      words.one_letter_case = word[0] >= u'A' && word[0] <= u'Z' ? 1 : 0;
      break;
    }
  }
  if (words.words.empty()) return result;

  std::vector<std::pair<Candidate, std::uint8_t>> found;
  const auto& prepared = PreparedTerms();
  for (int code = 0; code < 256; ++code) {
    const auto byte = static_cast<std::uint8_t>(code);
    if (std::find(forms.codes.begin(), forms.codes.end(), byte) != forms.codes.end()) continue;
    const int letter_case = words.one_letter_case < 0 ? -1 : LetterCase(byte);
    const int case_miss = letter_case >= 0 && letter_case != words.one_letter_case ? 1 : 0;
    std::optional<Candidate> best = MatchSpread(prepared[byte], words, case_miss);
    for (const PreparedTerm& term : prepared[byte]) {
      const std::optional<Candidate> each = MatchTerm(term, words, case_miss);
      if (each && (!best || each->key < best->key)) best = each;
    }
    if (best) {
      std::get<5>(best->key) = code;
      found.emplace_back(*best, byte);
    }
  }
  std::sort(found.begin(), found.end(),
            [](const auto& a, const auto& b) { return a.first.key < b.first.key; });
  for (const auto& [candidate, code] : found) {
    result.matches.push_back({code, std::get<1>(candidate.key), candidate.term});
  }
  return result;
}

}  // namespace zentavo
