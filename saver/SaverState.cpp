#include "saver/SaverState.h"

#include "saver/LogoImage.h"
#include "saver/RenderEngine.h"
#include "saver/SaverWindow.h"
#include "saver/SaverWindowShared.h"

SaverShared Shared;

SaverTrailer& CurrentTrailer = Shared.Trailer;
SaverSettings*& CurrentSettings = Shared.Settings;
std::vector<uint8_t>& LogoBlock = Shared.LogoBlock;

RECT& ScreenRect = Shared.Screen;
RECT& ClientRect = Shared.Client;
LogoRectangle& LogoRect = Shared.Logo;
HDC& LogoDC = Shared.LogoDC;
HBITMAP& LogoBitmap = Shared.LogoBitmap;
HDC& DisplayDC = Shared.Display;
HBRUSH& BackgroundBrush = Shared.Background;
int& DrawTransparent = Shared.DrawTransparent;
int& LowColour = Shared.LowColour;
HWND& ContentWindow = Shared.ContentWindow;
std::string& ContentText = Shared.ContentText;

std::atomic<int32_t>& CurrentEffect = Shared.CurrentEffect;
std::atomic<HWND>& SaverWindow = Shared.Window;
std::atomic<int>& StopFlag = Shared.StopFlag;

HDC& SaverWindowDC = Shared.WindowDC;
int& SettingsPreview = Shared.SettingsPreview;
int& InputGuard = Shared.InputGuard;
HWND& SettingsPage = Shared.SettingsPage;
bool& InPreviewPane = Shared.InPreviewPane;
SaverSettings& ScratchSettings = Shared.ScratchSettings;
SaverSettings*& SavedSettings = Shared.SavedSettings;
int& SaverExitCode = Shared.ExitCode;
