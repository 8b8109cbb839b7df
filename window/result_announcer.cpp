#include "window/result_announcer.h"

#include <QString>

namespace zentavo {

ResultAnnouncer::ResultAnnouncer(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("resultAnnouncer"));
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setGeometry(0, 0, 0, 0);
  hide();
}

void ResultAnnouncer::Announce(const QString& message) {
  hide();
  setAccessibleName(message);
  show();
}

}  // namespace zentavo
