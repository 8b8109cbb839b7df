// Between Qt's strings and the UTF-16 and ASCII texts of the toolkit-free code.
#pragma once

#include <QString>
#include <QStringView>

#include <string_view>

namespace zentavo {

inline QString ToQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

inline QString ToQString(std::string_view ascii) {
  return QString::fromLatin1(ascii.data(), static_cast<qsizetype>(ascii.size()));
}

// The string's own characters, seen without a copy: valid while `text` lives unchanged.
inline std::u16string_view ToU16View(QStringView text) {
  return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

}  // namespace zentavo
