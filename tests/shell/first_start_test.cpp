// The first start: when the wizard comes, and what each of its answers
// leaves open (the example files are real data files of 1, 10, 30 and 80
// notes); the wizard is answered through its real buttons.
#include "tests/support/gtest.h"
#include "tests/support/test_program.h"
#include "dialogs/dialog_center.h"
#include "dialogs/dialog_host.h"
#include "dialogs/screens/first_start.h"
#include "dialogs/screen_frame.h"
#include "foundation/app.h"
#include "notestore/note_store.h"
#include "resources/resource_ids.h"
#include "shell/dialogs_connection.h"
#include "shell/file_commands.h"
#include "shell/first_start_files.h"
#include <initializer_list>

namespace {

// The clicks that answer the wizard and the guide, one per opening.
enum Answer { kAnswerGuide, kAnswerSmall, kAnswerLarge, kAnswerClose, kAnswerEscape };
Answer g_answers[4];
int g_answerCount = 0, g_answered = 0;
int g_waitForClose = 0;  // the screen answered last has not closed yet

void Click(HWND host, const RECT& r)
{
    LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageW(host, WM_MOUSEMOVE, 0, at);
    SendMessageW(host, WM_LBUTTONDOWN, MK_LBUTTON, at);
    if (IsWindow(host)) SendMessageW(host, WM_LBUTTONUP, 0, at);
}

void CALLBACK AnswerOpenScreen(HWND, UINT, UINT_PTR, DWORD)
{
    HWND host = g_dialogHost.window;
    if (!host || DialogState != kDialogOpen) {
        g_waitForClose = 0;
        return;
    }
    if (g_waitForClose || g_answered >= g_answerCount) return;
    g_waitForClose = 1;
    switch (g_answers[g_answered++]) {
    case kAnswerGuide: Click(host, FirstStartStepButton().GetRect()); break;
    case kAnswerSmall: Click(host, FirstStartSizeButton(1).GetRect()); break;
    case kAnswerLarge: Click(host, FirstStartSizeButton(3).GetRect()); break;
    case kAnswerClose: Click(host, g_screenControls.close.GetRect()); break;
    case kAnswerEscape:
        SendMessageW(host, WM_KEYDOWN, VK_ESCAPE, 1);
        if (IsWindow(host)) SendMessageW(host, WM_KEYUP, VK_ESCAPE, 0xC0000001);
        break;
    }
}

// A wizard that never gets its answer is closed, so the test ends and fails.
void CALLBACK Watchdog(HWND, UINT, UINT_PTR, DWORD)
{
    g_answered = g_answerCount;
    if (g_dialogHost.window) SendMessageW(g_dialogHost.window, WM_CLOSE, 0, 0);
}

class FirstStartTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_NE(StartTestProgram(L"C:\\Tools\\TavikFirstStartTest.exe", L"TavikFirstStartTest.exe nohotkey", 1),
                  nullptr);
        ConnectDialogs();
    }

    void SetUp() override
    {
        WCHAR temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder_.AssignText(temp);
        folder_.AppendText(L"tavik_first_start_test");
        CreateDirectoryW(folder_.GetText(), nullptr);
        for (int32_t choice = kFirstStartSimple; choice <= kFirstStartLarge; choice++) DeleteFileW(PathOf(choice).GetText());
        g_answerCount = g_answered = 0;
        g_waitForClose = 0;
        g_app.SetRunState(kRunRunning);
    }

    AIString PathOf(int32_t choice)
    {
        AIString name, path(folder_);
        FirstStartFileName(choice, name);
        path.AppendText(L"\\");
        path.AppendString(name);
        return path;
    }

    int32_t RunWizard(std::initializer_list<Answer> answers)
    {
        for (Answer a : answers) g_answers[g_answerCount++] = a;
        g_waitForClose = 0;
        UINT_PTR timer = SetTimer(0, 0, 30, AnswerOpenScreen);
        UINT_PTR watchdog = SetTimer(0, 0, 15000, Watchdog);
        int32_t result = RunFirstStartWizard(folder_);
        KillTimer(0, watchdog);
        KillTimer(0, timer);
        return result;
    }

    AIString folder_;
};

}  // namespace

TEST(FirstStartRule, OnlyAStartWithNoFileGivenKnownOrFoundIsAFirstStart)
{
    EXPECT_EQ(1, IsFirstStart(0, 0, 0));
    EXPECT_EQ(0, IsFirstStart(1, 0, 0));
    EXPECT_EQ(0, IsFirstStart(0, 1, 0));
    EXPECT_EQ(0, IsFirstStart(0, 0, 1));
    AIString name;
    EXPECT_EQ(0, FirstStartFileName(kFirstStartClosed, name));
    EXPECT_EQ(0, FirstStartFileName(kFirstStartGuide, name));
    EXPECT_EQ(0, FirstStartResource(kFirstStartGuide));
    EXPECT_TRUE(name.IsEmpty());
}

TEST_F(FirstStartTest, EachSizeIsADataFileOfThatManyExampleNotes)
{
    const int32_t expected[] = {1, 10, 30, 80};
    for (int32_t choice = kFirstStartSimple; choice <= kFirstStartLarge; choice++) {
        AIString path = PathOf(choice);
        ASSERT_EQ(1, WriteDefaultDatafile(FirstStartResource(choice), path.GetText())) << choice;
        ASSERT_EQ(1, OpenDatafile(path.GetText())) << choice;
        EXPECT_EQ(expected[choice - kFirstStartSimple], GetNoteCount()) << choice;
        EXPECT_GE(FindNoteByTitle(L"Welcome", 0, 0), 0) << "every size starts with the welcome note";
        // Each note has a text of its own beyond its heading.
        for (int32_t i = 0; i < GetNoteCount(); i++) {
            ASSERT_EQ(1, LoadNoteText(i, 0)) << choice << " note " << i;
            EXPECT_GT(g_noteStore.currentText.GetLength(), 40) << choice << " note " << i;
        }
    }
}

TEST_F(FirstStartTest, TheWizardsAnswerOpensItsFileAndTheGuideLeadsBackToTheWizard)
{
    EXPECT_EQ(kFirstStartSmall, RunWizard({kAnswerSmall}));
    EXPECT_EQ(10, GetNoteCount());
    EXPECT_EQ(FindNoteByTitle(L"Welcome", 0, 0), g_mainPanel.currentNote) << "the welcome note is shown first";
    AIString open;
    SettingsGetDataFilePath(g_app.settings.Record(), open);
    EXPECT_EQ(0, CompareTextNoCase(open.GetText(), PathOf(kFirstStartSmall).GetText()));

    // The guide first: after it the wizard asks again, and its answer counts.
    g_guideTaken = 0;
    EXPECT_EQ(kFirstStartLarge, RunWizard({kAnswerGuide, kAnswerEscape, kAnswerLarge}));
    EXPECT_EQ(1, g_guideTaken);
    EXPECT_EQ(80, GetNoteCount());

    // Closed without a choice: nothing is written and the file open stays.
    EXPECT_EQ(kFirstStartClosed, RunWizard({kAnswerClose}));
    EXPECT_EQ(80, GetNoteCount());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(PathOf(kFirstStartMedium).GetText()));
}
