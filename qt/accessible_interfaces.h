// Puts the program's own accessible interfaces in place of the toolkit's for its window, its
// line edits and its announcer.
#pragma once

namespace zentavo {

// Idempotent; takes effect for every interface made after it, so it runs before the window is
// built.
void InstallAccessibleInterfaces();

}  // namespace zentavo
