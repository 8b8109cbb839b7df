// The code pages the Qt program tells keystrokes and bytes in: the built-in tables, DOS 850 and
// DOS 437 in the order the user's locale would have Windows take them.
#pragma once

#include "code_page_setting.h"

namespace zentavo {

// Read from the system's locale on first use, then kept.
[[nodiscard]] const CodePageSetting& CodePagesHere();

}  // namespace zentavo
