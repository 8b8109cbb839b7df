// Tells a screen reader what a conversion gave while the focus stays in the box being typed in.
#pragma once

#include <QWidget>

class QString;

namespace zentavo {

// An invisible notification: a screen reader speaks a notification as it appears, and this
// one appears anew with each message. It takes no focus, no room and no clicks.
class ResultAnnouncer final : public QWidget {
  Q_OBJECT

 public:
  explicit ResultAnnouncer(QWidget* parent);

  // Costs a hide and a show of an empty widget where no assistive technology listens.
  void Announce(const QString& message);
};

}  // namespace zentavo
