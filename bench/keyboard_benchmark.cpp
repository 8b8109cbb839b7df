// What reading the keyboard in use costs: the layout's keymap and the locale's compose table read
// and walked into the ways each code is typed, for ABNT2 and US international as the X server or
// the system would name them; a row's details told with the table; and the table's size.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "character_description.h"
#include "code_page_setting.h"
#include "keyboard_reading_xkb.h"

namespace {

struct Layout {
  const char* layout;
  const char* variant;
};
constexpr Layout kLayouts[] = {{"br", nullptr}, {"us", "intl"}};

std::unique_ptr<zentavo::KeyboardWays> ReadLayout(const Layout& layout) {
  const zentavo::XkbContext context = zentavo::QuietXkbContext();
  const xkb_rule_names names{nullptr, nullptr, layout.layout, layout.variant, nullptr};
  const zentavo::XkbKeymap keymap(
      xkb_keymap_new_from_names(context.get(), &names, XKB_KEYMAP_COMPILE_NO_FLAGS));
  const zentavo::XkbComposeTable compose =
      zentavo::ComposeTableFor(context.get(), zentavo::ComposeLocaleOfToolkit());
  return std::make_unique<zentavo::KeyboardWays>(
      zentavo::ReadXkbLayout(keymap.get(), 0, compose.get()));
}

void BM_ReadLayoutAndComposeTable(benchmark::State& state) {
  const Layout& layout = kLayouts[state.range(0)];
  std::size_t bytes = 0;
  for (auto _ : state) bytes = ReadLayout(layout).get()->BytesHeld();
  state.counters["table_KiB"] = static_cast<double>(bytes) / 1024;
  state.SetLabel(std::string(layout.layout) + (layout.variant != nullptr ? " intl" : ""));
}

void BM_RowDetailsWithTheTable(benchmark::State& state) {
  const std::unique_ptr<zentavo::KeyboardWays> ways = ReadLayout(kLayouts[0]);
  const zentavo::CodePageSetting setting = zentavo::SettingForLocale("pt_BR");
  for (auto _ : state) {
    benchmark::DoNotOptimize(zentavo::DescribeForTooltip(227, setting, ways.get()));
    benchmark::DoNotOptimize(zentavo::DescribeForSpeech(227, setting, ways.get()));
  }
}

}  // namespace

BENCHMARK(BM_ReadLayoutAndComposeTable)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RowDetailsWithTheTable)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
  setenv("LC_ALL", "C.UTF-8", 1);  // the compose table of a UTF-8 desktop: en_US.UTF-8's
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
}
