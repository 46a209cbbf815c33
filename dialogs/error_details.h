// The error-details dialog: a title, a message, up to three buttons, a
// progress bar and a details text the user shows and hides, over the
// backdrop (owner 99). Its contents come from one record.
#pragma once
#include "foundation/win.h"

enum {
    kErrorDetailsButtons = 10,     // slots in the record
    kErrorDetailsUsableButtons = 3,// the template's buttons 1005 to 1007
    kErrorDetailsLabelChars = 50,
    kErrorDetailsTitleChars = 500,
    kErrorDetailsTextChars = 5000,
    kErrorDetailsNoteChars = 100,
    kErrorDetailsFirstButton = 1005,
    kErrorDetailsProgress = 1004,
    kErrorDetailsWindowId = 600,
};

struct ErrorDetailsRecord {
    int32_t firstWord;
    int32_t buttonCount;
    int32_t buttonFlags[kErrorDetailsButtons];
    WCHAR buttonLabels[kErrorDetailsButtons][kErrorDetailsLabelChars];
    WCHAR title[kErrorDetailsTitleChars];
    WCHAR message[kErrorDetailsTextChars];
    WCHAR details[kErrorDetailsTextChars];
    WCHAR note[kErrorDetailsNoteChars];
    int32_t progressScale;
    HWND owner;              // 0: the main window when the dialog shows
    int32_t savedWindowId;
    int32_t result;          // 0 Enter or Escape, 1..3 the buttons from 1005
    int32_t width;
    int32_t height;
    int32_t lastWord;
    // Progress and the cancel request: a caller sets what it reports.
    int64_t progressValue;
    int64_t progressTotal;   // 0 counts as 1
    int32_t detailsHeight;   // how much the details add; 0 leaves the size
    volatile int32_t* watch; // -99 there ends the dialog with 0; a button writes its id
    void (*firstTick)();     // runs once on the first timer tick
};

extern ErrorDetailsRecord g_errorDetails;

// Clears the record and stores the owner, width 400 and height 250.
void ConstructSlotTable(ErrorDetailsRecord& record, HWND owner);
// Bounded copies into the record (a longer text is cut).
void SetErrorDetailsTexts(ErrorDetailsRecord& record, const WCHAR* title, const WCHAR* message,
                          const WCHAR* details, const WCHAR* note);
// Button i (0..2) shown with a label; the count follows the highest button set.
void SetErrorDetailsButton(ErrorDetailsRecord& record, int index, const WCHAR* label);

// Shows the dialog over the backdrop and waits until it has closed, like a
// screen; returns the record's result.
int32_t RunErrorDetails();
// The backdrop's receiver of "ShowDialog" for owner 99.
LRESULT ErrorDetailsCommandHandler(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void ConnectErrorDetails();

// While the dialog runs (tests): its window and whether the details show.
HWND GetErrorDetailsWindow();
int AreErrorDetailsShown();
// The details link's rectangle in the dialog's client area (empty without details).
RECT GetErrorDetailsLinkRect();
