#include "dialogs/message_box.h"
#include "dialogs/dialog_center.h"
#include "dialogs/dialog_shell_links.h"
#include "dialogs/foreground_check.h"
#include "foundation/app.h"
#include "foundation/hash_name.h"
#include "resources/resource_ids.h"
#include "ui/ai_window.h"
#include <commctrl.h>

MessageBoxState g_messageBox;
AIWindow g_messageBoxWindow(kMessageBoxWindowId);

namespace {

int32_t g_restPainted = 0;  // active mode paints once when the box has come to rest

void StartWindowTimer(HWND box, UINT_PTR timerId, UINT milliseconds)
{
    SetTimer(box, timerId, milliseconds, 0);
}

void StopWindowTimer(HWND box, UINT_PTR timerId)
{
    KillTimer(box, timerId);
}

int64_t PerformanceMilliseconds()
{
    int64_t frequency = g_app.system.GetPerformanceFrequency();
    return frequency > 0 ? g_app.system.ReadPerformanceCounter() * 1000 / frequency : (int64_t)GetTickCount();
}

const MessageBoxClock kWindowTimerClock = {StartWindowTimer, StopWindowTimer, PerformanceMilliseconds};
MessageBoxClock g_clock = kWindowTimerClock;

int IsPassive() { return g_dialogCenter.messageModeFlag == 1 ? 1 : 0; }

void Repaint(HWND box)
{
    InvalidateRect(box, 0, FALSE);
    UpdateWindow(box);
}

// The box is gone: the centre is free for the next message (the id stays,
// so that the user can see the last message again).
void ReleaseCentre()
{
    DialogCenter& c = g_dialogCenter;
    if (c.kind == kDialogMessageShowing || c.kind == kDialogMessageShown) {
        c.busy = 0;
        c.kind = 0;
    }
}

void PlaceOptions(int width)
{
    MessageBoxState& m = g_messageBox;
    int column = width - 190;
    SliderGeometry s = SliderFor(column);
    m.optionTrack.CreateVirtualAt(ControlStandard, s.trackLeft, s.trackTop, s.trackWidth, s.trackHeight);
    m.optionKnob.CreateVirtualAt(ControlStandard, KnobLeftFor(s, m.transparency), s.knobTop, s.knobWidth,
                                 s.knobHeight);
    m.optionCheck.CreateVirtualAt(ControlStandard, column + 30, 75, 16, 16);
}

int OptionsShown()
{
    return !IsPassive() && !g_messageBox.texts.helpFlag;
}

void ApplyTransparency(HWND box, int transparency, int knobLeft)
{
    MessageBoxState& m = g_messageBox;
    m.transparency = transparency;
    m.transparencyShown = transparency * 50 / 255;
    RECT knob = m.optionKnob.GetRect();
    m.optionKnob.CreateVirtualAt(ControlStandard, knobLeft, knob.top, knob.right - knob.left, knob.bottom - knob.top);
    m.contentDirty = 1;
    m.backgroundDirty = 1;
    Repaint(box);
}

// Without a window manager, Wine raises a top-level window above everything
// (its owned box too) whenever the keyboard focus moves into it; the box
// lifts itself again after each focus change.
void KeepAboveOwner(HWND box)
{
    HWND focus = GetFocus();
    if (focus == g_messageBox.lastFocus || !g_app.system.IsWine()) return;
    g_messageBox.lastFocus = focus;
    // Wine restacks the X window only for a real change of place in its own order.
    const UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    SetWindowPos(box, HWND_NOTOPMOST, 0, 0, 0, 0, flags);
    SetWindowPos(box, HWND_TOPMOST, 0, 0, 0, 0, flags);
}

void OnTimerTick(HWND box)
{
    MessageBoxState& m = g_messageBox;
    int64_t now = g_clock.now();
    if (m.lastTickTime >= 0 && now - m.lastTickTime < kMessageBoxTickMs / 2) return;
    m.lastTickTime = now;
    HWND frame = DialogFrameWindow();
    if (frame) {
        RECT now;
        GetWindowRect(frame, &now);
        if (!m.frameRectSaved) {
            m.savedFrameRect = now;
            m.frameRectSaved = 1;
        } else if (!EqualRect(&now, &m.savedFrameRect)) {
            CloseMessageBox(1);
            return;
        }
    }
    if (!IsForegroundOurs(GetForegroundWindow(), frame, box, g_app.system.IsWine())) {
        CloseMessageBox(3);
        return;
    }
    KeepAboveOwner(box);
    int passive = IsPassive();
    int resting = m.slideIn <= 0 && m.slideOut <= 0;
    if (passive && resting) {
        // The display time is measured on the clock, not by counting ticks.
        if (m.tickCounter == 0) {
            Repaint(box);
            m.restStartTime = now - kMessageBoxTickMs;
        }
        m.tickCounter = (int32_t)((now - m.restStartTime) / kMessageBoxTickMs);
        if (m.tickCounter > m.texts.displayTime) {
            m.slideOut = 15;
            m.tickCounter = 0;
        }
    }
    if (m.doneFlag) {
        CloseMessageBox(1);
        return;
    }
    if (passive && resting && m.slideOut <= 0) return;
    if (!passive && resting) {
        if (g_restPainted) return;
        g_restPainted = 1;
    }
    Repaint(box);
}

void OnLeftButtonDown(HWND box, int x, int y)
{
    MessageBoxState& m = g_messageBox;
    if (IsPassive()) {
        CloseMessageBox(1);
        return;
    }
    if (OptionsShown() && (m.optionTrack.HitTest(x, y) || m.optionKnob.HitTest(x, y) || m.optionCheck.HitTest(x, y))) {
        m.dragState = 2;
        SetCapture(box);
        return;
    }
    CloseMessageBox(1);
}

void OnMouseMove(HWND box, int x, int y)
{
    MessageBoxState& m = g_messageBox;
    if (!OptionsShown()) return;
    RECT track = m.optionTrack.GetRect();
    if (m.dragState == 2) {
        if (x > track.left && x < track.right + 1) {
            SliderGeometry s = SliderFor(track.left - 30);
            int left = HeldKnobLeft(s, x);
            ApplyTransparency(box, TransparencyForKnob(s, left), left);
        }
        return;
    }
    int changed = m.optionKnob.OnMouseMove(x, y);
    changed |= m.optionTrack.OnMouseMove(x, y);
    if (changed) {
        m.contentDirty = 1;
        Repaint(box);
    }
}

void OnLeftButtonUp(HWND box, int x, int y)
{
    MessageBoxState& m = g_messageBox;
    if (GetCapture() == box) ReleaseCapture();
    if (!OptionsShown()) return;
    int interacting = m.dragState == 2;
    int onSlider = m.optionKnob.HitTest(x, y) || m.optionTrack.HitTest(x, y);
    int onCheck = m.optionCheck.HitTest(x, y);
    if (onSlider) {
        SliderGeometry s = SliderFor(m.optionTrack.GetRect().left - 30);
        int transparency = TransparencyForKnob(s, x - s.knobWidth / 2);
        ApplyTransparency(box, transparency, KnobLeftFor(s, transparency));
    }
    if (onCheck) {
        m.checkBox.SetValue(m.checkBox.GetValue() ? 0 : 1);
        m.contentDirty = 1;
        Repaint(box);
    }
    if (interacting) m.dragState = 3;
    else if (!onSlider && !onCheck) CloseMessageBox(1);
}

void OnInitDialog(HWND box)
{
    MessageBoxState& m = g_messageBox;
    RECT owner = {0, 0, 640, 480};
    if (m.owner) GetWindowRect(m.owner, &owner);
    int border = GetSystemMetrics(SM_CXSIZEFRAME);
    SetWindowLongW(box, GWL_EXSTYLE, GetWindowLongW(box, GWL_EXSTYLE) | WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
    int width = owner.right - owner.left - 2 * border;
    MoveWindow(box, owner.left + border, owner.bottom - border - kMessageBoxHeight, width, kMessageBoxHeight, FALSE);
    SetWindowPos(box, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (!IsPassive()) PlaceOptions(width);
}

RECT BoxRectFor(HWND owner)
{
    RECT o = {0, 0, 640, 480};
    if (owner) GetWindowRect(owner, &o);
    int border = GetSystemMetrics(SM_CXSIZEFRAME);
    RECT r = {o.left + border, o.bottom - border - kMessageBoxHeight, o.right - border, o.bottom - border};
    return r;
}

}  // namespace

void SetMessageBoxClock(const MessageBoxClock* clock)
{
    g_clock = clock ? *clock : kWindowTimerClock;
}

HWND RefreshMessageBox()
{
    MessageBoxState& m = g_messageBox;
    if (m.box) {
        HWND old = m.box;
        g_clock.stop(old, kMessageBoxTimer);
        m.box = 0;
        g_messageBoxWindow.SetHwndField(0);
        DestroyWindow(old);
    }
    if (!m.owner || !IsWindow(m.owner)) m.owner = DialogMainWindow();
    SettingsRecord& settings = g_app.settings.Record();
    m.openFlag = 0;
    m.closingFlag = 0;
    m.height = kMessageBoxHeight;
    m.slideIn = kMessageBoxSlideStart;
    m.slideOut = 0;
    m.texts.displayTime = kMessageBoxDisplayTicks;
    m.doneFlag = 0;
    m.contentDirty = 1;
    m.backgroundDirty = 1;
    m.texts.showFlag = 1;
    m.tickCounter = 0;
    m.texts.helpFlag = 0;
    m.dragState = 0;
    m.frameRectSaved = 0;
    m.lastTickTime = -1;
    m.lastFocus = 0;
    g_restPainted = 0;
    if (g_dialogShell.setStatusPicture) g_dialogShell.setStatusPicture(0);
    m.transparency = settings.messageBoxTransparency;
    if (m.transparency < 0) m.transparency = 0;
    if (m.transparency > 255) m.transparency = 255;
    m.transparencyShown = m.transparency * 50 / 255;

    DialogCenter& c = g_dialogCenter;
    MessageCatalogueInput input = {(int32_t)c.messageId,
                                   {&c.messageText1, &c.messageText2, &c.messageText3},
                                   (int32_t)c.messageModeFlag,
                                   settings.dontShowAgain};
    MessageCatalogue::Compose(input, &m.catalogue, &m.texts);
    m.composedId = (int32_t)c.messageId;
    m.checkBox.SetValue(m.texts.checkValue);
    if (m.texts.routedToStatus) {
        DialogSetStatusText(m.texts.statusLine.GetText(), kStatusDone);
        if (g_dialogShell.setStatusPicture) g_dialogShell.setStatusPicture(m.texts.kindCode);
        DialogRepaintContent(1);
    }
    if (m.texts.showFlag == 1) {
        static const uint32_t showDialog = HashName("ShowDialog");
        MessageBoxOnCommand(0, MsgCommandByName, showDialog, 0);
        if (IsPassive() && m.owner) SetFocus(m.owner);
        if (m.box) m.openFlag = 1;
        else CloseMessageBox(0);  // no window could be made: the message is over
    } else {
        CloseMessageBox(0);
    }
    return m.box;
}

LRESULT MessageBoxOnCommand(HWND, UINT message, WPARAM wParam, LPARAM)
{
    if (message != MsgCommandByName) return 1;
    static const uint32_t showDialog = HashName("ShowDialog");
    static const uint32_t exitCommand = HashName("Exit");
    if ((uint32_t)wParam == showDialog) ShowMessageBox();
    else if ((uint32_t)wParam == exitCommand) CloseMessageBox(0);
    else if (wParam == kByNameCodeCloseMessageBox && g_messageBox.openFlag == 1) CloseMessageBox(-1);
    return 1;
}

void CloseMessageBoxByCode()
{
    MessageBoxOnCommand(g_messageBox.box, MsgCommandByName, kByNameCodeCloseMessageBox, 0);
    if (!g_messageBox.openFlag) ReleaseCentre();
}

int ShowMessageBox()
{
    MessageBoxState& m = g_messageBox;
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    HWND frame = DialogFrameWindow();
    int lift = frame && !g_app.system.IsWine() && !g_app.system.IsMac();
    if (lift) SetWindowPos(frame, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    CaptureMessageBoxBackground(BoxRectFor(m.owner));
    if (lift) SetWindowPos(frame, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    HWND box = CreateDialogParamW(GetModuleHandleW(0), MAKEINTRESOURCEW(IDD_ERROR_DETAILS), m.owner,
                                  MessageBoxDlgProc, 0);
    if (!box) return 0;
    m.box = box;
    g_messageBoxWindow.SetHwndField(box);
    ShowWindow(box, IsPassive() ? SW_SHOWNOACTIVATE : SW_SHOWNORMAL);
    g_clock.start(box, kMessageBoxTimer, kMessageBoxTickMs);
    return 1;
}

void CloseMessageBox(int mode)
{
    MessageBoxState& m = g_messageBox;
    if (m.box) g_clock.stop(m.box, kMessageBoxTimer);
    if (m.closingFlag) return;
    m.closingFlag = 1;
    m.openFlag = 0;
    g_messageBoxWindow.SetHwndField(0);
    m.tickCounter = 0;
    if (mode == 0) g_dialogCenter.noteDialogAnswer = 0;
    else if (mode == 1) g_dialogCenter.noteDialogAnswer = 1;
    HWND main = DialogMainWindow();
    if (!IsPassive()) {
        SettingsRecord& settings = g_app.settings.Record();
        settings.messageBoxTransparency = m.transparency;
        int slot = MessageCatalogue::FlagSlotOf(m.composedId);
        if (slot >= 0) SettingsSetDontShow(settings, slot, m.checkBox.GetValue());
        DialogRepaintContent(0);
        if (mode != -2 && main) SetFocus(main);
    }
    HWND box = m.box;
    m.box = 0;
    if (box) DestroyWindow(box);
    DialogRepaintContent(m.texts.showFlag == 1);
    HWND frame = DialogFrameWindow();
    HWND editor = g_dialogShell.editor;
    if (mode == 3) {
        // Another application came to the front: keep the note safe.
        if (frame) SendMessageW(frame, WM_COMMAND, IDM_SAVE_NOTE, 0);
        g_app.SetGuardFlag(0);
        DialogRepaintContent(0);
        if (editor) ValidateRect(editor, 0);
        if (frame) {
            InvalidateRect(frame, 0, FALSE);
            UpdateWindow(frame);
        }
        if (g_dialogShell.afterOtherApplicationInFront) g_dialogShell.afterOtherApplicationInFront();
        SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_NORMAL);
    }
    m.texts.showFlag = 0;
    if (editor) {
        InvalidateRect(editor, 0, TRUE);
        UpdateWindow(editor);
    }
    if (main && GetFocus() != main) SetFocus(main);
    ReleaseCentre();
}

INT_PTR CALLBACK MessageBoxDlgProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    MessageBoxState& m = g_messageBox;
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(window);
        return FALSE;
    case WM_TIMER:
        if (wParam == kMessageBoxTimer) OnTimerTick(window);
        return TRUE;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        RECT client;
        GetClientRect(window, &client);
        PaintMessageBox(dc, client.right, client.bottom);
        EndPaint(window, &ps);
        return TRUE;
    }
    case WM_LBUTTONDOWN:
        OnLeftButtonDown(window, (short)LOWORD(lParam), (short)HIWORD(lParam));
        return TRUE;
    case WM_MOUSEMOVE:
        OnMouseMove(window, (short)LOWORD(lParam), (short)HIWORD(lParam));
        return TRUE;
    case WM_LBUTTONUP:
        OnLeftButtonUp(window, (short)LOWORD(lParam), (short)HIWORD(lParam));
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: CloseMessageBox(1); break;
        case IDCANCEL: CloseMessageBox(0); break;
        case 1005: case 1006: case 1007:
            GetAsyncKeyState(VK_RETURN);  // clears a pending press of Enter
            CloseMessageBox(LOWORD(wParam) - 1003);
            break;
        default: break;
        }
        return TRUE;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE && m.openFlag && !m.closingFlag) {
            HWND next = lParam ? (HWND)lParam : GetForegroundWindow();
            if (IsForegroundOurs(next, DialogFrameWindow(), window, g_app.system.IsWine())) {
                if (!IsPassive()) CloseMessageBox(-1);
            } else {
                CloseMessageBox(3);
            }
        }
        return FALSE;
    case WM_KILLFOCUS:
        if (m.openFlag) CloseMessageBox(1);
        return FALSE;
    case WM_KEYUP:
        return TRUE;
    case WM_ERASEBKGND:
    case WM_SETCURSOR:
        SetWindowLongPtrW(window, DWLP_MSGRESULT, 1);
        return TRUE;
    case WM_CTLCOLOREDIT:
        SetBkMode((HDC)wParam, TRANSPARENT);
        return (INT_PTR)GetStockObject(WHITE_BRUSH);
    case WM_CTLCOLORSTATIC:
        return 0;
    case MsgCommandByName:
        SetWindowLongPtrW(window, DWLP_MSGRESULT, MessageBoxOnCommand(window, message, wParam, lParam));
        return TRUE;
    default:
        return FALSE;
    }
}

// ---- Pure geometry of the options ----

SliderGeometry SliderFor(int columnLeft)
{
    SliderGeometry s = {columnLeft + 30, 50, 150, 10, 15, 20, 45};
    return s;
}

int KnobLeftFor(const SliderGeometry& s, int transparency)
{
    int shown = transparency * 50 / 255;
    return s.trackLeft + 2 * (shown * s.trackWidth / 100) - 7;
}

int HeldKnobLeft(const SliderGeometry& s, int mouseX)
{
    int left = mouseX - s.knobWidth / 2;
    if (left < s.trackLeft - 5) left = s.trackLeft - 5;
    if (left + s.knobWidth > s.trackLeft + s.trackWidth + 7) left = s.trackLeft + s.trackWidth + 7 - s.knobWidth;
    return left;
}

int TransparencyForKnob(const SliderGeometry& s, int knobLeft)
{
    int t = (knobLeft - s.trackLeft + 7) * 255 / s.trackWidth;
    if (t < 0) t = 0;
    if (t > 255) t = 255;
    return t;
}

int MessageBoxStep(int speedIndex, int isMac)
{
    if (isMac || speedIndex < 100) return 100;
    if (speedIndex < 150) return 50;
    if (speedIndex < 200) return 20;
    return 10;
}
