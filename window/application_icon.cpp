#include "window/application_icon.h"

#include <QIcon>
#include <QSize>
#include <QString>

namespace zentavo {

// Rendered from the one drawing at build time and compiled in. Each image is named with its
// size, so the icon decodes only the ones a scale actually asks for, and only when asked.
QIcon ApplicationIcon() {
  QIcon icon;
  for (const int size : {ZENTAVO_ICON_SIZES}) {  // the sizes the build rendered
    icon.addFile(QStringLiteral(":/icons/%1x%1/example.tolvek.Zentavo.png").arg(size),
                 QSize(size, size));
  }
  return icon;
}

}  // namespace zentavo
