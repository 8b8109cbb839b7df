#include "code_stepping.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace zentavo {
namespace {

struct StepRow {
  const char* name;
  std::u16string text;
  StepKey key;
  std::optional<std::u16string> stepped;
};

TEST(SteppedCodeText, StepsWithinTheCodesInTheNotationTheTextWasIn) {
  const std::vector<StepRow> rows = {
      {"decimal up", u"65", StepKey::Up, u"66"},
      {"decimal down", u"65", StepKey::Down, u"64"},
      {"page up", u"65", StepKey::PageUp, u"81"},
      {"page down", u"65", StepKey::PageDown, u"49"},
      {"hexadecimal", u"&H41", StepKey::Up, u"&H42"},
      {"hexadecimal in small letters", u"&h4f", StepKey::Up, u"&H50"},
      {"octal", u"&O101", StepKey::Up, u"&O102"},
      {"octal down past a digit", u"&O100", StepKey::Down, u"&O77"},
      {"blanks before the prefix", u" &H41", StepKey::Down, u"&H40"},
      {"no number counts as 0", u"", StepKey::Up, u"1"},
      {"no number is already at 0", u"", StepKey::Down, std::nullopt},
      {"words count as 0", u"abc", StepKey::PageUp, u"16"},
      {"a fraction rounds first", u"65.5", StepKey::Up, u"67"},
      {"a half rounds to even", u"64.5", StepKey::Up, u"65"},
      {"an exponent", u"1e2", StepKey::Up, u"101"},
      {"stops at 255", u"255", StepKey::Up, std::nullopt},
      {"stops at 255 in hexadecimal", u"&HFF", StepKey::PageUp, std::nullopt},
      {"a page stops at 255", u"250", StepKey::PageUp, u"255"},
      {"stops at 0", u"0", StepKey::Down, std::nullopt},
      {"a page stops at 0", u"&H5", StepKey::PageDown, u"&H0"},
      {"beyond the codes comes back in", u"300", StepKey::Up, u"255"},
      {"below the codes comes back in", u"-5", StepKey::Down, u"0"},
      {"too large to read lies past the top: up", u"1e400", StepKey::Up, u"255"},
      {"too large to read lies past the top: down", u"1e400", StepKey::Down, u"255"},
      {"too large to read below zero lies past the bottom", u"-1e400", StepKey::Up, u"0"},
      {"too large to read, after blanks and a sign", u" -1e400", StepKey::PageUp, u"0"},
      {"too large in hexadecimal keeps its notation", u"&H100000000", StepKey::Up, u"&HFF"},
      {"too large in hexadecimal, down", u"&H1FFFFFFFF", StepKey::Down, u"&HFF"},
      {"one past the top steps down to the top", u"256", StepKey::Down, u"255"},
      {"far past the top steps down to the top", u"300", StepKey::Down, u"255"},
      {"one below the bottom steps up to it", u"-1", StepKey::Up, u"0"},
      {"past the top in hexadecimal", u"&H100", StepKey::Down, u"&HFF"},
      {"a page from far beyond", u"1e9", StepKey::PageDown, u"255"},
      {"at the top in small letters", u"&hff", StepKey::Up, std::nullopt},
      {"at the top after a blank", u" 255", StepKey::Up, std::nullopt},
      {"at the top with a fraction", u"255.0", StepKey::Up, std::nullopt},
      {"at the bottom in hexadecimal", u"&h0", StepKey::Down, std::nullopt},
      {"rounds to the top, then stays", u"254.6", StepKey::Up, std::nullopt},
      {"leading zeros are rewritten", u"065", StepKey::Up, u"66"},
  };
  for (const StepRow& row : rows) {
    EXPECT_EQ(SteppedCodeText(row.text, StepOf(row.key)), row.stepped) << row.name;
  }
}

}  // namespace
}  // namespace zentavo
