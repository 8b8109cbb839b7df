// Prints what Zentavo knows of each code, one tab-separated line per code, for the oracle
// check in check_character_details.py.
#include <cstdint>
#include <cstdio>
#include <string>

#include "character_details.h"
#include "windows1252.h"

int main() {
  for (unsigned code = 0; code < 256; ++code) {
    const auto byte = static_cast<std::uint8_t>(code);
    const zentavo::CharacterDetails details = zentavo::DetailsOfCode(byte);
    std::printf("%u\t%04X\t%d\t%d\t%.*s\t%.*s\t%s\t%s\t%s\n", code,
                static_cast<unsigned>(zentavo::CharacterForCode(byte)), details.is_defined,
                details.is_control, static_cast<int>(details.name.size()), details.name.data(),
                static_cast<int>(details.abbreviation.size()), details.abbreviation.data(),
                zentavo::AltKeystroke(byte).c_str(), zentavo::HexadecimalNotation(byte).c_str(),
                zentavo::OctalNotation(byte).c_str());
  }
}
