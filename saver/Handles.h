// The handle wrappers now live in common/; this name is kept only for files
// still being reworked on other branches. Include "common/Handles.h".
#pragma once

#include "common/Handles.h"
