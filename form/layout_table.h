// The window as data: its record and its 21 controls, in creation order. Every place, size,
// caption and font of the window is here and nowhere else; the builder only reads this table.
#pragma once

#include <array>
#include <string_view>
#include <variant>

#include "control_names.h"

namespace zentavo::layout {

// Lengths are in twips, 1/1440 inch, measured from the top left corner of the client area.
struct TwipRect {
  int left;
  int top;
  int width;
  int height;
};

struct TwipSegment {
  int x1;
  int y1;
  int x2;
  int y2;
};

enum class ControlKind { Label, TextBox, PushButton, Line };

// Controls either use the window's font or the banner font of the maker's lines.
enum class FontChoice { Window, Banner };

inline constexpr int kNoTabIndex = -1;

struct ControlRecord {
  std::string_view name;
  ControlKind kind;
  std::variant<TwipRect, TwipSegment> place;
  std::u16string_view text;
  FontChoice font;
  int tab_index;
};

struct FontRecord {
  std::u16string_view face;
  int point_size;
  int weight;  // 400 regular, 700 bold
  bool italic;
  bool underline;
  bool strike_out;
  int character_set;  // 0: ANSI
};

struct WindowRecord {
  std::string_view name;
  std::u16string_view caption;
  int client_width;
  int client_height;
};

struct LayoutTable {
  WindowRecord window;
  FontRecord window_font;  // an empty face stands for the platform's own sans family
  FontRecord banner_font;
  std::array<ControlRecord, 21> controls;
};

namespace names = control_names;
using enum ControlKind;
using enum FontChoice;

// clang-format off
inline constexpr LayoutTable kLayoutTable{
    .window = {names::kWindow, u"Tolvek Zentavo", 6360, 4050},
    .window_font = {u"", 7, 400, false, false, false, 0},
    .banner_font = {u"Myriad Roman", 12, 700, false, false, false, 0},
    .controls = {{
        {names::kExitButton,       PushButton, TwipRect{4200, 3480, 1335, 375}, u"Exit/Sair",    Window, 12},
        {names::kCodeOutput,       TextBox,    TwipRect{5280, 2640,  615, 375}, u"txtParaASCII", Window,  3},
        {names::kCharacterInput,   TextBox,    TwipRect{4080, 2640,  615, 375}, u"",             Window,  2},
        {names::kCharacterOutput,  TextBox,    TwipRect{5280, 1200,  615, 375}, u"txtParaCar",   Window,  1},
        {names::kCodeInput,        TextBox,    TwipRect{3960, 1200,  615, 375}, u"",             Window,  0},
        {"Label14", Label, TwipRect{ 240, 3600, 5895, 255}, u"More in : tolvek.example", Banner, 18},
        {"Label13", Label, TwipRect{ 120,  120, 5895, 255}, u"A Tolvek Program", Banner, 17},
        {"Label12", Label, TwipRect{ 360, 2640, 3375, 255},
         u"Write a keyboard  caracter to translate to ASCii code :", Window, 16},
        {"Label11", Label, TwipRect{4080, 2040,  615, 255}, u"Caracter", Window, 15},
        {"Label10", Label, TwipRect{5280,  600,  615, 255}, u"Caracter", Window, 14},
        {"Label9",  Label, TwipRect{ 240, 1080, 2415, 255}, u"Write ASCii code to translate : ", Window, 13},
        {"Line2",   Line,  TwipSegment{0, 3360, 6360, 3360}, u"", Window, kNoTabIndex},
        {"Label8",  Label, TwipRect{ 360, 2880, 2535, 255}, u"Escreva uma tecla / Caract\u00E9r :", Window, 11},
        {"Label7",  Label, TwipRect{ 240, 1320, 2535, 255}, u"Escreva c\u00F3digo ASC ii para traduzir :", Window, 10},
        {"Label6",  Label, TwipRect{5280, 2280,  495, 255}, u"ASCII", Window, 9},
        {"Label5",  Label, TwipRect{4080, 2280,  495, 255}, u"Tecla", Window, 8},
        {"Label4",  Label, TwipRect{5280,  840,  495, 255}, u"Tecla", Window, 7},
        {"Label3",  Label, TwipRect{3960,  840,  495, 255}, u"ASCII", Window, 6},
        {"Line1",   Line,  TwipSegment{0, 1920, 6360, 1920}, u"", Window, kNoTabIndex},
        {"Label2",  Label, TwipRect{4920, 2640,  255, 255}, u"<-", Window, 5},
        {"Label1",  Label, TwipRect{4800, 1200,  255, 255}, u"->", Window, 4},
    }},
};
// clang-format on

// Pixels at `dpi` dots per inch, rounded half up; 96 gives the device-independent pixels Qt's
// high-DPI scaling maps to the screen, and Zentavo.exe passes its window's own DPI.
constexpr int TwipsToPixels(int twips, int dpi = 96) { return (twips * dpi + 720) / 1440; }

static_assert(TwipsToPixels(15) == 1 && TwipsToPixels(6360) == 424 && TwipsToPixels(4050) == 270);

// A place in pixels by its edges: `right` and `bottom` are the first column and row past it.
struct PixelRect {
  int left;
  int top;
  int right;
  int bottom;
  [[nodiscard]] constexpr int width() const { return right - left; }
  [[nodiscard]] constexpr int height() const { return bottom - top; }
};

// Rounds each edge rather than each size, so neighbours that touch in twips touch in pixels.
constexpr PixelRect ToPixels(const TwipRect& place, int dpi = 96) {
  return {TwipsToPixels(place.left, dpi), TwipsToPixels(place.top, dpi),
          TwipsToPixels(place.left + place.width, dpi),
          TwipsToPixels(place.top + place.height, dpi)};
}

// The table's shape, checked where it is written: the window's code keeps one slot per text box
// and expects one button, so a fifth box or a repeated name must not build.
namespace shape {

constexpr int CountOf(ControlKind kind) {
  int count = 0;
  for (const ControlRecord& record : kLayoutTable.controls) count += record.kind == kind ? 1 : 0;
  return count;
}

constexpr bool NamesAreUnique() {
  const auto& controls = kLayoutTable.controls;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    if (controls[i].name == kLayoutTable.window.name) return false;
    for (std::size_t j = i + 1; j < controls.size(); ++j) {
      if (controls[i].name == controls[j].name) return false;
    }
  }
  return true;
}

constexpr bool TabIndexesAreUniqueAndOnlyLinesLackOne() {
  const auto& controls = kLayoutTable.controls;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    if ((controls[i].kind == ControlKind::Line) != (controls[i].tab_index == kNoTabIndex)) {
      return false;
    }
    for (std::size_t j = i + 1; j < controls.size(); ++j) {
      if (controls[i].tab_index != kNoTabIndex && controls[i].tab_index == controls[j].tab_index) {
        return false;
      }
    }
  }
  return true;
}

}  // namespace shape

static_assert(shape::CountOf(ControlKind::TextBox) == 4, "the window has four text boxes");
static_assert(shape::CountOf(ControlKind::PushButton) == 1, "the window has one button");
static_assert(shape::CountOf(ControlKind::Line) == 2, "the window has two lines");
static_assert(shape::NamesAreUnique(), "every control has a name of its own");
static_assert(shape::TabIndexesAreUniqueAndOnlyLinesLackOne(), "tab indexes are unique");

}  // namespace zentavo::layout
