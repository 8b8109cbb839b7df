#include "result_announcer.h"

#include <QAccessible>
#include <QString>
#include <QtGlobal>

namespace zentavo {

ResultAnnouncer::ResultAnnouncer(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("resultAnnouncer"));
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setGeometry(0, 0, 0, 0);
  hide();
}

void ResultAnnouncer::Announce(const QString& message) {
  last_message_ = message;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
  // The toolkit's own announcement, which screen readers speak whatever has the focus; newer
  // readers no longer speak a notification that merely appears. Without an assistive
  // technology listening, the toolkit drops the event at once.
  QAccessibleAnnouncementEvent announcement(window(), message);
  QAccessible::updateAccessibility(&announcement);
#else
  hide();
  setAccessibleName(message);
  show();
#endif
}

}  // namespace zentavo
