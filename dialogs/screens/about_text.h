// What the About screen says: the program and system text, and the credits
// that fade in and out one page at a time.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

struct AboutFacts {
    const WCHAR* versionText;
    const WCHAR* userName;
    const WCHAR* computerName;
    const WCHAR* windowsVersionText;
    int isWine;
    int isMac;
    const WCHAR* richEditVersion;
    int speedIndex;
    int processorCount;
    int delayValue;
};

// The about text in mark-up: the program, its purpose and the system information.
void ComposeAboutText(const AboutFacts& facts, AIString& out);

enum { kCreditPageCount = 10, kCreditTopLevel = 8 };

struct CreditPage {
    const WCHAR* heading;
    const WCHAR* line1;
    const WCHAR* line2;
};
const CreditPage& GetCreditPage(int page);

// The credits' fade: each page rises over 8 paints and falls over 8, then the
// next page follows (after the last comes the first).
struct CreditCycle {
    int page = 0;
    int level = 0;
    int rising = 1;
    void Reset() { page = 0; level = 0; rising = 1; }
    void Advance();
};
