#include "character_pictures.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPainter>
#include <QPen>
#include <QString>
#include <QStyle>

#include <optional>
#include <string>

#include "character_picture.h"
#include "qt_text.h"

namespace zentavo {
namespace {

void PaintPicture(QLineEdit& box, std::uint8_t code) {
  const QString label = ToQString(PictureText(code));
  const QFontMetrics metrics = box.fontMetrics();
  const int frame = box.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &box);
  const QRect inside = box.rect().adjusted(frame, frame, -frame, -frame);
  // In the toolkit's device-independent pixels, which it scales itself.
  const PictureFrame place =
      PictureFramePlace(inside.left(), inside.top(), inside.bottom() + 1,
                        metrics.horizontalAdvance(label), metrics.height(), kPicturePadding);
  const QRect picture_rect(place.left, place.top, place.width, place.height);

  QPainter painter(&box);
  const QPalette& palette = box.palette();
  // What the box drew for the character itself (nothing, or a missing-glyph box) goes.
  painter.fillRect(inside, palette.base());
  const bool selected = box.hasSelectedText();
  if (selected) painter.fillRect(picture_rect, palette.highlight());
  const QColor ink =
      selected ? palette.highlightedText().color() : palette.color(QPalette::PlaceholderText);
  painter.setPen(QPen(ink, 1, Qt::DotLine));
  painter.drawRect(picture_rect.adjusted(0, 0, -1, -1));
  painter.setPen(ink);
  painter.drawText(picture_rect, Qt::AlignCenter, label);
  if (box.hasFocus()) {
    // The caret, before or after the one character.
    const int x = box.cursorPosition() == 0 ? picture_rect.left() : picture_rect.right() + 1;
    painter.setPen(palette.color(QPalette::Text));
    painter.drawLine(x, picture_rect.top(), x, picture_rect.bottom());
  }
}

}  // namespace

CharacterPictures::CharacterPictures(QLineEdit* box) : QObject(box) {
  box->installEventFilter(this);
  // The box repaints only where its text changed, which is narrower than a picture.
  connect(box, &QLineEdit::textChanged, box, qOverload<>(&QWidget::update));
}

bool CharacterPictures::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::Paint) return false;
  auto* box = qobject_cast<QLineEdit*>(watched);
  if (box == nullptr) return false;
  const std::optional<std::uint8_t> code =
      PicturedCode(box->objectName().toStdString(), ToU16View(box->text()));
  if (!code) return false;
  box->event(event);  // the frame, the background and the caret's blinking as usual
  PaintPicture(*box, *code);
  return true;
}

}  // namespace zentavo
