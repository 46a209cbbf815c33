#include "dialogs/dialog_center.h"
#include "dialogs/dialog_shell_links.h"
#include "dialogs/message_box.h"
#include "dialogs/modal_backdrop.h"
#include "foundation/app.h"
#include "foundation/hash_name.h"
#include "foundation/message_pump.h"
#include "foundation/misc_services.h"
#include "notestore/note_store.h"
#include "ui/app_state.h"

int32_t DialogState = kDialogNone;
int32_t DialogOpenCount = 0;

// The note dialog arrives with its own layer; until then the callback is empty.
DialogCenter g_dialogCenter(0, 0, RequestDialogScreen, RefreshMessageBox);

DialogCenter::DialogCenter(void* errorDetailsRecord, NoteDialogCallback noteDialog, ScreenCallback screen,
                           MessageBoxCallback messageBox)
    : linkOption(0), copyFileFlag(0), linkMode(0), promptValue(0), acceptHint(0), promptValue2(0),
      cancelHint(0), helpText(0), busy(0), messageModeFlag(1), noteDialogAnswer(0), messageId(0), result(-1),
      done(0), kind(0), errorDetails(errorDetailsRecord), noteDialogCallback(noteDialog), screenCallback(screen),
      messageBoxCallback(messageBox)
{
}

DialogCenter::~DialogCenter() {}

void CountDialogClosed()
{
    DialogOpenCount--;
    if (DialogOpenCount < 0) DialogOpenCount = 0;
    if (DialogOpenCount > 1000) DialogOpenCount = 1000;
}

// ---- Messages ----

int DialogCenter::ShowMessage(uint32_t id)
{
    messageId = id;
    UpdateMessageBox(0);
    return 1;
}

int DialogCenter::ShowMessageWithText(uint32_t id, const AIString& text)
{
    messageText1.Copy(text);
    return ShowMessage(id);
}

int DialogCenter::ShowMessageWithValues(uint32_t id, const AIString& value1, const AIString& value2)
{
    messageText1.Copy(value1);
    messageText2.Copy(value2);
    return ShowMessage(id);
}

int DialogCenter::ShowMessageWithTexts(uint32_t id, const AIString& text1, const AIString& text2,
                                       const AIString& text3)
{
    messageText1.Copy(text1);
    messageText2.Copy(text2);
    messageText3.Copy(text3);
    return ShowMessage(id);
}

int DialogCenter::UpdateMessageBox(int mode)
{
    if (mode == -1) {
        messageId = 0;
        busy = 0;
        DialogStopContentTimers();
        CloseMessageBoxByCode();
        return 0;
    }
    if (messageId == 0 && mode == 0) return 0;
    if (busy == 1) return 0;  // the id waits for the next update
    kind = kDialogMessageShowing;
    busy = 1;
    messageModeFlag = mode == 1 ? 0 : 1;
    HWND content = g_dialogShell.content;
    if (g_dialogShell.isQuickPreviewShowing && g_dialogShell.isQuickPreviewShowing() &&
        g_dialogShell.hideQuickPreview)
        g_dialogShell.hideQuickPreview();
    DialogInvalidateStatusLine();
    if (content) UpdateWindow(content);
    HWND box = messageBoxCallback ? messageBoxCallback() : 0;
    // A message routed to the status line has closed its box already.
    if (busy == 1) kind = kDialogMessageShown;
    if (content) UpdateWindow(content);
    return box ? 1 : 0;
}

// ---- Opening and closing dialogs ----

int DialogCenter::CloseActiveDialog()
{
    DialogStopContentTimers();
    if (g_dialogShell.killAllTimers) g_dialogShell.killAllTimers();
    if (busy == 1 && (kind == kDialogMessageShowing || kind == kDialogMessageShown)) {
        CloseMessageBoxByCode();
        return 1;
    }
    if (busy == 1) {
        PumpMessages();
        DestroyDialogWindows();
    }
    DialogOpenCount++;
    return 0;
}

HWND RequestDialogScreen()
{
    RequestModalDialog(1, RequestDialogScreen, (int32_t)g_dialogCenter.kind);
    CreateBackdropWindow();
    return GetBackdropWindow();
}

namespace {

// Pumps until the backdrop reports the dialog done. 0 when the loop had to
// stop first (no backdrop, the backdrop gone, the application closing, WM_QUIT).
int WaitUntilDialogDone(HWND backdrop)
{
    if (!backdrop) return 0;
    while (!g_dialogCenter.done) {
        if (IsApplicationClosing() || !IsWindow(backdrop)) return 0;
        if (!RunModalLoop()) return 0;
    }
    return 1;
}

void PutFrameBack(UINT zOrderFlags)
{
    HWND frame = DialogFrameWindow();
    if (!frame || g_app.system.IsWine()) return;
    SetWindowPos(frame, HWND_NOTOPMOST, 0, 0, 0, 0, zOrderFlags);
}


}  // namespace

// Runs the pending screen's modal loop and puts the windows back: steps shared
// by RunDialogScreen and HandleFileCommand.
int32_t RunScreenLoop(UINT zOrderFlags)
{
    DialogCenter& c = g_dialogCenter;
    HWND backdrop = c.screenCallback ? c.screenCallback() : 0;
    if (!WaitUntilDialogDone(backdrop)) {
        RestoreAfterDialog();  // nobody else will now: gives the windows back, clears busy
        c.result = -1;
    }
    DestroyDialogWindows();
    DialogState = kDialogNone;
    DialogEnableMainWindows();
    HWND frame = DialogFrameWindow();
    if (frame && !g_app.system.IsWine()) {
        PutFrameBack(zOrderFlags);
        SetWindowLongW(frame, GWL_STYLE, GetWindowLongW(frame, GWL_STYLE) | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
        RedrawWindow(frame, 0, 0, RDW_INVALIDATE | RDW_FRAME);
        Sleep(1);
    }
    return c.result;
}

void FinishAfterScreen()
{
    CountDialogClosed();
    if (GetCapture()) ReleaseCapture();
    Sleep(1);
    FlushComposition(1);
    DialogInvalidateStatusLine();
    HWND frame = DialogFrameWindow();
    if (frame) {
        InvalidateRect(frame, 0, FALSE);
        UpdateWindow(frame);
        // Without a window manager (Wine) nobody activates the frame again
        // when the host and the backdrop go: the keys would go nowhere.
        if (g_app.system.IsMac() || g_app.system.IsWine()) {
            SetActiveWindow(frame);
            SetForegroundWindow(frame);
        }
    }
}

int32_t DialogCenter::RunDialogScreen(int32_t screenId)
{
    CloseActiveDialog();
    kind = (uint32_t)screenId;
    busy = 1;
    DialogState = kDialogRequested;
    result = -1;
    done = 0;
    RunScreenLoop(SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_DEFERERASE | SWP_NOOWNERZORDER);
    if (result == 1) result = 0;
    FinishAfterScreen();
    return result;
}

void DialogCenter::PlaceDialogWindow()
{
    if (DialogState != kDialogRestored) {
        if (HWND backdrop = GetBackdropWindow()) PostMessageW(backdrop, WM_CLOSE, 0, 1);
        Sleep(50);
        PumpMessages();
    }
    DialogEnableMainWindows();
    PutFrameBack(SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    CountDialogClosed();
    DialogInvalidateStatusLine();
}

// ---- The note store's messages ----

void ShowCatalogueMessage(int32_t messageId, const WCHAR* insert1, const WCHAR* insert2, const WCHAR* insert3)
{
    AIString text1(insert1), text2(insert2), text3(insert3);
    g_dialogCenter.ShowMessageWithTexts((uint32_t)messageId, text1, text2, text3);
}

void ConnectNoteStoreMessages()
{
    SetNoteStoreMessageHook(ShowCatalogueMessage);
}
