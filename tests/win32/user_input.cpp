#include "user_input.h"

#include <algorithm>
#include <utility>

namespace zentavo::testing_support {

void Type(const wchar_t* text) {
  for (const wchar_t* character = text; *character != 0; ++character) {
    INPUT keys[2]{};
    for (INPUT& key : keys) {
      key.type = INPUT_KEYBOARD;
      key.ki.wScan = *character;
      key.ki.dwFlags = KEYEVENTF_UNICODE;
    }
    keys[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
  }
}

void Press(const std::vector<WORD>& keys) {
  std::vector<INPUT> strokes;
  for (const WORD key : keys) {
    INPUT stroke{};
    stroke.type = INPUT_KEYBOARD;
    stroke.ki.wVk = key;
    strokes.push_back(stroke);
  }
  for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
    INPUT stroke{};
    stroke.type = INPUT_KEYBOARD;
    stroke.ki.wVk = *key;
    stroke.ki.dwFlags = KEYEVENTF_KEYUP;
    strokes.push_back(stroke);
  }
  SendInput(static_cast<UINT>(strokes.size()), strokes.data(), sizeof(INPUT));
}

void PutOnClipboard(const std::u16string& text) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(char16_t));
  auto* characters = static_cast<char16_t*>(GlobalLock(block));
  std::copy(text.begin(), text.end(), characters);
  characters[text.size()] = u'\0';
  GlobalUnlock(block);
  OpenClipboard(nullptr);
  EmptyClipboard();
  SetClipboardData(CF_UNICODETEXT, block);
  CloseClipboard();
}

bool Within20Seconds(const std::function<bool()>& holds) {
  const DWORD deadline = GetTickCount() + 20'000;
  while (!holds()) {
    if (GetTickCount() > deadline) return false;
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
  }
  return true;
}

std::function<void()> Keys(std::vector<WORD> keys) {
  return [keys = std::move(keys)] { Press(keys); };
}

}  // namespace zentavo::testing_support
