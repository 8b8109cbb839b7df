#include "keyboard_ways.h"

#include <algorithm>
#include <bit>
#include <optional>
#include <unordered_map>
#include <utility>

#include "character_details.h"
#include "character_picture.h"
#include "windows1252.h"

namespace zentavo {
namespace {

int HeldCount(const LayoutPress& press) { return std::popcount(press.held); }

// The code a box takes when `character` is typed: none for a control character, which the
// boxes never take from a key (Tab moves the focus), nor for one Windows-1252 lacks.
std::optional<std::uint8_t> CodeTyped(char32_t character) {
  if (character > 0xFFFF) return std::nullopt;
  const std::optional<std::uint8_t> code = CodeForCharacter(static_cast<char16_t>(character));
  if (!code) return std::nullopt;
  const CharacterDetails details = DetailsOfCode(*code);
  if (!details.is_defined || details.is_control) return std::nullopt;
  return code;
}

struct Candidate {
  TypingWay way;
  int held;  // modifiers held over all the presses
};

bool Shorter(const Candidate& a, const Candidate& b) {
  if (a.way.size() != b.way.size()) return a.way.size() < b.way.size();
  return a.held < b.held;
}

std::u16string KeyName(const LayoutPress& press) {
  if (press.is_compose) return u"Compose";
  if (press.types_alone == u" ") return u"Space";
  if (press.types_alone.size() == 1) {
    const std::optional<std::uint8_t> code = CodeForCharacter(press.types_alone.front());
    if (code && HasNoDistinctGlyph(*code)) return PictureText(*code);
  }
  return press.types_alone;
}

}  // namespace

KeyboardWays::KeyboardWays(const KeyboardReading& reading) : system_layout_(reading.system_layout) {
  std::unordered_map<std::uint32_t, std::vector<const LayoutPress*>> presses_of;
  for (const KeyboardReading::Press& each : reading.presses) {
    presses_of[each.symbol].push_back(&each.press);
  }
  for (auto& [symbol, presses] : presses_of) {
    std::ranges::stable_sort(presses, {},
                             [](const LayoutPress* press) { return HeldCount(*press); });
  }

  std::array<std::vector<Candidate>, 256> candidates;
  for (const KeyboardReading::Typed& typed : reading.typed) {
    const std::optional<std::uint8_t> code = CodeTyped(typed.character);
    if (!code || typed.symbols.empty()) continue;
    if (typed.symbols.size() == 1) {
      const auto found = presses_of.find(typed.symbols.front());
      if (found == presses_of.end()) continue;
      for (const LayoutPress* press : found->second) {
        candidates[*code].push_back({{*press}, HeldCount(*press)});
      }
      continue;
    }
    Candidate run{{}, 0};
    for (const std::uint32_t symbol : typed.symbols) {
      const auto found = presses_of.find(symbol);
      if (found == presses_of.end()) break;
      run.way.push_back(*found->second.front());
      run.held += HeldCount(run.way.back());
    }
    if (run.way.size() == typed.symbols.size()) candidates[*code].push_back(std::move(run));
  }

  for (std::size_t code = 0; code < candidates.size(); ++code) {
    std::ranges::stable_sort(candidates[code], Shorter);
    std::vector<TypingWay>& ways = ways_[code];
    for (Candidate& candidate : candidates[code]) {
      if (ways.size() == kMostWays) break;
      if (std::ranges::find(ways, candidate.way) == ways.end())
        ways.push_back(std::move(candidate.way));
    }
  }
}

std::size_t KeyboardWays::BytesHeld() const {
  std::size_t bytes = sizeof(*this);
  for (const std::vector<TypingWay>& ways : ways_) {
    bytes += ways.capacity() * sizeof(TypingWay);
    for (const TypingWay& way : ways) {
      bytes += way.capacity() * sizeof(LayoutPress);
      for (const LayoutPress& press : way) bytes += press.types_alone.capacity() * sizeof(char16_t);
    }
  }
  return bytes;
}

std::u16string WayText(const TypingWay& way, bool spoken) {
  std::u16string text;
  for (const LayoutPress& press : way) {
    if (!text.empty()) text += spoken ? u" then / depois " : u" ";
    if ((press.held & kHoldsShift) != 0) text += u"Shift+";
    if ((press.held & kHoldsAltGr) != 0) text += u"AltGr+";
    text += KeyName(press);
  }
  return text;
}

}  // namespace zentavo
