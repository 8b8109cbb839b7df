// Zentavo.exe's window where input arrives unchecked: the clipboard, the input method, a DPI
// change and anything that escapes a message. Run under wine in a private X server.
#include <windows.h>

#include <gtest/gtest.h>

#include <commctrl.h>
#include <imm.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <future>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "control_names.h"
#include "failure_policy.h"
#include "form1_win32.h"
#include "handlers.h"
#include "input_checks.h"

namespace {

std::atomic<bool> fail_next_allocation{false};

}  // namespace

// The program's own allocations can be made to fail once, as they would when memory runs out.
// GCC takes the free() in the matching delete for a mismatch once both are inlined.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
  if (fail_next_allocation.exchange(false)) throw std::bad_alloc();
  if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
  throw std::bad_alloc();
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t /*size*/) noexcept { std::free(block); }

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

// Waits, for a generous 10 s at most, for the program's quit message; its status, or nothing.
std::optional<int> PumpUntilQuit() {
  const DWORD deadline = GetTickCount() + 10'000;
  MSG message{};
  while (GetTickCount() < deadline) {
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) return static_cast<int>(message.wParam);
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
  }
  return std::nullopt;
}

// Runs every message already waiting, without waiting for more.
void PumpWaitingMessages() {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    ASSERT_NE(message.message, static_cast<UINT>(WM_QUIT)) << "the program ended";
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// Puts a CF_UNICODETEXT block of exactly `text`'s characters, with no terminator, on the
// clipboard. The block is cut down from a larger one, so what lies past its end is not a zero.
void PutUnterminatedOnClipboard(HWND owner, std::u16string_view text) {
  const std::u16string filler(64, u'X');
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, filler.size() * sizeof(char16_t));
  ASSERT_NE(block, nullptr);
  auto* characters = static_cast<char16_t*>(GlobalLock(block));
  std::memcpy(characters, filler.data(), filler.size() * sizeof(char16_t));
  std::memcpy(characters, text.data(), text.size() * sizeof(char16_t));
  GlobalUnlock(block);
  block = GlobalReAlloc(block, text.size() * sizeof(char16_t), 0);
  ASSERT_NE(block, nullptr);
  ASSERT_TRUE(OpenClipboard(owner));
  EmptyClipboard();
  SetClipboardData(CF_UNICODETEXT, block);
  CloseClipboard();
}

void PutOnClipboard(HWND owner, std::u16string_view text) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(char16_t));
  ASSERT_NE(block, nullptr);
  auto* characters = static_cast<char16_t*>(GlobalLock(block));
  std::memcpy(characters, text.data(), text.size() * sizeof(char16_t));
  characters[text.size()] = u'\0';
  GlobalUnlock(block);
  ASSERT_TRUE(OpenClipboard(owner));
  EmptyClipboard();
  SetClipboardData(CF_UNICODETEXT, block);
  CloseClipboard();
}

class Form1Win32Input : public ::testing::Test {
 protected:
  Form1Win32Input() : form_(GetModuleHandleW(nullptr)) {
    form_.OnFailureReport(
        [this](const FailureReport& report) { reported_.emplace(report.details); });
  }

  Form1Win32 form_;
  std::optional<std::u16string> reported_;
};

// Holds `keys` down for this thread, as GetKeyState sees them, while it lives.
class KeysHeld {
 public:
  explicit KeysHeld(const std::vector<int>& keys) {
    GetKeyboardState(state_);
    BYTE held[256];
    std::memcpy(held, state_, sizeof(held));
    for (const int key : keys) held[key] |= 0x80;
    SetKeyboardState(held);
  }
  KeysHeld(const KeysHeld&) = delete;
  KeysHeld& operator=(const KeysHeld&) = delete;
  ~KeysHeld() { SetKeyboardState(state_); }

 private:
  BYTE state_[256]{};
};

struct PasteRow {
  const char* name;
  std::u16string before;
  std::u16string pasted;
  bool terminated;
  std::u16string after;
};

TEST_F(Form1Win32Input, EveryPasteTakesTheClipboardsTextWithinItsBlockAndOnlyWhenAllOfItFits) {
  const std::vector<PasteRow> rows = {
      {"unterminated", u"", u"éclair à la crème", false, u"éclair à la crème"},
      {"terminated", u"", u"naïve", true, u"naïve"},
      {"two lines keep the first", u"", u"ab\r\ncd", true, u"ab"},
      {"a lone carriage return ends the line too", u"", u"ab\rcd", true, u"ab"},
      {"a character outside is refused whole", u"kept", u"naïve – 日本語", true, u"kept"},
      {"outside on the second line is refused too", u"kept", u"ab\r\nĀ", true, u"kept"},
      {"unterminated and outside", u"kept", u"Ā and €", false, u"kept"},
  };
  HWND box = form_.BoxHandle(control_names::kCharacterInput);
  // Ctrl+V and the menu send WM_PASTE; on Shift+Insert the EDIT would paste by itself.
  for (const bool by_shift_insert : {false, true}) {
    const char* route = by_shift_insert ? "Shift+Insert: " : "WM_PASTE: ";
    for (const PasteRow& row : rows) {
      form_.ReplaceText(control_names::kCharacterInput, row.before);
      SendMessageW(box, EM_SETSEL, 0, -1);
      if (row.terminated) {
        PutOnClipboard(form_.Handle(), row.pasted);
      } else {
        PutUnterminatedOnClipboard(form_.Handle(), row.pasted);
      }
      if (by_shift_insert) {
        const KeysHeld shift({VK_SHIFT});
        SendMessageW(box, WM_KEYDOWN, VK_INSERT, 0);
      } else {
        SendMessageW(box, WM_PASTE, 0, 0);
      }
      const std::u16string after = form_.ReadText(control_names::kCharacterInput);
      if (row.terminated || row.after == row.before) {
        EXPECT_EQ(after, row.after) << route << row.name;
      } else {
        // Wine writes a terminator over the last character of a block that has none; Windows
        // hands the block over as it is. Either way nothing from past its end may come in.
        EXPECT_TRUE(after == row.after || after == row.after.substr(0, row.after.size() - 1))
            << route << row.name;
      }
    }
  }
  PumpWaitingMessages();
  EXPECT_FALSE(reported_.has_value());
}

TEST_F(Form1Win32Input, AFailureInsideABoxsMessageIsReportedAfterItAndEndsTheProgram) {
  HWND box = form_.BoxHandle(control_names::kCharacterInput);
  PutOnClipboard(form_.Handle(), u"long enough to be allocated");
  fail_next_allocation = true;
  SendMessageW(box, WM_PASTE, 0, 0);  // an exception leaving it would end the test here
  fail_next_allocation = false;
  EXPECT_FALSE(reported_.has_value()) << "reported inside the message";
  EXPECT_EQ(PumpUntilQuit(), EXIT_FAILURE);
  EXPECT_EQ(reported_, UnexpectedFailureReport(u"std::bad_alloc").details);
}

TEST_F(Form1Win32Input, AHandlersFailureIsReportedOnceTheEditIsDone) {
  int runs = 0;
  form_.Bind(control_names::kCodeInput, [&runs] {
    ++runs;
    throw std::runtime_error("the handler failed");
  });
  HWND box = form_.BoxHandle(control_names::kCodeInput);
  runs = 0;
  SendMessageW(box, WM_CHAR, L'6', 0);
  SendMessageW(box, WM_CHAR, L'5', 0);
  EXPECT_EQ(runs, 2);
  EXPECT_FALSE(reported_.has_value()) << "reported inside the edit";
  EXPECT_EQ(PumpUntilQuit(), EXIT_FAILURE);
  EXPECT_EQ(reported_, UnexpectedFailureReport(u"the handler failed").details)
      << "only the first failure is reported";
}

struct StepRow {
  const char* name;
  std::u16string before;
  WPARAM key;
  std::u16string after;
};

TEST_F(Form1Win32Input, ArrowKeysStepTheCodeInTxtDeASCIIAsOneEditOfTheBox) {
  int conversions = 0;
  form_.Bind(control_names::kCodeInput, [&] {
    ++conversions;
    CodeToCharacterHandler(form_);
  });
  const std::vector<StepRow> rows = {
      {"up", u"65", VK_UP, u"66"},          {"down", u"65", VK_DOWN, u"64"},
      {"page up", u"65", VK_PRIOR, u"81"},  {"page down", u"&H41", VK_NEXT, u"&H31"},
      {"octal", u"&O101", VK_UP, u"&O102"}, {"stops at 255", u"255", VK_UP, u"255"},
      {"stops at 0", u"0", VK_DOWN, u"0"},
  };
  HWND box = form_.BoxHandle(control_names::kCodeInput);
  for (const StepRow& row : rows) {
    form_.ReplaceText(control_names::kCodeInput, row.before);
    conversions = 0;
    SendMessageW(box, WM_KEYDOWN, row.key, 0);
    EXPECT_EQ(form_.ReadText(control_names::kCodeInput), row.after) << row.name;
    EXPECT_EQ(conversions, row.before == row.after ? 0 : 1) << row.name;
  }
  form_.ReplaceText(control_names::kCodeInput, u"65");
  SendMessageW(box, WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(form_.ReadText(control_names::kCharacterOutput), u"B");
  SendMessageW(box, WM_UNDO, 0, 0);
  EXPECT_EQ(form_.ReadText(control_names::kCodeInput), u"65") << "one step undoes it";
  EXPECT_EQ(form_.ReadText(control_names::kCharacterOutput), u"A");

  HWND other = form_.BoxHandle(control_names::kCharacterInput);
  form_.ReplaceText(control_names::kCharacterInput, u"xy");
  SendMessageW(other, WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(form_.ReadText(control_names::kCharacterInput), u"xy");
  PumpWaitingMessages();
  EXPECT_FALSE(reported_.has_value());
}

struct HistoryRouteRow {
  const char* name;
  UINT message;
  WPARAM wparam;
  LPARAM lparam;
  std::vector<int> held;
};

TEST_F(Form1Win32Input, EveryWayToUndoOrRedoTakesTheBoxsOwnHistory) {
  constexpr LPARAM kAltDown = LPARAM{1} << 29;
  const std::vector<HistoryRouteRow> undo_routes = {
      {"Ctrl+Z", WM_KEYDOWN, 'Z', 0, {VK_CONTROL}},
      {"WM_UNDO", WM_UNDO, 0, 0, {}},
      {"EM_UNDO", EM_UNDO, 0, 0, {}},
      {"Alt+Backspace", WM_SYSKEYDOWN, VK_BACK, kAltDown, {VK_MENU}},
  };
  const std::vector<HistoryRouteRow> redo_routes = {
      {"Ctrl+Y", WM_KEYDOWN, 'Y', 0, {VK_CONTROL}},
      {"Ctrl+Shift+Z", WM_KEYDOWN, 'Z', 0, {VK_CONTROL, VK_SHIFT}},
  };
  HWND box = form_.BoxHandle(control_names::kCodeInput);
  const auto send = [box](const HistoryRouteRow& route) {
    const KeysHeld held(route.held);
    SendMessageW(box, route.message, route.wparam, route.lparam);
  };
  for (const HistoryRouteRow& undo : undo_routes) {
    for (const HistoryRouteRow& redo : redo_routes) {
      form_.ReplaceText(control_names::kCodeInput, u"65");
      EXPECT_EQ(SendMessageW(box, EM_CANUNDO, 0, 0), FALSE) << "the program's text is no step";
      SendMessageW(box, EM_SETSEL, 2, 2);
      SendMessageW(box, WM_CHAR, L'0', 0);
      SendMessageW(box, WM_CHAR, L'1', 0);
      send(undo);
      EXPECT_EQ(form_.ReadText(control_names::kCodeInput), u"65") << undo.name;
      EXPECT_EQ(SendMessageW(box, EM_CANUNDO, 0, 0), FALSE) << undo.name << ": nothing older";
      send(undo);
      send(redo);
      EXPECT_EQ(form_.ReadText(control_names::kCodeInput), u"6501") << redo.name;
    }
  }
}

// Refuses every replacement of the selection while `refusing` is set, as a box may refuse a text.
LRESULT CALLBACK RefuseReplacements(HWND box, UINT message, WPARAM wparam, LPARAM lparam,
                                    UINT_PTR /*subclass*/, DWORD_PTR refusing) {
  if (message == EM_REPLACESEL && *reinterpret_cast<const bool*>(refusing)) return FALSE;
  return DefSubclassProc(box, message, wparam, lparam);
}

struct DriftRow {
  const char* name;
  std::function<void()> act;
  std::u16string expected;  // differs from the text before, so that doing nothing fails
};

// Whatever comes in past the typed characters' check, and whatever step the box refuses, the
// history stays with the text: an undo never takes out what the user typed.
TEST_F(Form1Win32Input, TheHistoryNeverDriftsFromTheText) {
  HWND box = form_.BoxHandle(control_names::kCharacterInput);
  bool refusing = false;
  SetWindowSubclass(box, &RefuseReplacements, 8, reinterpret_cast<DWORD_PTR>(&refusing));
  const auto type = [box](std::u16string_view keys) {
    for (const char16_t key : keys) SendMessageW(box, WM_CHAR, key, 0);
  };
  const auto with_control = [box](WPARAM key) {
    return [box, key] {
      const KeysHeld control({VK_CONTROL});
      SendMessageW(box, WM_KEYDOWN, key, 0);
    };
  };
  const auto intrude = [&](const std::function<void()>& intrusion) {
    return [&, intrusion] {
      form_.ReplaceText(control_names::kCharacterInput, u"");
      type(u"axb");
      SendMessageW(box, EM_SETSEL, 2, 2);
      intrusion();
    };
  };
  const auto compose = [box] {
    HIMC context = ImmGetContext(box);
    wchar_t sun[] = L"\u65E5";
    ImmSetCompositionStringW(context, SCS_SETSTR, sun, sizeof(wchar_t), nullptr, 0);
    ImmReleaseContext(box, context);
    SendMessageW(box, WM_IME_COMPOSITION, sun[0], GCS_COMPSTR);
  };
  const std::vector<DriftRow> rows = {
      {"an input tool's WM_UNICHAR is refused",
       intrude([box] { SendMessageW(box, WM_UNICHAR, 0x65E5, 0); }), u"axb"},
      {"Ctrl+Z after it", with_control('Z'), u""},
      {"Ctrl+Y after it", with_control('Y'), u"axb"},
      {"Ctrl+Z again", with_control('Z'), u""},
      {"an input method's composition string is refused", intrude(compose), u"axb"},
      {"Ctrl+Z after the composition", with_control('Z'), u""},
      {"Ctrl+Y after the composition", with_control('Y'), u"axb"},
      {"typing over all of it",
       [&] {
         SendMessageW(box, EM_SETSEL, 0, -1);
         type(u"c");
       },
       u"c"},
      {"an undo the box refuses",
       [&] {
         refusing = true;
         with_control('Z')();
       },
       u"c"},
      {"the same undo, taken",
       [&] {
         refusing = false;
         with_control('Z')();
       },
       u"axb"},
      {"and the one before it", with_control('Z'), u""},
  };
  for (const DriftRow& row : rows) {
    row.act();
    EXPECT_EQ(form_.ReadText(control_names::kCharacterInput), row.expected) << row.name;
  }
  RemoveWindowSubclass(box, &RefuseReplacements, 8);
  PumpWaitingMessages();
  EXPECT_FALSE(reported_.has_value());
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

// Checks, whenever a box is moved or resized, that the font it draws with is still a font.
LRESULT CALLBACK CheckFontIsAlive(HWND box, UINT message, WPARAM wparam, LPARAM lparam,
                                  UINT_PTR /*subclass*/, DWORD_PTR dead_fonts_seen) {
  if (message == WM_SIZE || message == WM_WINDOWPOSCHANGED) {
    const auto font = reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0));
    LOGFONTW description{};
    if (GetObjectW(font, sizeof(description), &description) == 0) {
      ++*reinterpret_cast<int*>(dead_fonts_seen);
    }
  }
  return DefSubclassProc(box, message, wparam, lparam);
}

TEST_F(Form1Win32Input, BoxesNeverDrawWithAFreedFontWhileTheDpiChanges) {
  std::vector<HWND> boxes;
  for (const std::string_view name : {control_names::kCodeInput, control_names::kCharacterOutput,
                                      control_names::kCharacterInput, control_names::kCodeOutput}) {
    boxes.push_back(form_.BoxHandle(name));
  }
  int dead_fonts_seen = 0;
  for (HWND box : boxes) {
    SetWindowSubclass(box, &CheckFontIsAlive, 7, reinterpret_cast<DWORD_PTR>(&dead_fonts_seen));
  }
  const auto font_before = reinterpret_cast<HFONT>(SendMessageW(boxes[0], WM_GETFONT, 0, 0));
  for (const UINT dpi : {144U, 192U, 96U}) {
    RECT suggested{0, 0, 800, 600};
    SendMessageW(form_.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
  }
  EXPECT_EQ(dead_fonts_seen, 0);
  for (HWND box : boxes) {
    const auto font = reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0));
    LOGFONTW description{};
    EXPECT_NE(GetObjectW(font, sizeof(description), &description), 0);
    EXPECT_NE(font, font_before);
    RemoveWindowSubclass(box, &CheckFontIsAlive, 7);
  }
  PumpWaitingMessages();
  EXPECT_FALSE(reported_.has_value());
}

}  // namespace
}  // namespace zentavo
