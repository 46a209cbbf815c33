// The error-details dialog over template 217: its layout, paint, progress
// timer and buttons, and the run that waits for it like a screen.
#include "dialogs/error_details.h"
#include "dialogs/dialog_center.h"
#include "dialogs/dialog_shell_links.h"
#include "dialogs/modal_backdrop.h"
#include "foundation/ai_string.h"
#include "foundation/app.h"
#include "foundation/hash_name.h"
#include "foundation/trace.h"
#include "foundation/trace_modules.h"
#include "resources/resource_ids.h"
#include "ui/ai_control.h"
#include "ui/colours.h"
#include <commctrl.h>
#include <windowsx.h>
#include "drawing/buffered_paint.h"
#include "drawing/ai_dib.h"

ErrorDetailsRecord g_errorDetails;

namespace {

enum {
    kProgressTimer = 1,
    kProgressTimerMs = 200,
    kButtonWidth = 75,
    kButtonHeight = 23,
    kButtonStep = 85,
    kButtonRightGap = 20,
    kButtonFootGap = 12,
    kNoNoteLower = 40,
    kLinkWidth = 90,
    kLinkHeight = 20,
    kCancelRequest = -99,
};

struct ErrorDetailsState {
    HWND window;
    int detailsShown;
    int ticked;
    int64_t lastPosition;
    AIString shownMessage;
    AIControl link;
};
ErrorDetailsState g_state;

int ButtonCount()
{
    int n = g_errorDetails.buttonCount;
    return n < 0 ? 0 : n > kErrorDetailsUsableButtons ? kErrorDetailsUsableButtons : n;
}

void CopyBounded(WCHAR* to, int chars, const WCHAR* from) { lstrcpynW(to, from ? from : L"", chars); }

// The shown buttons stand at the foot, the first at the right, each next one to its left.
void LayOutButtons(HWND dialog)
{
    RECT client;
    GetClientRect(dialog, &client);
    int place = 0;
    for (int i = 0; i < kErrorDetailsUsableButtons; i++) {
        HWND button = GetDlgItem(dialog, kErrorDetailsFirstButton + i);
        if (!button) continue;
        if (i >= ButtonCount() || !g_errorDetails.buttonFlags[i]) {
            ShowWindow(button, SW_HIDE);
            continue;
        }
        int left = client.right - kButtonRightGap - kButtonWidth - place * kButtonStep;
        MoveWindow(button, left, client.bottom - kButtonFootGap - kButtonHeight, kButtonWidth, kButtonHeight, TRUE);
        SetWindowTextW(button, g_errorDetails.buttonLabels[i]);
        ShowWindow(button, SW_SHOW);
        place++;
    }
    if (HWND progress = GetDlgItem(dialog, kErrorDetailsProgress)) {
        MoveWindow(progress, 20, client.bottom - kButtonFootGap - kButtonHeight - 30, client.right - 40, 12, TRUE);
        ShowWindow(progress, g_errorDetails.progressTotal > 0 ? SW_SHOW : SW_HIDE);
    }
    if (g_errorDetails.details[0]) {
        g_state.link.SetPosition(10, client.bottom - 55 + 20, 10 + kLinkWidth, client.bottom - 55 + 20 + kLinkHeight);
        g_state.link.Show();
    } else {
        g_state.link.Hide();
    }
}

void Place(HWND dialog)
{
    ErrorDetailsRecord& r = g_errorDetails;
    int height = r.height - (r.note[0] ? 0 : kNoNoteLower);
    if (g_state.detailsShown) height += r.detailsHeight;
    RECT owner = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (r.owner && IsWindow(r.owner)) GetWindowRect(r.owner, &owner);
    int left = owner.left + (owner.right - owner.left - r.width) / 2;
    int top = owner.top + (owner.bottom - owner.top - height) / 2;
    SetWindowPos(dialog, HWND_TOP, left, top, r.width, height, SWP_SHOWWINDOW);
}

void ToggleDetails(HWND dialog)
{
    g_state.detailsShown = !g_state.detailsShown;
    g_state.link.SetText(g_state.detailsShown ? L"Hide Details" : L"Show Details");
    if (g_errorDetails.detailsHeight) Place(dialog);
    LayOutButtons(dialog);
    InvalidateRect(dialog, 0, TRUE);
}

// The dialog's picture, kept from one paint to the next.
AIDib s_paintBuffer;

void Paint(HWND dialog)
{
    BufferedPaint paint;
    BeginBufferedPaint(dialog, s_paintBuffer, paint);
    HDC memory = paint.memory;
    if (!memory) {
        EndBufferedPaint(dialog, s_paintBuffer, paint);
        return;
    }
    RECT client = {0, 0, paint.width, paint.height};
    FillRect(memory, &client, GetSysColorBrush(COLOR_BTNFACE));
    RECT line = {10, 34, client.right - 10, 35};
    FillRect(memory, &line, CreateBrushOfColour(ColourShadow));
    SetBkMode(memory, TRANSPARENT);
    AIString title(g_errorDetails.title);
    title.SetFontSize(11).SetBold(1).SetTextColor(GetTableColour(ColourText));
    RECT titleRect = {12, 8, client.right - 10, 32};
    title.DrawStyled(memory, titleRect, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    AIString message(g_state.shownMessage);
    message.SetFontSize(9).SetTextColor(GetTableColour(ColourText));
    RECT messageRect = {12, 42, client.right - 12, client.bottom - 70};
    message.DrawMarkupText(memory, messageRect);
    if (g_state.detailsShown && g_errorDetails.details[0]) {
        // The details are mark-up like every text the program shows.
        AIString details(g_errorDetails.details);
        details.SetFontSize(8).SetTextColor(GetTableColour(ColourText));
        RECT detailsRect = {12, client.bottom - 55 - g_errorDetails.detailsHeight, client.right - 12, client.bottom - 60};
        if (detailsRect.bottom > detailsRect.top) details.DrawMarkupText(memory, detailsRect);
    }
    if (g_state.link.IsVisible()) {
        AIString link(g_state.detailsShown ? L"Hide Details" : L"Show Details");
        link.SetFontSize(9).SetTextColor(g_state.link.IsHot() ? RGB(0, 0, 255) : RGB(0, 0, 160));
        RECT r = g_state.link.GetRect();
        link.DrawStyled(memory, r, DT_LEFT | DT_SINGLELINE | DT_VCENTER);
    }
    if (g_errorDetails.note[0]) {
        AIString note(g_errorDetails.note);
        note.SetFontSize(8).SetTextColor(GetTableColour(ColourText));
        RECT noteRect = {12, client.bottom - 28, client.right / 2, client.bottom - 8};
        note.DrawStyled(memory, noteRect, DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS);
    }
    EndBufferedPaint(dialog, s_paintBuffer, paint);
}

void End(HWND dialog, int result, WORD commandId)
{
    ErrorDetailsRecord& r = g_errorDetails;
    if (commandId >= kErrorDetailsFirstButton && !(GetKeyState(VK_RETURN) & 0x8000))
        g_app.SetActiveWindowId(r.savedWindowId);
    KillTimer(dialog, kProgressTimer);
    if (r.watch && *r.watch != kCancelRequest) *r.watch = commandId;
    EndDialog(dialog, result);
}

void OnTimer(HWND dialog)
{
    ErrorDetailsRecord& r = g_errorDetails;
    if (!g_state.ticked) {
        g_state.ticked = 1;
        if (r.firstTick) r.firstTick();
    }
    if (r.watch && *r.watch == kCancelRequest) {
        End(dialog, 0, 0);
        return;
    }
    if (!g_state.shownMessage.EqualsText(r.message)) {
        g_state.shownMessage.AssignText(r.message);
        InvalidateRect(dialog, 0, FALSE);
    }
    int64_t total = r.progressTotal > 0 ? r.progressTotal : 1;
    int64_t position = r.progressValue * (r.progressScale ? r.progressScale : 1) / total;
    if (position != g_state.lastPosition) {
        g_state.lastPosition = position;
        SendDlgItemMessageW(dialog, kErrorDetailsProgress, PBM_SETPOS, (WPARAM)position, 0);
    }
}

INT_PTR CALLBACK ErrorDetailsDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        ErrorDetailsRecord& r = g_errorDetails;
        g_state.window = dialog;
        g_state.detailsShown = 0;
        g_state.ticked = 0;
        g_state.lastPosition = -1;
        g_state.shownMessage.AssignText(r.message);
        r.savedWindowId = g_app.GetActiveWindowId();
        g_app.SetActiveWindowId(kErrorDetailsWindowId);
        g_state.link.CreateStandard(dialog, L"Show Details", 0, 0, kLinkWidth, kLinkHeight);
        SetWindowTextW(dialog, r.title);
        Place(dialog);
        LayOutButtons(dialog);
        SetFocus(dialog);
        SetTimer(dialog, kProgressTimer, kProgressTimerMs, 0);
        return FALSE;
    }
    case WM_TIMER: OnTimer(dialog); return TRUE;
    case WM_ERASEBKGND: return TRUE;
    case WM_PAINT: Paint(dialog); return TRUE;
    case WM_MOUSEMOVE:
        if (g_state.link.OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))) InvalidateRect(dialog, 0, FALSE);
        return TRUE;
    case WM_LBUTTONDOWN: g_state.link.OnMouseDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return TRUE;
    case WM_LBUTTONUP:
        if (g_state.link.IsVisible() && g_state.link.OnMouseUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)))
            ToggleDetails(dialog);
        return TRUE;
    case WM_COMMAND: {
        WORD id = LOWORD(wParam);
        if (id == IDOK || id == IDCANCEL) End(dialog, 0, id);
        else if (id >= kErrorDetailsFirstButton && id < kErrorDetailsFirstButton + ButtonCount())
            End(dialog, id - kErrorDetailsFirstButton + 1, id);
        return TRUE;
    }
    case WM_DESTROY: g_state.window = 0; return FALSE;
    default: return FALSE;
    }
}

}  // namespace

void ConstructSlotTable(ErrorDetailsRecord& record, HWND owner)
{
    ZeroMemory(&record, sizeof(record));
    record.owner = owner;
    record.width = 400;
    record.height = 250;
}

void SetErrorDetailsTexts(ErrorDetailsRecord& record, const WCHAR* title, const WCHAR* message, const WCHAR* details,
                          const WCHAR* note)
{
    CopyBounded(record.title, kErrorDetailsTitleChars, title);
    CopyBounded(record.message, kErrorDetailsTextChars, message);
    CopyBounded(record.details, kErrorDetailsTextChars, details);
    CopyBounded(record.note, kErrorDetailsNoteChars, note);
}

void SetErrorDetailsButton(ErrorDetailsRecord& record, int index, const WCHAR* label)
{
    if (index < 0 || index >= kErrorDetailsUsableButtons) return;
    CopyBounded(record.buttonLabels[index], kErrorDetailsLabelChars, label);
    record.buttonFlags[index] = 1;
    if (record.buttonCount < index + 1) record.buttonCount = index + 1;
}

LRESULT ErrorDetailsCommandHandler(HWND, UINT message, WPARAM wParam, LPARAM)
{
    static const uint32_t showDialog = HashName("ShowDialog");
    if (message != MsgCommandByName || (uint32_t)wParam != showDialog) return 1;
    TRACE_SCOPE(kTraceErrorDetails, 1);
    static int commonControls = 0;
    if (!commonControls) {
        INITCOMMONCONTROLSEX init = {sizeof(init), ICC_PROGRESS_CLASS};
        commonControls = InitCommonControlsEx(&init) ? 1 : 0;
    }
    ErrorDetailsRecord& r = g_errorDetails;
    // The owner is the main window as it is now, not as it was at start-up.
    HWND owner = r.owner && IsWindow(r.owner) ? r.owner : DialogMainWindow();
    INT_PTR result = DialogBoxParamW(GetModuleHandleW(0), MAKEINTRESOURCEW(IDD_ERROR_DETAILS), owner,
                                     ErrorDetailsDlgProc, 0);
    r.result = result == -1 ? 0 : (int32_t)result;
    if (HWND backdrop = GetBackdropWindow()) PostMessageW(backdrop, WM_CLOSE, 0, 0);
    return 1;
}

void ConnectErrorDetails()
{
    g_errorDetailsReceiver = ErrorDetailsCommandHandler;
    g_dialogCenter.errorDetails = &g_errorDetails;
}

int32_t RunErrorDetails()
{
    g_errorDetails.result = 0;
    g_dialogCenter.RunDialogScreen(kOwnerErrorDetails);
    return g_errorDetails.result;
}

HWND GetErrorDetailsWindow() { return g_state.window; }
int AreErrorDetailsShown() { return g_state.detailsShown; }
RECT GetErrorDetailsLinkRect()
{
    RECT empty = {0, 0, 0, 0};
    return g_state.link.IsVisible() ? g_state.link.GetRect() : empty;
}
