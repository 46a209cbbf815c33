#include "foundation/errors.h"
#include "foundation/app.h"
#include "foundation/trace.h"

const WCHAR kRetryQuestion[] = L"\n\nSelect Yes to Retry or No to abort/return";

namespace {
int g_autoAnswer = 0;
int g_reportsShown = 0;
int g_lastAnswer = IDNO;
uint32_t g_lastReportEntry = 0;
int g_haveReported = 0;
int g_reportOpen = 0;
AIString* g_lastReportText = 0;   // made on first use: no destructor at exit

void RememberReportText(const WCHAR* text)
{
    if (!g_lastReportText) g_lastReportText = new AIString;
    g_lastReportText->AssignTextN(text ? text : L"", 4000);
}

int ShowReportBox(const WCHAR* text, const WCHAR* caption, UINT kind)
{
    g_reportOpen = 1;
    int answer = MessageBoxW(0, text, caption, kind | MB_TASKMODAL);
    g_reportOpen = 0;
    return answer;
}
}

int IsErrorReportOpen() { return g_reportOpen; }

const WCHAR* GetLastErrorReportText() { return g_lastReportText ? g_lastReportText->GetText() : L""; }

void SetErrorAutoAnswer(int answer) { g_autoAnswer = answer; }
int GetErrorAutoAnswer() { return g_autoAnswer; }

int GetErrorReportCount() { return g_reportsShown; }

int ReportError(int code, const WCHAR* caption, const WCHAR* text)
{
    // One failing step may pass its failure up through several callers:
    // after a "No" the user sees no further report until another function is
    // entered. After "Yes" (retry) a new failure is shown again, so a retry
    // loop never spins on a remembered answer.
    if (g_haveReported && g_lastReportEntry == g_traceEntryCount && g_lastAnswer != IDYES) return IDNO;
    if (g_reportOpen) return IDNO;
    g_haveReported = 1;
    g_lastReportEntry = g_traceEntryCount;
    g_reportsShown++;
    (void)code;
    RememberReportText(text);
    if (g_autoAnswer) {
        g_lastAnswer = g_autoAnswer;
        return g_lastAnswer;
    }
    AIString message;
    message.AssignTextN(text ? text : L"", 4000);
    // Many callers end their text with the question already.
    if (!message.EndsWithNoCase(kRetryQuestion)) message.AppendText(kRetryQuestion);
    g_lastAnswer = ShowReportBox(message.GetText(), caption ? caption : L"Error", MB_YESNO | MB_ICONERROR);
    return g_lastAnswer;
}

void ReportNotice(const WCHAR* caption, const WCHAR* text)
{
    g_reportsShown++;
    RememberReportText(text);
    if (g_autoAnswer || g_reportOpen) return;
    ShowReportBox(text ? text : L"", caption ? caption : L"Error", MB_OK | MB_ICONWARNING);
}

int AskRetryOutOfResources()
{
    if (g_autoAnswer) return g_autoAnswer == IDYES;
    TraceStop();
    AIString message(g_app.GetName());
    message.AppendText(L" has run out of resources !");
    return MessageBoxW(0, message.GetText(), L"Critical Error (resource)", MB_YESNO | MB_ICONERROR | MB_TASKMODAL) ==
           IDYES;
}

int AskRetryAllocation()
{
    if (g_autoAnswer) return g_autoAnswer == IDYES;
    return ReportError(0, L"Error", L"Problem allocating memory") == IDYES;
}
