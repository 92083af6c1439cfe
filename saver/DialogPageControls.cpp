#include "saver/DialogPageControls.h"

#include "resources/SettingsIds.h"

#include <commctrl.h>

bool DialogPageControls::Exists(int id) const {
    return Item(id) != nullptr;
}

bool DialogPageControls::Checked(int id) const {
    return Exists(id) && IsDlgButtonChecked(page_, id) == BST_CHECKED;
}

void DialogPageControls::SetChecked(int id, bool on) {
    if (Exists(id))
        CheckDlgButton(page_, id, on ? BST_CHECKED : BST_UNCHECKED);
}

void DialogPageControls::Enable(int id, bool on) {
    if (HWND item = Item(id))
        EnableWindow(item, on);
}

void DialogPageControls::EnableOthers(bool on) {
    for (HWND child = GetWindow(page_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(child);
        if (id != IDC_ENABLED && id != IDC_HIDE)
            EnableWindow(child, on);
    }
}

void DialogPageControls::SetUnsigned(int id, uint32_t value) {
    if (Exists(id))
        SetDlgItemInt(page_, id, value, FALSE);
}

uint32_t DialogPageControls::GetUnsigned(int id) const {
    BOOL ok = FALSE;
    const UINT value = Exists(id) ? GetDlgItemInt(page_, id, &ok, FALSE) : 0;
    return ok ? value : 0;
}

void DialogPageControls::SetUpDown(int id, int32_t min, int32_t max) {
    Send(id, UDM_SETRANGE32, static_cast<WPARAM>(min), max);
}

void DialogPageControls::SetUpDownPos(int id, int32_t pos) {
    Send(id, UDM_SETPOS32, 0, pos);
}

int32_t DialogPageControls::UpDownPos(int id) const {
    BOOL error = FALSE;
    return static_cast<int32_t>(Send(id, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&error)));
}

void DialogPageControls::SetTrackbar(int id, int32_t min, int32_t max, int32_t tickFrequency,
                                     int32_t pos) {
    Send(id, TBM_SETRANGEMIN, FALSE, min);
    Send(id, TBM_SETRANGEMAX, TRUE, max);
    if (tickFrequency > 0)
        Send(id, TBM_SETTICFREQ, static_cast<WPARAM>(tickFrequency), 0);
    Send(id, TBM_SETPOS, TRUE, pos);
}

int32_t DialogPageControls::TrackbarPos(int id) const {
    return static_cast<int32_t>(Send(id, TBM_GETPOS, 0, 0));
}

void DialogPageControls::FillList(int id, const std::vector<ListItem>& items) {
    Send(id, CB_RESETCONTENT, 0, 0);
    for (const ListItem& item : items) {
        const LRESULT index = Send(id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.Text));
        if (index >= 0)
            Send(id, CB_SETITEMDATA, static_cast<WPARAM>(index), item.Data);
    }
}

void DialogPageControls::SelectData(int id, int32_t data) {
    const LRESULT count = Send(id, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i)
        if (static_cast<int32_t>(Send(id, CB_GETITEMDATA, static_cast<WPARAM>(i), 0)) == data) {
            Send(id, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
            return;
        }
    Send(id, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

std::optional<int32_t> DialogPageControls::SelectedData(int id) const {
    if (!Exists(id))
        return std::nullopt;
    const LRESULT index = Send(id, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR)
        return std::nullopt;
    return static_cast<int32_t>(Send(id, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}
