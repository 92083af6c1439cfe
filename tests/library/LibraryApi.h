// quorvel.dll as the creator sees it: the creator's own binding.
#pragma once

#include "wizard/frame/SaverLibrary.h"

using LibraryApi = SaverExports;

// The one library instance of a test program: quorvel.dll beside the test.
LibraryApi& Library();
