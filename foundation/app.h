// AIApp: the one application object: its name and version, the start-up
// words of the command line and of the executable's name, the run state, the
// main window, which top-level window counts as active, and its parts
// AISystemInfo and AISettingsStore.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"
#include "foundation/system_info.h"
#include "foundation/settings_store.h"

// Start-up words, as bits.
enum StartupWord : uint32_t {
    kWordRestart = 1u << 0,
    kWordUsb = 1u << 1,        // portable mode
    kWordWine = 1u << 2,
    kWordLinux = 1u << 3,
    kWordOsx = 1u << 4,
    kWordMac = 1u << 5,
    kWordSlow = 1u << 6,
    kWordFast = 1u << 7,
    kWordNoNetwork = 1u << 8,
    kWordNoHotkey = 1u << 9,
    kWordBoot = 1u << 10,      // "/boot": started by the restart registration
};

// Run states.
enum { kRunStarting = 0, kRunRunning = 1, kRunClosing = -1 };

// The words of a command line (without the program's path) and of the
// executable's file name. Command-line words are whole blank-separated words
// compared without regard to case, a leading '/' or '-' ignored; the file name
// counts "_usb", "_slow", "_wine", "_linux", "_osx", "_mac" anywhere in it.
// "lang:xx" gives a two-letter code in langCode (3 chars, "" when absent).
uint32_t ParseStartupWords(const WCHAR* arguments, const WCHAR* exeFileName, WCHAR langCode[3]);
// The part of a full command line after the program's path (quoted or not).
const WCHAR* SkipProgramPath(const WCHAR* commandLine);

class AIApp {
public:
    AIApp();

    AISystemInfo system;
    AISettingsStore settings;

    // Start-up: name from the executable's file name (without ".exe"), the
    // start-up words, portable mode and its folders, the registry location.
    // exePath null takes GetModuleFileNameW; commandLine null GetCommandLineW.
    void Prepare(const WCHAR* exePath, const WCHAR* commandLine);

    const WCHAR* GetName() const { return name_.GetText(); }
    const WCHAR* GetVersionText() const;
    const WCHAR* GetWindowsVersionText() { return system.GetWindowsVersionText(); }
    const WCHAR* GetInstanceGuidText() const;

    // The single-instance check: a named mutex made of the instance GUID
    // text, the program name and the user name. 1 when this is the first
    // instance (the mutex is kept until ReleaseSingleInstance), 0 when another
    // instance holds it.
    int ClaimSingleInstance();
    void ReleaseSingleInstance();
    void GetSingleInstanceName(AIString& out) const;

    uint32_t GetStartupWords() const { return words_; }
    int HasWord(uint32_t word) const { return (words_ & word) ? 1 : 0; }
    const WCHAR* GetLanguageCode() const { return langCode_; }  // "" or two letters

    int32_t GetRunState() const { return runState_; }
    void SetRunState(int32_t state) { runState_ = state; }
    HWND GetMainWindow() const { return mainWindow_; }
    void SetMainWindow(HWND window) { mainWindow_ = window; }
    // 100 frame, 200 content window, 300 note dialog, 400 dialog host, 600 error details, 800 backdrop.
    int32_t GetActiveWindowId() const { return activeWindowId_; }
    void SetActiveWindowId(int32_t id) { activeWindowId_ = id; }
    // 0 while another application is in front, 1 when this one is active.
    int32_t GetGuardFlag() const { return guardFlag_; }
    void SetGuardFlag(int32_t flag) { guardFlag_ = flag ? 1 : 0; }
    int32_t GetRestartFlag() const { return restartFlag_; }
    void SetRestartFlag(int32_t flag) { restartFlag_ = flag; }

private:
    AIString name_;
    uint32_t words_;
    WCHAR langCode_[3];
    int32_t runState_;
    HWND mainWindow_;
    int32_t activeWindowId_;
    int32_t guardFlag_;
    int32_t restartFlag_;
    HANDLE instanceMutex_;
};

extern AIApp g_app;
