#include "window/application_icon.h"

#include <QIcon>
#include <QPixmap>

namespace zentavo {
namespace {
// The images are XPM, which is C: compiled in, they are decoded by Qt's built-in XPM reader
// without the image-format plugins being searched and loaded at start.
#include "window/icons/icon-16-16colours.xpm"
#include "window/icons/icon-32-16colours.xpm"
}  // namespace

// A Qt icon holds one image per size, so the 2-colour 32 x 32 image, which only monochrome
// displays pick, lives in the Windows icon resource alone.
QIcon ApplicationIcon() {
  QIcon icon;
  icon.addPixmap(QPixmap(icon_32_16colours));
  icon.addPixmap(QPixmap(icon_16_16colours));
  return icon;
}

}  // namespace zentavo
