// Zentavo.exe's only bindings of notifications to handlers, and the one place where a handler's
// failure is caught and reported (RunHandler and FailureReportQueue decide what follows).
#pragma once

#include <string_view>

namespace zentavo {

class Form1Win32;
class TextBoxAccess;

// Binds the change of txtDeASCII, the change of txtDeCar and the click of Command1.
void BindNotifications(Form1Win32& form);

// Runs `handler` on the window's text boxes. Any failure is reported once the handler has
// returned and its notification is done. After a ConversionFailure the program goes on with the
// focus back in `input_box`; any other failure ends it with a non-zero status.
void RunHandlerReportingFailures(Form1Win32& form, void (*handler)(TextBoxAccess&),
                                 std::string_view input_box) noexcept;

}  // namespace zentavo
