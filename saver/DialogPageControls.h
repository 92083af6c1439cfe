// PageControls over a real dialog page.
#pragma once

#include "core/SettingsPages.h"

#include <windows.h>

class DialogPageControls final : public PageControls {
  public:
    explicit DialogPageControls(HWND page) : page_(page) {}
    bool Exists(int id) const override;
    bool Checked(int id) const override;
    void SetChecked(int id, bool on) override;
    void Enable(int id, bool on) override;
    void EnableOthers(bool on) override;
    void SetUnsigned(int id, uint32_t value) override;
    uint32_t GetUnsigned(int id) const override;
    void SetUpDown(int id, int32_t min, int32_t max) override;
    void SetUpDownPos(int id, int32_t pos) override;
    int32_t UpDownPos(int id) const override;
    void SetTrackbar(int id, int32_t min, int32_t max, int32_t tickFrequency, int32_t pos) override;
    int32_t TrackbarPos(int id) const override;
    void FillList(int id, const std::vector<ListItem>& items) override;
    void SelectData(int id, int32_t data) override;
    std::optional<int32_t> SelectedData(int id) const override;

  private:
    HWND Item(int id) const { return GetDlgItem(page_, id); }
    LRESULT Send(int id, UINT message, WPARAM wParam, LPARAM lParam) const {
        HWND item = Item(id);
        return item ? SendMessageA(item, message, wParam, lParam) : 0;
    }
    HWND page_;
};
