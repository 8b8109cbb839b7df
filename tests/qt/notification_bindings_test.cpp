#include "notification_bindings.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>

#include "failure_report.h"
#include "form1.h"
#include "running_program.h"
#include "table_rows.h"

namespace zentavo {
namespace {

using ::zentavo::PrintTo;

using testing_support::RunningProgram;

TEST_F(RunningProgram, StartRunsNoConversion) {
  EXPECT_EQ(Text("txtParaCar"), "txtParaCar");
  EXPECT_EQ(Text("txtParaASCII"), "txtParaASCII");
  EXPECT_TRUE(acknowledger.reports.isEmpty());
}

TEST_F(RunningProgram, TypingACodeShowsEachPrefixsCharacter) {
  Type("txtDeASCII", "6");
  EXPECT_EQ(Text("txtParaCar"), QString(QChar(6)));
  Type("txtDeASCII", "5");
  EXPECT_EQ(Text("txtParaCar"), "A");
  QTest::keyClick(Box("txtDeASCII"), Qt::Key_Backspace);
  QTest::keyClick(Box("txtDeASCII"), Qt::Key_Backspace);
  EXPECT_EQ(Text("txtParaCar"), QString(QChar(0)));
  EXPECT_TRUE(acknowledger.reports.isEmpty());
}

TEST_F(RunningProgram, AnInvalidCodeIsReportedAfterTheEditAndTheProgramGoesOn) {
  Type("txtDeASCII", "256");
  // Not from inside the line edit's notification, where the report's event loop would run
  // while the toolkit is still finishing the edit: once the edit is done.
  EXPECT_TRUE(acknowledger.reports.isEmpty());
  QApplication::processEvents();
  ASSERT_EQ(acknowledger.reports.size(), 1);
  EXPECT_TRUE(acknowledger.reports[0].startsWith("Invalid argument"))
      << acknowledger.reports[0].toStdString();
  EXPECT_TRUE(acknowledger.reports[0].contains(QStringLiteral("\u201C256\u201D")));
  EXPECT_EQ(Text("txtDeASCII"), "256");
  EXPECT_EQ(Text("txtParaCar"), QString(QChar(25)));
  EXPECT_TRUE(QTest::qWaitFor([this] { return QApplication::focusWidget() == Box("txtDeASCII"); }));

  QTest::keyClick(Box("txtDeASCII"), Qt::Key_Backspace);
  QTest::keyClick(Box("txtDeASCII"), Qt::Key_Backspace);
  EXPECT_EQ(Text("txtParaCar"), QString(QChar(2)));
  EXPECT_EQ(acknowledger.reports.size(), 1);
}

TEST_F(RunningProgram, APastedOverflowIsReportedAndTheProgramGoesOn) {
  Type("txtDeASCII", "66");
  QApplication::clipboard()->setText("40000");
  Box("txtDeASCII")->selectAll();
  Box("txtDeASCII")->paste();
  QApplication::processEvents();
  ASSERT_EQ(acknowledger.reports.size(), 1);
  EXPECT_TRUE(acknowledger.reports[0].startsWith("Overflow"));
  EXPECT_EQ(Text("txtDeASCII"), "40000");
  EXPECT_EQ(Text("txtParaCar"), "B");

  Box("txtDeASCII")->selectAll();
  Type("txtDeASCII", "97");
  EXPECT_EQ(Text("txtParaCar"), "a");
}

// Each box made anew would render its icon anew into the toolkit's pixmap cache: a long
// session's reports share one, which still says each report's own words with the right icon.
TEST_F(RunningProgram, ReportsShareOneMessageBoxThatSaysEachOnesWords) {
  QStringList icons;
  QTimer watcher;
  watcher.callOnTimeout([&icons] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      const QString icon = box->icon() == QMessageBox::Warning ? "warning" : "other";
      if (icons.isEmpty() || icons.back() != icon) icons.append(icon);
    }
  });
  watcher.start(0);
  for (const char* typed : {"300", "1e9", "-1"}) {
    Box("txtDeASCII")->clear();
    Type("txtDeASCII", typed);
    QApplication::processEvents();
  }
  ASSERT_EQ(acknowledger.reports.size(), 3);
  EXPECT_TRUE(acknowledger.reports[1].startsWith("Overflow"))
      << acknowledger.reports[1].toStdString();
  EXPECT_TRUE(acknowledger.reports[2].contains(QStringLiteral("\u201C-1\u201D")));
  EXPECT_EQ(form.findChildren<QMessageBox*>().size(), 1);
  EXPECT_EQ(icons, QStringList{"warning"});

  ShowFailureReport(&form, UnexpectedFailureReport(u"the disk is on fire"));
  EXPECT_EQ(form.findChildren<QMessageBox*>().size(), 1);
  EXPECT_EQ(form.findChild<QMessageBox*>()->icon(), QMessageBox::Critical);
  EXPECT_TRUE(acknowledger.reports.back().startsWith("Unexpected failure"));
}

TEST_F(RunningProgram, TypingACharacterShowsTheCodeOfTheFirst) {
  Type("txtDeCar", "A");
  EXPECT_EQ(Text("txtParaASCII"), "65");
  Type("txtDeCar", "b");
  EXPECT_EQ(Text("txtParaASCII"), "65");
  QTest::keyClick(Box("txtDeCar"), Qt::Key_Home);
  QTest::keyClick(Box("txtDeCar"), Qt::Key_Delete);
  EXPECT_EQ(Text("txtParaASCII"), "98");
  QTest::keyClick(Box("txtDeCar"), Qt::Key_Delete);
  EXPECT_EQ(Text("txtParaASCII"), "32");
}

TEST_F(RunningProgram, TypingIntoAnOutputBoxChangesNothingElse) {
  Type("txtParaCar", "x");
  Type("txtParaASCII", "y");
  EXPECT_EQ(Text("txtDeASCII"), "");
  EXPECT_EQ(Text("txtDeCar"), "");
  // The initial texts show their start, so that is where the cursor is.
  EXPECT_EQ(Text("txtParaCar"), "xtxtParaCar");
  EXPECT_EQ(Text("txtParaASCII"), "ytxtParaASCII");
}

TEST_F(RunningProgram, TheExitButtonEndsTheEventLoopWithStatusZero) {
  QTimer::singleShot(0, &form, [this] { QTest::mouseClick(form.ExitButton(), Qt::LeftButton); });
  EXPECT_EQ(QApplication::exec(), EXIT_SUCCESS);
}

TEST_F(RunningProgram, ClosingTheWindowEndsTheEventLoopWithStatusZero) {
  QTimer::singleShot(0, &form, [this] { form.close(); });
  EXPECT_EQ(QApplication::exec(), EXIT_SUCCESS);
  EXPECT_TRUE(acknowledger.reports.isEmpty());
}

TEST_F(RunningProgram, AnyOtherFailureIsReportedThenEndsTheProgramWithAFailureStatus) {
  QTimer::singleShot(0, &form, [this] {
    RunHandlerReportingFailures(
        form, [](TextBoxAccess&) { throw std::runtime_error("the disk is on fire"); },
        "txtDeASCII");
  });
  EXPECT_EQ(QApplication::exec(), EXIT_FAILURE);
  ASSERT_EQ(acknowledger.reports.size(), 1);
  EXPECT_TRUE(acknowledger.reports[0].startsWith("Unexpected failure"));
  EXPECT_TRUE(acknowledger.reports[0].contains("the disk is on fire"));
}

}  // namespace
}  // namespace zentavo
