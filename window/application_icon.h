// The application icon: the window's icon and the one the desktop files install.
#pragma once

class QIcon;

namespace zentavo {

// Every size from 16 x 16 to 256 x 256 that desktops use.
[[nodiscard]] QIcon ApplicationIcon();

}  // namespace zentavo
