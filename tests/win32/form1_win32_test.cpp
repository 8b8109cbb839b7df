// Zentavo.exe's window under wine: what escapes a message or a handler is reported and ends the
// program, and a DPI change never leaves a box drawing with a freed font.
#include <windows.h>

#include <gtest/gtest.h>

#include <commctrl.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "control_names.h"
#include "failure_policy.h"
#include "form1_win32.h"
#include "handlers.h"
#include "win32_test_support.h"

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
