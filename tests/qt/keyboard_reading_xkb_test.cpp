// What the keyboard's details keep of a user's compose file that is missing, malformed, includes
// itself or is huge, of a locale without a table, and of a keymap that cannot be read: what can be
// read is told, the rest left out. The sequences expected are the files' own lines and
// en_US.UTF-8's <Multi_key> <o> <c>.
#include "keyboard_reading_xkb.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <future>
#include <string>

#include "keyboard_reader.h"
#include "table_rows.h"

namespace zentavo {
namespace {

struct ComposeRow {
  std::string_view name;
  // The file's lines, "{self}" standing for its own path and "{10 MiB}" for that much of
  // sequences over a handful of keys; null for a file that does not exist.
  const char* compose_file;
  const char* locale;
  std::uint8_t code;
  std::u16string_view first_way;  // empty where nothing may be told
};

std::string Expanded(std::string lines, const std::string& path) {
  if (const std::size_t self = lines.find("{self}"); self != std::string::npos) {
    lines.replace(self, 6, path);
  }
  if (const std::size_t huge = lines.find("{10 MiB}"); huge != std::string::npos) {
    std::string sequences;
    for (unsigned line = 0; sequences.size() < 10 * 1024 * 1024; ++line) {
      sequences += "<Multi_key> <x>";
      for (unsigned rest = line; rest != 0; rest /= 8) {
        sequences += std::string(" <") + "abcdeqwz"[rest % 8] + ">";
      }
      sequences += " <x> : \"x\"\n";
    }
    lines.replace(huge, 8, sequences);
  }
  return lines;
}

class ComposeFileGives : public testing::TestWithParam<ComposeRow> {};

TEST_P(ComposeFileGives, WhatCanBeReadAndNothingElse) {
  const QTemporaryDir folder;
  const std::string path = folder.filePath(QStringLiteral("Compose")).toStdString();
  if (GetParam().compose_file != nullptr)
    std::ofstream(path) << Expanded(GetParam().compose_file, path);
  setenv("XCOMPOSEFILE", path.c_str(), 1);
  const XkbContext context = QuietXkbContext();
  const XkbComposeTable compose = ComposeTableFor(context.get(), GetParam().locale);
  unsetenv("XCOMPOSEFILE");
  const xkb_rule_names names{nullptr, nullptr, "us", nullptr, "compose:ralt"};
  const XkbKeymap keymap(
      xkb_keymap_new_from_names(context.get(), &names, XKB_KEYMAP_COMPILE_NO_FLAGS));
  const KeyboardWays ways(ReadXkbLayout(keymap.get(), 0, compose.get()));
  const auto& told = ways.Of(GetParam().code);
  EXPECT_EQ(told.empty() ? u"" : WayText(told.front(), false), GetParam().first_way);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(BadInput, ComposeFileGives, testing::Values(
    ComposeRow{"MissingFileLeavesTheLocalesTable", nullptr, "C.UTF-8", 169, u"Compose o c"},
    ComposeRow{"MalformedLinesAreLeftOut", "include \"%L\"\n<Multi_key> <z : \"x\"\ngarbage <<<\n"
               "<Multi_key> <q> <q> : \"\xC2\xB6\"\n", "C.UTF-8", 182, u"Compose q q"},
    ComposeRow{"IncludingItselfLeavesNoTable", "include \"{self}\"\n<Multi_key> <o> <c> : \"x\"\n",
               "C.UTF-8", 169, u""},
    ComposeRow{"IncludingItselfStillHasTheKeys", "include \"{self}\"\n", "C.UTF-8", 65, u"Shift+a"},
    ComposeRow{"TenMebibytesIsReadWithinTheWalksBound", "include \"%L\"\n{10 MiB}", "C.UTF-8", 169,
               u"Compose o c"},
    ComposeRow{"LocaleWithoutATable", nullptr, "xx_YY.NONE", 169, u""},
    ComposeRow{"LocaleWithoutATableStillHasTheKeys", nullptr, "xx_YY.NONE", 65, u"Shift+a"}),
    testing_support::RowName());
// clang-format on

TEST(KeyboardReader, DeliversNothingForAKeymapItCannotRead) {
  std::promise<std::shared_ptr<const KeyboardWays>> delivered;
  KeyboardReader reader(
      [&](std::shared_ptr<const KeyboardWays> ways) { delivered.set_value(ways); });
  reader.Read({KeymapRequest::Source::KeymapText, nullptr, -1, "xkb_keymap { garbage", 0});
  std::future<std::shared_ptr<const KeyboardWays>> ways = delivered.get_future();
  ASSERT_EQ(ways.wait_for(std::chrono::seconds(30)), std::future_status::ready);
  EXPECT_EQ(ways.get(), nullptr);
}

}  // namespace
}  // namespace zentavo
