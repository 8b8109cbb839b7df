// The accessible face of a line edit, in place of the toolkit's own: its word queries could spin
// for ever on text that is not a letter or digit, and it reported empty attribute runs, which
// made a screen reader drop a line's last character.
#pragma once

#include <QAccessibleWidget>

class QLineEdit;

namespace zentavo {

// Text queries answer from bounded work (see text_units.h), and edits that an assistive
// technology makes go through the box's own editing, so its validator and undo apply.
class TextBoxAccessible final : public QAccessibleWidget,
                                public QAccessibleTextInterface,
                                public QAccessibleEditableTextInterface {
 public:
  explicit TextBoxAccessible(QLineEdit* box);

  void* interface_cast(QAccessible::InterfaceType type) override;
  [[nodiscard]] QString text(QAccessible::Text type) const override;
  void setText(QAccessible::Text type, const QString& text) override;
  [[nodiscard]] QAccessible::State state() const override;
  // The labels in the order of the window's prompt table: screen readers name a box after the
  // first label they are given, which should be its prompt, not whichever label lies lowest.
  [[nodiscard]] QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(
      QAccessible::Relation match) const override;

  // QAccessibleTextInterface
  void selection(int selection_index, int* start_offset, int* end_offset) const override;
  [[nodiscard]] int selectionCount() const override;
  void addSelection(int start_offset, int end_offset) override;
  void removeSelection(int selection_index) override;
  void setSelection(int selection_index, int start_offset, int end_offset) override;
  [[nodiscard]] int cursorPosition() const override;
  void setCursorPosition(int position) override;
  [[nodiscard]] QString text(int start_offset, int end_offset) const override;
  QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int* start_offset,
                           int* end_offset) const override;
  QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int* start_offset,
                          int* end_offset) const override;
  QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int* start_offset,
                       int* end_offset) const override;
  [[nodiscard]] int characterCount() const override;
  [[nodiscard]] QRect characterRect(int offset) const override;
  [[nodiscard]] int offsetAtPoint(const QPoint& point) const override;
  void scrollToSubstring(int start_index, int end_index) override;
  QString attributes(int offset, int* start_offset, int* end_offset) const override;

  // QAccessibleEditableTextInterface
  void deleteText(int start_offset, int end_offset) override;
  void insertText(int offset, const QString& text) override;
  void replaceText(int start_offset, int end_offset, const QString& text) override;

 private:
  [[nodiscard]] QLineEdit* box() const;
  // Replaces the characters from `start` to `end` as typing would: refused whole when the
  // box's validator refuses the result, and undoable.
  void Edit(int start, int end, const QString& text);
};

}  // namespace zentavo
