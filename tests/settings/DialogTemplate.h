// Reads a dialog resource (DLGTEMPLATE, not the EX form) back into its
// parts, so tests can check exactly what the resource holds.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct DialogItem {
    int Id; // as stored: a label without id reads 0xFFFF
    std::string Class;
    std::string Text;
    DWORD Style;
    short X, Y, Cx, Cy;
};

struct DialogTemplate {
    DWORD Style = 0;
    short Cx = 0, Cy = 0;
    std::string Title;
    WORD PointSize = 0;
    std::string Font;
    std::vector<DialogItem> Items;
    const DialogItem* Find(int id) const;
};

// Throws when the module has no such dialog or it is malformed.
DialogTemplate ReadDialogTemplate(HINSTANCE module, int id);
