// The application icon: the window's icon and the one the desktop files install.
#pragma once

#include <QtGlobal>

class QIcon;

namespace zentavo {

// The sizes a window system draws a window's icon at: up to 64 logical pixels at
// `device_pixel_ratio`. Larger ones, for launchers, come from the installed icon theme; decoding
// them here would cost every start for an image the window is never shown with.
[[nodiscard]] QIcon ApplicationIcon(qreal device_pixel_ratio);

}  // namespace zentavo
