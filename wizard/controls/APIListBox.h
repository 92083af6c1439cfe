// A list box that draws its own items: one column of texts, or in icon mode
// the 32 x 32 icons of one file in columns. The keyboard focus stays on the
// control's own window, which hands keys, characters and wheel turns to the
// list, so for its form it is one ordinary focusable control.
#pragma once

#include "common/Handles.h"
#include "core/IconListRules.h"
#include "wizard/frame/Form.h"

#include <functional>
#include <string>
#include <vector>

// Its row: {.Name = L"lstModes", .Kind = ControlKind::Custom, ...,
// .Factory = MakeDrawn<APIListBox>}.
class APIListBox : public DrawnControl {
  public:
    APIListBox() = default;
    ~APIListBox() override;

    const wchar_t* KindName() const override { return L"APIListBox"; }

    HWND ListWnd = nullptr; // nullptr until Init
    // Icon mode: the file whose icons are listed; "" the saver library.
    const std::wstring& IconFile() const { return iconFile_; }
    // Names the file only: UpdateIcons lists it.
    void IconFile(const std::wstring& file) { iconFile_ = file; }

    // Creates the list window (text mode unless SetIconFile came first).
    void Init();
    // In icon mode itemData is an icon the control owns from the call on,
    // also when the list refuses the item (a negative index).
    int AddItem(const std::wstring& text, LONG_PTR itemData);
    // Also frees the icons of icon mode.
    void Clear();
    void RemoveItem(int index);
    bool Enabled() const;
    void SetEnabled(bool enabled);
    FontDesc Font() const;
    void SetFont(const FontDesc& font);
    double FontSize() const;
    void SetFontSize(double points);
    LONG_PTR ItemData(int index) const;
    void SetItemData(int index, LONG_PTR data);
    // The lowest index with this data, else `notFound`.
    int ItemFromData(LONG_PTR data, int notFound) const;
    int ListCount() const;
    // An item's text; "" outside the list.
    std::wstring List(int index) const;
    // -1 when nothing is selected; setting it raises nothing.
    int ListIndex() const;
    void SetListIndex(int index);
    int NewIndex() const { return newIndex_; }
    LRESULT SendMsg(UINT message, WPARAM wParam, LPARAM lParam) const;
    LRESULT SendMsgStr(UINT message, WPARAM wParam, const std::wstring& text) const;
    // Icon mode on and the list shows the file's icons; false (list and
    // IconFile kept) for the file already shown or one without icons.
    bool SetIconFile(const std::wstring& file);
    // Lists IconFile's icons again, the first selected; false (list kept)
    // when it has none or outside icon mode.
    bool UpdateIcons();

    // Click: the user changed the selection. DblClick: on an item.
    std::function<void()> Click, DblClick;

  protected:
    void OnCreate() override;
    void OnDestroy() override;
    void Resize(int width, int height) override;
    UINT DlgCode() override { return DLGC_WANTARROWS | DLGC_WANTCHARS; }
    bool KeyDown(int key, int shift) override;
    bool KeyPress(wchar_t character) override;
    void FocusChanged(bool focused) override;
    void TimerTick(UINT_PTR id) override;
    bool MouseWheel(int delta, int shift) override;
    void EnabledChanged(bool enabled) override;
    std::optional<LRESULT> ChildMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    bool LoadIcons(const std::wstring& file);
    // The row's font: items are measured and drawn in it.
    HGDIOBJ ItemFont() const;
    int TextRowHeight() const;
    void Measure(MEASUREITEMSTRUCT& item) const;
    void DrawItem(const DRAWITEMSTRUCT& item) const;
    void FontChanged();

    std::wstring iconFile_;
    bool iconMode_ = false;
    bool refocusing_ = false;
    int newIndex_ = -1;
    std::vector<std::wstring> texts_;
    std::vector<UniqueIcon> icons_; // icon mode: one per item, owned
    WheelNotches wheel_;
};
