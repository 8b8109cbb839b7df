#include "row_details_win32.h"

#include <commctrl.h>

#include "code_pages_here_win32.h"
#include "keyboard_here_win32.h"
#include "result_announcer_win32.h"
#include "window_text.h"

namespace zentavo {
namespace {

TTTOOLINFOW ToolOf(HWND window, HWND box) {
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.hwnd = window;
  tool.uId = reinterpret_cast<UINT_PTR>(box);
  return tool;
}

}  // namespace

RowDetailsWin32::RowDetailsWin32(const accessibility::RowRecord& row, HWND window, HWND input,
                                 HWND output, ResultAnnouncerWin32& announcer)
    : row_(row), window_(window), input_(input), output_(output), announcer_(announcer) {}

void RowDetailsWin32::ShowTipsIn(HWND tooltip) {
  tooltip_ = tooltip;
  for (HWND box : {input_, output_}) {
    TTTOOLINFOW tool = ToolOf(window_, box);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.lpszText = const_cast<wchar_t*>(Wide(text_.tooltip));
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

void RowDetailsWin32::Update(std::u16string_view shown, InputChange change) {
  ShowText(shown, change);
  const std::u16string_view announcement = AnnouncementOf(text_, GetFocus() == output_);
  if (!announcement.empty()) announcer_.Announce(announcement);
}

void RowDetailsWin32::Refresh(std::u16string_view shown) { ShowText(shown, InputChange::Edited); }

void RowDetailsWin32::ShowText(std::u16string_view shown, InputChange change) {
  text_ = RowTextFor(row_, shown, &CodePagesHere, change, &KeyboardWaysHere);
  for (HWND box : {input_, output_}) {
    if (tooltip_ != nullptr) {
      TTTOOLINFOW tool = ToolOf(window_, box);
      tool.lpszText = const_cast<wchar_t*>(Wide(text_.tooltip));
      SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, box, OBJID_CLIENT, CHILDID_SELF);
  }
}

}  // namespace zentavo
