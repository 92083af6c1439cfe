// modReg's WebSite, and the one opener of addresses and files that it and
// the creator's links share (tests put their own in its place and see each
// address opened without a browser).
#pragma once

#include <windows.h>

#include <string>

// The product's web site, the base of every page WebSite opens.
extern const wchar_t* const ProductSite;

// Opens `target` (a web address or a file) with the shell's "Open" verb in
// a normal window; a failure is raised as the shell's error.
extern void (*OpenCreatorLink)(HWND owner, const std::wstring& target);

// The shell's result of ShellExecuteW (32 and below a failure) as a system
// error code.
DWORD ShellExecuteError(INT_PTR result);

// Opens ProductSite + "/App/" + page; failures are reported at "modReg.WebSite".
void WebSite(const std::wstring& page);
