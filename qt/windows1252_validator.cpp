#include "windows1252_validator.h"

#include <QString>

#include "qt_text.h"
#include "windows1252.h"

namespace zentavo {

QValidator::State Windows1252Validator::validate(QString& input, int& /*position*/) const {
  return IsWindows1252Text(ToU16View(input)) ? Acceptable : Invalid;
}

}  // namespace zentavo
