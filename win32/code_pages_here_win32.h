// The code pages Zentavo.exe tells keystrokes and bytes in, as Windows has them on this PC: its
// DOS (OEM) and Windows (ANSI) pages, and the pages people still meet, each from Windows' own
// tables.
#pragma once

#include "code_page_setting.h"
#include "code_pages.h"

namespace zentavo {

// Asked of Windows on first use (GetOEMCP, GetACP, MultiByteToWideChar), then kept: this PC's
// DOS page first among the DOS pages, then 850 and 437; this PC's Windows page where it is not
// Windows-1252; and the pages people meet from Windows' tables, but for Mac Roman, which is
// Apple's current table.
[[nodiscard]] const CodePageSetting& CodePagesHere();

// Windows' own table of `page`: each byte alone through MultiByteToWideChar, a byte that is no
// character alone (a lead byte of a two-byte page, a byte the page leaves out) standing for none;
// and, for a DOS page, as typed, with the pictures DOS gives bytes 1 to 31 and 127
// (MB_USEGLYPHCHARS).
[[nodiscard]] CodePageTable WindowsCodePage(unsigned page, CodePageKind kind);

}  // namespace zentavo
