// The two texts a fuzzer's bytes are read as, for the targets that check what a box does with
// any text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "windows1252.h"

namespace zentavo::fuzzing {

// Calls `check` on two readings of the same bytes: as UTF-16 code units (reaching every unit,
// surrogates included) and byte by byte as Windows-1252 (what a user can actually type or
// paste).
template <typename Check>
void CheckEachReading(const std::uint8_t* data, std::size_t size, Check&& check) {
  std::u16string units(size / 2, u'\0');
  if (!units.empty()) std::memcpy(units.data(), data, units.size() * 2);
  check(std::u16string_view(units));
  std::u16string characters;
  characters.reserve(size);
  for (std::size_t i = 0; i < size; ++i) characters.push_back(CharacterForCode(data[i]));
  check(std::u16string_view(characters));
}

}  // namespace zentavo::fuzzing
