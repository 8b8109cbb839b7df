// Zentavo.exe's window with a huge text, in process under wine: a paste of 10 Mi characters
// into txtDeCar (Windows' own EDIT, subclassed), then 100 keystrokes at its start, each timed until
// the window has answered, and the process's peak memory above the idle window. Prints a table; the
// goals are read from it, not checked by a test that fails on a slow machine.
#include <windows.h>

#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <vector>

#include "control_names.h"
#include "form1_win32.h"
#include "notification_bindings_win32.h"

namespace {

std::size_t characters_to_paste = std::size_t{10} * 1024 * 1024;
int keystrokes_to_time = 100;

double MiB(std::size_t bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

PROCESS_MEMORY_COUNTERS Memory() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof(counters);
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
  return counters;
}

void PumpWaitingMessages() {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// Fills the clipboard's own block in place: no second copy of the text is ever made here.
bool PutHugeTextOnClipboard(HWND owner) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (characters_to_paste + 1) * sizeof(wchar_t));
  if (block == nullptr) return false;
  auto* characters = static_cast<wchar_t*>(GlobalLock(block));
  const wchar_t pattern[] = L"Zentavo \u00E9 \u20AC 65 ";
  for (std::size_t i = 0; i < characters_to_paste; ++i)
    characters[i] = pattern[i % (std::size(pattern) - 1)];
  characters[characters_to_paste] = L'\0';
  GlobalUnlock(block);
  if (!OpenClipboard(owner)) return false;
  EmptyClipboard();
  const bool put = SetClipboardData(CF_UNICODETEXT, block) != nullptr;
  CloseClipboard();
  return put;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency{};
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Runs `act` and waits until the window has painted what it did.
template <typename Act>
double Timed(HWND window, Act&& act) {
  LARGE_INTEGER start{};
  LARGE_INTEGER end{};
  QueryPerformanceCounter(&start);
  act();
  PumpWaitingMessages();
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  QueryPerformanceCounter(&end);
  return Seconds(start, end);
}

// Windows' own EDIT alone, with the same text, font and number of keystrokes: the program's own
// cost is what its figures add to these. Run in a process of its own, so each peak is its own.
void MeasureTheSystemsEditAlone(HFONT font, std::size_t idle_working_set) {
  HWND bare = CreateWindowExW(0, L"EDIT", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE | ES_AUTOHSCROLL, 0,
                              0, 400, 60, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(bare, EM_SETLIMITTEXT, 0, 0);
  SetFocus(bare);  // a caret to place, as in the program's box
  SendMessageW(bare, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  PumpWaitingMessages();
  const double bare_paste = Timed(bare, [bare] { SendMessageW(bare, WM_PASTE, 0, 0); });
  std::vector<double> bare_keystrokes;
  for (int i = 0; i < keystrokes_to_time; ++i) {
    SendMessageW(bare, EM_SETSEL, 0, 0);
    bare_keystrokes.push_back(
        Timed(bare, [bare, i] { SendMessageW(bare, WM_CHAR, L'a' + i % 26, 0); }));
  }
  std::sort(bare_keystrokes.begin(), bare_keystrokes.end());
  std::printf(
      "the system's EDIT alone: paste %.3f s, keystroke median %.1f ms, peak %.1f MiB "
      "above the idle window\n",
      bare_paste, bare_keystrokes[bare_keystrokes.size() / 2] * 1e3,
      MiB(Memory().PeakWorkingSetSize - idle_working_set));
  DestroyWindow(bare);
}

}  // namespace

// Arguments: how many characters to paste (10 Mi), how many keystrokes to time (100), and
// "edit" to measure the system's EDIT alone instead of the program.
int wmain(int argc, wchar_t** argv) {
  if (argc > 1) characters_to_paste = std::wcstoul(argv[1], nullptr, 10);
  if (argc > 2) keystrokes_to_time = static_cast<int>(std::wcstol(argv[2], nullptr, 10));
  const bool edit_alone = argc > 3 && std::wcscmp(argv[3], L"edit") == 0;
  const INITCOMMONCONTROLSEX common_controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&common_controls);
  zentavo::Form1Win32 form(GetModuleHandleW(nullptr));
  zentavo::BindNotifications(form);
  form.Show(SW_SHOWNORMAL);
  PumpWaitingMessages();
  HWND box = form.BoxHandle(zentavo::control_names::kCharacterInput);
  form.FocusBox(zentavo::control_names::kCharacterInput);
  PumpWaitingMessages();
  const PROCESS_MEMORY_COUNTERS idle = Memory();

  if (!PutHugeTextOnClipboard(form.Handle())) {
    std::printf("the clipboard could not be had\n");
    return 1;
  }
  const PROCESS_MEMORY_COUNTERS with_clipboard = Memory();
  if (edit_alone) {
    MeasureTheSystemsEditAlone(reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0)),
                               idle.WorkingSetSize);
    return 0;
  }
  form.FocusBox(zentavo::control_names::kCharacterInput);
  const double paste = Timed(form.Handle(), [box] { SendMessageW(box, WM_PASTE, 0, 0); });
  const std::size_t pasted = static_cast<std::size_t>(GetWindowTextLengthW(box));

  std::vector<double> keystrokes;
  for (int i = 0; i < keystrokes_to_time; ++i) {
    SendMessageW(box, EM_SETSEL, 0, 0);
    keystrokes.push_back(
        Timed(form.Handle(), [box, i] { SendMessageW(box, WM_CHAR, L'a' + i % 26, 0); }));
  }
  const PROCESS_MEMORY_COUNTERS after = Memory();
  const std::size_t text_bytes = characters_to_paste * sizeof(wchar_t);

  std::vector<double> sorted = keystrokes;
  std::sort(sorted.begin(), sorted.end());
  std::printf("text: %zu characters pasted into txtDeCar (UTF-16: %.1f MiB)\n", pasted,
              MiB(text_bytes));
  std::printf("paste: %.3f s\n", paste);
  std::printf("keystrokes at its start: min %.1f ms, median %.1f ms, max %.1f ms\n",
              sorted.front() * 1e3, sorted[sorted.size() / 2] * 1e3, sorted.back() * 1e3);
  std::printf("each keystroke, ms:");
  for (const double each : keystrokes) std::printf(" %.1f", each * 1e3);
  std::printf("\n");
  std::printf(
      "working set: idle %.1f MiB, with the text on the clipboard %.1f MiB, peak %.1f MiB\n",
      MiB(idle.WorkingSetSize), MiB(with_clipboard.WorkingSetSize), MiB(after.PeakWorkingSetSize));
  const std::size_t above_idle = after.PeakWorkingSetSize - idle.WorkingSetSize;
  std::printf("peak above the idle window: %.1f MiB = %.2f x the text's UTF-16 size\n",
              MiB(above_idle), static_cast<double>(above_idle) / static_cast<double>(text_bytes));

  return pasted == characters_to_paste ? 0 : 1;
}
