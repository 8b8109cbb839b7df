#include "failure_texts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "conversion.h"

namespace zentavo {
namespace {

struct ReportRow {
  const char* name;
  ConversionFailure::Kind kind;
  std::u16string input;
  std::u16string summary;
  std::u16string quoted;
};

TEST(ConversionFailureTexts, NameTheKindQuoteTheInputAndSayWhatIsAllowed) {
  const std::vector<ReportRow> rows = {
      {"overflow", ConversionFailure::Kind::Overflow, u"40000", u"Overflow / Estouro",
       u"\u201C40000\u201D"},
      {"invalid argument", ConversionFailure::Kind::InvalidArgument, u"-1",
       u"Invalid argument / Argumento inv\u00E1lido", u"\u201C-1\u201D"},
      {"a long paste is cut", ConversionFailure::Kind::Overflow, std::u16string(100000, u'9'),
       u"Overflow / Estouro", u"\u201C" + std::u16string(40, u'9') + u"\u2026\u201D"},
  };
  for (const ReportRow& row : rows) {
    EXPECT_EQ(failure_texts::ConversionSummary(row.kind), row.summary) << row.name;
    const std::u16string details = failure_texts::ConversionDetails(row.input);
    EXPECT_NE(details.find(row.quoted), std::u16string::npos) << row.name;
    EXPECT_NE(details.find(u"from 0 to 255"), std::u16string::npos) << row.name;
    EXPECT_NE(details.find(u"de 0 a 255"), std::u16string::npos) << row.name;
    EXPECT_LT(details.size(), 200u) << row.name;
  }
}

}  // namespace
}  // namespace zentavo
