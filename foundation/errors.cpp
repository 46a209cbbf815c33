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
}

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
    g_haveReported = 1;
    g_lastReportEntry = g_traceEntryCount;
    g_reportsShown++;
    (void)code;
    if (g_autoAnswer) {
        g_lastAnswer = g_autoAnswer;
        return g_lastAnswer;
    }
    AIString message;
    message.AssignTextN(text ? text : L"", 4000);
    // Many callers end their text with the question already.
    if (!message.EndsWithNoCase(kRetryQuestion)) message.AppendText(kRetryQuestion);
    g_lastAnswer = MessageBoxW(0, message.GetText(), caption ? caption : L"Error", MB_YESNO | MB_ICONERROR | MB_TASKMODAL);
    return g_lastAnswer;
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
