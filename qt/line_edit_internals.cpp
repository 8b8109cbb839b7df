#include "line_edit_internals.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPainter>
#include <QString>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTextLayout>

#include <algorithm>

#if ZENTAVO_PAINTS_LONG_TEXTS

// The line edit's scroll offsets live in its private part, and mouse hit-testing, the cursor
// rectangle and input methods all read them, so painting in the toolkit's place means writing
// them as it does. The package depends on the exact toolkit version these headers come from.
#include <QtWidgets/private/qlineedit_p.h>
#include <QtWidgets/private/qwidgetlinecontrol_p.h>

#include "windows1252.h"

namespace zentavo {
namespace {

// The toolkit's QLineEditPrivate::verticalMargin and horizontalMargin, which it does not
// export.
constexpr int kVerticalMargin = 1;
constexpr int kHorizontalMargin = 2;

// The height of a line of the box's font: as tall as the tallest printable character the boxes
// can hold. Remembered for the last font and resolution asked about, as the boxes all share one.
int LineHeight(const QLineEdit& box) {
  static QFont measured_font;
  static int measured_dpi = 0;
  static int measured_height = -1;
  if (measured_height < 0 || box.font() != measured_font || box.logicalDpiY() != measured_dpi) {
    QString characters;
    for (char32_t code = 0x20; code <= 0xFFFF; ++code) {
      if (IsWindows1252Character(static_cast<char16_t>(code)) && code != 0x7F) {
        characters.append(QChar(static_cast<char16_t>(code)));
      }
    }
    const QFontMetrics metrics = box.fontMetrics();
    measured_font = box.font();
    measured_dpi = box.logicalDpiY();
    measured_height = std::max(metrics.height(), metrics.boundingRect(characters).height());
  }
  return measured_height;
}

// Draws the characters that show between `scroll` and the line's right edge, and the selection
// among them, exactly where the box's layout places them: the toolkit's own drawing visits every
// glyph of the line, clipped or not. The stretch is laid out anew on its own; with no shaping
// and left-to-right text its advances are those of the whole line.
void DrawVisibleStretch(QPainter& painter, const QWidgetLineControl& control, QPoint top_left,
                        const QRect& contents, int scroll) {
  const QTextLayout& whole = *control.textLayout();
  const QTextLine line = whole.lineAt(0);
  const QString& text = whole.text();
  // A character or two to spare each side covers overhangs and rounding at the edges.
  constexpr int kSpare = 2;
  const int first = std::max(0, line.xToCursor(scroll) - kSpare);
  const int last =
      std::min(static_cast<int>(text.size()), line.xToCursor(scroll + contents.width()) + kSpare);
  if (first >= last) return;

  QTextLayout stretch(text.mid(first, last - first), whole.font());
  stretch.setTextOption(whole.textOption());
  stretch.setCacheEnabled(true);
  stretch.beginLayout();
  stretch.createLine();
  stretch.endLayout();

  QList<QTextLayout::FormatRange> selections;
  const int selection_start = std::max(control.selectionStart(), first);
  const int selection_end = std::min(control.selectionEnd(), last);
  if (control.hasSelectedText() && selection_start < selection_end) {
    QTextLayout::FormatRange selected;
    selected.start = selection_start - first;
    selected.length = selection_end - selection_start;
    selected.format.setBackground(control.palette().brush(QPalette::Highlight));
    selected.format.setForeground(control.palette().brush(QPalette::HighlightedText));
    selections.append(selected);
  }
  stretch.draw(&painter, QPointF(top_left) + QPointF(line.cursorToX(first), 0), selections,
               contents);
}

}  // namespace

void LayOutLeftToRight(QLineEdit& box) {
  static_cast<QLineEditPrivate*>(QObjectPrivate::get(&box))
      ->control->setLayoutDirection(Qt::LeftToRight);
}

bool CanPaintWithoutMeasuringWholeText(const QLineEdit& box) {
  const auto* d = static_cast<const QLineEditPrivate*>(QObjectPrivate::get(&box));
  const QWidgetLineControl* control = d->control;
  return !d->hasSideWidgets() && !d->shouldShowPlaceholderText() && box.styleSheet().isEmpty() &&
         qApp->styleSheet().isEmpty() && control->inputMask().isEmpty() &&
         control->preeditAreaText().isEmpty() &&
         (box.font().styleStrategy() & QFont::PreferNoShaping) != 0 &&
         control->layoutDirection() == Qt::LeftToRight && control->textLayout()->lineCount() == 1;
}

bool PaintWithoutMeasuringWholeText(QLineEdit& box, const QStyleOptionFrame& panel) {
  if (!CanPaintWithoutMeasuringWholeText(box)) return false;
  auto* d = static_cast<QLineEditPrivate*>(QObjectPrivate::get(&box));
  QWidgetLineControl* control = d->control;

  // From here on, the toolkit's own paintEvent with the two changes named in the header.
  QPainter painter(&box);
  const QPalette palette = box.palette();
  box.style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, &box);
  QRect contents = box.style()->subElementRect(QStyle::SE_LineEditContents, &panel, &box);
  contents = contents.marginsRemoved(box.textMargins());  // no side widgets: nothing to add
  painter.setClipRect(contents);

  const QFontMetrics metrics = box.fontMetrics();
  const int line_height = LineHeight(box);

  const Qt::Alignment alignment =
      QStyle::visualAlignment(control->layoutDirection(), box.alignment());
  switch (alignment & Qt::AlignVertical_Mask) {
    case Qt::AlignBottom:
      d->vscroll = contents.y() + contents.height() - line_height - kVerticalMargin;
      break;
    case Qt::AlignTop:
      d->vscroll = contents.y() + kVerticalMargin;
      break;
    default:
      d->vscroll = contents.y() + (contents.height() - line_height + 1) / 2;
      break;
  }
  const QRect line(contents.x() + kHorizontalMargin, d->vscroll,
                   contents.width() - 2 * kHorizontalMargin, line_height);

  // hscroll is how far the text's start lies left of the line's; it moves only as far as keeps
  // the cursor in view.
  const int cursor_x = qRound(control->cursorToX());
  const int width_used = qRound(control->naturalTextWidth()) + 1;
  if (width_used <= line.width()) {
    switch (alignment & ~(Qt::AlignAbsolute | Qt::AlignVertical_Mask)) {
      case Qt::AlignRight:
        d->hscroll = width_used - line.width() + 1;
        break;
      case Qt::AlignHCenter:
        d->hscroll = (width_used - line.width()) / 2;
        break;
      default:
        d->hscroll = 0;
        break;
    }
  } else if (cursor_x - d->hscroll >= line.width()) {
    d->hscroll = cursor_x - line.width() + 1;
  } else if (cursor_x - d->hscroll < 0 && d->hscroll < width_used) {
    d->hscroll = cursor_x;
  } else if (width_used - d->hscroll < line.width()) {
    d->hscroll = width_used - line.width() + 1;
  } else {
    d->hscroll = std::max(0, d->hscroll);
  }

  // Keeps the baseline where the toolkit's hit-testing expects it.
  const QPoint top_left = line.topLeft() - QPoint(d->hscroll, control->ascent() - metrics.ascent());
  painter.setPen(palette.text().color());
  if (control->hasSelectedText() &&
      (control->palette() != palette ||
       control->palette().currentColorGroup() != palette.currentColorGroup())) {
    control->setPalette(palette);
  }
  DrawVisibleStretch(painter, *control, top_left, contents, d->hscroll);
  if (d->cursorVisible && !control->isReadOnly()) {
    control->setCursorWidth(box.style()->pixelMetric(QStyle::PM_TextCursorWidth, &panel));
    control->draw(&painter, top_left, contents, QWidgetLineControl::DrawCursor);
  }
  return true;
}

}  // namespace zentavo

#else  // A toolkit whose private line edit this was not checked against paints all by itself.

namespace zentavo {

void LayOutLeftToRight(QLineEdit& /*box*/) {}

bool CanPaintWithoutMeasuringWholeText(const QLineEdit& /*box*/) { return false; }

bool PaintWithoutMeasuringWholeText(QLineEdit& /*box*/, const QStyleOptionFrame& /*panel*/) {
  return false;
}

}  // namespace zentavo

#endif
