// Which notification runs which handler: the program's only bindings, read by both windows.
// Nothing else of either window has a handler.
#pragma once

#include <array>
#include <string_view>

#include "control_names.h"
#include "handlers.h"

namespace zentavo {

// A change of an input box's text runs its row's conversion; a failure in it quotes that box.
struct ConversionBinding {
  std::string_view input_box;
  void (*handler)(TextBoxAccess&);
};

inline constexpr std::array<ConversionBinding, 2> kConversionBindings = {{
    {control_names::kCodeInput, &CodeToCharacterHandler},
    {control_names::kCharacterInput, &CharacterToCodeHandler},
}};

// A click of this button ends the program at once, with status 0.
inline constexpr std::string_view kExitControl = control_names::kExitButton;

}  // namespace zentavo
