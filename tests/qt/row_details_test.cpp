#include "row_details.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QString>
#include <QTest>

#include <gtest/gtest.h>

#include <string>

#include "character_description.h"
#include "character_details.h"
#include "code_pages_here.h"
#include "control_names.h"
#include "form1.h"
#include "keyboard_here.h"
#include "qstring_printer.h"
#include "result_announcer.h"

namespace zentavo {
namespace {

QString ToQString(const std::u16string& text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// What the announcer last said. Offscreen there is no accessibility bridge to carry its events,
// so this reads its own record; the screen-reader test hears the real thing on the Qt versions
// it runs on. Before Qt 6.8 it says it through a notification that shows with that name.
QString LastAnnouncement(Form1& form) {
  auto* announcer = form.findChild<ResultAnnouncer*>();
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
  QAccessibleInterface* face = QAccessible::queryAccessibleInterface(announcer);
  EXPECT_EQ(face->role(), QAccessible::Notification);
  EXPECT_TRUE(announcer->isVisible());
  EXPECT_TRUE(announcer->rect().isEmpty()) << "takes no room";
  EXPECT_EQ(face->text(QAccessible::Name), announcer->LastMessage());
#endif
  return announcer->LastMessage();
}

struct RowCase {
  std::string_view output_box;
  std::string_view input_box;
  QString shown;
  std::uint8_t code;
  QString announcement;
};

// The announcer speaks from a window on the screen, as the program's is.
void ShowOnScreen(Form1& form) {
  form.Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
}

TEST(RowDetails, BoxesTellTheRowsCharacterAsTheOutputChanges) {
  Form1 form;
  ShowOnScreen(form);
  for (const RowCase& row :
       {RowCase{control_names::kCharacterOutput, control_names::kCodeInput,
                QStringLiteral("\u2013"), 150, QStringLiteral("EN DASH")},
        RowCase{control_names::kCharacterOutput, control_names::kCodeInput, QString(QChar(u'\n')),
                10, QStringLiteral("LINE FEED (LF)")},
        RowCase{control_names::kCodeOutput, control_names::kCharacterInput, QStringLiteral("233"),
                233, QStringLiteral("233, LATIN SMALL LETTER E WITH ACUTE")}}) {
    SCOPED_TRACE(row.announcement.toStdString());
    form.ReplaceText(row.output_box,
                     std::u16string_view(reinterpret_cast<const char16_t*>(row.shown.utf16()),
                                         static_cast<std::size_t>(row.shown.size())));
    for (const std::string_view name : {row.output_box, row.input_box}) {
      EXPECT_EQ(form.TextBox(name)->toolTip(),
                ToQString(DescribeForTooltip(row.code, CodePagesHere(), KeyboardWaysHere())));
      EXPECT_EQ(form.TextBox(name)->accessibleDescription(),
                ToQString(DescribeForSpeech(row.code, CodePagesHere(), KeyboardWaysHere())));
    }
    EXPECT_EQ(LastAnnouncement(form), row.announcement);
  }
}

TEST(RowDetails, HintUntilTheOutputShowsACharacter) {
  Form1 form;
  ShowOnScreen(form);
  QLineEdit* output = form.TextBox(control_names::kCodeOutput);
  const QString hint = output->toolTip();
  EXPECT_TRUE(hint.startsWith(QStringLiteral("Type a character to see its code.")));
  EXPECT_EQ(form.TextBox(control_names::kCharacterInput)->toolTip(), hint);
  EXPECT_FALSE(form.TextBox(control_names::kCodeInput)->toolTip().isEmpty());
  form.ReplaceText(control_names::kCodeOutput, u"65");
  EXPECT_NE(output->toolTip(), hint);
  for (const std::u16string_view not_a_code : {u"650", u"", u"6a"}) {
    form.ReplaceText(control_names::kCodeOutput, not_a_code);  // the user typing there
    EXPECT_EQ(output->toolTip(), hint);
  }
  EXPECT_EQ(LastAnnouncement(form), QStringLiteral("65, LATIN CAPITAL LETTER A"))
      << "only a character is announced";
}

TEST(RowDetails, TypingInTheOutputBoxItselfIsNotAnnounced) {
  Form1 form;
  ShowOnScreen(form);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  QLineEdit* output = form.TextBox(control_names::kCharacterOutput);
  output->setFocus();
  form.ReplaceText(control_names::kCodeOutput, u"65");
  QTest::keyClicks(output, QStringLiteral("x"));
  output->selectAll();
  QTest::keyClicks(output, QStringLiteral("y"));
  EXPECT_EQ(LastAnnouncement(form), QStringLiteral("65, LATIN CAPITAL LETTER A"));
  EXPECT_EQ(output->toolTip(),
            ToQString(DescribeForTooltip('y', CodePagesHere(), KeyboardWaysHere())));
}

}  // namespace
}  // namespace zentavo
