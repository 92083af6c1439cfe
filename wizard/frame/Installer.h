// The installer builder: fills the script template that the creator carries
// as resource "INSTALLER" (type 800) with the installer options and hands it
// line by line to the Inno Setup compiler in the "inno" folder beside the
// creator, which writes the setup program.
#pragma once

#include "core/InstallerScript.h"
#include "wizard/frame/InnoCompiler.h"

#include <functional>
#include <string>
#include <vector>

class ProgressDisplay;

// The creator's one record of installer options: the wizard sets the texts,
// the installer options dialog the switches.
InstallerOptions& CurrentInstallerOptions();

// The script for `options`: the template resource of this program in the
// system code page, its placeholders replaced and its "$if" lines applied,
// split into lines (each CR kept at the end of its line).
std::vector<std::wstring> InstallerScriptLines(const InstallerOptions& options,
                                               const std::wstring& appId);

// What one run of the compiler gave: its result (0 success) and the errors
// it reported, each as "Error: message[file:line]", without separators.
struct CompileOutcome {
    int Result = 0;
    std::wstring Errors;
};

// Called with the compiler's progress figures (maximum, position).
using CompileProgress = std::function<void(unsigned long max, unsigned long pos)>;

// Loads ISCmplr.dll from `compilerDir` (ending in "\") and compiles `lines`
// with `sourceDir` as the source path. Raises when the library or its entry
// point cannot be had, or when a build is already running.
CompileOutcome CompileInstallerScript(const std::wstring& compilerDir,
                                      const std::wstring& sourceDir,
                                      std::vector<std::wstring> lines, CompileProgress progress);

// The compiler's callback: hands out the script lines (code 1), moves the
// progress (3) and collects the errors (5). Always 0: go on.
int WINAPI CompilerCallback(int code, void* data, LONG_PTR appData);

// The "inno\" folder beside the creator, with a final "\".
std::wstring InstallerCompilerDir();

// Builds the setup program from CurrentInstallerOptions() with the compiler
// of InstallerCompilerDir(), showing progress on `progBar` (the wizard's)
// and the compiler's errors in a message box. True when the compiler wrote
// the setup program. Raises what fails before the compiler runs (a missing
// compiler, a folder or text the system code page cannot hold).
bool BuildInstaller(ProgressDisplay& progBar);
// The same with another compiler folder (tests).
bool BuildInstallerWith(ProgressDisplay& progBar, const std::wstring& compilerDir);
