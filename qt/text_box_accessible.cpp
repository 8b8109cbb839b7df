#include "text_box_accessible.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QLineEdit>
#include <QString>

#include <algorithm>
#include <iterator>

#include "accessibility_table.h"
#include "text_box.h"
#include "text_units.h"

namespace zentavo {
namespace {

using UnitFinder = TextRange (*)(QStringView, int, QAccessible::TextBoundaryType);

// Offsets follow the toolkit's convention: -1 stands for the end of the text.
QString UnitText(const QString& text, int offset, QAccessible::TextBoundaryType boundary,
                 UnitFinder find, int* start_offset, int* end_offset) {
  if (offset == -1) offset = static_cast<int>(text.size());
  if (offset < 0 || offset > text.size()) {
    *start_offset = *end_offset = -1;
    return {};
  }
  const TextRange unit = find(text, offset, boundary);
  *start_offset = unit.start;
  *end_offset = unit.end;
  // The whole text is returned shared, not copied: a line query on a megabyte costs nothing.
  if (unit.start == 0 && unit.end == text.size()) return text;
  return text.mid(unit.start, unit.end - unit.start);
}

}  // namespace

TextBoxAccessible::TextBoxAccessible(QLineEdit* box)
    : QAccessibleWidget(box, QAccessible::EditableText) {}

QLineEdit* TextBoxAccessible::box() const { return static_cast<QLineEdit*>(widget()); }

void* TextBoxAccessible::interface_cast(QAccessible::InterfaceType type) {
  switch (type) {
    case QAccessible::TextInterface:
      return static_cast<QAccessibleTextInterface*>(this);
    case QAccessible::EditableTextInterface:
      return static_cast<QAccessibleEditableTextInterface*>(this);
    default:
      return QAccessibleWidget::interface_cast(type);
  }
}

QString TextBoxAccessible::text(QAccessible::Text type) const {
  if (type == QAccessible::Value) return box()->text();
  return QAccessibleWidget::text(type);
}

void TextBoxAccessible::setText(QAccessible::Text type, const QString& text) {
  if (type == QAccessible::Value) {
    Edit(0, characterCount(), text);
  } else {
    QAccessibleWidget::setText(type, text);
  }
}

QAccessible::State TextBoxAccessible::state() const {
  QAccessible::State state = QAccessibleWidget::state();
  state.readOnly = box()->isReadOnly();
  state.editable = !box()->isReadOnly();
  state.selectableText = true;
  state.passwordEdit = box()->echoMode() != QLineEdit::Normal;
  return state;
}

QList<QPair<QAccessibleInterface*, QAccessible::Relation>> TextBoxAccessible::relations(
    QAccessible::Relation match) const {
  auto related = QAccessibleWidget::relations(match);
  const auto prompt_rank = [](const QPair<QAccessibleInterface*, QAccessible::Relation>& pair) {
    if (pair.second != QAccessible::Label || pair.first->object() == nullptr) {
      return std::ssize(accessibility::kPrompts);
    }
    const QString label = pair.first->object()->objectName();
    const auto* found =
        std::find_if(accessibility::kPrompts.begin(), accessibility::kPrompts.end(),
                     [&](const accessibility::PromptRecord& prompt) {
                       return label == QLatin1String(prompt.label.data(),
                                                     static_cast<qsizetype>(prompt.label.size()));
                     });
    return std::distance(accessibility::kPrompts.begin(), found);
  };
  std::stable_sort(related.begin(), related.end(), [&](const auto& left, const auto& right) {
    return prompt_rank(left) < prompt_rank(right);
  });
  return related;
}

void TextBoxAccessible::selection(int selection_index, int* start_offset, int* end_offset) const {
  *start_offset = *end_offset = 0;
  if (selection_index != 0 || !box()->hasSelectedText()) return;
  *start_offset = box()->selectionStart();
  *end_offset = box()->selectionEnd();
}

int TextBoxAccessible::selectionCount() const { return box()->hasSelectedText() ? 1 : 0; }

void TextBoxAccessible::addSelection(int start_offset, int end_offset) {
  setSelection(0, start_offset, end_offset);
}

void TextBoxAccessible::removeSelection(int selection_index) {
  if (selection_index == 0) box()->deselect();
}

void TextBoxAccessible::setSelection(int selection_index, int start_offset, int end_offset) {
  const int size = characterCount();
  if (selection_index != 0 || start_offset < 0 || end_offset < 0 || start_offset > size ||
      end_offset > size) {
    return;
  }
  box()->setSelection(start_offset, end_offset - start_offset);
}

int TextBoxAccessible::cursorPosition() const { return box()->cursorPosition(); }

void TextBoxAccessible::setCursorPosition(int position) { box()->setCursorPosition(position); }

QString TextBoxAccessible::text(int start_offset, int end_offset) const {
  QString text = box()->text();  // not const, so the whole text can be moved out
  const int size = static_cast<int>(text.size());
  if (end_offset == -1) end_offset = size;
  start_offset = std::clamp(start_offset, 0, size);
  end_offset = std::clamp(end_offset, start_offset, size);
  if (start_offset == 0 && end_offset == size) return text;
  return text.mid(start_offset, end_offset - start_offset);
}

QString TextBoxAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary,
                                            int* start_offset, int* end_offset) const {
  return UnitText(box()->text(), offset, boundary, &TextUnitBefore, start_offset, end_offset);
}

QString TextBoxAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundary,
                                           int* start_offset, int* end_offset) const {
  return UnitText(box()->text(), offset, boundary, &TextUnitAfter, start_offset, end_offset);
}

QString TextBoxAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundary,
                                        int* start_offset, int* end_offset) const {
  return UnitText(box()->text(), offset, boundary, &TextUnitAt, start_offset, end_offset);
}

int TextBoxAccessible::characterCount() const { return static_cast<int>(box()->text().size()); }

QRect TextBoxAccessible::characterRect(int offset) const {
  QLineEdit* line_edit = box();  // cursorPositionAt is not const, though it changes nothing
  const QString text = line_edit->text();
  if (offset < 0 || offset >= text.size()) return {};
  // The line edit tells the caret position nearest to a point but not where a character is,
  // so the character's middle, where that answer steps past it, is found by bisection over
  // the visible width. A character scrolled out of view has no place on the screen.
  const QRect contents = line_edit->contentsRect();
  const int y = contents.center().y();
  const auto position_at = [&](int x) { return line_edit->cursorPositionAt(QPoint(x, y)); };
  int left = contents.left();
  int right = contents.right();
  if (position_at(left) > offset || position_at(right) <= offset) return {};
  while (left < right) {
    const int middle = left + (right - left) / 2;
    if (position_at(middle) > offset) {
      right = middle;
    } else {
      left = middle + 1;
    }
  }
  const QFontMetrics metrics = line_edit->fontMetrics();
  const int width = std::max(1, metrics.horizontalAdvance(text.at(offset)));
  const QRect local(left - width / 2, y - metrics.height() / 2, width, metrics.height());
  return {line_edit->mapToGlobal(local.topLeft()), local.size()};
}

int TextBoxAccessible::offsetAtPoint(const QPoint& point) const {
  const QPoint local = box()->mapFromGlobal(point);
  if (!box()->rect().contains(local)) return -1;
  return box()->cursorPositionAt(local);
}

void TextBoxAccessible::scrollToSubstring(int start_index, int end_index) {
  box()->setCursorPosition(end_index);
  box()->setCursorPosition(start_index);
}

QString TextBoxAccessible::attributes(int offset, int* start_offset, int* end_offset) const {
  const int size = characterCount();
  if (offset == -1) offset = size;
  if (offset < 0 || offset > size) {
    *start_offset = *end_offset = -1;
    return {};
  }
  // The whole line is in one font and colour: one run covers it.
  *start_offset = 0;
  *end_offset = size;
  const QFontInfo font(box()->font());
  return QStringLiteral("font-family:%1;font-size:%2pt;font-weight:%3")
      .arg(font.family())
      .arg(font.pointSize())
      .arg(font.bold() ? QStringLiteral("bold") : QStringLiteral("normal"));
}

void TextBoxAccessible::deleteText(int start_offset, int end_offset) {
  Edit(start_offset, end_offset, QString());
}

void TextBoxAccessible::insertText(int offset, const QString& text) { Edit(offset, offset, text); }

void TextBoxAccessible::replaceText(int start_offset, int end_offset, const QString& text) {
  Edit(start_offset, end_offset, text);
}

void TextBoxAccessible::Edit(int start, int end, const QString& text) {
  const int size = characterCount();
  if (start < 0 || end < start || end > size || box()->isReadOnly()) return;
  if (auto* own_box = qobject_cast<TextBox*>(box())) {
    own_box->Replace(start, end, text);
    return;
  }
  box()->setSelection(start, end - start);
  box()->insert(text);
}

}  // namespace zentavo
