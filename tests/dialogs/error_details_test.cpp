// The error-details dialog over the backdrop: its buttons stand side by side
// without overlap, each answers its number, Escape answers 0, and the
// details link shows and hides the details.
#include "tests/support/gtest.h"
#include "tests/dialogs/dialog_test_windows.h"
#include "dialogs/dialog_center.h"
#include "dialogs/error_details.h"
#include "dialogs/modal_backdrop.h"
#include "foundation/app.h"

namespace {

struct Seen {
    int buttons;
    int overlap;
    int outside;
    RECT rects[kErrorDetailsUsableButtons];
    int clientHeight;
    int linkShown;
    int heightAfterToggle;
    int detailsShown;
};
Seen g_seen;
WPARAM g_answer = 0;  // the command sent once the dialog shows
int g_toggle = 0;

void CALLBACK Answer(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = GetErrorDetailsWindow();
    if (!dialog) return;
    KillTimer(nullptr, timer);
    RECT client;
    GetClientRect(dialog, &client);
    g_seen.clientHeight = client.bottom;
    for (int i = 0; i < kErrorDetailsUsableButtons; i++) {
        HWND button = GetDlgItem(dialog, kErrorDetailsFirstButton + i);
        if (!button || !IsWindowVisible(button)) continue;
        RECT r;
        GetWindowRect(button, &r);
        MapWindowPoints(nullptr, dialog, (POINT*)&r, 2);
        RECT inside;
        if (!IntersectRect(&inside, &r, &client) || !EqualRect(&inside, &r)) g_seen.outside++;
        for (int j = 0; j < g_seen.buttons; j++)
            if (IntersectRect(&inside, &r, &g_seen.rects[j])) g_seen.overlap++;
        g_seen.rects[g_seen.buttons++] = r;
    }
    RECT link = GetErrorDetailsLinkRect();
    g_seen.linkShown = !IsRectEmpty(&link);
    if (g_toggle && g_seen.linkShown) {
        LPARAM at = MAKELPARAM((link.left + link.right) / 2, (link.top + link.bottom) / 2);
        SendMessageW(dialog, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(dialog, WM_LBUTTONUP, 0, at);
        RECT after;
        GetWindowRect(dialog, &after);
        g_seen.heightAfterToggle = after.bottom - after.top;
        g_seen.detailsShown = AreErrorDetailsShown();
    }
    SendMessageW(dialog, WM_COMMAND, g_answer, 0);
}

int32_t RunAnswering(WPARAM command)
{
    g_seen = Seen();
    g_answer = command;
    SetTimer(nullptr, 0, 30, Answer);
    return RunErrorDetails();
}

class ErrorDetailsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetDialogTestState();
        ConnectErrorDetails();
        g_toggle = 0;
        ConstructSlotTable(g_errorDetails, 0);
        SetErrorDetailsTexts(g_errorDetails, L"Sync failed", L"The share folder <b>cannot</b> be reached.", L"",
                             L"");
    }
};

}  // namespace

TEST_F(ErrorDetailsTest, OneTwoAndThreeButtonsStandApartAndAnswerTheirNumber)
{
    const WCHAR* labels[3] = {L"Retry", L"Skip", L"Stop"};
    for (int count = 1; count <= kErrorDetailsUsableButtons; count++) {
        SetErrorDetailsButton(g_errorDetails, count - 1, labels[count - 1]);
        EXPECT_EQ(count, RunAnswering(kErrorDetailsFirstButton + count - 1)) << count;
        EXPECT_EQ(count, g_seen.buttons);
        EXPECT_EQ(0, g_seen.overlap) << count;
        EXPECT_EQ(0, g_seen.outside) << count;
        EXPECT_EQ(0u, g_dialogCenter.busy);
        EXPECT_EQ(0, GetBackdropWindow() != nullptr);
        EXPECT_EQ(100, g_app.GetActiveWindowId());
    }
    // Escape answers 0; buttons beyond the template's three do not exist.
    EXPECT_EQ(0, RunAnswering(IDCANCEL));
    g_errorDetails.buttonCount = 10;
    EXPECT_EQ(0, RunAnswering(IDCANCEL));
    EXPECT_EQ(3, g_seen.buttons);
}

TEST_F(ErrorDetailsTest, DetailsLinkOnlyWithDetailsAndItGrowsTheDialog)
{
    SetErrorDetailsButton(g_errorDetails, 0, L"OK");
    g_errorDetails.progressTotal = 0;  // counts as 1
    g_errorDetails.progressValue = 5;
    EXPECT_EQ(0, RunAnswering(IDOK));
    EXPECT_EQ(0, g_seen.linkShown);
    EXPECT_GT(g_seen.clientHeight, 0);

    SetErrorDetailsTexts(g_errorDetails, L"Sync failed", L"Message", L"<b>Path:</b> C:\\share\\notes", L"");
    g_errorDetails.detailsHeight = 80;
    g_toggle = 1;
    EXPECT_EQ(1, RunAnswering(kErrorDetailsFirstButton));
    EXPECT_EQ(1, g_seen.linkShown);
    EXPECT_EQ(1, g_seen.detailsShown);
    // Without a note the dialog is 40 lower than its 250; the details add theirs.
    EXPECT_EQ(210 + 80, g_seen.heightAfterToggle);
}

TEST_F(ErrorDetailsTest, TextsAreCopiedBounded)
{
    static WCHAR longText[kErrorDetailsTextChars + 100];
    for (int i = 0; i < kErrorDetailsTextChars + 99; i++) longText[i] = L'x';
    longText[kErrorDetailsTextChars + 99] = 0;
    SetErrorDetailsTexts(g_errorDetails, longText, longText, longText, longText);
    EXPECT_EQ(kErrorDetailsTitleChars - 1, lstrlenW(g_errorDetails.title));
    EXPECT_EQ(kErrorDetailsTextChars - 1, lstrlenW(g_errorDetails.message));
    EXPECT_EQ(kErrorDetailsNoteChars - 1, lstrlenW(g_errorDetails.note));
    SetErrorDetailsButton(g_errorDetails, 5, L"ignored");
    EXPECT_EQ(0, g_errorDetails.buttonCount);
}
