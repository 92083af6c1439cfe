// The installer script: the options the user chose, the template's
// placeholders filled from them, and the "$if" lines that keep or drop a
// line by a condition.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// What the setup program is to do. The wizard fills the texts before each
// build; the installer options dialog sets the switches.
struct InstallerOptions {
    std::wstring Name;    // application, group and shortcut names
    std::wstring About;   // publisher
    std::wstring WebSite; // publisher, support and updates address
    std::wstring OutDir;  // folder of the setup program, ends in "\"
    std::wstring OutFile; // setup program's name without ".exe"
    bool StartMenu = false;
    bool WebLink = false; // kept for the dialog; the script does not use it
    std::wstring SrcScr;  // full path of the finished screensaver
    bool Uninstall = false;
    bool Active = false;
    bool Logon = false;
    bool SysDir = false;
};

// The part of a path after its last "\" (the whole path when it has none).
std::wstring FileTitle(const std::wstring& path);
// The part of a path up to and including its last "\" (the whole path when
// it has none).
std::wstring FileDir(const std::wstring& path);

// The setup program's path without ".exe" for a screensaver file: a final
// ".scr" dropped, then a final ".exe" replaced by "-setup" or "-setup"
// appended (both compared case-sensitively).
std::wstring InstallerOutputBase(const std::wstring& srcScr);

// The application id from a uniform random number in [0, 1): its share of
// 16777215, whole, in upper-case hexadecimal without leading zeros.
std::wstring AppIdText(double random);

// The template with every placeholder replaced by its value as the script
// reads a literal there: control characters as blanks, "{" doubled (or, in
// a constant's arguments, "%" "," "|" "{" "}" as "%xx") and the "#" of a
// "{#" as "{cm:NumberSign}", so that the preprocessor runs nothing; a double
// quote doubled inside a quoted parameter; a whole [Setup] value in quotes
// when its ends are blanks or quotes or it ends in " \"; and the name, where
// it names the install folder, the group or a shortcut, without the
// characters a file name cannot hold. The saver's path and the setup
// program's folder and name are read by the compiler itself, braces as they
// are: one holding "{#" raises a CreatorError. "$DIR$" is "{syswow64}\" with
// SysDir, else "{pf}\" and the name. One pass: a value put in is never read
// again.
std::wstring ExpandInstallerTemplate(std::wstring text, const InstallerOptions& options,
                                     const std::wstring& appId);

// One line with its leading and trailing spaces removed and its "$if"
// prefixes applied: "$if COND REST" (the "$if" in any case) becomes REST
// when COND holds, else the empty text; "!" before COND negates it;
// prefixes nest. COND is "true" or "false" in any case, or a number
// (non-zero is true). Nothing when a condition is none of these.
std::optional<std::wstring> ApplyConditions(std::wstring line);

// The text split at every LF (each CR stays at the end of its line) with
// ApplyConditions applied to each line. On a bad condition, `badLine` gets
// the line's index (from 0) and the result is empty.
std::optional<std::vector<std::wstring>> MakeScriptLines(const std::wstring& text,
                                                         std::size_t& badLine);
