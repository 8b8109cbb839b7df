// How the one-line control measures, scrolls and paints: only ever the characters that show, a
// bounded stretch at a time, however long the text.
#include <algorithm>
#include <numeric>

#include "line_edit_win32.h"
#include "line_navigation.h"

namespace zentavo {
namespace {

// No call measures more than this many characters at once.
constexpr std::ptrdiff_t kMeasuredAtOnce = 256;
// Far enough off either edge for any screen: a position beyond it is reported as this far.
constexpr int kFarOff = 32767;

// A device context of the control's window with its font chosen, given back however the
// measuring ends.
class FontContext {
 public:
  FontContext(HWND window, HFONT font)
      : window_(window),
        context_(GetDC(window)),
        previous_(SelectObject(context_, font != nullptr ? font : GetStockObject(SYSTEM_FONT))) {}
  FontContext(const FontContext&) = delete;
  FontContext& operator=(const FontContext&) = delete;
  ~FontContext() {
    SelectObject(context_, previous_);
    ReleaseDC(window_, context_);
  }
  [[nodiscard]] HDC get() const { return context_; }

 private:
  HWND window_;
  HDC context_;
  HGDIOBJ previous_;
};

int Sum(const std::vector<int>& advances) {
  return std::accumulate(advances.begin(), advances.end(), 0);
}

}  // namespace

std::vector<int> LineEditWin32::Advances(std::ptrdiff_t start, std::ptrdiff_t end) const {
  const int count = static_cast<int>(std::clamp<std::ptrdiff_t>(end - start, 0, kMeasuredAtOnce));
  std::vector<int> advances(static_cast<std::size_t>(count));
  if (count == 0) return advances;
  const FontContext context(window_, font_);
  SIZE size{};
  GetTextExtentExPointW(context.get(), reinterpret_cast<const wchar_t*>(text_.data() + start),
                        count, 0, nullptr, advances.data(), &size);
  // Windows gives where each character ends; each character's own width is wanted.
  for (int i = count - 1; i > 0; --i) advances[i] -= advances[i - 1];
  return advances;
}

int LineEditWin32::WidthBetween(std::ptrdiff_t start, std::ptrdiff_t end, int enough) const {
  int width = 0;
  for (std::ptrdiff_t at = start; at < end && width < enough; at += kMeasuredAtOnce) {
    width += Sum(Advances(at, std::min(end, at + kMeasuredAtOnce)));
  }
  return std::min(width, enough);
}

std::ptrdiff_t LineEditWin32::FittingBefore(std::ptrdiff_t end, int pixels) const {
  std::ptrdiff_t start = end;
  while (start > 0) {
    const std::vector<int> advances =
        Advances(std::max<std::ptrdiff_t>(start - kMeasuredAtOnce, 0), start);
    const std::size_t fitting = CountFittingFromEnd(advances, pixels);
    start -= static_cast<std::ptrdiff_t>(fitting);
    if (fitting < advances.size()) break;
    pixels -= Sum(advances);
  }
  return start;
}

RECT LineEditWin32::TextArea() const {
  RECT area{};
  GetClientRect(window_, &area);
  area.left += margin_;
  area.right = std::max(area.left, area.right - margin_);
  // One line, in the middle of the box's height.
  area.top = std::max<LONG>(0, (area.bottom - line_height_) / 2);
  area.bottom = area.top + line_height_;
  return area;
}

int LineEditWin32::XOf(std::ptrdiff_t index) const {
  const RECT area = TextArea();
  if (index >= first_shown_) return area.left + WidthBetween(first_shown_, index, kFarOff);
  return area.left - WidthBetween(index, first_shown_, kFarOff);
}

std::ptrdiff_t LineEditWin32::IndexAt(int x) const {
  int left = TextArea().left;
  for (std::ptrdiff_t at = first_shown_; at < Length(); at += kMeasuredAtOnce) {
    const std::vector<int> advances = Advances(at, std::min(Length(), at + kMeasuredAtOnce));
    const int width = Sum(advances);
    if (x < left + width) return at + static_cast<std::ptrdiff_t>(CaretPlaceAt(advances, x - left));
    left += width;
  }
  return Length();
}

void LineEditWin32::ScrollToCaret() {
  const RECT area = TextArea();
  const int width = area.right - area.left;
  if (width > 0) {
    // Out of sight, the caret comes back a third of the width in from the edge it left by.
    if (cursor_ < first_shown_) {
      first_shown_ = FittingBefore(cursor_, width / 3);
    } else if (WidthBetween(first_shown_, cursor_, width + 1) > width) {
      first_shown_ = FittingBefore(cursor_, width - width / 3);
    }
    if (first_shown_ > 0 && WidthBetween(0, Length(), width + 1) <= width) first_shown_ = 0;
  }
  PlaceCaret();
}

void LineEditWin32::PlaceCaret() const {
  if (focused_) SetCaretPos(XOf(cursor_), TextArea().top);
}

void LineEditWin32::TakeFont(HFONT font) {
  font_ = font;
  TEXTMETRICW metrics{};
  {
    const FontContext context(window_, font_);
    GetTextMetricsW(context.get(), &metrics);
  }
  line_height_ = metrics.tmHeight;
  margin_ = std::max<int>(2, metrics.tmAveCharWidth / 3);
  if (focused_) {
    MakeCaret();  // of the new line's height, in place
  } else {
    ScrollToCaret();
  }
}

void LineEditWin32::MakeCaret() {
  // As wide as the user has asked carets to be, in the system's settings.
  DWORD width = 1;
  SystemParametersInfoW(SPI_GETCARETWIDTH, 0, &width, 0);
  CreateCaret(window_, nullptr, static_cast<int>(std::max<DWORD>(width, 1)), line_height_);
  ScrollToCaret();
  ShowCaret(window_);
}

void LineEditWin32::Paint() {
  PAINTSTRUCT paint{};
  HDC context = BeginPaint(window_, &paint);
  const bool enabled = IsWindowEnabled(window_) != FALSE;
  // The parent chooses the colours, as it does an EDIT's: a read-only box as a static.
  const UINT colours = enabled && !ReadOnly() ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC;
  auto brush = reinterpret_cast<HBRUSH>(SendMessageW(GetParent(window_), colours,
                                                     reinterpret_cast<WPARAM>(context),
                                                     reinterpret_cast<LPARAM>(window_)));
  if (brush == nullptr) brush = GetSysColorBrush(COLOR_WINDOW);
  if (!enabled) SetTextColor(context, GetSysColor(COLOR_GRAYTEXT));
  RECT client{};
  GetClientRect(window_, &client);
  FillRect(context, &client, brush);
  const HGDIOBJ previous =
      SelectObject(context, font_ != nullptr ? font_ : GetStockObject(SYSTEM_FONT));
  const RECT area = TextArea();
  // The characters shown, those from the first that start within the text area, measured once:
  // where each starts is what both the text and the selection are drawn at.
  std::vector<int> starts{area.left};
  std::ptrdiff_t shown_end = first_shown_;
  while (shown_end < Length() && starts.back() < area.right) {
    const std::ptrdiff_t next = std::min(Length(), shown_end + kMeasuredAtOnce);
    for (const int advance : Advances(shown_end, next)) starts.push_back(starts.back() + advance);
    shown_end = next;
  }
  const auto x_of = [&](std::ptrdiff_t index) {
    return starts[static_cast<std::size_t>(index - first_shown_)];
  };
  const auto draw = [&](std::ptrdiff_t from, std::ptrdiff_t to, UINT options, const RECT& clip) {
    ExtTextOutW(context, x_of(from), area.top, options, &clip,
                reinterpret_cast<const wchar_t*>(text_.data() + from), static_cast<UINT>(to - from),
                nullptr);
  };
  SetBkMode(context, TRANSPARENT);
  draw(first_shown_, shown_end, ETO_CLIPPED, area);
  const std::ptrdiff_t selected_from = std::max(std::min(cursor_, anchor_), first_shown_);
  const std::ptrdiff_t selected_to = std::min(std::max(cursor_, anchor_), shown_end);
  const bool shows_selection =
      focused_ || (GetWindowLongPtrW(window_, GWL_STYLE) & ES_NOHIDESEL) != 0;
  if (shows_selection && selected_from < selected_to) {
    const RECT selected{std::max<LONG>(x_of(selected_from), area.left), area.top,
                        std::min<LONG>(x_of(selected_to), area.right), area.bottom};
    SetBkMode(context, OPAQUE);
    SetTextColor(context, GetSysColor(COLOR_HIGHLIGHTTEXT));
    SetBkColor(context, GetSysColor(COLOR_HIGHLIGHT));
    draw(selected_from, selected_to, ETO_OPAQUE | ETO_CLIPPED, selected);
  }
  SelectObject(context, previous);
  EndPaint(window_, &paint);
}

}  // namespace zentavo
