// A GDI font that is deleted when it goes out of scope, and the window's fonts made as such.
#pragma once

#include <windows.h>

#include <utility>

#include "layout_table.h"

namespace zentavo {

class GdiFont {
 public:
  GdiFont() = default;
  explicit GdiFont(const LOGFONTW& description) : font_(CreateFontIndirectW(&description)) {}
  GdiFont(GdiFont&& other) noexcept : font_(std::exchange(other.font_, nullptr)) {}
  GdiFont& operator=(GdiFont&& other) noexcept {
    std::swap(font_, other.font_);
    return *this;
  }
  GdiFont(const GdiFont&) = delete;
  GdiFont& operator=(const GdiFont&) = delete;
  ~GdiFont() {
    if (font_ != nullptr) DeleteObject(font_);
  }

  [[nodiscard]] HFONT get() const { return font_; }

 private:
  HFONT font_ = nullptr;
};

// `record` of the layout table at `dpi`, in the face FaceToAskFor chooses, where an empty face
// stands for the platform's face for messages.
[[nodiscard]] GdiFont FontFromRecord(HDC context, const layout::FontRecord& record, UINT dpi);

}  // namespace zentavo
