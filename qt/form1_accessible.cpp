#include "form1_accessible.h"

#include <QString>
#include <QWidget>

#include "accessibility_table.h"
#include "qt_text.h"

namespace zentavo {

Form1Accessible::Form1Accessible(QWidget* form) : QAccessibleWidget(form, QAccessible::Window) {}

QList<QWidget*> Form1Accessible::ChildrenInReadingOrder() const {
  QList<QWidget*> children = widget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  children.removeIf([](const QWidget* child) { return child->isWindow(); });
  QList<QWidget*> ordered;
  ordered.reserve(children.size());
  for (std::string_view name : accessibility::kReadingOrder) {
    const QString wanted = ToQString(name);
    for (QWidget* child : children) {
      if (child->objectName() == wanted) ordered.append(child);
    }
  }
  for (QWidget* child : children) {
    if (!ordered.contains(child)) ordered.append(child);
  }
  return ordered;
}

int Form1Accessible::childCount() const {
  return static_cast<int>(ChildrenInReadingOrder().size());
}

QAccessibleInterface* Form1Accessible::child(int index) const {
  const QList<QWidget*> children = ChildrenInReadingOrder();
  if (index < 0 || index >= children.size()) return nullptr;
  return QAccessible::queryAccessibleInterface(children.at(index));
}

int Form1Accessible::indexOfChild(const QAccessibleInterface* child) const {
  if (child == nullptr) return -1;
  return static_cast<int>(ChildrenInReadingOrder().indexOf(child->object()));
}

}  // namespace zentavo
