#include "code_pages_here.h"

#include <QLocale>
#include <QString>

namespace zentavo {

const CodePageSetting& CodePagesHere() {
  static const CodePageSetting setting = SettingForLocale(QLocale::system().name().toStdString());
  return setting;
}

}  // namespace zentavo
