#include "text_box.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMimeData>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <memory>
#include <string>

#include "edit_commands.h"
#include "line_edit_internals.h"
#include "qstring_printer.h"
#include "qt_text.h"
#include "table_rows.h"
#include "windows1252_validator.h"

namespace zentavo {
namespace {

using ::zentavo::PrintTo;

// A box as the window makes it: with the Windows-1252 validator.
struct ValidatedBox {
  ValidatedBox() { box.setValidator(new Windows1252Validator(&box)); }
  TextBox box;
};

void UndoKey(TextBox& box) { QTest::keyClick(&box, Qt::Key_Z, Qt::ControlModifier); }
void RedoKey(TextBox& box) {
  QTest::keyClick(&box, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
}

// One edit from a starting text and selection: what it leaves, what one undo brings back (the
// starting text, or the same text when the edit was refused) and what one redo makes again.
struct EditRow {
  const char* name;
  QString start;
  int selection_start;
  int selection_length;  // 0: the cursor at selection_start
  std::function<void(TextBox&)> edit;
  QString after;
};

class TextBoxEdit : public testing::TestWithParam<EditRow> {};

TEST_P(TextBoxEdit, IsOneStepToUndoAndRedo) {
  const EditRow& row = GetParam();
  ValidatedBox made;
  TextBox& box = made.box;
  box.setText(row.start);
  box.setSelection(row.selection_start, row.selection_length);
  if (row.selection_length == 0) box.setCursorPosition(row.selection_start);
  row.edit(box);
  EXPECT_EQ(box.text(), row.after);
  const bool refused = row.after == row.start;
  EXPECT_EQ(box.CanUndo(), !refused) << "a refused edit leaves nothing to undo";

  UndoKey(box);
  EXPECT_EQ(box.text(), row.start);
  if (row.selection_length > 0 && !refused) {
    EXPECT_EQ(box.selectionStart(), row.selection_start) << "the selection comes back";
    EXPECT_EQ(box.selectionLength(), row.selection_length);
  }
  RedoKey(box);
  EXPECT_EQ(box.text(), row.after);
}

void Paste(const QString& text, TextBox& box) {
  QApplication::clipboard()->setText(text);
  QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
}

INSTANTIATE_TEST_SUITE_P(
    Edits, TextBoxEdit,
    testing::Values(
        EditRow{"PasteAtTheCursor", "6", 1, 0, [](TextBox& box) { Paste("5", box); }, "65"},
        EditRow{"PasteOverASelection", "12345", 1, 3,
                [](TextBox& box) { Paste("\u00E9\u20AC", box); }, "1\u00E9\u20AC5"},
        EditRow{"PasteRefusedWhole", "12", 2, 0, [](TextBox& box) { Paste("3\u0100", box); }, "12"},
        EditRow{"CutASelection", "12345", 3, -2,
                [](TextBox& box) { QTest::keyClick(&box, Qt::Key_X, Qt::ControlModifier); }, "145"},
        EditRow{"DeleteASelection", "12345", 0, 4,
                [](TextBox& box) { QTest::keyClick(&box, Qt::Key_Delete); }, "5"},
        EditRow{"BackspaceASelection", "12345", 1, 4,
                [](TextBox& box) { QTest::keyClick(&box, Qt::Key_Backspace); }, "1"},
        EditRow{"TypeOverASelection", "12345", 0, 5,
                [](TextBox& box) { QTest::keyClicks(&box, "9"); }, "9"},
        EditRow{"TypeRefusedOverASelection", "12345", 0, 5,
                [](TextBox& box) {
                  QTest::sendKeyEvent(QTest::Click, &box, Qt::Key_unknown, QString(u'\u0100'),
                                      Qt::NoModifier);
                },
                "12345"},
        EditRow{"TypeARun", "x", 1, 0, [](TextBox& box) { QTest::keyClicks(&box, "abc"); }, "xabc"},
        EditRow{"BackspaceARun", "abcd", 4, 0,
                [](TextBox& box) {
                  for (int i = 0; i < 3; ++i) QTest::keyClick(&box, Qt::Key_Backspace);
                },
                "a"},
        EditRow{"DeleteARun", "abcd", 0, 0,
                [](TextBox& box) {
                  for (int i = 0; i < 2; ++i) QTest::keyClick(&box, Qt::Key_Delete);
                },
                "cd"},
        EditRow{"DeleteTheWordBefore", "65 abc", 6, 0,
                [](TextBox& box) { QTest::keyClick(&box, Qt::Key_Backspace, Qt::ControlModifier); },
                "65 "},
        EditRow{"LargeInputMethodCommit", "ab", 1, 0,
                [](TextBox& box) {
                  QInputMethodEvent commit;
                  commit.setCommitString(QString(300, u'\u00E7'));
                  QApplication::sendEvent(&box, &commit);
                },
                "a" + QString(300, u'\u00E7') + "b"},
        EditRow{"AssistiveTechnologyReplace", "12345", 0, 0,
                [](TextBox& box) { box.Replace(1, 4, "\u00BD"); }, "1\u00BD5"}),
    testing_support::RowName());

// Another program's drag that offers a move deletes its text once told the drop was taken: a
// text the box refuses must be refused to the drag, from entering to dropping.
TEST(TextBox, ADropItRefusesIsRefusedToItsSource) {
  const struct {
    const char* name;
    QString dragged;
    bool taken;
  } kDrags[] = {
      {"Windows-1252 text", QStringLiteral("\u00E9clair"), true},
      {"a character beyond Windows-1252", QStringLiteral("na\u00EFve \u2013 \u65E5\u672C\u8A9E"),
       false},
  };
  for (const auto& drag : kDrags) {
    SCOPED_TRACE(drag.name);
    ValidatedBox validated;
    TextBox& box = validated.box;
    box.resize(120, 24);
    box.setText(QStringLiteral("65"));
    QMimeData data;
    data.setText(drag.dragged);
    const QPoint inside(5, 10);
    QDragEnterEvent enter(inside, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                          Qt::NoModifier);
    QApplication::sendEvent(&box, &enter);
    EXPECT_EQ(enter.isAccepted(), drag.taken) << "the pointer tells before the drop";
    QDragMoveEvent move(inside, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                        Qt::NoModifier);
    QApplication::sendEvent(&box, &move);
    EXPECT_EQ(move.isAccepted(), drag.taken);
    QDropEvent drop(QPointF(inside), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                    Qt::NoModifier);
    drop.setDropAction(Qt::MoveAction);
    QApplication::sendEvent(&box, &drop);
    EXPECT_EQ(drop.isAccepted(), drag.taken) << "what the source is told";
    EXPECT_EQ(box.text(), drag.taken ? drag.dragged + QStringLiteral("65") : QStringLiteral("65"));
  }
}

TEST(TextBox, AHugePasteIsOneStepAndTheHistoryStaysBounded) {
  ValidatedBox made;
  TextBox& box = made.box;
  QTest::keyClicks(&box, "65");
  const QString huge(10 * 1024 * 1024, u' ');
  Paste(huge, box);
  ASSERT_EQ(box.text().size(), 2 + huge.size());
  UndoKey(box);
  EXPECT_EQ(box.text(), "65");
  RedoKey(box);
  EXPECT_EQ(box.text(), "65" + huge);

  // Many large pastes later, the steps hold no more than the budget beyond the newest step.
  for (int i = 0; i < 40; ++i) {
    box.selectAll();
    Paste(QString(50'000, QChar(u'0' + i % 10)), box);
  }
  EXPECT_LE(box.History().StoredCharacters(), kHistoryBudgetCharacters + 2 * 50'000);
  EXPECT_GT(box.History().StepCount(), 1U);
  UndoKey(box);
  EXPECT_EQ(box.text(), QString(50'000, u'8')) << "the newest steps are still undone one by one";
}

TEST(TextBox, WhatTheProgramWritesLeavesNothingOfTheUsersToUndo) {
  ValidatedBox made;
  TextBox& box = made.box;
  QTest::keyClicks(&box, "65");
  ASSERT_TRUE(box.CanUndo());
  box.setText("A");
  EXPECT_FALSE(box.CanUndo());
  UndoKey(box);
  EXPECT_EQ(box.text(), "A");
}

// The menu the box shows on a right click, with its Undo and Redo actions first.
QMenu* OpenContextMenu(TextBox& box) {
  QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(2, 2), box.mapToGlobal(QPoint(2, 2)));
  QApplication::sendEvent(&box, &request);
  return box.findChild<QMenu*>();
}

TEST(TextBox, TheContextMenuUndoesAndRedoesWithTheBoxsOwnHistory) {
  ValidatedBox made;
  TextBox& box = made.box;
  box.show();
  Paste("123", box);
  for (const bool undoing : {true, false}) {
    SCOPED_TRACE(undoing ? "undo" : "redo");
    QMenu* menu = OpenContextMenu(box);
    ASSERT_NE(menu, nullptr);
    ASSERT_GE(menu->actions().size(), 2);
    QAction* undo = menu->actions()[0];
    QAction* redo = menu->actions()[1];
    ASSERT_TRUE(undo->text().startsWith("&Undo")) << undo->text().toStdString();
    ASSERT_TRUE(redo->text().startsWith("&Redo")) << redo->text().toStdString();
    EXPECT_EQ(undo->isEnabled(), undoing);
    EXPECT_EQ(redo->isEnabled(), !undoing);
    EXPECT_EQ(menu->font(), QApplication::font()) << "menus keep the platform's font";
    (undoing ? undo : redo)->trigger();
    EXPECT_EQ(box.text(), undoing ? "" : "123");
    delete menu;
  }
}

// The menu is the box's own, in the window's two languages, with each item enabled only where it
// would do something, and each item edits through the box's history.
TEST(TextBox, TheContextMenuOffersItsItemsEachAnEditOfTheBox) {
  ValidatedBox made;
  TextBox& box = made.box;
  box.setText(QStringLiteral("65 A"));
  box.setSelection(0, 2);
  QApplication::clipboard()->setText(QStringLiteral("7"));
  // Each item shows its words from the menu's table, enabled only where it would act: nothing to
  // undo or redo yet; a selection to cut, copy or delete; a text to paste; more to select; and
  // always a character to find.
  const auto items = [](const QMenu& menu) {
    QStringList shown;
    for (const QAction* action : menu.actions()) {
      shown.append(action->isSeparator() ? QString() : action->isEnabled() ? "on" : "off");
    }
    return shown;
  };
  QMenu* menu = OpenContextMenu(box);
  ASSERT_NE(menu, nullptr);
  const QStringList expected = {"off", "off", "", "on", "on", "on", "on", "", "on", "", "on"};
  EXPECT_EQ(items(*menu).mid(0, expected.size()), expected);
  for (std::size_t i = 0; i < kEditMenu.size(); ++i) {
    if (!kEditMenu[i].command) continue;
    EXPECT_EQ(menu->actions().at(static_cast<qsizetype>(i))->text(),
              ToQString(MenuItemText(kEditMenu[i])));
  }

  const auto item = [&menu](const char* text) {
    for (QAction* action : menu->actions()) {
      if (action->text().startsWith(QString::fromUtf8(text))) return action;
    }
    ADD_FAILURE() << "no " << text;
    return menu->addAction(QString());
  };
  item("Cu&t")->trigger();
  EXPECT_EQ(box.text(), " A");
  EXPECT_EQ(QApplication::clipboard()->text(), "65");
  item("&Paste")->trigger();
  EXPECT_EQ(box.text(), "65 A");
  item("Select &All")->trigger();
  item("&Delete")->trigger();
  EXPECT_EQ(box.text(), "");
  delete menu;  // what it offers is decided as it opens
  menu = OpenContextMenu(box);
  item("&Undo")->trigger();
  EXPECT_EQ(box.text(), "65 A") << "each was one step of the box's own history";
  delete menu;
}

constexpr const char* kToolkitPaintsAll =
    "built against a Qt version the boxes' own painting was not checked against";

// The box paints long texts itself, visiting only what shows; every pixel must be what the
// toolkit's own painting gives, wherever the line is scrolled to and whatever is selected.
TEST(TextBox, PaintsALongTextPixelForPixelAsTheToolkitDoes) {
  if (!ZENTAVO_PAINTS_LONG_TEXTS) GTEST_SKIP() << kToolkitPaintsAll;
  QFont font = QApplication::font();
  font.setPointSize(7);
  font.setStyleStrategy(QFont::PreferNoShaping);  // as the window's font
  QString text;
  while (text.size() <= TextBox::kOwnPaintingCharacters) {
    text += QStringLiteral("65 Zentavo \u00C0\u00C9\u20AC\u2030 wWiIl1 \u00FF ");
  }
  TextBox box;
  QLineEdit toolkit;
  const int middle = static_cast<int>(text.size() / 2);
  const struct {
    const char* name;
    std::function<void(QLineEdit&)> change;
  } kStates[] = {
      {"the cursor at the end", [](QLineEdit&) {}},
      {"the cursor at the start", [](QLineEdit& edit) { edit.home(false); }},
      {"scrolled back from the end to the middle",
       [middle](QLineEdit& edit) {
         edit.end(false);
         edit.grab();
         edit.setCursorPosition(middle);
       }},
      {"a selection running off the left edge",
       [middle](QLineEdit& edit) { edit.setSelection(middle + 5, -40); }},
      {"a selection inside the line", [middle](QLineEdit& edit) { edit.setSelection(middle, 7); }},
      {"all selected", [](QLineEdit& edit) { edit.selectAll(); }},
      {"one character more, typed over the selection",
       [](QLineEdit& edit) { edit.insert(QStringLiteral("\u00E9")); }},
  };
  for (QLineEdit* edit : {static_cast<QLineEdit*>(&box), &toolkit}) {
    edit->setFont(font);
    edit->setMaxLength(std::numeric_limits<int>::max());
    edit->resize(180, 24);
    edit->setText(text);
  }
  for (const auto& state : kStates) {
    SCOPED_TRACE(state.name);
    state.change(box);
    state.change(toolkit);
    ASSERT_EQ(box.text(), toolkit.text());
    ASSERT_TRUE(CanPaintWithoutMeasuringWholeText(box))
        << "the toolkit would be compared with itself";
    EXPECT_TRUE(box.grab().toImage() == toolkit.grab().toImage());
  }
}

// What the box's own painting does not reproduce is left to the toolkit.
TEST(TextBox, LeavesToTheToolkitThePaintingItDoesNotReproduce) {
  if (!ZENTAVO_PAINTS_LONG_TEXTS) GTEST_SKIP() << kToolkitPaintsAll;
  QFont no_shaping = QApplication::font();
  no_shaping.setStyleStrategy(QFont::PreferNoShaping);
  const struct {
    const char* name;
    std::function<void(QLineEdit&)> change;
  } kCases[] = {
      {"a font that shapes", [](QLineEdit& edit) { edit.setFont(QApplication::font()); }},
      {"an input mask", [](QLineEdit& edit) { edit.setInputMask(QStringLiteral("999")); }},
      {"a style sheet",
       [](QLineEdit& edit) { edit.setStyleSheet(QStringLiteral("QLineEdit { color: red }")); }},
      {"a side widget", [](QLineEdit& edit) { edit.setClearButtonEnabled(true); }},
      {"right-to-left text", [](QLineEdit& edit) { QTest::keyClick(&edit, Qt::Key_Direction_R); }},
  };
  for (const auto& excluded : kCases) {
    SCOPED_TRACE(excluded.name);
    TextBox box;
    box.setFont(no_shaping);
    box.setText(QString(TextBox::kOwnPaintingCharacters + 1, u'7'));
    ASSERT_TRUE(CanPaintWithoutMeasuringWholeText(box));
    excluded.change(box);
    EXPECT_FALSE(CanPaintWithoutMeasuringWholeText(box));
  }
}

}  // namespace
}  // namespace zentavo
