#include "accessible_interfaces.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLineEdit>
#include <QString>

#include "form1.h"
#include "form1_accessible.h"
#include "result_announcer.h"
#include "text_box.h"
#include "text_box_accessible.h"

namespace zentavo {
namespace {

// The toolkit asks with each class name of an object's class chain, most derived first.
QAccessibleInterface* CreateInterface(const QString& class_name, QObject* object) {
  if (class_name == QLatin1String(Form1::staticMetaObject.className())) {
    return new Form1Accessible(static_cast<QWidget*>(object));
  }
  if (class_name == QLatin1String(ResultAnnouncer::staticMetaObject.className())) {
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
  }
  if (class_name == QLatin1String(TextBox::staticMetaObject.className())) {
    return new TextBoxAccessible(static_cast<QLineEdit*>(object));
  }
  return nullptr;
}

}  // namespace

void InstallAccessibleInterfaces() {
  static const bool installed = [] {
    QAccessible::installFactory(&CreateInterface);
    return true;
  }();
  static_cast<void>(installed);
}

}  // namespace zentavo
