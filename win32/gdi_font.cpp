#include "gdi_font.h"

#include <cmath>
#include <cwchar>
#include <string>

#include "font_choice.h"
#include "window_text.h"

namespace zentavo {
namespace {

bool FontIsInstalled(HDC context, std::u16string_view face) {
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  const std::u16string name(face.substr(0, LF_FACESIZE - 1));
  wcsncpy(wanted.lfFaceName, Wide(name), LF_FACESIZE - 1);
  bool found = false;
  EnumFontFamiliesExW(
      context, &wanted,
      [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found_flag) -> int {
        *reinterpret_cast<bool*>(found_flag) = true;
        return 0;
      },
      reinterpret_cast<LPARAM>(&found), 0);
  return found;
}

}  // namespace

GdiFont FontFromRecord(HDC context, const layout::FontRecord& record, UINT dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  const std::u16string face(FaceToAskFor(
      record, [context](std::u16string_view wanted) { return FontIsInstalled(context, wanted); }));
  LOGFONTW font{};
  font.lfHeight = -static_cast<LONG>(std::lround(record.point_size * dpi / 72.0));
  font.lfWeight = IsBold(record) ? FW_BOLD : FW_NORMAL;
  font.lfItalic = record.italic ? TRUE : FALSE;
  font.lfUnderline = record.underline ? TRUE : FALSE;
  font.lfStrikeOut = record.strike_out ? TRUE : FALSE;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = CLEARTYPE_QUALITY;
  wcsncpy(font.lfFaceName, face.empty() ? metrics.lfMessageFont.lfFaceName : Wide(face),
          LF_FACESIZE - 1);
  return GdiFont(font);
}

}  // namespace zentavo
