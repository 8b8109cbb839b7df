// What libxkbcommon says of a layout: the keys at the levels Shift and AltGr reach, and the runs
// of keys the compose table completes, which is where dead keys compose too. The reading follows
// what the toolkit's own compose input accepts, and nothing else.
#pragma once

#include <xkbcommon/xkbcommon-compose.h>
#include <xkbcommon/xkbcommon.h>

#include <memory>
#include <string>

#include "keyboard_ways.h"

namespace zentavo {

struct XkbRelease {
  void operator()(xkb_context* context) const { xkb_context_unref(context); }
  void operator()(xkb_keymap* keymap) const { xkb_keymap_unref(keymap); }
  void operator()(xkb_compose_table* table) const { xkb_compose_table_unref(table); }
  void operator()(xkb_compose_state* state) const { xkb_compose_state_unref(state); }
  void operator()(xkb_state* state) const { xkb_state_unref(state); }
};
using XkbContext = std::unique_ptr<xkb_context, XkbRelease>;
using XkbKeymap = std::unique_ptr<xkb_keymap, XkbRelease>;
using XkbComposeTable = std::unique_ptr<xkb_compose_table, XkbRelease>;

// A context that logs nothing: a broken compose file or keymap is the user's, and what can be
// read of it is told without a word on the terminal.
[[nodiscard]] XkbContext QuietXkbContext();

// The locale the toolkit's compose input takes its table for: LC_ALL, else LC_CTYPE, else LANG,
// else "C".
[[nodiscard]] std::string ComposeLocaleOfToolkit();

// The compose table for `locale` as libxkbcommon finds it (XCOMPOSEFILE, the user's XCompose,
// then the locale's own file); null where there is none or it cannot be read.
[[nodiscard]] XkbComposeTable ComposeTableFor(xkb_context* context, const std::string& locale);

// The layout the system is set to: the XKB_DEFAULT_ variables where XKB_DEFAULT_LAYOUT is set, as
// libxkbcommon reads them, else `keyboard_file`'s XKBMODEL, XKBLAYOUT, XKBVARIANT and XKBOPTIONS
// (Debian's /etc/default/keyboard), else libxkbcommon's default; null where it cannot be made.
[[nodiscard]] XkbKeymap SystemKeymap(xkb_context* context, const char* keyboard_file);

// What layout `layout` of `keymap` types. A level counts where Shift, AltGr (the modifier the
// keymap's ISO_Level3_Shift key sets) or both reach it; a run from `compose` (null for none)
// counts where every key of it does, so Compose sequences count only where a key gives Compose.
// The walk over the table stops after a bounded number of steps, whatever the table holds.
[[nodiscard]] KeyboardReading ReadXkbLayout(xkb_keymap* keymap, xkb_layout_index_t layout,
                                            xkb_compose_table* compose);

}  // namespace zentavo
