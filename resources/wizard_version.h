// The creator's own version, for the version resource and for Main.
#pragma once
#define QV_VERSION_MAJOR 4
#define QV_VERSION_MINOR 5
#define QV_VERSION_REVISION 15
#define QV_VERSION_TEXT "4.5.15.0"
