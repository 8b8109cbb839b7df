// The application icon: the window's icon and the one the desktop files install.
#pragma once

class QIcon;

namespace zentavo {

// 32 x 32 and 16 x 16, in 16 colours.
[[nodiscard]] QIcon ApplicationIcon();

}  // namespace zentavo
