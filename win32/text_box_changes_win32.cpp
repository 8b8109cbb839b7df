// How the text box follows the EDIT's changes into its history: before a message that may edit
// the box, the stretch of text it can touch; once the EDIT says EN_CHANGE, the edit found in that
// stretch alone, so a keystroke in a text of megabytes copies a character or two, not the text.
#include <algorithm>
#include <optional>
#include <string>
#include <utility>

#include "key_state.h"
#include "text_box_win32.h"
#include "window_text.h"

namespace zentavo {
namespace {

// Whether `message` may change the box's text: a typed character, Delete, a whole new text, a
// replacement of the selection or a composition. A paste, a cut and a clear come back as
// EM_REPLACESEL, a WM_UNICHAR as WM_CHAR, Backspace as WM_CHAR.
bool MayEdit(UINT message, WPARAM wparam) {
  switch (message) {
    case WM_CHAR:
    case WM_IME_CHAR:
    case WM_SETTEXT:
    case EM_REPLACESEL:
    case WM_IME_COMPOSITION:
      return true;
    case WM_KEYDOWN:
      return wparam == VK_DELETE;
    default:
      return false;
  }
}

}  // namespace

// Notes what the text was around the selection before anything that may edit the box, and
// records the edit once the message is answered.
LRESULT TextBoxWin32::NoteAndAnswer(UINT message, WPARAM wparam, LPARAM lparam) {
  if (!MayEdit(message, wparam) || writing_ || stepping_history_) {
    return Answer(message, wparam, lparam);
  }
  PendingEdit pending = NoteBefore(message, wparam);
  if (message == EM_REPLACESEL) pending.handed_over = std::exchange(handing_over_, nullptr);
  std::optional<PendingEdit> outer = std::exchange(pending_, std::move(pending));
  const LRESULT answer = Answer(message, wparam, lparam);
  std::optional<PendingEdit> done = std::exchange(pending_, std::move(outer));
  if (done && done->changed) RecordAfter(*done);
  return answer;
}

void TextBoxWin32::FollowChange() {
  if (!writing_) holds_null_ = false;  // the user's own edit
  if (!writing_ && stepping_history_) {
    history_step_shown_ = true;
  } else if (!writing_ && pending_) {
    pending_->changed = true;
  } else {
    // The program wrote the box, so nothing of the user's is left to undo; or a change no noted
    // message made, which no step could undo exactly.
    history_.Clear();
  }
  // Whatever the EDIT kept to undo by itself goes: the box's history is the only one.
  emptying_own_undo_ = true;
  SendMessageW(box_, EM_EMPTYUNDOBUFFER, 0, 0);
  emptying_own_undo_ = false;
}

TextBoxWin32::PendingEdit TextBoxWin32::NoteBefore(UINT message, WPARAM wparam) const {
  PendingEdit pending;
  pending.before = Selection();
  pending.length = GetWindowTextLengthW(box_);
  pending.keystroke =
      message != WM_SETTEXT && message != EM_REPLACESEL && message != WM_IME_COMPOSITION;
  const std::ptrdiff_t low = std::min(pending.before.cursor, pending.before.anchor);
  const std::ptrdiff_t high = std::max(pending.before.cursor, pending.before.anchor);
  // What the message can take out: a typed character and EM_REPLACESEL the selection; Backspace
  // and Delete one character more either side, Ctrl+Delete up to the end; anything else, such
  // as a whole new text or a composition, all of it.
  std::ptrdiff_t start = 0;
  std::ptrdiff_t end = pending.length;
  const bool character = message == WM_CHAR || message == WM_IME_CHAR;
  if (message == EM_REPLACESEL || (character && wparam >= 0x20 && wparam != 0x7F)) {
    start = low;
    end = high;
  } else if (character || message == WM_KEYDOWN) {
    start = low - 1;
    end = message == WM_KEYDOWN && KeyIsDown(VK_CONTROL) ? pending.length : high + 1;
  }
  start = std::clamp<std::ptrdiff_t>(start, 0, pending.length);
  end = std::clamp<std::ptrdiff_t>(end, start, pending.length);
  pending.stretch_start = start;
  if (end > start) {
    pending.stretch = WindowTextStart(box_, static_cast<std::size_t>(end));
    pending.stretch.erase(0, static_cast<std::size_t>(start));
  }
  return pending;
}

// The edit is found within the noted stretch of the text, which has grown or shrunk by what
// the whole text did: a change outside it is none the noted message can make.
void TextBoxWin32::RecordAfter(PendingEdit& pending) {
  const std::ptrdiff_t length = GetWindowTextLengthW(box_);
  const std::ptrdiff_t start = pending.stretch_start;
  const auto stretch_length = static_cast<std::ptrdiff_t>(pending.stretch.size());
  const std::ptrdiff_t end_now = start + stretch_length + (length - pending.length);
  if (end_now < start || end_now > length) {
    history_.Clear();
    return;
  }
  if (pending.handed_over != nullptr) {
    if (static_cast<std::ptrdiff_t>(pending.handed_over->size()) != end_now - start) {
      history_.Clear();
      return;
    }
    history_.Record({start, std::move(pending.stretch), std::move(*pending.handed_over),
                     pending.before, false});
    return;
  }
  std::u16string now = WindowTextStart(box_, static_cast<std::size_t>(end_now));
  now.erase(0, static_cast<std::size_t>(start));
  const CursorAndAnchor within{pending.before.cursor - start, pending.before.anchor - start};
  BasicTextEdit<std::u16string> edit = EditBetween(pending.stretch, now, within, pending.keystroke);
  // Wine's EDIT also reports a change when Ctrl+A selects all: no step for no change.
  if (edit.removed.empty() && edit.inserted.empty()) return;
  edit.position += start;
  edit.before = pending.before;
  history_.Record(std::move(edit));
}

}  // namespace zentavo
