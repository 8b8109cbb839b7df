// Zentavo.exe's text boxes in the program's window under wine: every paste, the arrow keys'
// steps, every way to undo or redo, and a history that never drifts from the text.
#include <windows.h>

#include <gtest/gtest.h>

#include <commctrl.h>
#include <imm.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "control_names.h"
#include "form1_win32.h"
#include "win32_test_support.h"

namespace zentavo {
namespace {

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

}  // namespace
}  // namespace zentavo
