#include "character_picture.h"

#include "character_details.h"
#include "control_names.h"

namespace zentavo {

std::optional<std::uint8_t> PicturedCode(std::string_view box, std::u16string_view text) {
  if (box != control_names::kCharacterOutput) return std::nullopt;
  const std::optional<std::uint8_t> code = CodeOfLoneCharacter(text);
  if (!code || !HasNoDistinctGlyph(*code)) return std::nullopt;
  return code;
}

}  // namespace zentavo
