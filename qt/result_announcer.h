// Tells a screen reader what a conversion gave while the focus stays in the box being typed in.
#pragma once

#include <QString>
#include <QWidget>

namespace zentavo {

// Tells through the toolkit's announcement where it has one (Qt 6.8 and later); before that, as
// an invisible notification, which a screen reader speaks as it appears, and this one appears
// anew with each message. It takes no focus, no room and no clicks.
class ResultAnnouncer final : public QWidget {
  Q_OBJECT

 public:
  explicit ResultAnnouncer(QWidget* parent);

  // Costs next to nothing where no assistive technology listens.
  void Announce(const QString& message);

  // What it last announced.
  [[nodiscard]] const QString& LastMessage() const { return last_message_; }

 private:
  QString last_message_;
};

}  // namespace zentavo
