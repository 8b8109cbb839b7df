// The two change handlers: each reads its input box once, converts, and replaces its output box.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zentavo {

// Reaches the window's text boxes by control name. A name that is no text box is an error the
// implementation raises; the handlers let it pass, as they do a ConversionFailure.
class TextBoxAccess {
 public:
  virtual ~TextBoxAccess() = default;
  [[nodiscard]] virtual std::u16string ReadText(std::string_view box) const = 0;
  // At most the first `characters` of a box's text: a handler that needs no more reads no
  // more, so a box of megabytes is not copied on every keystroke.
  [[nodiscard]] virtual std::u16string ReadTextStart(std::string_view box,
                                                     std::size_t characters) const {
    return ReadText(box).substr(0, characters);
  }
  // Replacing a box's text raises that box's change notification.
  virtual void ReplaceText(std::string_view box, std::u16string_view text) = 0;
};

// Converts the code in txtDeASCII into its character in txtParaCar. On a ConversionFailure
// nothing is written and the failure leaves the handler.
void CodeToCharacterHandler(TextBoxAccess& boxes);

// Converts the first character of txtDeCar into its decimal code in txtParaASCII.
void CharacterToCodeHandler(TextBoxAccess& boxes);

}  // namespace zentavo
