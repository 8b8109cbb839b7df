// The order in which Tab moves the keyboard focus, and where it starts: read from the layout
// table's tab indexes, so both windows tab alike.
#pragma once

#include <algorithm>
#include <array>
#include <string_view>

#include "control_names.h"
#include "layout_table.h"

namespace zentavo {

inline constexpr std::size_t kFocusableControls = 5;  // the four text boxes and the button

// The text boxes and the button, by tab index; Tab wraps from the last to the first.
constexpr std::array<std::string_view, kFocusableControls> FocusOrder() {
  std::array<const layout::ControlRecord*, kFocusableControls> focusable{};
  std::size_t count = 0;
  for (const layout::ControlRecord& record : layout::kLayoutTable.controls) {
    if (record.kind == layout::ControlKind::TextBox ||
        record.kind == layout::ControlKind::PushButton) {
      focusable[count++] = &record;
    }
  }
  std::sort(focusable.begin(), focusable.end(),
            [](const auto* a, const auto* b) { return a->tab_index < b->tab_index; });
  std::array<std::string_view, kFocusableControls> names{};
  for (std::size_t i = 0; i < names.size(); ++i) names[i] = focusable[i]->name;
  return names;
}

// Where the focus is when the window opens: the first in the tab order.
inline constexpr std::string_view kFirstFocus = FocusOrder().front();

static_assert(kFirstFocus == control_names::kCodeInput, "the window opens ready for a code");

}  // namespace zentavo
