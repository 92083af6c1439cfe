// The file work of the wizard's last step and of reopening a saver, as
// functions of their inputs, so they run (and are tested) without a window.
#pragma once

#include "wizard/frame/Imaging.h"
#include "wizard/frame/Settings.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

// What the wizard's pages hold when the saver is made.
struct SaverRequest {
    std::wstring Name, About, Url; // as typed; trimmed here
    std::wstring LogoFile;         // the scaled logo bitmap, or the content file
    bool PreventChanges = false;   // "Prevent changes to the options" ticked
    std::wstring IconFile;         // empty: the library's own icon
    int32_t IconIndex = 0;
    std::wstring SaveAs;                   // the target path
    std::function<void(int32_t)> Progress; // 5 ... 70, 100; may be empty
};

struct SaverOutcome {
    bool Written = false;
    // When not written: the whole message for the user (empty after Abort).
    std::wstring Message;
};

// The library has put the logo, colours, version and settings in its record
// already. Writes the screensaver program to a temporary file, has the
// library add the name, texts, logo and icon, and puts the result in place
// of SaveAs through a temporary file beside it, so an earlier saver stays
// whole when anything fails. Only then the recent list gets the saver at
// its front. Failures of the first steps go to ShowError at
// "frmWizard.CreateSaver" (Abort: not written, no message).
SaverOutcome WriteSaverFile(const SaverRequest& request, SettingsRecord& settings);

// The reason text of a failed saver, as shown to the user.
std::wstring SaveFailureMessage(const std::wstring& reason);

// Writes one block of the copy into the target folder (a test puts a full
// disk in its place). True when all `size` bytes were written.
using CopyBlockWriter = std::function<bool(HANDLE file, const uint8_t* data, DWORD size)>;
class ScopedCopyBlockWriter {
  public:
    explicit ScopedCopyBlockWriter(CopyBlockWriter writer);
    ScopedCopyBlockWriter(const ScopedCopyBlockWriter&) = delete;
    ScopedCopyBlockWriter& operator=(const ScopedCopyBlockWriter&) = delete;
    ~ScopedCopyBlockWriter();

  private:
    CopyBlockWriter previous_;
};

// What the wizard's fields get when page 0 is left.
struct ReopenedSaver {
    bool FromSaver = false; // a saver was read; otherwise fresh defaults
    std::wstring Name, About, Url;
    int32_t Background = 0;   // never negative
    int32_t Transparent = 0;  // the colour key; negative: none
    bool KeyTicked = false;   // chkTrans: a saver's key, black too
    std::wstring IconFile;    // the saver itself when read
    std::wstring LogoFile;    // the extracted logo when read
    bool LogoSaved = false;   // the library wrote logo bytes there
    std::wstring LogoFailure; // why not, when read but not written

    bool PreventChanges = false; // "Prevent changes to the options" was ticked
};

// The extracted logo's one path: "extracted-image.quorvel.bmp" in the
// temporary folder.
std::wstring ExtractedLogoPath();

// Reads the saver at `path` through the library (an empty path or a file
// that is no saver gives the defaults with the first free default name).
// The logo goes to ExtractedLogoPath(), the old file deleted first, its
// colours un-premultiplied once so the logo page loads it like any picture.
ReopenedSaver ReadSaverForWizard(const std::wstring& path, const SettingsRecord& settings);

// Page 0's check of a chosen saver. `fromList`: picked from the recent list
// (a missing file then says so). The library's record is left as it was.
struct SaverChoice {
    bool Accepted = false;
    std::wstring Message; // empty when accepted or a typed path is missing
};
SaverChoice CheckSaverChoice(const std::wstring& file, bool fromList, int32_t creatorVersion,
                             const std::wstring& appTitle);

// Page 2's hand-over of a picture logo to the library: the logo (as the
// logo page keeps it, AlphaForm::AsLogo) at width x height as a 32-bit
// bitmap in `tempBmp` (a new "yls" file in the temporary folder when
// empty), then SetLogo(tempBmp, 0, 0, 0, -1 or 0). A logo drawn without
// its alpha is written opaque: the saver draws it so, and its colours must
// not be taken for premultiplied ones. Raises, saying which step failed
// (scaling, the temporary file, writing it), when nothing could be handed over.
void HandOverPictureLogo(const Picture& logo, int32_t width, int32_t height, std::wstring& tempBmp);
