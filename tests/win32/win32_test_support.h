// What the tests of Zentavo.exe's rooms share under wine: a window of the program's own with its
// failure reports caught, the thread's message queue, the clipboard and the keys held down.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "failure_policy.h"
#include "form1_win32.h"

namespace zentavo {

// Runs every message already waiting, without waiting for more.
inline void PumpWaitingMessages() {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    ASSERT_NE(message.message, static_cast<UINT>(WM_QUIT)) << "the program ended";
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// Puts a CF_UNICODETEXT block of exactly `text`'s characters, with no terminator, on the
// clipboard. The block is cut down from a larger one, so what lies past its end is not a zero.
inline void PutUnterminatedOnClipboard(HWND owner, std::u16string_view text) {
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

inline void PutOnClipboard(HWND owner, std::u16string_view text) {
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

}  // namespace zentavo
