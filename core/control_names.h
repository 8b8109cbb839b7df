// The names by which code addresses the window's controls; the layout table uses these too.
#pragma once

#include <string_view>

namespace zentavo::control_names {

inline constexpr std::string_view kWindow = "Form1";
inline constexpr std::string_view kCodeInput = "txtDeASCII";        // upper row, typed code
inline constexpr std::string_view kCharacterOutput = "txtParaCar";  // upper row, its character
inline constexpr std::string_view kCharacterInput = "txtDeCar";     // lower row, typed character
inline constexpr std::string_view kCodeOutput = "txtParaASCII";     // lower row, its code
inline constexpr std::string_view kExitButton = "Command1";

}  // namespace zentavo::control_names
