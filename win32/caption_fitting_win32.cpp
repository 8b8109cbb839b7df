#include "caption_fitting_win32.h"

#include <commctrl.h>

#include <string>
#include <variant>

#include "caption_fit.h"
#include "layout_table.h"
#include "window_geometry.h"
#include "window_text.h"

namespace zentavo {
namespace {

using layout::ControlKind;
using layout::ControlRecord;

constexpr UINT_PTR kFirstLabelTool = 1;

int CaptionWidth(HDC context, HFONT font, const std::u16string& caption) {
  const HGDIOBJ previous = SelectObject(context, font);
  SIZE size{};
  GetTextExtentPoint32W(context, Wide(caption), static_cast<int>(caption.size()), &size);
  SelectObject(context, previous);
  return size.cx;
}

HFONT FontOf(const ControlRecord& record, HFONT window_font, HFONT banner_font) {
  return record.font == layout::FontChoice::Banner ? banner_font : window_font;
}

}  // namespace

void AddCutCaptionTooltips(HWND window, HWND tooltip, HFONT window_font, HFONT banner_font,
                           UINT dpi) {
  HDC context = GetDC(window);
  UINT_PTR tool_id = kFirstLabelTool;
  for (const ControlRecord& record : layout::kLayoutTable.controls) {
    if (record.kind != ControlKind::Label) continue;
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = window;
    tool.uId = tool_id++;
    SendMessageW(tooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    const std::u16string caption(record.text);
    const RECT place = PlaceOf(record, dpi);
    const int width = CaptionWidth(context, FontOf(record, window_font, banner_font), caption);
    if (!CaptionIsCut(width, place.right - place.left)) continue;
    tool.uFlags = TTF_SUBCLASS;
    tool.rect = place;
    tool.lpszText = const_cast<wchar_t*>(Wide(caption));
    SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  ReleaseDC(window, context);
}

void PaintCaptionsAndLines(HDC context, HFONT window_font, HFONT banner_font, UINT dpi) {
  SetBkMode(context, TRANSPARENT);
  SetTextColor(context, GetSysColor(COLOR_WINDOWTEXT));
  const HGDIOBJ previous_font = SelectObject(context, window_font);
  const HGDIOBJ previous_pen = SelectObject(context, GetStockObject(DC_PEN));
  SetDCPenColor(context, GetSysColor(COLOR_WINDOWTEXT));
  for (const ControlRecord& record : layout::kLayoutTable.controls) {
    if (record.kind == ControlKind::Line) {
      const auto& segment = std::get<layout::TwipSegment>(record.place);
      MoveToEx(context, Pixels(segment.x1, dpi), Pixels(segment.y1, dpi), nullptr);
      LineTo(context, Pixels(segment.x2, dpi), Pixels(segment.y2, dpi));
      continue;
    }
    if (record.kind != ControlKind::Label) continue;
    SelectObject(context, FontOf(record, window_font, banner_font));
    RECT place = PlaceOf(record, dpi);
    TEXTMETRICW metrics{};
    GetTextMetricsW(context, &metrics);
    const UINT vertical =
        AnchorCaption(metrics.tmHeight, place.bottom - place.top) == CaptionAnchor::Bottom
            ? DT_BOTTOM
            : DT_TOP;
    const std::u16string caption(record.text);
    DrawTextW(context, Wide(caption), static_cast<int>(caption.size()), &place,
              DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | vertical);
  }
  SelectObject(context, previous_pen);
  SelectObject(context, previous_font);
}

}  // namespace zentavo
