// Endurance: a long seeded random sequence of edits in both rows of the running program (typing,
// pasting, huge pastes, deleting, select-all and replace, cutting, undo and redo), failing inputs
// included. After every edit the output box must hold the conversion of its input box, or, after
// a reported failure, its previous text; the program must keep running and the heap it holds
// must stay flat once the undo histories are full.
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>
#include <malloc.h>

#include <chrono>
#include <fstream>
#include <random>
#include <string>

#include "conversion.h"
#include "form1.h"
#include "message_box_acknowledger.h"
#include "notification_bindings.h"
#include "text_box.h"

namespace zentavo {
namespace {

long ResidentKib() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

// What the program holds on the heap, without what the allocator keeps for reuse: after a huge
// text is freed glibc may keep megabytes resident (its trim threshold follows the largest block
// freed), which is not growth of the program's own.
long HeapInUseKib() {
  const struct mallinfo2 heap = mallinfo2();
  return static_cast<long>((heap.uordblks + heap.hblkhd) / 1024);
}

// Types each character as a key press; characters beyond ASCII come as keys Qt does not name,
// carrying their text, as an input method or a national layout delivers them.
void Type(QWidget* widget, const QString& text) {
  for (const QChar character : text) {
    if (character.unicode() < 0x80) {
      QTest::keyClick(widget, character.toLatin1());
    } else {
      QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(character),
                          Qt::NoModifier);
    }
  }
}

class RandomEdits {
 public:
  explicit RandomEdits(std::uint32_t seed) : random_(seed) {}

  int Below(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(random_); }

  // A paste far beyond anything typed: a code, then a quarter of a megabyte of spaces or
  // digits.
  QString HugeText() {
    QString text = QString::number(Below(256));
    text.append(QString(256 * 1024, Below(2) ? u' ' : u'7'));
    return text;
  }

  // What a user might type into either row: mostly digits, the other characters a number can
  // hold, and some that end a number or are no digit at all.
  // One character per edit, so that every edit is one change of the box.
  QString TypedCharacter() {
    static const QString kAlphabet =
        QStringLiteral("0123456789012345678901234567890.-+eEdD&HhOo ,xA\u00E9\u20AC");
    return QString(kAlphabet[Below(static_cast<int>(kAlphabet.size()))]);
  }

  // Pasted texts, failing ones included: codes in and out of range, other notations, long digit
  // runs and a text with a character outside Windows-1252, which the box must refuse whole.
  QString PastedText() {
    switch (Below(7)) {
      case 0:
        return QString::number(Below(80001) - 40000);
      case 1:
        return QString::number(Below(3000) / 10.0, 'f', 1);
      case 2:
        return QStringLiteral("&H") + QString::number(Below(0x20000), 16);
      case 3:
        return QString(1 + Below(4000), QChar(u'0' + Below(10)));
      case 4:
        return QStringLiteral("65 abc \u00E9");
      case 5:
        return QStringLiteral("6\u01005");  // refused: U+0100 is no Windows-1252 character
      default:
        return QString::number(Below(256));
    }
  }

 private:
  std::mt19937 random_;
};

TEST(Soak, BothRowsStayConsistentThroughALongRandomEditSequence) {
  const int seconds = qEnvironmentVariableIntValue("ZENTAVO_SOAK_SECONDS") > 0
                          ? qEnvironmentVariableIntValue("ZENTAVO_SOAK_SECONDS")
                          : 50;
  Form1 form;
  BindNotifications(form);
  form.Show();
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  testing_support::MessageBoxAcknowledger acknowledger;
  RandomEdits edits(20261207);

  // A box may hold a huge text at any moment; that is memory in use, not growth. Memory is
  // measured with both rows brought back to a short text, the way a user would.
  const auto shorten_both_rows = [&form] {
    for (const char* input_name : {"txtDeASCII", "txtDeCar"}) {
      QLineEdit* input = form.TextBox(input_name);
      input->setFocus();
      input->selectAll();
      Type(input, QStringLiteral("6"));
    }
    QApplication::processEvents();
  };
  long resident_after_warm_up = 0;
  long heap_after_warm_up = 0;
  int edit_count = 0;
  int failures_reported = 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (std::chrono::steady_clock::now() < deadline) {
    const bool upper_row = edits.Below(2) == 0;
    const char* input_name = upper_row ? "txtDeASCII" : "txtDeCar";
    const char* output_name = upper_row ? "txtParaCar" : "txtParaASCII";
    QLineEdit* input = form.TextBox(input_name);
    QLineEdit* output = form.TextBox(output_name);
    const QString input_before = input->text();
    const QString output_before = output->text();
    const qsizetype reports_before = acknowledger.reports.size();

    input->setFocus();
    switch (edits.Below(input->text().size() > 20000 ? 1 : 9)) {
      case 0:  // select all and replace
        input->selectAll();
        Type(input, edits.TypedCharacter());
        break;
      case 1:
      case 2:
        Type(input, edits.TypedCharacter());
        break;
      case 3:
        QApplication::clipboard()->setText(edits.Below(100) == 0 ? edits.HugeText()
                                                                 : edits.PastedText());
        QTest::keyClick(input, Qt::Key_V, Qt::ControlModifier);
        break;
      case 4:
        QTest::keyClick(input, edits.Below(2) ? Qt::Key_Backspace : Qt::Key_Delete);
        break;
      case 5:
        QTest::keyClick(input, Qt::Key_Z, Qt::ControlModifier);
        break;
      case 6:
        QTest::keyClick(input, Qt::Key_Home, Qt::ShiftModifier);
        QTest::keyClick(input, Qt::Key_X, Qt::ControlModifier);
        break;
      case 7:
        QTest::keyClick(input, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        break;
      default:
        QTest::keyClick(input, edits.Below(2) ? Qt::Key_Home : Qt::Key_End);
        break;
    }
    ++edit_count;
    QApplication::processEvents();  // a failure is reported once the edit is done

    const QString input_now = input->text();
    const qsizetype new_reports = acknowledger.reports.size() - reports_before;
    SCOPED_TRACE("edit " + std::to_string(edit_count) + ", input of " +
                 std::to_string(input_now.size()) + " characters");
    if (input_now == input_before) {
      ASSERT_EQ(output->text(), output_before);
      ASSERT_EQ(new_reports, 0);
    } else if (!upper_row) {
      ASSERT_EQ(form.ReadText(output_name), CharacterToCode(form.ReadText(input_name)));
    } else {
      try {
        ASSERT_EQ(form.ReadText(output_name), CodeToCharacter(form.ReadText(input_name)));
        ASSERT_EQ(new_reports, 0);
      } catch (const ConversionFailure& failure) {
        ASSERT_EQ(output->text(), output_before) << "a failure left the output unchanged";
        ASSERT_EQ(new_reports, 1);
        const QString kind =
            failure.kind() == ConversionFailure::Kind::Overflow ? "Overflow" : "Invalid argument";
        ASSERT_TRUE(acknowledger.reports.back().startsWith(kind));
        ++failures_reported;
      }
    }
    acknowledger.reports.clear();  // checked; keeping every report would grow the test itself
    if (edit_count == 1000) {
      shorten_both_rows();
      resident_after_warm_up = ResidentKib();
      heap_after_warm_up = HeapInUseKib();
    }
  }

  shorten_both_rows();
  const long resident_at_end = ResidentKib();
  const long heap_at_end = HeapInUseKib();
  std::printf(
      "soak: %d edits in %d s, %d failures reported; after 1000 edits and at the end: resident "
      "%ld and %ld KiB, heap in use %ld and %ld KiB\n",
      edit_count, seconds, failures_reported, resident_after_warm_up, resident_at_end,
      heap_after_warm_up, heap_at_end);
  EXPECT_GT(edit_count, 1000);
  EXPECT_GT(failures_reported, 10);
#if !defined(__SANITIZE_ADDRESS__)
  // (The address sanitizer keeps its own heap, so the allocator's figures say nothing there.)
  // Each input box's undo history fills up to its budget and no further; over 470 000 edits the
  // heap in use stayed between 2.1 and 3.4 MiB.
  const long history_kib = 2 * kHistoryBudgetCharacters * 2 / 1024;
  EXPECT_LE(heap_at_end - heap_after_warm_up, 2 * 1024 + history_kib);
#endif
}

}  // namespace
}  // namespace zentavo
