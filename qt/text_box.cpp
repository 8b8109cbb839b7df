#include "text_box.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QList>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPoint>
#include <QRect>
#include <QStyleHints>
#include <QStyleOptionFrame>
#include <QValidator>

#include <algorithm>
#include <iterator>
#include <limits>
#include <optional>
#include <utility>

#include "code_stepping.h"
#include "copy_as.h"
#include "edit_commands.h"
#include "key_press.h"
#include "line_edit_internals.h"
#include "pasted_text.h"
#include "qt_text.h"

namespace zentavo {
namespace {

// An input method's commit longer than this, or over a selection longer than this, is taken as
// one replacement like a paste; shorter ones stay with the toolkit, composing included.
constexpr qsizetype kLargeInputMethodCommit = 256;

// `text` with `length` characters at `position` replaced, allocated once at its exact size: a
// grown copy of a 10 MiB text would hold half as much again.
QString Spliced(QStringView text, qsizetype position, qsizetype length, QStringView replacement) {
  QString spliced;
  spliced.reserve(text.size() - length + replacement.size());
  spliced.append(text.first(position)).append(replacement).append(text.sliced(position + length));
  return spliced;
}

}  // namespace

TextBox::TextBox(QWidget* parent) : QLineEdit(parent) {
  setMaxLength(std::numeric_limits<int>::max());  // no length limit
  LayOutLeftToRight(*this);
  // textEdited comes for the user's edits alone, just before their textChanged.
  connect(this, &QLineEdit::textEdited, this, &TextBox::RecordToolkitEdit);
  connect(this, &QLineEdit::textChanged, this, &TextBox::FollowTextChange);
  connect(this, &QLineEdit::cursorPositionChanged, this, &TextBox::FollowCursor);
  connect(this, &QLineEdit::selectionChanged, this, &TextBox::FollowCursor);
}

CursorAndAnchor TextBox::Place() const {
  const qsizetype cursor = cursorPosition();
  if (!hasSelectedText()) return {cursor, cursor};
  const qsizetype start = selectionStart();
  const qsizetype end = start + selectionLength();
  return {cursor, cursor == start ? end : start};
}

bool TextBox::Takes(const QString& text) const {
  if (isReadOnly()) return false;
  const QValidator* checker = validator();
  if (checker == nullptr) return true;
  QString checked = text;
  int position = 0;
  return checker->validate(checked, position) == QValidator::Acceptable;
}

bool TextBox::Replace(qsizetype start, qsizetype end, const QString& text) {
  const QString current = this->text();
  if (isReadOnly() || start < 0 || end < start || end > current.size()) return false;
  if (start == end && text.isEmpty()) return true;
  if (!Takes(text)) return false;
  EditHistory::Edit edit{start, current.mid(start, end - start), text, Place(), false};
  const qsizetype after = start + text.size();
  history_.Record(std::move(edit));
  ShowText(Spliced(current, start, end - start, text), {after, after});
  return true;
}

bool TextBox::ReplaceSelection(const QString& text) {
  const qsizetype start = hasSelectedText() ? selectionStart() : cursorPosition();
  return Replace(start, start + selectionLength(), text);
}

void TextBox::PasteFrom(QClipboard::Mode mode) {
  const QString pasted = QGuiApplication::clipboard()->text(mode);
  const PasteOutcome outcome =
      PasteOutcomeOf(ToU16View(pasted), hasSelectedText(), Platform::Linux);
  if (outcome.beep) QApplication::beep();
  if (!outcome.put_in) return;
  const qsizetype length = std::ssize(*outcome.put_in);
  ReplaceSelection(length == pasted.size() ? pasted : pasted.first(length));
}

void TextBox::CutSelection() {
  if (!hasSelectedText() || isReadOnly()) return;
  const QString selected = selectedText();
  copy();
  const CutOutcome outcome = CutOutcomeOf(QGuiApplication::clipboard()->text() == selected);
  if (outcome.beep) QApplication::beep();
  if (outcome.delete_selection) ReplaceSelection(QString());
}

void TextBox::Undo() {
  const EditHistory::Edit* edit = history_.StepBack();
  if (edit == nullptr) return;
  ShowText(Spliced(text(), edit->position, edit->inserted.size(), edit->removed), edit->before);
}

void TextBox::Redo() {
  const EditHistory::Edit* edit = history_.StepForward();
  if (edit == nullptr) return;
  const qsizetype after = edit->position + edit->inserted.size();
  ShowText(Spliced(text(), edit->position, edit->removed.size(), edit->inserted), {after, after});
}

void TextBox::ShowText(const QString& text, CursorAndAnchor place) {
  showing_ = true;
  // One layout of the new text and no undo records; the toolkit's own history, which this box
  // never uses, starts afresh.
  setText(text);
  if (place.cursor == place.anchor) {
    setCursorPosition(static_cast<int>(place.cursor));
  } else {
    setSelection(static_cast<int>(place.anchor), static_cast<int>(place.cursor - place.anchor));
  }
  showing_ = false;
  last_text_ = this->text();
  last_place_ = Place();
}

void TextBox::RecordToolkitEdit(const QString& text) {
  toolkit_edit_ = true;
  history_.Record(EditBetween(last_text_, text, last_place_, true));
  last_text_ = text;
}

void TextBox::FollowTextChange(const QString& text) {
  if (toolkit_edit_) {
    toolkit_edit_ = false;
  } else if (!showing_) {
    // Written by the program, not by the user: there is nothing of the user's left to undo.
    history_.Clear();
    last_text_ = text;
  }
  UpdateCaretBlinking();
}

void TextBox::FollowCursor() {
  if (!showing_) last_place_ = Place();
}

void TextBox::Do(EditCommand command) {
  switch (command) {
    case EditCommand::Undo:
      Undo();
      break;
    case EditCommand::Redo:
      Redo();
      break;
    case EditCommand::Cut:
      CutSelection();
      break;
    case EditCommand::Copy:
      copy();
      break;
    case EditCommand::Paste:
      PasteClipboard();
      break;
    case EditCommand::Delete:
      DeleteSelection();
      break;
    case EditCommand::SelectAll:
      selectAll();
      break;
    case EditCommand::FindCharacter:
      if (find_character_) find_character_();
      break;
  }
}

bool TextBox::EditForKey(QKeyEvent* event) {
  const KeyCommand command = CommandForKey(PressOf(*event), code_stepping_);
  if (command.ignored) return true;
  // The toolkit's own Select All, which on X11 also fills the PRIMARY selection.
  if (command.edit == EditCommand::SelectAll && event->matches(QKeySequence::SelectAll)) {
    return false;
  }
  if (command.step) {
    // At either end nothing changes, and the key is taken all the same.
    if (const auto stepped = SteppedCodeText(ToU16View(text()), StepOf(*command.step))) {
      stepping_ = true;
      Replace(0, text().size(), ToQString(*stepped));
      stepping_ = false;
    }
    return true;
  }
  if (command.edit) {
    Do(*command.edit);
    return true;
  }
  // The desktop's own keys for what the shared keys do not name.
  if (event == QKeySequence::DeleteEndOfLine) {
    setSelection(cursorPosition(), static_cast<int>(text().size()) - cursorPosition());
    CutSelection();
  } else if (event == QKeySequence::DeleteCompleteLine) {
    selectAll();
    CutSelection();
  } else if (event == QKeySequence::DeleteStartOfWord) {
    if (!hasSelectedText()) cursorWordBackward(true);
    ReplaceSelection(QString());
  } else if (event == QKeySequence::DeleteEndOfWord) {
    if (!hasSelectedText()) cursorWordForward(true);
    ReplaceSelection(QString());
  } else if (hasSelectedText() &&
             (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete) &&
             (event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == 0) {
    ReplaceSelection(QString());
  } else if (const QString typed = event->text();
             hasSelectedText() && !typed.isEmpty() && typed.front().isPrint() &&
             (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) ==
                 0) {
    ReplaceSelection(typed);
  } else {
    return false;  // a keystroke at the cursor: the toolkit's, recorded on textEdited
  }
  return true;
}

void TextBox::keyPressEvent(QKeyEvent* event) {
  if (!isReadOnly() && EditForKey(event)) {
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

// The box's own menu, made of its own edits: the toolkit's would go round the box's history.
void TextBox::contextMenuEvent(QContextMenuEvent* event) {
  auto* menu = new QMenu(this);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  EditState state;
  state.editable = !isReadOnly();
  state.text_length = text().size();
  state.selection_length = selectionLength();
  state.can_undo = CanUndo();
  state.can_redo = CanRedo();
  state.clipboard_holds_text = !QGuiApplication::clipboard()->text().isEmpty();
  for (const EditMenuItem& item : kEditMenu) {
    if (!item.command) {
      menu->addSeparator();
      continue;
    }
    QAction* action = menu->addAction(ToQString(MenuItemText(item)));
    action->setEnabled(IsEnabled(*item.command, state));
    connect(action, &QAction::triggered, this, [this, command = *item.command] { Do(command); });
  }
  const std::vector<std::u16string> forms =
      copy_as_forms_ ? copy_as_forms_() : std::vector<std::u16string>();
  if (!forms.empty()) {
    menu->addSeparator();
    QMenu* copy_as = menu->addMenu(ToQString(kCopyAsMenuTitle));
    for (const std::u16string& form : forms) {
      connect(copy_as->addAction(ToQString(MenuEntryText(form))), &QAction::triggered, this,
              [copied = ToQString(form)] { QGuiApplication::clipboard()->setText(copied); });
    }
  }
  if (event->reason() == QContextMenuEvent::Keyboard) {
    const QRect caret = cursorRect();
    const MenuPoint place = KeyboardMenuPlace(caret.left(), caret.bottom(), width(), height());
    menu->popup(mapToGlobal(QPoint(place.x, place.y)));
  } else {
    menu->popup(event->globalPos());
  }
}

void TextBox::SetCopyAsForms(std::function<std::vector<std::u16string>()> forms) {
  copy_as_forms_ = std::move(forms);
}

void TextBox::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::MiddleButton && !isReadOnly() &&
      QGuiApplication::clipboard()->supportsSelection() &&
      rect().contains(event->position().toPoint())) {
    PasteFrom(QClipboard::Selection);
    event->accept();
    return;
  }
  QLineEdit::mouseReleaseEvent(event);
}

// A drag whose text the box would refuse is refused from the start, so the pointer shows that no
// drop is possible, and the source, told nothing was taken, keeps its text even on a move.
void TextBox::dragEnterEvent(QDragEnterEvent* event) {
  drag_taken_ = event->mimeData()->hasText() && Takes(event->mimeData()->text());
  if (!drag_taken_) {
    event->ignore();
    return;
  }
  QLineEdit::dragEnterEvent(event);
}

void TextBox::dragMoveEvent(QDragMoveEvent* event) {
  if (!drag_taken_) {  // decided on entering: a long text is not checked again at every move
    event->ignore();
    return;
  }
  QLineEdit::dragMoveEvent(event);
}

void TextBox::dropEvent(QDropEvent* event) {
  QString dropped = event->mimeData()->text();
  if (dropped.isNull() || isReadOnly()) {
    QLineEdit::dropEvent(event);
    return;
  }
  // A dropped text is taken as a pasted one: its first line, or nothing.
  const std::optional<std::u16string_view> line = PastedText(ToU16View(dropped));
  if (line && std::ssize(*line) < dropped.size()) dropped.truncate(std::ssize(*line));
  const qsizetype at = cursorPositionAt(event->position().toPoint());
  const bool moved_within =
      event->source() == this && event->dropAction() == Qt::MoveAction && hasSelectedText();
  bool taken = true;
  if (!moved_within) {
    if (event->source() == this) deselect();
    taken = Replace(at, at, dropped);
    if (taken && event->source() == this) {
      setSelection(static_cast<int>(at), static_cast<int>(dropped.size()));
    }
  } else {
    // Taking the selection out and putting it in elsewhere is one edit of the stretch between.
    const QString current = text();
    const qsizetype start = selectionStart();
    const qsizetype end = start + selectionLength();
    const QString moving = current.mid(start, end - start);
    if (at < start) {
      Replace(at, end, moving + current.mid(at, start - at));
      setSelection(static_cast<int>(at), static_cast<int>(moving.size()));
    } else if (at > end) {
      Replace(start, at, current.mid(end, at - end) + moving);
      setSelection(static_cast<int>(at - moving.size()), static_cast<int>(moving.size()));
    }
  }
  if (taken) {
    event->acceptProposedAction();
  } else {
    // Told that nothing happened, a source that offered a move deletes nothing.
    event->setDropAction(Qt::IgnoreAction);
    event->ignore();
  }
  QDragLeaveEvent leave;  // the toolkit's drop caret goes, as after its own drop
  QLineEdit::dragLeaveEvent(&leave);
}

void TextBox::inputMethodEvent(QInputMethodEvent* event) {
  const QString& commit = event->commitString();
  const bool large = commit.size() > kLargeInputMethodCommit ||
                     selectionLength() > kLargeInputMethodCommit ||
                     event->replacementLength() > kLargeInputMethodCommit;
  if (isReadOnly() || !large || !event->preeditString().isEmpty()) {
    QLineEdit::inputMethodEvent(event);
    return;
  }
  qsizetype start = selectionStart();
  qsizetype end = start + selectionLength();
  if (!hasSelectedText()) {
    start = std::clamp<qsizetype>(cursorPosition() + event->replacementStart(), 0, text().size());
    end = std::min<qsizetype>(start + event->replacementLength(), text().size());
  }
  Replace(start, end, commit);
  event->accept();
}

void TextBox::focusInEvent(QFocusEvent* event) {
  UpdateCaretBlinking();  // before the toolkit starts the blinking, which reads the period
  QLineEdit::focusInEvent(event);
}

void TextBox::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  UpdateCaretBlinking();  // hasFocus() is false by now
}

void TextBox::paintEvent(QPaintEvent* event) {
  if (text().size() > kOwnPaintingCharacters) {
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    if (PaintWithoutMeasuringWholeText(*this, panel)) return;
  }
  QLineEdit::paintEvent(event);
}

// Only the box with the focus shows a caret, so the toolkit's one blink period can hold still
// for it alone: zero while it has the focus and a huge text, given back as it loses either.
void TextBox::UpdateCaretBlinking() {
  const bool steady = hasFocus() && text().size() > kSteadyCaretCharacters;
  QStyleHints* hints = QGuiApplication::styleHints();
  if (steady && !flash_time_held_) {
    flash_time_held_ = hints->cursorFlashTime();
    hints->setCursorFlashTime(0);
  } else if (!steady && flash_time_held_) {
    hints->setCursorFlashTime(*flash_time_held_);
    flash_time_held_.reset();
  }
}

TextBox::~TextBox() {
  if (flash_time_held_) QGuiApplication::styleHints()->setCursorFlashTime(*flash_time_held_);
}

}  // namespace zentavo
