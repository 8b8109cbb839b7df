// The window's "Copy as" menus and the code stepping keys, on the real window offscreen.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QStringList>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "result_announcer.h"
#include "running_program.h"
#include "text_box.h"

namespace zentavo {
namespace {

class CopyAsAndStepping : public testing_support::RunningProgram {
 protected:
  // The entries of the "Copy as" group of `name`'s context menu, empty when it has none; each
  // entry triggered in turn when `copied` is given, which gets what the clipboard then holds.
  QStringList CopyAsEntries(const char* name, QStringList* copied = nullptr) {
    QLineEdit* box = Box(name);
    QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(2, 2),
                              box->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(box, &request);
    std::unique_ptr<QMenu> menu(box->findChild<QMenu*>(QString(), Qt::FindDirectChildrenOnly));
    if (menu == nullptr) return {};
    QStringList entries;
    for (QAction* group : menu->actions()) {
      if (group->menu() == nullptr || group->text() != "Copy as / Copiar como") continue;
      for (QAction* entry : group->menu()->actions()) {
        entries.append(entry->text());
        if (copied == nullptr) continue;
        QApplication::clipboard()->setText("nothing copied yet");
        entry->trigger();
        copied->append(QApplication::clipboard()->text());
      }
    }
    menu->close();
    return entries;
  }
};

struct MenuRow {
  const char* name;
  const char* typed;
  QStringList entries;
};

TEST_F(CopyAsAndStepping, TheCopyAsMenuShowsWhatEachEntryCopies) {
  const std::vector<MenuRow> rows = {
      {"en dash",
       "150",
       {"150", "&&H96", "U+2013", "&&ndash;", "&&#8211;", "\\u2013", "E2 80 93", "Alt+0150"}},
      {"null", "0", {"0", "&&H0", "U+0000", "\\u0000", "00"}},
      {"undefined", "129", {"129", "&&H81"}},
      {"letter", "65", {"65", "&&H41", "U+0041", "&&#65;", "\\u0041", "41", "Alt+0065", "Alt+65"}},
      // cp437 and cp850 put ã at 198 (850) alone, and é at 130 in both.
      {"ã, typed in DOS 850 alone",
       "227",
       {"227", "&&HE3", "U+00E3", "&&atilde;", "&&#227;", "\\u00E3", "C3 A3", "Alt+0227",
        "Alt+198"}},
  };
  for (const MenuRow& row : rows) {
    Retype("txtDeASCII", row.typed);
    EXPECT_EQ(CopyAsEntries("txtDeASCII"), row.entries) << row.name;
    QStringList copied;
    EXPECT_EQ(CopyAsEntries("txtParaCar", &copied), row.entries) << row.name;
    EXPECT_EQ(copied, QStringList(row.entries).replaceInStrings("&&", "&")) << row.name;
  }
  EXPECT_EQ(CopyAsEntries("txtDeCar"), QStringList()) << "the lower row shows no character yet";
  Box("txtDeCar")->setText(QStringLiteral("\u00E9"));
  const QStringList lower = CopyAsEntries("txtParaASCII");
  ASSERT_EQ(lower.size(), 9);
  EXPECT_EQ(lower[3], "&&eacute;");
}

struct StepRow {
  const char* name;
  const char* before;
  Qt::Key key;
  const char* after;
};

TEST_F(CopyAsAndStepping, ArrowKeysStepTheCodeAsOneEditThatIsAnnounced) {
  const std::vector<StepRow> rows = {
      {"up", "65", Qt::Key_Up, "66"},
      {"down", "65", Qt::Key_Down, "64"},
      {"page up", "65", Qt::Key_PageUp, "81"},
      {"page down", "&H41", Qt::Key_PageDown, "&H31"},
      {"octal", "&O101", Qt::Key_Up, "&O102"},
      {"stops at 255", "255", Qt::Key_Up, "255"},
      {"stops at 0", "0", Qt::Key_PageDown, "0"},
      {"empty counts as 0", "", Qt::Key_Up, "1"},
      {"one past the top steps to it", "256", Qt::Key_Down, "255"},
      {"at the top in small letters stays as written", "&hff", Qt::Key_Up, "&hff"},
  };
  auto* box = static_cast<TextBox*>(Box("txtDeASCII"));
  const auto* announcer = form.findChild<ResultAnnouncer*>();
  ASSERT_NE(announcer, nullptr);
  for (const StepRow& row : rows) {
    box->setFocus();
    box->setText(row.before);
    const auto undo_steps = box->History().StepCount();
    QTest::keyClick(box, row.key);
    EXPECT_EQ(box->text(), row.after) << row.name;
    EXPECT_EQ(acknowledger.reports.size(), 0) << row.name;
    // A step is one edit; at either end there is no edit at all.
    EXPECT_EQ(box->History().StepCount(), undo_steps + (QString(row.before) != row.after ? 1 : 0))
        << row.name;
  }
  box->setText("65");
  QTest::keyClick(box, Qt::Key_Up);
  EXPECT_EQ(form.TextBox("txtParaCar")->text(), "B");
  EXPECT_EQ(announcer->LastMessage(), "66, LATIN CAPITAL LETTER B") << "a step says its code";
  QTest::keySequence(box, QKeySequence::Undo);
  EXPECT_EQ(box->text(), "65") << "one step undoes it";
  EXPECT_EQ(form.TextBox("txtParaCar")->text(), "A");

  auto* other = static_cast<TextBox*>(Box("txtDeCar"));
  other->setFocus();
  other->setText("xy");
  QTest::keyClick(other, Qt::Key_Up);
  EXPECT_EQ(other->text(), "xy") << "in the other boxes the keys keep their meaning";
}

}  // namespace
}  // namespace zentavo
