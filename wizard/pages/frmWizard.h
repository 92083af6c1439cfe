// The creator's main window: a fixed-size wizard of six pages, from the
// logo to the finished screensaver file.
#pragma once

#include "wizard/controls/APIListBox.h"
#include "wizard/controls/ColorDrop.h"
#include "wizard/controls/CommandLink.h"
#include "wizard/controls/IENavButton.h"
#include "wizard/controls/ProgressBar.h"
#include "core/WizardChrome.h"
#include "core/WizardPages.h"
#include "wizard/frame/Aero.h"
#include "wizard/frame/Form.h"
#include "wizard/frame/Help.h"
#include "wizard/frame/Imaging.h"
#include "wizard/frame/SubClass.h"
#include "wizard/frame/WindowHandle.h"
#include "wizard/pages/Surface.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class frmWizard : public Form, public WizardHelpMembers {
  public:
    frmWizard();
    Control& picContextHelp() override;
    Control& txtTip() override;
    // The controls the pages reach, bound from the table when the form is
    // made (a name missing from it fails there).
    ProgressBar& ProgBar;
    IENavButton& Nav;
    APIListBox &lstModes, &lstActive;
    ColorDrop& clrBackground;
    CommandLink &cmdAgain, &cmdBrowse, &cmdBrowseSaver, &cmdExit, &cmdTest, &cmdTestInstaller,
        &cmdUpdate;
    Control &cmdAdd, &cmdBack, &cmdCancel, &cmdGeneral, &cmdHelp, &cmdIcon, &cmdInstaller, &cmdNext,
        &cmdPreview, &cmdRemove, &cmdSaveAs, &cmdScale, &cmdSettings, &cmdTrans;
    Control &chkDisableConfig, &chkInstaller, &chkTrans, &cmbMRU, &cmbSize;
    Control &fraFlash, &fraMode, &fraTransparent, &lblDesc, &lblDone, &lblOpenError, &lblTitle,
        &lnkSite;
    Control &picAbout, &picCover, &picHeader, &picIcon, &picMain, &picOpen, &picPreview, &picSide,
        &picSideImg, &picTmp, &picTrans, &picTransBack, &shaButtons, &tmrDynAnimChange;
    Control &txtAbout, &txtLogo, &txtName, &txtSaveAs, &txtScaleTip, &txtURL;
    ControlArray picStep;

    // The page machine: checks the page left, moves by `inc` and prepares
    // the page reached (-StepCnt: back to the first page).
    void NextStep(int32_t inc);
    // Loads (when needed) and draws the logo named by `file` ("" the logo
    // text; "" or "!" then the built-in logo) into the preview.
    void UpdateImage(int32_t Color, std::wstring file, bool ShowError, bool ForceReload,
                     bool KeepTrans);
    bool CreateSaver();
    void LoadSaver(const std::wstring& path);
    // The animations page: files effect `Mode` into the list its library
    // state calls for and returns that state; sets the state, then files it;
    // shows the highlighted effect and enables the buttons by the lists.
    int32_t GetModeState(int32_t Mode);
    void SetModeState(int32_t Mode, int32_t State);
    void UpdateModeSelection();

    int32_t StepCnt = 0;
    int32_t CurrentStep = -1; // the WizardPage shown; -1 before the first move
    Control* CurrentPic = nullptr;
    bool& Glass = WizardGlass;   // the glass frame is on (one flag with the drawing's)
    GlassMargins GlassMargins{}; // the frame extended into the client area
    double ImageScale = 1.0;
    int32_t TransparentColor = -1, TransparentColorPrev = -1;
    bool PicHasTrans = false;
    std::wstring ExtractedBMP, TempBMP, ScrFile, DynFile, DynType, DynRemoteTemp;
    bool DynamicLogo = false, DynRemote = false;
    int32_t DynSize = 0;
    UniqueWindow DynamicWnd; // the content's host window in the preview
    bool ImageLoaded = false;
    std::wstring IconFile;
    int32_t IconIndex = 0;
    int32_t BackgroundColor = 0; // clrBackground's colour, the preview's background
    int32_t LogoLeft = 0, LogoTop = 0, LogoWidth = 0, LogoHeight = 0;
    std::optional<Picture> LogoDib; // the decoded logo, as the page keeps it
    std::wstring ChosenSaver;
    // The Save page's own proposal while it stands unconfirmed: a file there
    // is no file the user chose for this saver, and is not replaced unasked.
    std::wstring ProposedSaveAs;

    // The drawings of the logo page's work boxes.
    Surface picPreviewDrawing, picBMPDrawing, picSaveDrawing, picTmpDrawing;
    // What picIcon shows: the saver's icon, kept across repaints.
    Surface picIconDrawing;
    // The pictures stored with the window: the About picture (without
    // glass; glass draws the logo there) and the welcome page's side picture.
    Surface picAboutDrawing, picSideDrawing;

    // Draws icon IconIndex of IconFile into picIcon.
    void UpdateIcon();

  protected:
    void Form_Load() override;
    void Form_QueryUnload(bool& Cancel, int UnloadMode) override;
    void Form_Unload(bool& Cancel) override;
    void Form_Resize() override;
    void Form_KeyDown(int& KeyCode, int Shift) override;

  private:
    struct ModeEntry {
        int32_t Mask = 0;
        std::wstring Name, Description;
        int32_t SavedState = 0;
    };

    void Wire();
    void cmdNext_Click();
    void cmdBack_Click();
    void cmdCancel_Click();
    void cmdExit_Click();
    void cmdAgain_Click();
    void Nav_Click(int index);
    void clrBackground_Changed(COLORREF colour);
    void chkTrans_Click();
    void chkInstaller_Click();
    void txtLogo_Change();
    void cmdUpdate_Click();
    void cmdBrowse_Click();
    void cmdScale_Click();
    void picPreview_Click();
    void cmbMRU_Change();
    void cmdBrowseSaver_Click();
    void picStep_GotFocus(int index);
    void lblTitle_Change();
    void cmdIcon_Click();
    void picIcon_DblClick();
    void EnterModesPage();
    void DoneLayout();
    void DrawOpenWarning(bool show);
    void PaintOpenWarning(HDC dc);
    void PaintSeparator(HDC dc);
    // Draws a stored picture on a picture box, on the box's background, at
    // its bottom-left corner or centred.
    void ShowStoredPicture(Surface& drawing, const Control& box, const wchar_t* bitmap, int width,
                           int height, bool centred);
    void FillMRU();
    // Selects ChosenSaver in the refilled recent list (or types its path)
    // and checks it again.
    void ShowChosenSaver();
    // The animations page (ModesPage.cpp).
    void WireModes();
    void RefreshModeStates();
    void StartDynamicNotice();
    void ShowModeConfig(int32_t argument);
    void cmdAdd_Click();
    void cmdRemove_Click();
    void cmdSettings_Click();
    void cmdPreview_Click();
    void cmdGeneral_Click();
    void tmrDynAnimChange_Timer();
    APIListBox* currentList_ = nullptr;  // the list whose highlight is shown
    APIListBox* previousList_ = nullptr; // the one before it
    // The last page's links, Browse and options of the Save page, the
    // travel buttons' place (DonePage.cpp).
    void WireDone();
    void cmdTest_Click();
    void cmdTestInstaller_Click();
    void cmdSaveAs_Click();
    void cmdInstaller_Click();
    void Nav_AdjustSize();
    // UpdateImage's load and drawing, with the wizard's input held.
    void LoadAndDraw(int32_t Color, std::wstring file, bool ShowError, bool ForceReload,
                     bool KeepTrans);
    bool IsRemote(const std::wstring& file) const;
    bool LoadDynamic(const std::wstring& file);
    // Draws the loaded logo: picBMPDrawing, picSaveDrawing, picTmpDrawing
    // and the preview. When its surfaces cannot be made, says so (showError)
    // and goes back to the scale last drawn; with none, the logo counts as
    // not loaded.
    void DrawLogo(int32_t colour, Progress& progress, bool showError);

    // Content logos (DynamicLogo.cpp).
    void WireDynamic();
    void cmbSize_Change();
    // The placement chosen in cmbSize (DynSize when none is).
    int32_t ChosenFlashSize() const;
    // The content's rectangle, its host window or the note in its place.
    void DrawContent(bool loaded, Progress& progress);

    // The transparent colour (TransparentColor.cpp).
    void WireTransparency();
    void SubClassTransparency(); // once the windows are there
    int32_t PointToImageColor(double x, double y) const;
    void cmdTrans_MouseUp();
    void picTrans_MouseMove(int X, int Y);
    void picTrans_MouseUp();
    void picTrans_Click();
    void picTrans_LostCapture();
    // The swatch shows `colour` (negative: black).
    void ShowSwatch(int32_t colour);
    void PaintSwatch(HDC dc);
    SubClasser scTrans, scChoose;
    bool Picking = false;  // the swatch holds the mouse for a pick
    bool Flashing = false; // the keyed pixels are flashing
    void sc_GotMessage(HWND& hWnd, UINT& message, WPARAM& wParam, LPARAM& lParam, bool& Proceed,
                       LRESULT& ReturnValue);

    // The chrome (WizardChrome.cpp): glass frame, window messages, Help
    // button and menu, help mode, About box.
    void WireChrome();
    void AddGlass();
    void RepaintAll();
    void DrawGlassTitle();
    bool ChromeMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, bool& Proceed,
                       LRESULT& ReturnValue);
    void PaintHelpArrow(HWND button, UINT message, WPARAM wParam, LPARAM lParam, bool& Proceed,
                        LRESULT& ReturnValue);
    void cmdHelp_Click();
    void mnuContext_Click();
    void mnuHelp_Click();
    void mnuHelpToc_Click();
    void mnuAbout_Click();
    void picAbout_Click();
    void picHeader_MouseMove(int Button, int Shift, int X, int Y);
    void picContextHelp_MouseMove();
    Surface glassWindow, glassHeader, glassAbout; // what glass draws on each surface
    HWND lastHoverWindow = nullptr;               // help mode: the last window hovered
    std::wstring lastHoverControl;                // and the last wizard control ("" none)

    // Reached through the help layer's accessors above.
    Control &picContextHelp_, &txtTip_;
    SubClasser sc, scMain, scLogo, scOpen;
    bool ShowOpenWarning = false;
    std::wstring LastLoadError; // why the last load failed, when Next should say more
    std::vector<ModeEntry> Modes;
    int32_t FurthestStep = PageWelcome;
    bool InstallerBuilt = false; // the last Create wrote a setup program
    bool ModesFilled = false, LastDynamicLogo = false;
    bool Stepping = false; // NextStep runs
    bool Closing = false;  // Form_Unload has begun
    bool ImageBusy = false, ImageEverLoaded = false;
    double DrawnScale = 0;      // the scale the logo was last drawn at; 0: not drawn
    unsigned ImageRequests = 0; // calls of UpdateImage, those ImageBusy turned away too
    bool ImageMissed = false;   // a call was turned away since it was last cleared
    std::wstring LastImageFile;
    int32_t ComposedOver = -1; // the colour an alpha logo was composed over
};

frmWizard& Wizard();
// Shows the About box; tests replace it to see the request.
extern void (*AboutOpener)(Form& owner, bool modal);
// Starts the display panel for "Install and Test" (CreateProcessW; tests
// replace it to see the program and command line).
extern decltype(&CreateProcessW) PanelStarter;
