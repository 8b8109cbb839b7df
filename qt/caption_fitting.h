// Keeps every label's caption readable when the font in use is larger than the label.
#pragma once

#include <QObject>

namespace zentavo {

// Install on labels. Both adjustments are made when they are needed rather than at start-up,
// so nothing is measured before the window shows and the answer follows the font in use:
//  - a caption wider than its label is cut at the label's edge and shown whole as the
//    label's tooltip (screen readers need no help: a label's accessible name is its text);
//  - a font whose line is taller than the label (a substitute for the banner face often is)
//    would lose its descenders at the bottom edge, so such a caption is aligned to the
//    bottom: the room a font keeps above its capitals is what is cut instead.
class CaptionFitting final : public QObject {
 public:
  explicit CaptionFitting(QObject* parent = nullptr) : QObject(parent) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace zentavo
