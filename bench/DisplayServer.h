// The X server that shows this display when the bench runs under Wine: its
// work for the saver (taking in the copies to the screen) is CPU time of
// its own process, read from /proc through Wine's drive for the Unix root.
#pragma once

// CPU milliseconds the display server has used so far; negative when it
// cannot be seen (not under Wine, no DISPLAY, no /proc).
double DisplayServerCpuMs();
