// A GDI font that is deleted when it goes out of scope.
#pragma once

#include <windows.h>

#include <utility>

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

}  // namespace zentavo
