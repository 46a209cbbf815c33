// What the capture reads of a browser: which programs are browsers, the
// capture title made from a window title, and what counts as an address.
#include "tests/support/gtest.h"
#include "foundation/ai_string.h"
#include "search/capture/screen/browser_title.h"

namespace {

std::string Title(const WCHAR* windowTitle)
{
    AIString title;
    CaptureTitleFromWindowTitle(windowTitle, title);
    return Utf8(title);
}

TEST(BrowserTitle, BrowserNamesAndAddresses)
{
    EXPECT_EQ(1, IsBrowserModuleName(L"firefox.exe"));
    EXPECT_EQ(1, IsBrowserModuleName(L"FireFox_Page.EXE"));
    EXPECT_EQ(1, IsBrowserModuleName(L"chrome.exe"));
    EXPECT_EQ(1, IsBrowserModuleName(L"IEXPLORE.EXE"));
    EXPECT_EQ(1, IsBrowserModuleName(L"opera.exe"));
    EXPECT_EQ(0, IsBrowserModuleName(L"tavik.exe"));
    EXPECT_EQ(0, IsBrowserModuleName(L""));
    EXPECT_EQ(0, IsBrowserModuleName(nullptr));

    EXPECT_EQ(1, IsPageAddress(L"http://example.org/"));
    EXPECT_EQ(1, IsPageAddress(L"HTTPS://example.org/"));
    EXPECT_EQ(1, IsPageAddress(L"www.example.org"));
    EXPECT_EQ(0, IsPageAddress(L"about:blank"));
    EXPECT_EQ(0, IsPageAddress(L""));
}

TEST(BrowserTitle, PageNameWithoutTheBrowserAndNoteUnsafeCharacters)
{
    EXPECT_EQ("Bean guide", Title(L"Bean guide - Mozilla Firefox"));
    EXPECT_EQ("Bean guide", Title(L"Bean guide - Google Chrome"));
    EXPECT_EQ("Beans and peas", Title(L"Beans: and [peas]! - Windows Internet Explorer"));
    EXPECT_EQ("My page", Title(L"My%20page"));
    EXPECT_EQ("", Title(L" - Mozilla Firefox"));
    // Longer than 30 characters: the first 29.
    std::string cut = Title(L"A very long page title that goes on and on - Firefox");
    EXPECT_EQ("A very long page title that g", cut);
    EXPECT_EQ("Thirty characters exactly here", Title(L"Thirty characters exactly here"));
    // At most 100 characters of the window title are read.
    AIString huge;
    for (int i = 0; i < 30; i++) huge.AppendText(L"abcdefghij");
    EXPECT_EQ(29u, Title(huge.GetText()).size());
}

}  // namespace
