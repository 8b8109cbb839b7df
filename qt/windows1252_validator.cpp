#include "windows1252_validator.h"

#include <QString>

#include <algorithm>

#include "windows1252.h"

namespace zentavo {

QValidator::State Windows1252Validator::validate(QString& input, int& /*position*/) const {
  const bool all_in_code_page = std::all_of(input.cbegin(), input.cend(), [](QChar character) {
    return IsWindows1252Character(character.unicode());
  });
  return all_in_code_page ? Acceptable : Invalid;
}

}  // namespace zentavo
