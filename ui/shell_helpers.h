// Small Win32 wrappers: opening targets with the shell (synthesised keys are
// foundation/misc_services.h's).
#pragma once
#include "foundation/win.h"

// What OpenInShell hands to ShellExecuteW, worked out without side effects.
struct ShellRequest {
    WCHAR verb[16];
    WCHAR file[1040];
    WCHAR parameters[1100];
};
// "file:" targets go through the system's file protocol handler (url.dll);
// everything else is passed as it stands. Returns 0 for an empty target.
int BuildShellRequest(const WCHAR* verb, const WCHAR* target, const WCHAR* parameters,
                      ShellRequest* out);

// Opens a file, folder or address with the shell; verb may be null. Reports
// its own failure and returns 1 on success, 0 on failure.
int OpenInShell(HWND owner, const WCHAR* verb, const WCHAR* target, const WCHAR* parameters,
                const WCHAR* folder, int showCommand);
