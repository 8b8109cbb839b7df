// The window's accessible face: a frame whose children are read in the order the window reads,
// not in the order the controls were made or stacked.
#pragma once

#include <QAccessibleWidget>
#include <QList>

namespace zentavo {

class Form1Accessible final : public QAccessibleWidget {
 public:
  explicit Form1Accessible(QWidget* form);

  [[nodiscard]] int childCount() const override;
  [[nodiscard]] QAccessibleInterface* child(int index) const override;
  [[nodiscard]] int indexOfChild(const QAccessibleInterface* child) const override;

 private:
  // The reading order's controls first, then any other child the window has.
  [[nodiscard]] QList<QWidget*> ChildrenInReadingOrder() const;
};

}  // namespace zentavo
