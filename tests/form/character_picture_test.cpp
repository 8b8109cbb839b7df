#include "character_picture.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>

#include "character_details.h"
#include "control_names.h"
#include "windows1252.h"

namespace zentavo {
namespace {

TEST(PictureText, SetsApartEveryCharacterWithoutADistinctGlyph) {
  std::set<std::u16string> pictures;
  for (unsigned code = 0; code < 256; ++code) {
    const auto byte = static_cast<std::uint8_t>(code);
    if (!HasNoDistinctGlyph(byte)) continue;
    EXPECT_TRUE(pictures.insert(PictureText(byte)).second) << "code " << code << " repeats";
  }
  EXPECT_EQ(pictures.size(), 40U);
  EXPECT_EQ(PictureText(10), u"LF");
  EXPECT_EQ(PictureText(173), u"SHY");
  EXPECT_EQ(PictureText(144), u"90");
}

TEST(PicturedCode, EveryCodeWithoutAGlyphAndNoOtherInTxtParaCar) {
  // The C0 controls and DEL, the five codes Windows-1252 leaves undefined, the no-break space
  // and the soft hyphen.
  std::set<int> without_glyph = {127, 129, 141, 143, 144, 157, 160, 173};
  for (int code = 0; code < 32; ++code) without_glyph.insert(code);
  for (int code = 0; code < 256; ++code) {
    const auto byte = static_cast<std::uint8_t>(code);
    const std::u16string alone(1, CharacterForCode(byte));
    const std::optional<std::uint8_t> expected =
        without_glyph.count(code) != 0 ? std::optional<std::uint8_t>(byte) : std::nullopt;
    EXPECT_EQ(PicturedCode(control_names::kCharacterOutput, alone), expected) << code;
  }
}

struct TextRow {
  const char* name;
  std::string_view box;
  std::u16string text;
};

TEST(PicturedCode, NothingButOneSuchCharacterInTxtParaCarIsAPicture) {
  const std::vector<TextRow> rows = {
      {"two of them", control_names::kCharacterOutput, u"\u00A0\u00A0"},
      {"one and a letter", control_names::kCharacterOutput, u"\u00ADA"},
      {"empty", control_names::kCharacterOutput, u""},
      {"the box's name", control_names::kCharacterOutput, u"txtParaCar"},
      {"the typed character's box", control_names::kCharacterInput, u"\u00A0"},
      {"the code box", control_names::kCodeInput, std::u16string(1, u'\0')},
  };
  for (const TextRow& row : rows)
    EXPECT_EQ(PicturedCode(row.box, row.text), std::nullopt) << row.name;
}

struct FrameRow {
  const char* name;
  int area_left, area_top, area_bottom, label_width, label_height, padding;
  PictureFrame expected;
};

TEST(PictureFramePlace, AtTheTextsStartCentredOnTheBoxsMiddle) {
  const std::vector<FrameRow> rows = {
      {"96 dpi", 2, 2, 20, 30, 13, 2, {3, 3, 34, 15}},
      {"144 dpi", 0, 0, 27, 45, 19, 3, {1, 3, 51, 21}},
      {"a label taller than the box", 0, 0, 10, 8, 14, 2, {1, -3, 12, 16}},
  };
  for (const FrameRow& row : rows) {
    const PictureFrame frame = PictureFramePlace(row.area_left, row.area_top, row.area_bottom,
                                                 row.label_width, row.label_height, row.padding);
    EXPECT_EQ(frame.left, row.expected.left) << row.name;
    EXPECT_EQ(frame.top, row.expected.top) << row.name;
    EXPECT_EQ(frame.width, row.expected.width) << row.name;
    EXPECT_EQ(frame.height, row.expected.height) << row.name;
  }
}

}  // namespace
}  // namespace zentavo
