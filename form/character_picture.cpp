#include "character_picture.h"

#include "character_details.h"
#include "code_notation.h"
#include "control_names.h"

namespace zentavo {

std::u16string PictureText(std::uint8_t code) {
  const CharacterDetails details = DetailsOfCode(code);
  if (!details.abbreviation.empty()) return Widen(details.abbreviation);
  return Digits(code, 16);
}

bool DrawsPictures(std::string_view box) { return box == control_names::kCharacterOutput; }

std::optional<std::uint8_t> PicturedCode(std::string_view box, std::u16string_view text) {
  if (!DrawsPictures(box)) return std::nullopt;
  const std::optional<std::uint8_t> code = CodeOfLoneCharacter(text);
  if (!code || !HasNoDistinctGlyph(*code)) return std::nullopt;
  return code;
}

PictureFrame PictureFramePlace(int area_left, int area_top, int area_bottom, int label_width,
                               int label_height, int padding) {
  const int middle_top = area_top + (area_bottom - area_top - label_height) / 2;
  return {area_left + 1, middle_top - 1, label_width + 2 * padding, label_height + 2};
}

}  // namespace zentavo
