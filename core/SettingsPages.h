// The settings pages without their windows: which pages a sheet shows, how
// each page's controls show the settings and write them back, and which
// controls are usable. The screensaver and the library drive real dialogs
// through PageControls; the tests drive a fake.
#pragma once

#include "core/SaverRecord.h"

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

// Page ids: PageGeneral, an effect's bit, or PageAbout.
constexpr int32_t PageAbout = 112;

// One page's controls, addressed by control id. Operations on a control the
// page does not have do nothing (reads give false, 0 or nothing).
class PageControls {
  public:
    struct ListItem {
        const char* Text;
        int32_t Data;
    };

    virtual ~PageControls() = default;
    virtual bool Exists(int id) const = 0;
    virtual bool Checked(int id) const = 0;
    virtual void SetChecked(int id, bool on) = 0;
    virtual void Enable(int id, bool on) = 0;
    // Every child control of the page except "&Enabled" and "&Hide these
    // options", labels included.
    virtual void EnableOthers(bool on) = 0;
    // An edit holding an unsigned decimal number; 0 when it holds none.
    virtual void SetUnsigned(int id, uint32_t value) = 0;
    virtual uint32_t GetUnsigned(int id) const = 0;
    virtual void SetUpDown(int id, int32_t min, int32_t max) = 0;
    virtual void SetUpDownPos(int id, int32_t pos) = 0;
    virtual int32_t UpDownPos(int id) const = 0;
    // tickFrequency 0 keeps the trackbar's own.
    virtual void SetTrackbar(int id, int32_t min, int32_t max, int32_t tickFrequency,
                             int32_t pos) = 0;
    virtual int32_t TrackbarPos(int id) const = 0;
    virtual void FillList(int id, const std::vector<ListItem>& items) = 0;
    // Selects the first item with this data, or none when no item has it.
    virtual void SelectData(int id, int32_t data) = 0;
    virtual std::optional<int32_t> SelectedData(int id) const = 0;
};

// Shows `settings` in the page's controls (not the "&Enabled" box, which the
// page procedure sets, nor the About texts).
void FillPage(PageControls& page, int32_t pageId, const SaverSettings& settings);

// Writes the page's controls back into `settings`: an effect page first sets
// or clears its bit in EnabledMask from "&Enabled", then its own options.
void WritePage(const PageControls& page, int32_t pageId, SaverSettings& settings);

// The enable rules. `followEnabledBox` false treats an effect page as
// enabled whatever its "&Enabled" box says (the library hides that box).
void UpdatePage(PageControls& page, int32_t pageId, bool followEnabledBox = true);

struct SheetPage {
    int32_t Id;
    int32_t Dialog;
    const char* Title;
};
struct SheetLayout {
    std::vector<SheetPage> Pages;
    int StartPage = 0;
};

// The screensaver's sheet: General unless hidden, every effect not hidden
// (none in content mode), then About; the page of `startMask` first shown.
SheetLayout ScreensaverSheet(const SaverSettings& settings, bool contentMode, int32_t startMask);

// The library's sheet: no About page; a hidden effect asked for by `page`
// gets a sheet of its own page alone.
SheetLayout LibrarySheet(const SaverSettings& settings, bool contentMode, int32_t page);
