// The program's text box: a line edit that makes every edit beyond a keystroke one replacement
// of its own, with an undo history of its own, so that no paste is too large for it.
#pragma once

#include <QClipboard>
#include <QLineEdit>
#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "edit_commands.h"
#include "edit_history.h"

namespace zentavo {

using EditHistory = BasicEditHistory<QString>;

// The toolkit's line edit records one undo step per character it inserts or removes, and the
// whole text's worth when it removes a selection: a paste of 10 MiB cost it seconds and most of
// a gigabyte. This box takes pastes, drops, cuts, the deletion or overtyping of a selection,
// large input-method commits and its own undo and redo as single replacements, and leaves only
// keystrokes at the cursor to the toolkit, recording those into the same history.
//
// Long texts it paints itself, visiting only what shows (see line_edit_internals.h). While it
// holds more than `kSteadyCaretCharacters` and has the focus its caret stays steady (through the
// toolkit's public blink period, whether or not it paints long texts itself): each blink
// still walks the line's runs of text to place the caret, about 1% of a core at that length.
class TextBox final : public QLineEdit {
  Q_OBJECT

 public:
  static constexpr qsizetype kSteadyCaretCharacters = qsizetype{1024} * 1024;
  // Beyond this many characters the box paints itself without the toolkit's measuring of the
  // whole line; below it the toolkit's painting costs nothing worth saving.
  static constexpr qsizetype kOwnPaintingCharacters = qsizetype{4} * 1024;

  explicit TextBox(QWidget* parent = nullptr);
  TextBox(const TextBox&) = delete;
  TextBox& operator=(const TextBox&) = delete;
  ~TextBox() override;

  // Replaces characters [start, end) with `text` as one undoable edit and leaves the cursor
  // after it. Refused, and false, when the box is read-only, the range is outside the text or
  // the validator refuses the text.
  bool Replace(qsizetype start, qsizetype end, const QString& text);
  // Replaces the selection, or inserts at the cursor when nothing is selected.
  bool ReplaceSelection(const QString& text);
  void PasteFrom(QClipboard::Mode mode);
  void CutSelection();
  void PasteClipboard() { PasteFrom(QClipboard::Clipboard); }
  void DeleteSelection() { ReplaceSelection(QString()); }
  void Undo();
  void Redo();
  [[nodiscard]] bool CanUndo() const { return history_.CanUndo(); }
  [[nodiscard]] bool CanRedo() const { return history_.CanRedo(); }
  [[nodiscard]] const EditHistory& History() const { return history_; }

  // The forms the context menu's "Copy as" group offers, asked each time the menu opens; the
  // group shows only while there are any.
  void SetCopyAsForms(std::function<std::vector<std::u16string>()> forms);
  // What Ctrl+F and the menu's "Find character" do: the window's finder.
  void SetFindCharacter(std::function<void()> find) { find_character_ = std::move(find); }
  // Replaces the whole text as one edit of the user's, undone in one step.
  void ReplaceAll(const QString& text) { Replace(0, this->text().size(), text); }
  // Up, Down, Page Up and Page Down step the code the box holds (SteppedCodeText), each step
  // one edit; otherwise they keep the toolkit's meaning.
  void SetCodeStepping(bool on) { code_stepping_ = on; }
  // Whether the change now being notified is a step of the code.
  [[nodiscard]] bool Stepping() const { return stepping_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  // Handles the key itself when it edits more than a keystroke at the cursor does.
  bool EditForKey(QKeyEvent* event);
  void Do(EditCommand command);
  void ShowText(const QString& text, CursorAndAnchor place);
  void RecordToolkitEdit(const QString& text);
  void FollowTextChange(const QString& text);
  void FollowCursor();
  void UpdateCaretBlinking();
  [[nodiscard]] CursorAndAnchor Place() const;
  // Whether `text` may go into the box as it stands: not read-only, and every character taken.
  [[nodiscard]] bool Takes(const QString& text) const;

  EditHistory history_;
  QString last_text_;           // the text as the history last saw it
  CursorAndAnchor last_place_;  // the cursor before the toolkit's next keystroke
  bool showing_ = false;        // inside ShowText: the change is recorded already
  bool toolkit_edit_ = false;   // textEdited came; textChanged for the same edit follows
  bool drag_taken_ = false;     // whether the drag now over the box carries a text it takes
  bool code_stepping_ = false;
  std::function<void()> find_character_;
  bool stepping_ = false;               // inside a step's replacement
  std::optional<int> flash_time_held_;  // the blink period, while this box holds the caret still
  std::function<std::vector<std::u16string>()> copy_as_forms_;
};

}  // namespace zentavo
