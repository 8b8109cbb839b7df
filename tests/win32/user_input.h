// What the MSAA client does as a user does: keys typed and pressed through SendInput, text put
// on the clipboard, and a bounded wait for an outcome that takes events meanwhile.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace zentavo::testing_support {

// Types each character of `text` as a Unicode keystroke.
void Type(const wchar_t* text);
// Presses the keys in order and lets go of them in reverse, as a user holding modifiers does.
void Press(const std::vector<WORD>& keys);
// The same, as an action to run later.
[[nodiscard]] std::function<void()> Keys(std::vector<WORD> keys);
void PutOnClipboard(const std::u16string& text);
// Waits up to 20 s for `holds` to be true, taking this thread's messages and events meanwhile;
// whether it came true.
bool Within20Seconds(const std::function<bool()>& holds);

}  // namespace zentavo::testing_support
