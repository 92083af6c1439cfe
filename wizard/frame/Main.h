// modMain: the creator's start-up and its program-wide values.
#pragma once

#include <cstdint>
#include <string>

// Written once by Main, read everywhere else.
extern int32_t CreatorVersion;      // 40515 for 4.5.15
extern int32_t OsLevel;             // 0..4, see OsLevelOf
extern std::wstring AppVersionText; // "4.5.15"
extern std::wstring AppTitle;       // "Quorvel Screensaver Creator"
extern std::wstring HelpFile;       // <program folder>\quorvel.chm

// The program's folder, without a trailing backslash.
std::wstring ProgramFolder();

// Prepares the process, loads the settings and shows the wizard window; the
// program then runs while one of its forms is loaded (RunMessageLoop).
void Main();

// The wizard window, frmWizard (wizard/pages/).
class Form;
Form& WizardForm();
