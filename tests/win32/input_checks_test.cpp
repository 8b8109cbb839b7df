// Where input arrives unchecked on Windows: a clipboard block of another program's, the input
// method's answers, and a clipboard another program holds. Run under wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <imm.h>

#include <cstring>
#include <future>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "input_checks.h"

namespace zentavo {
namespace {

struct BlockRow {
  const char* name;
  std::u16string memory;  // what lies in memory, from the block's start on
  std::size_t bytes;      // how much of it the block holds
  std::u16string expected;
};

TEST(TextWithinBlock, StopsAtTheTerminatorOrTheBlocksEnd) {
  const std::vector<BlockRow> rows = {
      {"terminated", std::u16string(u"abc\0XYZ", 7), 14, u"abc"},
      {"no terminator before the end", u"abcXYZ", 6, u"abc"},
      {"odd byte count", u"abcXYZ", 7, u"abc"},
      {"empty block", u"XYZ", 0, u""},
      {"terminator first", std::u16string(u"\0XYZ", 4), 8, u""},
  };
  for (const BlockRow& row : rows) {
    EXPECT_EQ(TextWithinBlock(row.memory.data(), row.bytes), row.expected) << row.name;
  }
}

// An input method that answers the size question with `size_answer` and the reading with
// `read_answer`, writing `text` within whatever room it is given.
struct FakeInputMethod {
  LONG size_answer = 0;
  LONG read_answer = 0;
  std::u16string text;
  int readings = 0;
  DWORD room_given = 0;
  DWORD asked_for = 0;
};
FakeInputMethod fake_input_method;

LONG WINAPI ReadFakeComposition(HIMC /*context*/, DWORD index, LPVOID buffer, DWORD room) {
  EXPECT_EQ(index, fake_input_method.asked_for);
  if (buffer == nullptr) return fake_input_method.size_answer;
  ++fake_input_method.readings;
  fake_input_method.room_given = room;
  std::memcpy(buffer, fake_input_method.text.data(),
              std::min<std::size_t>(room, fake_input_method.text.size() * sizeof(char16_t)));
  return fake_input_method.read_answer;
}

struct CompositionRow {
  const char* name;
  LONG size_answer;
  LONG read_answer;
  std::u16string text;
  std::optional<std::u16string> expected;
  int expected_readings;
};

TEST(CompositionString, NeverUsesAnErrorAsASizeNorTrustsMoreThanTheRoomGiven) {
  const std::vector<CompositionRow> rows = {
      {"a result", 6, 6, u"abc", u"abc", 1},
      {"no result", 0, 0, u"", u"", 1},
      {"no data", IMM_ERROR_NODATA, 0, u"abc", std::nullopt, 0},
      {"general error", IMM_ERROR_GENERAL, 0, u"abc", std::nullopt, 0},
      {"error on reading", 6, IMM_ERROR_GENERAL, u"abc", std::nullopt, 1},
      {"claims more than the room", 4, 6, u"abc", std::nullopt, 1},
      {"writes less than it said", 6, 4, u"abc", u"ab", 1},
  };
  for (const DWORD which : {DWORD{GCS_RESULTSTR}, DWORD{GCS_COMPSTR}}) {
    for (const CompositionRow& row : rows) {
      fake_input_method = {row.size_answer, row.read_answer, row.text, 0, 0, which};
      EXPECT_EQ(CompositionString(nullptr, &ReadFakeComposition, which), row.expected) << row.name;
      EXPECT_EQ(fake_input_method.readings, row.expected_readings) << row.name;
      if (fake_input_method.readings > 0) {
        EXPECT_EQ(fake_input_method.room_given, static_cast<DWORD>(row.size_answer)) << row.name;
      }
    }
  }
}

TEST(PutTextOnClipboard, SaysSoWhenAnotherProgramHoldsTheClipboard) {
  std::promise<void> opened;
  std::promise<void> release;
  std::thread holder([&] {
    HWND owner =
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    const bool open = OpenClipboard(owner) != 0;
    opened.set_value();
    release.get_future().wait();
    if (open) CloseClipboard();
    DestroyWindow(owner);
  });
  opened.get_future().wait();
  EXPECT_FALSE(PutTextOnClipboard(nullptr, u"held"));
  release.set_value();
  holder.join();
  EXPECT_TRUE(PutTextOnClipboard(nullptr, u"free"));
  EXPECT_EQ(ClipboardText(nullptr), u"free");
}

}  // namespace
}  // namespace zentavo
