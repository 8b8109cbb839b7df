#include "text_box_accessible.h"

#include <QAccessible>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "accessibility_table.h"
#include "control_names.h"
#include "form1.h"
#include "hang_watchdog.h"
#include "windows1252.h"

namespace zentavo {
namespace {

using testing_support::HangWatchdog;

QString ToQString(std::string_view name) {
  return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

QAccessibleTextInterface* TextInterfaceOf(QLineEdit* box) {
  QAccessibleInterface* face = QAccessible::queryAccessibleInterface(box);
  return face == nullptr ? nullptr : face->textInterface();
}

constexpr QAccessible::TextBoundaryType kBoundaries[] = {
    QAccessible::CharBoundary,      QAccessible::WordBoundary, QAccessible::SentenceBoundary,
    QAccessible::ParagraphBoundary, QAccessible::LineBoundary, QAccessible::NoBoundary};

// Asks everything a screen reader can ask about the text, at every offset and just outside,
// and checks that each answer is a range of the text and its text.
void ExpectEveryQueryAnswers(QAccessibleTextInterface& text_interface, const QString& text) {
  const int size = static_cast<int>(text.size());
  ASSERT_EQ(text_interface.characterCount(), size);
  for (int offset = -1; offset <= size + 1; ++offset) {
    for (const QAccessible::TextBoundaryType boundary : kBoundaries) {
      int start = 0;
      int end = 0;
      for (const auto query :
           {&QAccessibleTextInterface::textAtOffset, &QAccessibleTextInterface::textBeforeOffset,
            &QAccessibleTextInterface::textAfterOffset}) {
        const QString unit = (text_interface.*query)(offset, boundary, &start, &end);
        if (offset > size) {
          EXPECT_EQ(start, -1);
          EXPECT_TRUE(unit.isEmpty());
          continue;
        }
        ASSERT_GE(start, 0) << offset;
        ASSERT_LE(start, end) << offset;
        ASSERT_LE(end, size) << offset;
        EXPECT_EQ(unit, text.mid(start, end - start)) << offset;
      }
    }
    int run_start = 0;
    int run_end = 0;
    text_interface.attributes(offset, &run_start, &run_end);
    if (offset <= size) {
      // One run over the whole text: an empty run made screen readers drop the last character.
      EXPECT_EQ(run_start, 0);
      EXPECT_EQ(run_end, size);
    }
    static_cast<void>(text_interface.characterRect(offset));
  }
}

TEST(TextBoxAccessible, AnswersEveryQueryForEachOfThe256Characters) {
  Form1 form;
  QLineEdit* box = form.TextBox(control_names::kCharacterOutput);
  QAccessibleTextInterface* text_interface = TextInterfaceOf(box);
  ASSERT_NE(text_interface, nullptr);
  HangWatchdog watchdog(std::chrono::seconds(60), "text queries on the 256 characters");
  for (unsigned code = 0; code < 256; ++code) {
    SCOPED_TRACE(code);
    const QString character(QChar(CharacterForCode(static_cast<std::uint8_t>(code))));
    box->setText(character);
    ExpectEveryQueryAnswers(*text_interface, character);
  }
}

TEST(TextBoxAccessible, AnswersEveryQueryForTypedCodes) {
  Form1 form;
  QLineEdit* box = form.TextBox(control_names::kCodeInput);
  QAccessibleTextInterface* text_interface = TextInterfaceOf(box);
  HangWatchdog watchdog(std::chrono::seconds(60), "text queries on typed codes");
  for (const QString& text : {QString(), QStringLiteral("65"), QStringLiteral("300"),
                              QStringLiteral("-"), QStringLiteral(" 6 5 "), QStringLiteral("&H41"),
                              QStringLiteral("65abc,9"), QStringLiteral("1e10"),
                              QStringLiteral("-.6"), QStringLiteral("65.") + QString(3000, u'0')}) {
    SCOPED_TRACE(text.left(20).toStdString());
    box->setText(text);
    ExpectEveryQueryAnswers(*text_interface, text);
  }
}

TEST(TextBoxAccessible, ReadsValueStateAndSelection) {
  Form1 form;
  QLineEdit* box = form.TextBox(control_names::kCodeInput);
  box->setText(QStringLiteral("650"));
  box->setSelection(1, 2);
  QAccessibleInterface* face = QAccessible::queryAccessibleInterface(box);
  EXPECT_EQ(face->role(), QAccessible::EditableText);
  EXPECT_EQ(face->text(QAccessible::Value), QStringLiteral("650"));
  EXPECT_TRUE(face->state().editable);
  EXPECT_TRUE(face->state().selectableText);
  int start = 0;
  int end = 0;
  face->textInterface()->selection(0, &start, &end);
  EXPECT_EQ(start, 1);
  EXPECT_EQ(end, 3);
  EXPECT_EQ(face->textInterface()->selectionCount(), 1);
}

// What an assistive technology writes is typed as the user would type it.
TEST(TextBoxAccessible, EditsGoThroughTheValidatorAndCanBeUndone) {
  Form1 form;
  QLineEdit* box = form.TextBox(control_names::kCharacterInput);
  QAccessibleEditableTextInterface* editable =
      QAccessible::queryAccessibleInterface(box)->editableTextInterface();
  ASSERT_NE(editable, nullptr);
  editable->insertText(0, QStringLiteral("\u00E9t\u00E9"));
  EXPECT_EQ(box->text(), QStringLiteral("\u00E9t\u00E9"));
  editable->replaceText(1, 2, QStringLiteral("\u0100"));  // not in Windows-1252
  EXPECT_EQ(box->text(), QStringLiteral("\u00E9t\u00E9")) << "refused whole";
  editable->deleteText(0, 1);
  EXPECT_EQ(box->text(), QStringLiteral("t\u00E9"));
  QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(box->text(), QStringLiteral("\u00E9t\u00E9"));
}

TEST(TextBoxAccessible, IsLabelledByItsPromptsInTheirOrder) {
  Form1 form;
  for (const std::string_view box_name :
       {control_names::kCodeInput, control_names::kCharacterOutput, control_names::kCharacterInput,
        control_names::kCodeOutput}) {
    SCOPED_TRACE(std::string(box_name));
    std::vector<QString> expected;
    for (const accessibility::PromptRecord& prompt : accessibility::kPrompts) {
      if (prompt.box == box_name) expected.push_back(ToQString(prompt.label));
    }
    std::vector<QString> labels;
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(form.TextBox(box_name));
    for (const auto& [label, relation] : face->relations(QAccessible::Label)) {
      labels.push_back(label->object()->objectName());
      // And the label says whom it labels.
      const auto labelled = label->relations(QAccessible::Labelled);
      ASSERT_EQ(labelled.size(), 1);
      EXPECT_EQ(labelled.front().first, face);
    }
    EXPECT_EQ(labels, expected);
  }
  for (const QLabel* label : form.findChildren<QLabel*>()) {
    EXPECT_TRUE(QKeySequence::mnemonic(label->text()).isEmpty()) << "no caption has an access key";
  }
}

TEST(Form1Accessible, ReadsItsChildrenInReadingOrder) {
  Form1 form;
  QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&form);
  EXPECT_EQ(window->role(), QAccessible::Window);
  std::vector<QString> names;
  for (int i = 0; i < window->childCount(); ++i) {
    QAccessibleInterface* child = window->child(i);
    names.push_back(child->object()->objectName());
    EXPECT_EQ(window->indexOfChild(child), i);
    EXPECT_EQ(child->parent(), window);
  }
  std::vector<QString> expected;
  for (const std::string_view name : accessibility::kReadingOrder)
    expected.push_back(ToQString(name));
  expected.push_back(QStringLiteral("resultAnnouncer"));
  EXPECT_EQ(names, expected);
  EXPECT_EQ(window->child(window->childCount()), nullptr);
}

}  // namespace
}  // namespace zentavo
