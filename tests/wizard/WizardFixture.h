// Tests of the wizard window in this process: the creator's settings under
// a registry key of the test's own, the version texts the program sets at
// start, and the window unloaded after each test.
#pragma once

#include "tests/support/WinTest.h"
#include "wizard/frame/Program.h"
#include "wizard/frame/Settings.h"
#include "wizard/pages/frmWizard.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

class WizardFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        CreatorSettingsKey = L"Software\\QuorvelTest\\" + std::to_wstring(GetCurrentProcessId());
        RegDeleteTreeW(HKEY_CURRENT_USER, CreatorSettingsKey.c_str());
        CreatorSettings = SettingsRecord{};
        CreatorVersion = 40515;
        AppVersionText = L"4.5.15";
        AppTitle = L"Quorvel Screensaver Creator";
    }
    void TearDown() override {
        if (wizard && wizard->Loaded())
            wizard->Unload();
        wizard.reset();
        RegDeleteTreeW(HKEY_CURRENT_USER, CreatorSettingsKey.c_str());
    }
    frmWizard& Open() {
        wizard = std::make_unique<frmWizard>();
        wizard->Show();
        PumpFor(200);
        return *wizard;
    }
    std::unique_ptr<frmWizard> wizard;
};
