// Browser names, the capture title cleaned from a window title, and the
// address test for what the address bar copies.
#include "search/capture/screen/browser_title.h"

namespace {

const WCHAR* const kBrowserModules[] = {L"opera", L"firefox", L"chrome", L"iexplore"};

// Longer names first, so that "Mozilla Firefox" goes whole.
const WCHAR* const kBrowserNames[] = {L"Google Chrome", L"Chrome", L"Opera", L"Microsoft Internet Explorer",
                                      L"Windows Internet Explorer", L"Internet Explorer", L"Mozilla Firefox",
                                      L"Firefox"};

const WCHAR kDroppedChars[] = L"!'\":;/={},%)#\x00BD\x00A4[]\x00A3*.<>|\x20AC\x00B1\\\r\n\t\x2026\x00B4`\x2019\x2018";

}  // namespace

int IsBrowserModuleName(const WCHAR* moduleName)
{
    if (!moduleName) return 0;
    AIString name(moduleName);
    for (const WCHAR* browser : kBrowserModules)
        if (name.FindTextNoCase(browser) >= 0) return 1;
    return 0;
}

void CaptureTitleFromWindowTitle(const WCHAR* windowTitle, AIString& title)
{
    title.Clear();
    if (!windowTitle) return;
    title.AssignTextN(windowTitle, kBrowserTitleMaxChars);
    title.ReplaceAll(L" - ", L" ");
    title.ReplaceAll(L"-", L" ");
    title.ReplaceAll(L"%20", L" ");
    for (const WCHAR* browser : kBrowserNames) title.ReplaceAll(browser, L"");
    title.RemoveChars(kDroppedChars);
    title.Trim();
    if (title.GetLength() > kCaptureTitleMaxChars + 1) title.KeepRange(0, kCaptureTitleMaxChars);
    title.Trim();
}

int IsPageAddress(const WCHAR* text)
{
    if (!text) return 0;
    AIString t(text);
    return t.StartsWithNoCase(L"http") || t.StartsWithNoCase(L"www.") ? 1 : 0;
}
