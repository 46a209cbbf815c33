// The one error report of a failing step, and the questions after failed
// allocations and failed window or GDI object creations.
#pragma once
#include "foundation/win.h"

// The text every failure report ends with.
extern const WCHAR kRetryQuestion[];  // L"\n\nSelect Yes to Retry or No to abort/return"

// Shows the report of a failed step and returns IDYES or IDNO. After a "No",
// further reports before the next function entry are not shown and answer IDNO.
// One question at a time: a report asked for while one is open (its message
// loop runs timers) is not shown and answers IDNO.
int ReportError(int code, const WCHAR* caption, const WCHAR* text);
// 1 while a report or notice is open in front of the user.
int IsErrorReportOpen();

// Tells the user the outcome of a failure that needs no answer (OK only).
void ReportNotice(const WCHAR* caption, const WCHAR* text);

// After a failed window or GDI creation: non-zero to try again.
int AskRetryOutOfResources();

// After a failed heap allocation ("Problem allocating memory"): non-zero to try again.
int AskRetryAllocation();

// Tests and non-interactive runs answer the questions without a window:
// answer 0 asks the user, IDYES or IDNO answers at once.
void SetErrorAutoAnswer(int answer);
int GetErrorAutoAnswer();

// How many reports were shown (or answered automatically) so far, and the
// text of the last report or notice.
int GetErrorReportCount();
const WCHAR* GetLastErrorReportText();
