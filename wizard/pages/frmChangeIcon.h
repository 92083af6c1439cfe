// "Change Icon": the modal dialog in which the user picks the icon the new
// screensaver carries, from a program, library or icon file, or the saver
// library's own. It reads and writes the owner's icon file and index, and
// changes them only on OK (or a double click on an icon).
#pragma once

#include "core/ChangeIconRules.h"
#include "wizard/controls/APIListBox.h"
#include "wizard/frame/Form.h"
#include "wizard/frame/SubClass.h"

#include <cstdint>
#include <string>

class frmChangeIcon : public Form {
  public:
    // `owner` gives its icon; `iconFile` ("" the default icons) and
    // `iconIndex` are the owner's variables.
    frmChangeIcon(Form& owner, std::wstring& iconFile, int32_t& iconIndex);

    APIListBox& lstIcons;
    Control &cmdBrowse, &cmdCancel, &cmdDefault, &cmdOK, &txtFilename;

    void txtFilename_Change();
    void lstIcons_GotFocus();
    void lstIcons_DblClick();
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdDefault_Click();
    void cmdBrowse_Click();

    int32_t GripSize = 0;
    GripBox GripRect{}; // client pixels

  protected:
    void Form_Load() override;
    void Form_Resize() override;

  private:
    void sc_GotMessage(HWND& hWnd, UINT& message, WPARAM& wParam, LPARAM& lParam, bool& Proceed,
                       LRESULT& ReturnValue);
    void PaintGrip(HDC dc) const;

    Form& owner_;
    std::wstring& iconFile_;
    int32_t& iconIndex_;
    SubClasser sc;
};

// The open dialog "&Browse..." shows (ShowFileDialog's arguments); tests
// put their own in its place.
extern bool (*IconFileDialog)(bool open, DWORD flags, std::wstring& fileName, HWND owner,
                              const std::wstring& title, const std::wstring& initialDir,
                              const std::wstring& filter, int filterIndex,
                              const std::wstring& defaultExt);
