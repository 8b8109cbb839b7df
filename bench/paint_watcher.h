// Shared by the benchmarks that time the real window until it has repainted.
#pragma once

#include <QEvent>
#include <QObject>

namespace zentavo::bench {

// Notes when a widget has finished painting.
class PaintWatcher : public QObject {
 public:
  bool painted = false;

 protected:
  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted = true;
    return false;
  }
};

}  // namespace zentavo::bench
