// Cost of the two conversions on what a user types and on large pasted texts, beside the C
// library's strtod on the same digits as the yardstick for a short reading.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "code_notation.h"
#include "conversion.h"

namespace {

void BM_Strtod(benchmark::State& state, const char* digits) {
  for (auto _ : state) {
    char* end = nullptr;
    benchmark::DoNotOptimize(std::strtod(digits, &end));
  }
}
BENCHMARK_CAPTURE(BM_Strtod, code_65, "65");
BENCHMARK_CAPTURE(BM_Strtod, exponent_6_5e1, "6.5e1");
BENCHMARK_CAPTURE(BM_Strtod, hex_0x41, "0x41");

void BM_CodeToCharacter(benchmark::State& state, const char* text) {
  const std::u16string input = zentavo::Widen(text);
  for (auto _ : state) benchmark::DoNotOptimize(zentavo::CodeToCharacter(input));
}
BENCHMARK_CAPTURE(BM_CodeToCharacter, code_65, "65");
BENCHMARK_CAPTURE(BM_CodeToCharacter, exponent_6_5e1, "6.5e1");
BENCHMARK_CAPTURE(BM_CodeToCharacter, hex_H41, "&H41");

void BM_CharacterToCode(benchmark::State& state, const char16_t* text) {
  const std::u16string input = text;
  for (auto _ : state) benchmark::DoNotOptimize(zentavo::CharacterToCode(input));
}
BENCHMARK_CAPTURE(BM_CharacterToCode, upper_a, u"A");
BENCHMARK_CAPTURE(BM_CharacterToCode, e_acute, u"\u00E9");
BENCHMARK_CAPTURE(BM_CharacterToCode, euro, u"\u20AC");

// Pasted texts of state.range(0) characters that the reader has to walk to the end: a number
// with a long run of zeros after the point, and a number drowned in blanks.
void BM_CodeToCharacterLongFraction(benchmark::State& state) {
  std::u16string input = u"65." + std::u16string(static_cast<std::size_t>(state.range(0)), u'0');
  for (auto _ : state) benchmark::DoNotOptimize(zentavo::CodeToCharacter(input));
  state.SetBytesProcessed(state.iterations() * state.range(0) * 2);
}
BENCHMARK(BM_CodeToCharacterLongFraction)
    ->Arg(64 << 10)
    ->Arg(1 << 20)
    ->Unit(benchmark::kMicrosecond);

void BM_CodeToCharacterLongBlanks(benchmark::State& state) {
  std::u16string input = std::u16string(static_cast<std::size_t>(state.range(0)), u' ') + u"65";
  for (auto _ : state) benchmark::DoNotOptimize(zentavo::CodeToCharacter(input));
  state.SetBytesProcessed(state.iterations() * state.range(0) * 2);
}
BENCHMARK(BM_CodeToCharacterLongBlanks)->Arg(64 << 10)->Arg(1 << 20)->Unit(benchmark::kMicrosecond);

void BM_CharacterToCodeLongText(benchmark::State& state) {
  const std::u16string input(static_cast<std::size_t>(state.range(0)), u'\u00E9');
  for (auto _ : state) benchmark::DoNotOptimize(zentavo::CharacterToCode(input));
}
BENCHMARK(BM_CharacterToCodeLongText)->Arg(64 << 10)->Arg(1 << 20);

}  // namespace

BENCHMARK_MAIN();
