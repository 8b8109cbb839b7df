#include <QApplication>
#include <QImage>
#include <QStyleHints>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "text_box.h"

namespace zentavo {
namespace {

constexpr int kFlashMilliseconds = 200;

// The pixels where `box` draws its caret, as they are now. The caret's place is read after a
// paint, which is where a box scrolled to the caret learns how far.
QImage CaretPixels(TextBox& box) {
  box.repaint();
  const QRect caret = box.inputMethodQuery(Qt::ImCursorRectangle).toRect().adjusted(-1, 0, 1, 0);
  return box.grab(caret).toImage().convertToFormat(QImage::Format_RGB32);
}

// Whether the caret's pixels, watched for at most `bound`, change.
bool CaretChangesWithin(TextBox& box, std::chrono::milliseconds bound) {
  const QImage first = CaretPixels(box);
  const auto deadline = std::chrono::steady_clock::now() + bound;
  while (std::chrono::steady_clock::now() < deadline) {
    QTest::qWait(10);
    if (CaretPixels(box) != first) return true;
  }
  return false;
}

// Whether the caret's pixels hold a mark of the text's colour, as a drawn caret does.
bool CaretDrawn(TextBox& box) {
  const QImage pixels = CaretPixels(box);
  const QRgb text = box.palette().color(QPalette::Text).rgb();
  for (int y = 0; y < pixels.height(); ++y) {
    for (int x = 0; x < pixels.width(); ++x) {
      if (pixels.pixel(x, y) == text) return true;
    }
  }
  return false;
}

// Each blink of a huge line walks its runs of text; the caret holds still instead, drawn, while
// that box has the focus, and blinks again at the platform's period as it loses either. Watched
// in the pixels for five periods, in which a blinking caret changes ten times.
TEST(TextBox, TheCaretHoldsStillWhileTheBoxHoldsAHugeText) {
  QGuiApplication::styleHints()->setCursorFlashTime(kFlashMilliseconds);
  QWidget window;
  auto* box = new TextBox(&window);
  auto* other = new TextBox(&window);
  other->move(0, 40);
  window.show();
  window.activateWindow();
  box->setFocus();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  ASSERT_TRUE(box->hasFocus());
  // Ends in blanks, so that the caret's pixels hold no glyph of the text.
  const QString huge = QString(TextBox::kSteadyCaretCharacters, u'7') + QStringLiteral("   ");
  const struct {
    const char* what;
    std::function<void()> act;
    TextBox* watched;  // the box with the focus
    bool blinks;
  } steps[] = {
      {"a short text", [] {}, box, true},
      {"a huge text", [&] { box->setText(huge); }, box, false},
      {"the focus in another box", [&] { other->setFocus(); }, other, true},
      {"the focus back", [&] { box->setFocus(); }, box, false},
      {"a short text again", [&] { box->setText("7   "); }, box, true},
      {"a huge text in a box without the focus", [&] { other->setText(huge); }, box, true},
  };
  const std::chrono::milliseconds period(kFlashMilliseconds);
  for (const auto& step : steps) {
    step.act();
    if (step.blinks) {
      EXPECT_TRUE(CaretChangesWithin(*step.watched, 5 * period)) << step.what;
    } else {
      EXPECT_FALSE(CaretChangesWithin(*step.watched, 5 * period)) << step.what;
      EXPECT_TRUE(CaretDrawn(*step.watched)) << step.what;
    }
  }
}

}  // namespace
}  // namespace zentavo
