// The program's own message box (window 500): a borderless band 120 pixels
// high over the bottom of the frame. Its content slides up into it, shows the
// picture of the message's kind, the kind word, caption, text and printed
// number, rests for its display time and slides away. Passive mode (a raised
// message) leaves by itself; active mode (the user asked to see the last
// message again) stays until dismissed and offers a transparency slider and
// a "Don't show this" / "message again" check box.
#pragma once
#include "foundation/win.h"
#include "dialogs/message_catalogue.h"
#include "ui/ai_control.h"
#include "ui/ai_window.h"

enum {
    kMessageBoxWindowId = 500,
    kMessageBoxHeight = 120,
    kMessageBoxTimer = 1,
    kMessageBoxTickMs = 10,
    kMessageBoxDisplayTicks = 350,
    kMessageBoxSlideStart = 95,
};

// How the box closes (CloseMessageBox): 0 cancelled, 1 dismissed, 3 another
// application came to the front, -1 and -2 closed by the program; 2..4 also
// come from the template's buttons 1005..1007.
struct MessageBoxState {
    MessageBoxTexts texts;        // written by the catalogue
    MessageCatalogueState catalogue;
    AIControl checkBox;           // its value: the don't-show-again check box
    HWND box;
    HWND owner;
    int32_t openFlag;
    int32_t closingFlag;
    int32_t height;
    int32_t slideIn;              // falls from 95 while above 0
    int32_t slideOut;             // above 0: the box is leaving
    int32_t doneFlag;
    int32_t tickCounter;          // ticks since the box came to rest
    int32_t dragState;            // 0 idle, 2 pressed on an option, 3 a drag ended
    int32_t transparency;         // 0..255
    int32_t transparencyShown;    // 0..50
    RECT savedFrameRect;
    int32_t frameRectSaved;
    int32_t contentDirty;         // the content bitmap is drawn again on the next frame
    int32_t backgroundDirty;      // the darkened background is made again
    int32_t composedId;           // the message the box shows
    int64_t lastTickTime;         // of the last counted tick, milliseconds; -1 none yet
    int64_t restStartTime;        // when the box came to rest (a tick earlier)
    HWND lastFocus;               // the focus at the last tick; a change lifts the box again
    AIControl optionCheck;        // hit area of the check box
    AIControl optionTrack;        // the slider's track
    AIControl optionKnob;
};

extern MessageBoxState g_messageBox;
// Window 500 while the box is up.
extern AIWindow g_messageBoxWindow;

// The time source of the box's animation: starts and stops its 10 ms tick and
// tells the time in milliseconds. The display time is measured on it, and a
// tick that comes less than half a tick after the last one is not counted:
// Wine delivers the ticks a busy program missed in a burst, which would
// otherwise end the display time at once.
// The default runs a window timer and reads the performance counter; tests
// drive WM_TIMER and the time themselves.
struct MessageBoxClock {
    void (*start)(HWND box, UINT_PTR timerId, UINT milliseconds);
    void (*stop)(HWND box, UINT_PTR timerId);
    int64_t (*now)();
};
// null puts the window timer back.
void SetMessageBoxClock(const MessageBoxClock* clock);

// Destroys an old box, composes the current message and shows it (or routes
// it to the status line and closes). The dialog centre's message-box callback.
HWND RefreshMessageBox();
// The box's by-name receiver: "ShowDialog" shows, "Exit" closes with 0, the
// plain code 2 closes an open box with -1.
LRESULT MessageBoxOnCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
int ShowMessageBox();
void CloseMessageBox(int mode);
// The close that the dialog centre sends (code 2).
void CloseMessageBoxByCode();
INT_PTR CALLBACK MessageBoxDlgProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The slider of the options column: pure geometry.
struct SliderGeometry {
    int trackLeft, trackTop, trackWidth, trackHeight;
    int knobWidth, knobHeight, knobTop;
};
SliderGeometry SliderFor(int columnLeft);
int KnobLeftFor(const SliderGeometry& slider, int transparency);
// The knob centred on the mouse, held between the track's ends (-5 and +7).
int HeldKnobLeft(const SliderGeometry& slider, int mouseX);
// The transparency a knob position means, 0..255.
int TransparencyForKnob(const SliderGeometry& slider, int knobLeft);
// The animation step per frame for a processor speed index.
int MessageBoxStep(int speedIndex, int isMac);

// Paints a frame of the box into dc (client size width x height).
void PaintMessageBox(HDC dc, int width, int height);
// Takes the background snapshot under the box's rectangle (screen coordinates).
void CaptureMessageBoxBackground(const RECT& boxRect);
void FreeMessageBoxPictures();
