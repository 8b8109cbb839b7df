#include "character_pictures_win32.h"

#include <string>

#include "character_picture.h"
#include "window_text.h"

namespace zentavo {

void PaintCharacterPicture(HWND box, HFONT font, UINT dpi, std::uint8_t code) {
  const std::u16string label(PictureText(code));
  HideCaret(box);
  HDC context = GetDC(box);
  RECT inside{};
  GetClientRect(box, &inside);
  // What the box drew for the character itself (nothing, or a missing-glyph box) goes.
  FillRect(context, &inside, GetSysColorBrush(COLOR_WINDOW));
  const HGDIOBJ previous_font = SelectObject(context, font);
  SIZE label_size{};
  GetTextExtentPoint32W(context, Wide(label), static_cast<int>(label.size()), &label_size);
  const PictureFrame frame =
      PictureFramePlace(inside.left, inside.top, inside.bottom, label_size.cx, label_size.cy,
                        MulDiv(kPicturePadding, static_cast<int>(dpi), 96));
  RECT picture{frame.left, frame.top, frame.left + frame.width, frame.top + frame.height};
  HPEN dotted = CreatePen(PS_DOT, 1, GetSysColor(COLOR_GRAYTEXT));
  const HGDIOBJ previous_pen = SelectObject(context, dotted);
  const HGDIOBJ previous_brush = SelectObject(context, GetStockObject(NULL_BRUSH));
  Rectangle(context, picture.left, picture.top, picture.right, picture.bottom);
  SetBkMode(context, TRANSPARENT);
  SetTextColor(context, GetSysColor(COLOR_GRAYTEXT));
  DrawTextW(context, Wide(label), static_cast<int>(label.size()), &picture,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(context, previous_brush);
  SelectObject(context, previous_pen);
  SelectObject(context, previous_font);
  DeleteObject(dotted);
  ReleaseDC(box, context);
  ShowCaret(box);
}

}  // namespace zentavo
