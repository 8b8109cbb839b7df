// Shows a failure report in the window's message box, in English and Portuguese like the window.
#pragma once

#include "failure_policy.h"

class QWidget;

namespace zentavo {

// Shows `report` in a modal message box over `parent` and returns once the user has
// acknowledged it: a warning for a failure the program goes on after, an error for one it ends on.
void ShowFailureReport(QWidget* parent, const FailureReport& report);

}  // namespace zentavo
