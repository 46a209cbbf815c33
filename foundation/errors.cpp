#include "foundation/errors.h"
#include "foundation/trace.h"

const WCHAR kRetryQuestion[] = L"\n\nSelect Yes to Retry or No to abort/return";

namespace {
int g_autoAnswer = 0;
}

void SetErrorAutoAnswer(int answer) { g_autoAnswer = answer; }

int ReportError(int code, const WCHAR* caption, const WCHAR* text)
{
    if (g_autoAnswer) return g_autoAnswer;
    WCHAR message[2048];
    int n = 0;
    for (const WCHAR* p = text ? text : L""; *p && n < 1900; p++) message[n++] = *p;
    for (const WCHAR* p = kRetryQuestion; *p && n < 2040; p++) message[n++] = *p;
    message[n] = 0;
    (void)code;
    return MessageBoxW(0, message, caption ? caption : L"Error", MB_YESNO | MB_ICONERROR | MB_TASKMODAL);
}

int AskRetryOutOfResources()
{
    if (g_autoAnswer) return g_autoAnswer == IDYES;
    TraceStop();
    return MessageBoxW(0, L"Tavik has run out of resources !", L"Critical Error (resource)",
                       MB_YESNO | MB_ICONERROR | MB_TASKMODAL) == IDYES;
}

int AskRetryAllocation()
{
    if (g_autoAnswer) return g_autoAnswer == IDYES;
    return ReportError(0, L"Error", L"Problem allocating memory") == IDYES;
}
