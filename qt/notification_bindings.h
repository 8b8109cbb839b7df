// The program's only bindings of notifications to handlers, and the one place where a
// handler's failure is caught and reported.
#pragma once

#include <string_view>

namespace zentavo {

class Form1;
class TextBoxAccess;

// Binds the change of txtDeASCII, the change of txtDeCar and the click of Command1. Nothing
// else of the window has a handler.
void BindNotifications(Form1& form);

// Runs `handler` on the window's text boxes. A ConversionFailure is reported once the handler
// has returned and the event loop has finished the edit (the report is queued), and the program
// goes on with the focus back in `input_box`; any other failure is reported the same way and
// then ends the program with a non-zero status. Nothing escapes.
void RunHandlerReportingFailures(Form1& form, void (*handler)(TextBoxAccess&),
                                 std::string_view input_box) noexcept;

// Shows the oldest waiting report over `form`, then ends the program or gives the focus back to
// the report's box; nothing once a report that ends the program has been shown.
void ShowNextFailureReport(Form1& form) noexcept;

// Ends the program at once with status 0.
void ExitProgram();

}  // namespace zentavo
