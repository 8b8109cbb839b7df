#include "failure_policy.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "accessibility_table.h"
#include "boxes_in_memory.h"
#include "control_names.h"
#include "conversion.h"
#include "handler_bindings.h"
#include "handlers.h"

namespace zentavo {
namespace {

using testing_support::BoxesInMemory;

struct PolicyRow {
  const char* name;
  void (*handler)(TextBoxAccess&);
  bool reported;
  std::u16string summary;
  std::u16string details;
  bool program_must_end;
};

void Succeeds(TextBoxAccess& /*boxes*/) {}
void Overflows(TextBoxAccess& /*boxes*/) {
  throw ConversionFailure(ConversionFailure::Kind::Overflow);
}
void IsGivenNoNumber(TextBoxAccess& /*boxes*/) {
  throw ConversionFailure(ConversionFailure::Kind::InvalidArgument);
}
void BreaksItsOwnRule(TextBoxAccess& /*boxes*/) { throw std::logic_error("a broken rule"); }
void RunsOutOfMemory(TextBoxAccess& /*boxes*/) { throw std::bad_alloc(); }
void ThrowsSomethingElse(TextBoxAccess& /*boxes*/) { throw 42; }

// Each binding runs its row's conversion, from its input box into the row's output box, and a
// failure in it quotes that input box.
TEST(ConversionBindings, EachRunsItsRowsConversionAndQuotesItsInputBox) {
  for (const ConversionBinding& binding : kConversionBindings) {
    const accessibility::RowRecord* row = accessibility::RowOfBox(binding.input_box);
    ASSERT_NE(row, nullptr) << binding.input_box;
    EXPECT_EQ(row->input_box, binding.input_box);
    BoxesInMemory boxes;
    boxes.texts[std::string(binding.input_box)] = u"65";
    EXPECT_FALSE(RunHandler(binding.handler, boxes, binding.input_box));
    const std::u16string expected = row->output == accessibility::ShownAs::Character ? u"A" : u"54";
    EXPECT_EQ(boxes.texts[std::string(row->output_box)], expected) << binding.input_box;
  }
  EXPECT_EQ(kConversionBindings.size(), accessibility::kRows.size());
  EXPECT_EQ(accessibility::RowOfBox(kExitControl), nullptr) << "the button is in no row";
}

TEST(RunHandler, ReportsWhatFailedAndSaysWhetherTheProgramEnds) {
  const std::u16string typed =
      u"\u201C300\u201D is no character code: type a code from 0 to 255.\n\u201C300\u201D n\u00E3o "
      u"\u00E9 um c\u00F3digo de caractere: escreva um c\u00F3digo de 0 a 255.";
  const std::u16string invalid = u"Invalid argument / Argumento inv\u00E1lido";
  const std::u16string unexpected = u"Unexpected failure / Falha inesperada";
  const std::u16string closing = u"\n\nZentavo must close. / O Zentavo precisa fechar.";
  const std::vector<PolicyRow> rows = {
      {"success", &Succeeds, false, u"", u"", false},
      {"the real handler on 300", &CodeToCharacterHandler, true, invalid, typed, false},
      {"overflow", &Overflows, true, u"Overflow / Estouro", typed, false},
      {"no number", &IsGivenNoNumber, true, invalid, typed, false},
      {"a broken rule", &BreaksItsOwnRule, true, unexpected, u"a broken rule" + closing, true},
      {"out of memory", &RunsOutOfMemory, true, unexpected, u"std::bad_alloc" + closing, true},
      {"not an exception", &ThrowsSomethingElse, true, unexpected, u"unknown failure" + closing,
       true},
  };
  for (const PolicyRow& row : rows) {
    BoxesInMemory boxes;
    boxes.texts["txtDeASCII"] = u"300";
    const std::optional<FailureReport> report =
        RunHandler(row.handler, boxes, control_names::kCodeInput);
    ASSERT_EQ(report.has_value(), row.reported) << row.name;
    if (!report) continue;
    EXPECT_EQ(report->summary, row.summary) << row.name;
    EXPECT_EQ(report->details, row.details) << row.name;
    EXPECT_EQ(report->program_must_end, row.program_must_end) << row.name;
    EXPECT_EQ(report->focus_box, row.program_must_end ? "" : control_names::kCodeInput) << row.name;
  }
}

struct QueueRow {
  const char* name;
  std::vector<bool> ending;  // each report admitted in turn: does it end the program?
  std::vector<bool> admitted;
  std::vector<std::u16string> shown;  // the summaries Next gives, in order, until nothing
};

TEST(FailureReportQueue, ShowsEachInTurnAndNothingAfterOneThatEndsTheProgram) {
  const std::vector<QueueRow> rows = {
      {"one", {false}, {true}, {u"0"}},
      {"two the program goes on after", {false, false}, {true, true}, {u"0", u"1"}},
      {"one that ends it, then another", {true, false}, {true, false}, {u"0"}},
      {"one it goes on after, then one that ends it, then more",
       {false, true, true, false},
       {true, true, false, false},
       {u"0", u"1"}},
  };
  for (const QueueRow& row : rows) {
    FailureReportQueue queue;
    std::vector<bool> admitted;
    for (std::size_t i = 0; i < row.ending.size(); ++i) {
      const std::u16string summary(1, static_cast<char16_t>(u'0' + i));
      admitted.push_back(queue.Admit({summary, u"", row.ending[i], {}}));
    }
    EXPECT_EQ(admitted, row.admitted) << row.name;
    std::vector<std::u16string> shown;
    while (const std::optional<FailureReport> next = queue.Next()) shown.push_back(next->summary);
    EXPECT_EQ(shown, row.shown) << row.name;
    const bool ending = std::find(row.ending.begin(), row.ending.end(), true) != row.ending.end();
    EXPECT_EQ(queue.Admit({u"later", u"", false, {}}), !ending)
        << row.name << ": nothing is kept once the program is ending";
  }
}

}  // namespace
}  // namespace zentavo
