// The finder in the real window: Ctrl+F or the menu opens it over any box, what it finds goes
// into txtDeASCII as one edit that converts and is announced, and Esc changes nothing.
#include <QAbstractItemModel>
#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QTest>
#include <QTimer>

#include <functional>
#include <vector>

#include "character_finder.h"
#include "character_finder_dialog.h"
#include "character_finder_text.h"
#include "code_pages_here.h"
#include "qt_text.h"
#include "result_announcer.h"
#include "running_program.h"
#include "text_box.h"

namespace zentavo {
namespace {

class CharacterFinder : public testing_support::RunningProgram {
 protected:
  // What the finder announces once the query has stayed as it is, waited for up to 10 s.
  static QString Announced(const CharacterFinderDialog& finder, const QString& wanted) {
    for (int waited = 0; waited < 10'000 && finder.Announcer()->LastMessage() != wanted;
         waited += 20) {
      QTest::qWait(20);
    }
    return finder.Announcer()->LastMessage();
  }

  // Runs `use` on the finder once Ctrl+F in `box` has opened it; true if it opened.
  bool WithFinder(const char* box, const std::function<void(CharacterFinderDialog&)>& use) {
    bool opened = false;
    QTimer::singleShot(0, [&] {
      auto* finder = qobject_cast<CharacterFinderDialog*>(QApplication::activeModalWidget());
      if (finder == nullptr) return;
      opened = true;
      use(*finder);
      if (finder->isVisible()) finder->reject();
    });
    Box(box)->setFocus();
    QTest::keyClick(Box(box), Qt::Key_F, Qt::ControlModifier);
    form.activateWindow();  // no window manager gives it back here
    EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
    return opened;
  }
};

struct FindRow {
  const char* name;
  const char* from_box;
  QString query;
  std::vector<Qt::Key> keys;  // after the query; Enter ends them
  QString code;               // what txtDeASCII then holds
};

// What the finder is to announce for `query`: its answer on this release's data, whose counts
// the finder's own check takes from the data files.
QString AnnouncementFor(const QString& query) {
  return ToQString(FinderScreenFor(ToU16View(query), CodePagesHere()).announcement);
}

TEST_F(CharacterFinder, AMatchGoesIntoTheUpperRowAsOneEditThatConverts) {
  const std::vector<FindRow> rows = {
      {"Enter takes the first match", "txtDeASCII", "dash en", {}, "150"},
      {"Down, Down takes the second", "txtDeCar", "dash", {Qt::Key_Down, Qt::Key_Down}, "151"},
      {"a Portuguese word without its accent", "txtParaCar", "travessao", {}, "151"},
  };
  for (const FindRow& row : rows) {
    Retype("txtDeASCII", "65");
    QString announced;
    const QString expected = AnnouncementFor(row.query);
    const bool opened = WithFinder(row.from_box, [&](CharacterFinderDialog& finder) {
      EXPECT_EQ(finder.focusWidget(), finder.QueryField()) << row.name;
      QTest::keyClicks(finder.QueryField(), row.query);
      announced = Announced(finder, expected);
      // Keys go where the dialog's own focus is, whichever window the platform calls active.
      for (const Qt::Key key : row.keys) QTest::keyClick(finder.focusWidget(), key);
      QTest::keyClick(finder.focusWidget(), Qt::Key_Return);
    });
    EXPECT_TRUE(opened) << row.name;
    EXPECT_EQ(announced, expected) << row.name;
    EXPECT_EQ(Text("txtDeASCII"), row.code) << row.name;
    EXPECT_EQ(form.focusWidget(), Box("txtDeASCII")) << row.name;
    QTest::keySequence(Box("txtDeASCII"), QKeySequence::Undo);
    EXPECT_EQ(Text("txtDeASCII"), "65") << row.name << ": one undo takes the find back";
    EXPECT_EQ(Text("txtParaCar"), "A") << row.name;
  }
}

TEST_F(CharacterFinder, EscAndAQueryWithNoMatchChangeNothing) {
  Retype("txtDeASCII", "66");
  bool stayed_open = false;
  QString announced;
  EXPECT_TRUE(WithFinder("txtDeASCII", [&](CharacterFinderDialog& finder) {
    QTest::keyClicks(finder.QueryField(), "xyzzy");
    QTest::keyClick(finder.QueryField(), Qt::Key_Return);
    stayed_open = finder.isVisible();
    announced = Announced(finder, "No match / Nenhum resultado");
    QTest::keyClick(finder.QueryField(), Qt::Key_Escape);
  }));
  EXPECT_TRUE(stayed_open) << "Enter with no match leaves the finder open";
  EXPECT_EQ(announced, "No match / Nenhum resultado");
  EXPECT_EQ(Text("txtDeASCII"), "66");
  EXPECT_EQ(static_cast<TextBox*>(Box("txtDeASCII"))->History().StepCount(), 1U);
}

TEST_F(CharacterFinder, ACharacterOutsideTheCodePageIsAnsweredByOneLine) {
  QString announced;
  int rows = -1;
  EXPECT_TRUE(WithFinder("txtDeASCII", [&](CharacterFinderDialog& finder) {
    QTest::keyClicks(finder.QueryField(), "U+2192");
    announced =
        Announced(finder, "U+2192 is not in Windows-1252 / U+2192 não está no Windows-1252");
    rows = finder.Matches()->model()->rowCount();
  }));
  EXPECT_EQ(rows, 0);
  EXPECT_EQ(announced, "U+2192 is not in Windows-1252 / U+2192 não está no Windows-1252");
}

}  // namespace
}  // namespace zentavo
