#include "handlers.h"

#include "control_names.h"
#include "conversion.h"

namespace zentavo {

void CodeToCharacterHandler(TextBoxAccess& boxes) {
  const std::u16string code = boxes.ReadText(control_names::kCodeInput);
  boxes.ReplaceText(control_names::kCharacterOutput, CodeToCharacter(code));
}

void CharacterToCodeHandler(TextBoxAccess& boxes) {
  const std::u16string character = boxes.ReadTextStart(control_names::kCharacterInput, 1);
  boxes.ReplaceText(control_names::kCodeOutput, CharacterToCode(character));
}

}  // namespace zentavo
