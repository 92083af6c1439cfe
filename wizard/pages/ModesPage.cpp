// The animations page: the two lists of effects, the highlighted effect's
// description, its settings and preview, and the notice that a content logo
// allows only the Static effect.
#include "wizard/frame/Errors.h"
#include "wizard/frame/Help.h"
#include "wizard/frame/SaverLibrary.h"
#include "wizard/pages/frmWizard.h"

#include <string>

namespace {

constexpr int32_t StaticMask = 2;
constexpr int NoticeDelayMs = 100;

} // namespace

void frmWizard::WireModes() {
    cmdAdd.Click = [this] { cmdAdd_Click(); };
    cmdRemove.Click = [this] { cmdRemove_Click(); };
    cmdSettings.Click = [this] { cmdSettings_Click(); };
    cmdPreview.Click = [this] { cmdPreview_Click(); };
    cmdGeneral.Click = [this] { cmdGeneral_Click(); };
    tmrDynAnimChange.Timer = [this] { tmrDynAnimChange_Timer(); };
    lstModes.Click = [this] { UpdateModeSelection(); };
    lstActive.Click = [this] { UpdateModeSelection(); };
    lstModes.Extender()->GotFocus = [this] { UpdateModeSelection(); };
    lstActive.Extender()->GotFocus = [this] { UpdateModeSelection(); };
    lstModes.DblClick = [this] { cmdAdd_Click(); };
    lstActive.DblClick = [this] { cmdRemove_Click(); };
}

int32_t frmWizard::GetModeState(int32_t Mode) {
    Procedure run(L"frmWizard.GetModeState");
    int32_t state = -1;
    if (!run([&] { state = SaverLibrary().GetSaverState(Mode); }) || state < 0)
        return state;
    const ModeEntry* entry = nullptr;
    for (const ModeEntry& m : Modes)
        if (m.Mask == Mode) {
            entry = &m;
            break;
        }
    if (!entry)
        return state;
    APIListBox& from = state == 0 ? lstActive : lstModes;
    APIListBox& to = state == 0 ? lstModes : lstActive;
    if (!run([&] {
            if (const int i = from.ItemFromData(Mode, -1); i >= 0)
                from.RemoveItem(i);
        }))
        return state;
    if (!run([&] {
            if (to.ItemFromData(Mode, -1) < 0) {
                to.AddItem(entry->Name, 0);
                to.SetItemData(to.NewIndex(), Mode);
                to.SetListIndex(to.NewIndex());
            }
        }))
        return state;
    run([&] { UpdateModeSelection(); });
    return state;
}

void frmWizard::SetModeState(int32_t Mode, int32_t State) {
    Procedure run(L"frmWizard.SetModeState");
    if (run([&] { SaverLibrary().SetSaverState(Mode, State); }))
        run([&] { GetModeState(Mode); });
}

void frmWizard::RefreshModeStates() {
    for (const ModeEntry& m : Modes)
        GetModeState(m.Mask);
}

void frmWizard::UpdateModeSelection() {
    const Control* active = ActiveControl();
    if (active == lstActive.Extender())
        currentList_ = &lstActive;
    else if (active == lstModes.Extender())
        currentList_ = &lstModes;
    else if (!currentList_)
        currentList_ = &lstActive;

    if (currentList_->ListIndex() < 0) {
        if (lstModes.ListIndex() >= 0)
            currentList_ = &lstModes;
        else if (lstActive.ListIndex() >= 0)
            currentList_ = &lstActive;
        else
            currentList_->SetListIndex(0);
    }
    if (previousList_ && previousList_ != currentList_)
        previousList_->SetListIndex(-1);
    previousList_ = currentList_;

    cmdAdd.SetEnabled(lstModes.ListIndex() >= 0 && lstModes.ListCount() > 0);
    cmdRemove.SetEnabled(lstActive.ListIndex() >= 0 && lstActive.ListCount() > 0);

    const int highlighted = currentList_->ListIndex();
    if (highlighted < 0)
        return;
    const auto id = static_cast<int32_t>(currentList_->ItemData(highlighted));
    for (const ModeEntry& m : Modes)
        if (m.Mask == id) {
            fraMode.SetCaption(m.Name);
            lblDesc.SetCaption(m.Description);
            fraMode.Tag = std::to_wstring(id);
            return;
        }
}

void frmWizard::StartDynamicNotice() {
    Control& timer = tmrDynAnimChange;
    timer.SetEnabled(false);
    timer.SetInterval(NoticeDelayMs);
    timer.SetEnabled(true);
}

void frmWizard::cmdAdd_Click() {
    if (DynamicLogo) {
        StartDynamicNotice();
        return;
    }
    if (const int i = lstModes.ListIndex(); i >= 0)
        SetModeState(static_cast<int32_t>(lstModes.ItemData(i)), 1);
}

void frmWizard::cmdRemove_Click() {
    if (DynamicLogo) {
        cmdAdd_Click();
        return;
    }
    if (const int i = lstActive.ListIndex(); i >= 0)
        SetModeState(static_cast<int32_t>(lstActive.ItemData(i)), 0);
}

void frmWizard::tmrDynAnimChange_Timer() {
    tmrDynAnimChange.SetEnabled(false);
    if (!DynamicLogo)
        return;
    std::wstring name = L"Static";
    for (const ModeEntry& m : Modes)
        if (m.Mask == StaticMask) {
            name = m.Name;
            break;
        }
    // The notice is for whichever control the user is on; with none (the
    // window lost the focus meanwhile) the Add button stands in.
    Control* at = ActiveControl();
    if (!at)
        at = &cmdAdd;
    ShowControlHelp(at, this, false, nullptr, nullptr,
                    L"Only the '" + name +
                        L"' saver animation is available while using a dynamic logo, such as a "
                        L"Flash animation",
                    L"Unable to change the animation", 1, -1, 0);
}

void frmWizard::ShowModeConfig(int32_t argument) {
    SaverLibrary().ShowConfig(hWnd(), argument);
}

void frmWizard::cmdSettings_Click() {
    const std::wstring& tag = fraMode.Tag;
    if (tag.empty())
        return;
    ShowModeConfig(std::stoi(tag));
    // OK on an available effect's own page shows it in the saver again.
    RefreshModeStates();
}

void frmWizard::cmdPreview_Click() {
    const std::wstring& tag = fraMode.Tag;
    if (!tag.empty())
        ShowModeConfig(-std::stoi(tag));
}

void frmWizard::cmdGeneral_Click() {
    ShowModeConfig(1);
    RefreshModeStates();
}
