// Shows a label's whole caption as its tooltip when the label is too narrow to show it all.
#pragma once

#include <QObject>

namespace zentavo {

// Install on labels. Whether a caption is cut is decided when a tooltip is asked for, so
// nothing is measured at start-up and the answer follows the font in use. (Screen readers need
// no help: a label's accessible name is its whole text, cut or not.)
class CutCaptionTooltip final : public QObject {
 public:
  explicit CutCaptionTooltip(QObject* parent = nullptr) : QObject(parent) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace zentavo
