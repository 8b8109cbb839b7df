#include "caption_fitting.h"

#include <QEvent>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QLabel>
#include <QToolTip>

#include "caption_fit.h"

namespace zentavo {
namespace {

void ShowWholeCaptionIfCut(QLabel* label, QHelpEvent* event) {
  if (CaptionIsCut(label->fontMetrics().horizontalAdvance(label->text()),
                   label->contentsRect().width())) {
    QToolTip::showText(event->globalPos(), label->text(), label);
  } else {
    QToolTip::hideText();
    event->ignore();
  }
}

// Runs before the label paints; the font engine it asks for is the one painting loads anyway.
void KeepDescendersInside(QLabel* label) {
  const Qt::Alignment vertical =
      AnchorCaption(label->fontMetrics().height(), label->contentsRect().height()) ==
              CaptionAnchor::Bottom
          ? Qt::AlignBottom
          : Qt::AlignTop;
  const Qt::Alignment wanted = (label->alignment() & ~Qt::AlignVertical_Mask) | vertical;
  if (label->alignment() != wanted) label->setAlignment(wanted);
}

}  // namespace

bool CaptionFitting::eventFilter(QObject* watched, QEvent* event) {
  auto* label = qobject_cast<QLabel*>(watched);
  if (label == nullptr) return false;
  switch (event->type()) {
    case QEvent::Paint:
      KeepDescendersInside(label);
      return false;
    case QEvent::ToolTip:
      ShowWholeCaptionIfCut(label, static_cast<QHelpEvent*>(event));
      return true;
    default:
      return false;
  }
}

}  // namespace zentavo
