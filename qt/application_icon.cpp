#include "application_icon.h"

#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <QString>

#include <algorithm>
#include <cmath>

namespace zentavo {

// Rendered from the one drawing at build time and compiled in, each image named with its size.
// Read as PNG by name, so no image-format plugin is loaded to guess what they are.
QIcon ApplicationIcon(qreal device_pixel_ratio) {
  constexpr int kLargestWindowIcon = 64;  // logical pixels: an alt-tab switcher's icon
  const int largest =
      kLargestWindowIcon * static_cast<int>(std::ceil(std::max(device_pixel_ratio, 1.0)));
  QIcon icon;
  for (const int size : {ZENTAVO_ICON_SIZES}) {  // the sizes the build rendered, smallest first
    if (size > largest) break;
    QImageReader reader(QStringLiteral(":/icons/%1x%1/example.tolvek.Zentavo.png").arg(size),
                        "png");
    reader.setAutoDetectImageFormat(false);  // or every plugin is loaded to look at the data
    icon.addPixmap(QPixmap::fromImage(reader.read()));
  }
  return icon;
}

}  // namespace zentavo
