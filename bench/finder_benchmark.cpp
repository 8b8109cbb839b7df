// What the character finder costs inside the program, on Qt's offscreen platform: a search over
// all 256 codes, the search with the list refilled as one keystroke in the field does it, and
// opening the finder until it is shown.
#include <QApplication>
#include <QLineEdit>

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "character_finder.h"
#include "character_finder_dialog.h"
#include "code_page_setting.h"
#include "form1.h"

namespace {

// The queries a user types on the way to a character, one keystroke apart, and code forms.
const std::vector<std::u16string> kQueries = {
    u"d", u"da", u"das", u"dash", u"dash e", u"dash en", u"U+2013", u"\u00E2\u20AC\u201C"};

void BM_Search(benchmark::State& state) {
  const std::u16string& query = kQueries[static_cast<std::size_t>(state.range(0))];
  const zentavo::CodePageSetting setting = zentavo::SettingForLocale("C");
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        zentavo::FindCharacters(query, setting.dos_pages, setting.known_pages));
  }
  state.SetLabel(std::string(query.begin(), query.end()).substr(0, 8));
}

// A keystroke in the field: the search, the list emptied and refilled, the announcement.
void BM_SearchAndListUpdate(benchmark::State& state) {
  zentavo::Form1 form;
  zentavo::CharacterFinderDialog finder(&form);
  finder.show();
  QApplication::processEvents();
  std::size_t next = 0;
  for (auto _ : state) {
    finder.QueryField()->setText(QString::fromStdU16String(kQueries[next]));
    next = (next + 1) % 6;  // the typed queries, not the code forms
  }
}

void BM_FinderOpens(benchmark::State& state) {
  zentavo::Form1 form;
  for (auto _ : state) {
    zentavo::CharacterFinderDialog finder(&form);
    finder.show();
    QApplication::processEvents();
    benchmark::DoNotOptimize(finder.isVisible());
  }
}

}  // namespace

BENCHMARK(BM_Search)->DenseRange(0, 7)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SearchAndListUpdate)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FinderOpens)->Unit(benchmark::kMillisecond);
