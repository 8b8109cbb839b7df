#include "handlers.h"

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "boxes_in_memory.h"
#include "conversion.h"
#include "expect_conversion_failure.h"
#include "table_rows.h"

namespace zentavo {
namespace {

using ::zentavo::PrintTo;

using testing_support::BoxesInMemory;

struct HandlerRow {
  std::string_view name;
  void (*handler)(TextBoxAccess&);
  const char* input_box;
  const char* output_box;
  std::u16string_view input;
  std::u16string_view output;
};

class HandlerConverts : public testing::TestWithParam<HandlerRow> {};

TEST_P(HandlerConverts, ReadsInputOnceAndWritesOutputOnce) {
  const HandlerRow& row = GetParam();
  BoxesInMemory boxes;
  boxes.texts[row.input_box] = row.input;

  row.handler(boxes);

  EXPECT_EQ(boxes.texts[row.output_box], row.output);
  EXPECT_EQ(boxes.texts[row.input_box], row.input);
  EXPECT_EQ(boxes.reads, std::vector<std::string>{row.input_box});
  EXPECT_EQ(boxes.writes, std::vector<std::string>{row.output_box});
}

INSTANTIATE_TEST_SUITE_P(
    Handlers, HandlerConverts,
    testing::Values(
        HandlerRow{"CodeSix", CodeToCharacterHandler, "txtDeASCII", "txtParaCar", u"6", u"\x06"},
        HandlerRow{"CodeSixtyFive", CodeToCharacterHandler, "txtDeASCII", "txtParaCar", u"65",
                   u"A"},
        HandlerRow{"CodePastedWithTail", CodeToCharacterHandler, "txtDeASCII", "txtParaCar",
                   u"65abc", u"A"},
        HandlerRow{"CodeEmptied", CodeToCharacterHandler, "txtDeASCII", "txtParaCar", u"",
                   std::u16string_view(u"\0", 1)},
        HandlerRow{"CodeLoneMinus", CodeToCharacterHandler, "txtDeASCII", "txtParaCar", u"-",
                   std::u16string_view(u"\0", 1)},
        HandlerRow{"CharacterA", CharacterToCodeHandler, "txtDeCar", "txtParaASCII", u"A", u"65"},
        HandlerRow{"CharacterAb", CharacterToCodeHandler, "txtDeCar", "txtParaASCII", u"Ab", u"65"},
        HandlerRow{"CharacterB", CharacterToCodeHandler, "txtDeCar", "txtParaASCII", u"b", u"98"},
        HandlerRow{"CharacterEmptied", CharacterToCodeHandler, "txtDeCar", "txtParaASCII", u"",
                   u"32"}),
    testing_support::RowName());

struct HandlerFailureRow {
  std::string_view name;
  std::u16string_view input;
  ConversionFailure::Kind kind;
};

class CodeHandlerFails : public testing::TestWithParam<HandlerFailureRow> {};

TEST_P(CodeHandlerFails, WritesNothingAndLetsTheFailureThrough) {
  BoxesInMemory boxes;
  boxes.texts["txtParaCar"] = u"\x19";  // what "25" left there before the third keystroke
  boxes.texts["txtDeASCII"] = GetParam().input;

  testing_support::ExpectConversionFailure([&boxes] { CodeToCharacterHandler(boxes); },
                                           GetParam().kind);
  EXPECT_EQ(boxes.texts["txtParaCar"], u"\x19");
  EXPECT_EQ(boxes.texts["txtDeASCII"], GetParam().input);
  EXPECT_TRUE(boxes.writes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Handlers, CodeHandlerFails,
    testing::Values(
        HandlerFailureRow{"ThirdKeystroke", u"256", ConversionFailure::Kind::InvalidArgument},
        HandlerFailureRow{"MinusOne", u"-1", ConversionFailure::Kind::InvalidArgument},
        HandlerFailureRow{"PastedForty000", u"40000", ConversionFailure::Kind::Overflow}),
    testing_support::RowName());

TEST(Handlers, LetAnAccessFailureThrough) {
  class MissingBoxes : public BoxesInMemory {
    std::u16string ReadText(std::string_view) const override {
      throw std::out_of_range("no such box");
    }
  } boxes;
  EXPECT_THROW(CodeToCharacterHandler(boxes), std::out_of_range);
  EXPECT_THROW(CharacterToCodeHandler(boxes), std::out_of_range);
  EXPECT_TRUE(boxes.writes.empty());
}

}  // namespace
}  // namespace zentavo
