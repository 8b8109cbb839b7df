#include "window/cut_caption_tooltip.h"

#include <QEvent>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QLabel>
#include <QToolTip>

namespace zentavo {

bool CutCaptionTooltip::eventFilter(QObject* watched, QEvent* event) {
  auto* label = qobject_cast<QLabel*>(watched);
  if (label == nullptr || event->type() != QEvent::ToolTip) return false;
  if (label->fontMetrics().horizontalAdvance(label->text()) > label->contentsRect().width()) {
    QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), label->text(), label);
  } else {
    QToolTip::hideText();
    event->ignore();
  }
  return true;
}

}  // namespace zentavo
