#include "character_pictures.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QMap>
#include <QPaintEvent>
#include <QPixmap>
#include <QRegion>
#include <QString>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "character_details.h"
#include "control_names.h"
#include "form1.h"
#include "windows1252.h"

namespace zentavo {
namespace {

QImage BoxShowing(QLineEdit& box, std::uint8_t code) {
  box.setText(QString(QChar(CharacterForCode(code))));
  return box.grab().toImage();
}

TEST(CharacterPictures, TellApartEveryCharacterWithoutADistinctGlyph) {
  Form1 form;
  QLineEdit* box = form.TextBox(control_names::kCharacterOutput);
  QMap<QByteArray, unsigned> seen;  // picture bytes -> code
  for (unsigned code = 0; code < 256; ++code) {
    const auto byte = static_cast<std::uint8_t>(code);
    // The look-alikes the pictures are for: 45 and 173, 32 and 160, 127 and 129.
    if (!HasNoDistinctGlyph(byte) && code != 32 && code != 45 && code != 65) continue;
    SCOPED_TRACE(code);
    const QImage image = BoxShowing(*box, byte);
    EXPECT_EQ(box->text(), QString(QChar(CharacterForCode(byte)))) << "the text stays real";
    const QByteArray bytes(reinterpret_cast<const char*>(image.constBits()),
                           static_cast<qsizetype>(image.sizeInBytes()));
    EXPECT_FALSE(seen.contains(bytes)) << "looks like code " << seen.value(bytes);
    seen.insert(bytes, code);
    // Inside the frame, a glyph's ink is as dark as text gets; a picture's grey never is.
    int darkest = 255;
    for (int y = 3; y < image.height() - 3; ++y) {
      for (int x = 3; x < image.width() - 3; ++x) {
        darkest = std::min(darkest, image.pixelColor(x, y).lightness());
      }
    }
    if (code == 32) continue;  // a space has no ink at all
    EXPECT_EQ(darkest > 100, HasNoDistinctGlyph(byte)) << "darkest " << darkest;
  }
}

TEST(CharacterPictures, OnlyALoneCharacterIsPictured) {
  Form1 form;
  QLineEdit* box = form.TextBox(control_names::kCharacterOutput);
  box->setText(QStringLiteral("\n\n"));
  const QImage two = box->grab().toImage();
  box->setText(QStringLiteral("\n"));
  EXPECT_NE(box->grab().toImage(), two);
}

// Notes the region each paint of a widget covers.
class PaintRegions : public QObject {
 public:
  QRegion painted;

 protected:
  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region();
    return false;
  }
};

// The box itself repaints only where its text changed, narrower than a picture, which left the
// previous picture half drawn over.
TEST(CharacterPictures, ANewTextRepaintsTheWholeBox) {
  Form1 form;
  form.Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  QLineEdit* box = form.TextBox(control_names::kCharacterOutput);
  PaintRegions regions;
  box->installEventFilter(&regions);
  for (const QString& text : {QStringLiteral("\u0001"), QStringLiteral("\n"), QStringLiteral("A"),
                              QStringLiteral("\u00A0")}) {
    QApplication::processEvents();
    regions.painted = QRegion();
    box->setText(text);
    QApplication::processEvents();
    EXPECT_EQ(regions.painted.boundingRect(), box->rect()) << text.toStdString();
  }
}

}  // namespace
}  // namespace zentavo
