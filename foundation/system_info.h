// AISystemInfo: what the program knows of the machine it runs on: Windows
// version, Wine or a Mac-like host, portable mode and its folders, the
// processor speed index that decides how much animation is affordable.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

class AISystemInfo {
public:
    AISystemInfo();

    // The processor speed index, measured once and kept. The start-up words
    // "slow" and "fast" set it to 99 and 301. Callers compare it with 151,
    // 200, 250 and 350. Pass 1 to measure again.
    int GetCpuSpeedIndex(int remeasure = 0);
    void SetCpuSpeedIndex(int index);   // start-up words and tests

    // -1 asks; 0 or 1 forces the answer (start-up words, tests).
    // IsWine is 1 under Wine (ntdll offers wine_get_version) or when forced.
    int IsWine(int value = -1);
    int IsMac(int value = -1);          // a Mac-like host: start-up words only

    // Portable mode: the program runs from a removable drive and keeps its
    // registry values and temporary files beside itself.
    int IsPortable() const { return portable_; }
    void SetPortable(int portable);

    // Folders, each ending without a backslash.
    const WCHAR* GetExeFolder();
    const WCHAR* GetDocumentsFolder();
    // The program's temporary folder: the portable one when set, else
    // GetTempPathW + the program's name.
    const WCHAR* GetTempFolder();
    void SetProgramName(const WCHAR* name);
    void SetPortableTempFolder(const WCHAR* folder);

    // Windows version as a number (5.1, 6.0, 6.1 ...) and its product text.
    double GetWindowsVersion();
    const WCHAR* GetWindowsVersionText();

    int GetProcessorCount();
    int64_t ReadPerformanceCounter();
    int64_t GetPerformanceFrequency();
    SYSTEMTIME GetLocalTimeNow();
    // English name of the user-interface language ("English").
    void GetLanguageName(AIString& out);

private:
    int MeasureSpeed();

    int speedIndex_;      // 0 until measured
    int wine_;            // -1 until detected
    int mac_;
    int portable_;
    double windowsVersion_;
    AIString programName_;
    AIString exeFolder_;
    AIString documentsFolder_;
    AIString tempFolder_;
    AIString portableTempFolder_;
    AIString windowsVersionText_;
};
