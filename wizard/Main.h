// modMain's start-up: the program's first work, above every layer of the
// creator (it shows the wizard). The values it sets are wizard/frame/Program.h.
#pragma once

// Prepares the process, loads the settings and shows the wizard window; the
// program then runs while one of its forms is loaded (RunMessageLoop).
void Main();
