#include "form1.h"
#include "application_icon.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QHelpEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "application_icon.h"
#include "layout_table.h"
#include "qstring_printer.h"
#include "qt_text.h"
#include "table_rows.h"
#include "text_box.h"
#include "windows1252.h"

namespace zentavo {
namespace {

// The builder reads the table and nothing else: every control of the table, and no other, is a
// widget of its kind at the table's place (in pixels as ToPixels gives them, whose rounding the
// layout test checks) with the table's text.
TEST(Form1, BuildsEveryControlOfTheLayoutTableAndNoOther) {
  const QFont application_font = QApplication::font();
  Form1 form;
  EXPECT_EQ(QApplication::font(), application_font)
      << "menus, tooltips and message boxes keep the platform's font";
  QSet<QString> built;
  for (const layout::ControlRecord& record : layout::kLayoutTable.controls) {
    const QString name = ToQString(record.name);
    SCOPED_TRACE(record.name);
    const auto* control = form.findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
    if (record.kind == layout::ControlKind::Line) {
      EXPECT_EQ(control, nullptr) << "a line is painted, not a widget: ";
      continue;
    }
    ASSERT_NE(control, nullptr);
    built.insert(name);
    const auto place = layout::ToPixels(std::get<layout::TwipRect>(record.place));
    EXPECT_EQ(control->geometry(), QRect(place.left, place.top, place.width(), place.height()));
    const QString text = ToQString(record.text);
    if (record.kind == layout::ControlKind::Label) {
      const auto* label = qobject_cast<const QLabel*>(control);
      ASSERT_NE(label, nullptr);
      EXPECT_EQ(label->text(), text);
      EXPECT_EQ(label->textFormat(), Qt::PlainText);
    } else if (record.kind == layout::ControlKind::TextBox) {
      const auto* box = qobject_cast<const TextBox*>(control);
      ASSERT_NE(box, nullptr);
      EXPECT_EQ(box->text(), text);
      EXPECT_FALSE(box->isReadOnly());
      EXPECT_EQ(box->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
      EXPECT_EQ(box->cursorPosition(), 0);
    } else {
      const auto* button = qobject_cast<const QPushButton*>(control);
      ASSERT_NE(button, nullptr);
      EXPECT_EQ(button->text(), text);
    }
  }
  for (const QWidget* child : form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    const bool control = qobject_cast<const QLabel*>(child) != nullptr ||
                         qobject_cast<const QLineEdit*>(child) != nullptr ||
                         qobject_cast<const QPushButton*>(child) != nullptr;
    if (control) {
      EXPECT_TRUE(built.contains(child->objectName())) << "not in the table";
    }
  }
  EXPECT_EQ(built.size(), 19);
}

TEST(ApplicationIcon, GoesUpTo64LogicalPixelsAtTheScreensScale) {
  const std::vector<std::pair<qreal, int>> rows = {{1.0, 64}, {1.25, 128}, {2.0, 128}, {4.0, 256}};
  for (const auto& [ratio, largest] : rows) {
    const QList<QSize> sizes = ApplicationIcon(ratio).availableSizes();
    ASSERT_FALSE(sizes.isEmpty()) << ratio;
    EXPECT_EQ(sizes.front(), QSize(16, 16)) << ratio;
    EXPECT_EQ(sizes.back(), QSize(largest, largest)) << ratio;
    EXPECT_EQ(ApplicationIcon(ratio).pixmap(largest).size(), QSize(largest, largest)) << ratio;
  }
}

TEST(Form1Window, IsAFixedSizeTopLevelWidgetWithCaptionAndIcon) {
  Form1 form;
  EXPECT_EQ(form.objectName(), "Form1");
  EXPECT_EQ(form.windowTitle(), "Tolvek Zentavo");
  EXPECT_TRUE(form.isWindow());
  EXPECT_STREQ(form.metaObject()->superClass()->className(), "QWidget");
  EXPECT_EQ(form.minimumSize(), QSize(424, 270));
  EXPECT_EQ(form.maximumSize(), QSize(424, 270));
  EXPECT_TRUE(form.windowIcon().isNull()) << "decoded before the window is on the screen";
  form.show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !form.windowIcon().isNull(); }, 10'000))
      << "no icon once the window was painted";
  const QList<QSize> sizes = form.windowIcon().availableSizes();
  EXPECT_EQ(sizes, QList<QSize>({{16, 16}, {22, 22}, {24, 24}, {32, 32}, {48, 48}, {64, 64}}));
  for (const int side : {16, 32, 64}) {
    EXPECT_EQ(form.windowIcon().pixmap(side).size(), QSize(side, side))
        << "a sharp image, not a resample";
  }
  for (const int size : {32, 16}) {
    const QImage image = form.windowIcon().pixmap(size).toImage();
    QSet<QRgb> colours;
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) colours.insert(image.pixel(x, y));
    }
    // Rendered from the drawing, smoothed: only the Windows icon keeps a 16-colour palette.
    EXPECT_GT(colours.size(), 2) << "the " << size << "-pixel image is the coloured one";
  }
  // 19 controls (the two lines are painted, not widgets) and the screen-reader announcer.
  EXPECT_EQ(form.findChildren<QWidget*>().size(), 20);
}

TEST(Form1Window, BannerLabelsUseTheBannerFontOthersTheWindowFont) {
  Form1 form;
  for (const QLabel* label : form.findChildren<QLabel*>()) {
    SCOPED_TRACE(label->objectName().toStdString());
    const bool banner = label->objectName() == "Label13" || label->objectName() == "Label14";
    if (banner) {
      // The banner face where installed, the window's own family where not.
      const bool installed = QFontDatabase::hasFamily("Myriad Roman");
      EXPECT_EQ(label->font().families().value(0),
                installed ? "Myriad Roman" : form.font().family());
      EXPECT_EQ(label->font().pointSize(), 12);
      EXPECT_EQ(label->font().weight(), QFont::Bold);
      EXPECT_FALSE(label->font().italic() || label->font().underline() ||
                   label->font().strikeOut());
    } else {
      EXPECT_EQ(label->font(), form.font());
    }
  }
  EXPECT_EQ(form.font().pointSize(), 7);
}

TEST(Form1Window, ACaptionTallerThanItsLabelKeepsItsDescendersInside) {
  Form1 form;
  (void)form.grab();  // paints every label once
  for (const QLabel* label : form.findChildren<QLabel*>()) {
    SCOPED_TRACE(label->objectName().toStdString());
    const bool taller = label->fontMetrics().height() > label->height();
    EXPECT_EQ(label->alignment(), Qt::AlignLeft | (taller ? Qt::AlignBottom : Qt::AlignTop));
  }
}

TEST(Form1Window, BothLinesSpanTheClientAreaAtTheirHeights) {
  Form1 form;
  const QImage picture = form.grab().toImage();
  const QColor line_colour = form.palette().color(QPalette::WindowText);
  const QColor background = form.palette().color(QPalette::Window);
  for (const int y : {128, 224}) {
    for (int x = 0; x < 424; ++x) {
      ASSERT_EQ(picture.pixelColor(x, y), line_colour) << "x " << x << " y " << y;
    }
    EXPECT_EQ(picture.pixelColor(200, y - 1), background);
    EXPECT_EQ(picture.pixelColor(200, y + 1), background);
  }
}

TEST(Form1Window, TheButtonCoversTheLabelWhereTheyOverlap) {
  Form1 form;
  const QPoint inside_both(300, 250);
  ASSERT_TRUE(form.findChild<QLabel*>("Label14")->geometry().contains(inside_both));
  EXPECT_EQ(form.childAt(inside_both), form.ExitButton());
  // Every label is beneath every box and the button.
  const QObjectList& stacking = form.children();
  qsizetype highest_label = -1;
  qsizetype lowest_other = stacking.size();
  for (qsizetype i = 0; i < stacking.size(); ++i) {
    if (qobject_cast<QLabel*>(stacking[i]))
      highest_label = i;
    else if (qobject_cast<QWidget*>(stacking[i]))
      lowest_other = std::min(lowest_other, i);
  }
  EXPECT_LT(highest_label, lowest_other);
}

class ShownForm1 : public testing::Test {
 protected:
  void SetUp() override {
    form.Show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  }
  QWidget* Focused() const { return QApplication::focusWidget(); }
  QString FocusedName() const { return Focused() ? Focused()->objectName() : QString(); }

  Form1 form;
};

TEST_F(ShownForm1, StartsWithInitialTextsAndFocusInTheCodeInput) {
  EXPECT_EQ(FocusedName(), "txtDeASCII");
  EXPECT_EQ(form.ReadText("txtDeASCII"), u"");
  EXPECT_EQ(form.ReadText("txtParaCar"), u"txtParaCar");
  EXPECT_EQ(form.ReadText("txtDeCar"), u"");
  EXPECT_EQ(form.ReadText("txtParaASCII"), u"txtParaASCII");
}

TEST_F(ShownForm1, TabCyclesBoxesAndButtonShiftTabReverses) {
  const QStringList forward{"txtParaCar", "txtDeCar", "txtParaASCII", "Command1", "txtDeASCII"};
  for (const QString& next : forward) {
    QTest::keyClick(Focused(), Qt::Key_Tab);
    EXPECT_EQ(FocusedName(), next);
  }
  const QStringList backward{"Command1", "txtParaASCII", "txtDeCar", "txtParaCar", "txtDeASCII"};
  for (const QString& next : backward) {
    QTest::keyClick(Focused(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(FocusedName(), next);
  }
}

TEST_F(ShownForm1, EnterInABoxAndEscapeAnywhereDoNotPressTheButton) {
  QSignalSpy clicks(form.ExitButton(), &QPushButton::clicked);
  for (const char* name : {"txtDeASCII", "txtParaCar", "txtDeCar", "txtParaASCII"}) {
    QLineEdit* box = form.TextBox(name);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Return);
    QTest::keyClick(box, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(box, Qt::Key_Escape);
  }
  form.ExitButton()->setFocus();
  QTest::keyClick(form.ExitButton(), Qt::Key_Escape);
  EXPECT_EQ(clicks.count(), 0);
}

TEST_F(ShownForm1, SpaceEnterAndClickPressTheFocusedButton) {
  QSignalSpy clicks(form.ExitButton(), &QPushButton::clicked);
  form.ExitButton()->setFocus();
  QTest::keyClick(form.ExitButton(), Qt::Key_Space);
  QTest::keyClick(form.ExitButton(), Qt::Key_Return);
  QTest::keyClick(form.ExitButton(), Qt::Key_Enter, Qt::KeypadModifier);
  // Through the window, which delivers the click to whatever is on top at that point.
  QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {}, QPoint(300, 250));
  EXPECT_EQ(clicks.count(), 4);
}

TEST_F(ShownForm1, ACutCaptionShowsWholeAsTooltipAndEveryCaptionIsItsAccessibleName) {
  int cut_labels = 0;
  for (QLabel* label : form.findChildren<QLabel*>()) {
    SCOPED_TRACE(label->objectName().toStdString());
    const bool cut = label->fontMetrics().horizontalAdvance(label->text()) > label->width();
    cut_labels += cut ? 1 : 0;
    const QPoint inside = label->mapToGlobal(QPoint(2, 2));
    QToolTip::showText(inside, "no tooltip asked for yet");
    QHelpEvent ask_for_tooltip(QEvent::ToolTip, QPoint(2, 2), inside);
    QApplication::sendEvent(label, &ask_for_tooltip);
    EXPECT_EQ(QToolTip::text(), cut ? label->text() : "no tooltip asked for yet");
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(label);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->text(QAccessible::Name), label->text());
  }
  EXPECT_GE(cut_labels, 1) << "at 7 points the longest prompt does not fit its label";
}

// A screen reader reads a box's label, then its name where that says something else: the name is
// the first prompt's words, so each box is read once, as a sighted user reads it.
TEST_F(ShownForm1, EachBoxIsNamedAsItsFirstPromptReads) {
  const struct {
    const char* box;
    const char* name;
  } kNames[] = {
      {"txtDeASCII", "Write ASCii code to translate :"},
      {"txtParaCar", "Caracter"},
      {"txtDeCar", "Write a keyboard  caracter to translate to ASCii code :"},
      {"txtParaASCII", "ASCII"},
  };
  for (const auto& expected : kNames) {
    SCOPED_TRACE(expected.box);
    QAccessibleInterface* box = QAccessible::queryAccessibleInterface(form.TextBox(expected.box));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(QAccessible::Name), expected.name);
    const auto labels = box->relations(QAccessible::Label);
    ASSERT_FALSE(labels.isEmpty());
    EXPECT_EQ(labels.first().first->text(QAccessible::Name).trimmed(), expected.name);
  }
}

struct PasteRow {
  std::string_view name;
  QString pasted;
  QString kept;  // what the box holds afterwards, starting from "12"
};

class Form1Paste : public testing::TestWithParam<PasteRow> {};

TEST_P(Form1Paste, TakesOnlyWindows1252TextWhole) {
  Form1 form;
  for (const char* name : {"txtDeASCII", "txtParaCar", "txtDeCar", "txtParaASCII"}) {
    QLineEdit* box = form.TextBox(name);
    box->setText("12");
    QApplication::clipboard()->setText(GetParam().pasted);
    box->paste();
    EXPECT_EQ(box->text(), GetParam().kept);
  }
}

INSTANTIATE_TEST_SUITE_P(
    TextBoxes, Form1Paste,
    testing::Values(PasteRow{"Latin", "3\u00E9\u20AC", "123\u00E9\u20AC"},
                    PasteRow{"OutsideCodePage", "3\u0100", "12"},
                    PasteRow{"Emoji", QString::fromUtf8("\xF0\x9F\x98\x80"), "12"},
                    PasteRow{"SixtyFourKiB", QString(qsizetype{64} * 1024, 'x'),
                             "12" + QString(qsizetype{64} * 1024, 'x')}),
    testing_support::RowName());

TEST(Form1TextBoxAccess, ReadsAndReplacesByNameAndNotifiesTheChange) {
  Form1 form;
  QSignalSpy changes(form.TextBox("txtParaCar"), &QLineEdit::textChanged);
  form.ReplaceText("txtParaCar", u"A");
  EXPECT_EQ(form.ReadText("txtParaCar"), u"A");
  ASSERT_EQ(changes.count(), 1);
  EXPECT_EQ(changes.front().front().toString(), "A");

  const std::u16string nul(1, u'\0');
  form.ReplaceText("txtParaCar", nul);
  EXPECT_EQ(form.ReadText("txtParaCar"), nul);
}

TEST(Form1TextBoxAccess, EveryWindows1252CharacterSurvivesABox) {
  Form1 form;
  for (int code = 0; code < 256; ++code) {
    const std::u16string character(1, CharacterForCode(static_cast<std::uint8_t>(code)));
    form.ReplaceText("txtParaCar", character);
    EXPECT_EQ(form.ReadText("txtParaCar"), character) << "code " << code;
  }
}

TEST(Form1TextBoxAccess, RefusesNamesThatAreNoTextBox) {
  Form1 form;
  for (const char* name : {"Label9", "Command1", "Form1", "txtdeascii", ""}) {
    EXPECT_THROW((void)form.ReadText(name), std::invalid_argument);
    EXPECT_THROW(form.ReplaceText(name, u"x"), std::invalid_argument);
  }
}

}  // namespace
}  // namespace zentavo
