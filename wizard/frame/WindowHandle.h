// An owned window: destroyed with its owner object unless already gone.
#pragma once

#include "common/Handles.h"

struct WindowTraits {
    using Type = HWND;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) {
        if (IsWindow(h))
            DestroyWindow(h);
    }
};
using UniqueWindow = UniqueHandle<WindowTraits>;
