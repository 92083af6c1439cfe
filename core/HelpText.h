// The one-sentence context help of the settings pages' controls, shared by
// the pages' pop-ups and the library's GetHelpStr.
#pragma once

#include <cstdint>

// The help text of `control` on the page with id `page` (the page's effect
// bit, 1 for General), or null when the control has none.
const char* HelpText(int32_t page, int32_t control);
