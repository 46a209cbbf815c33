// DialogCenter: the one dispatcher through which the program opens a dialog:
// a numbered message in the message box, a note dialog, or a screen over the
// darkened backdrop. It holds what a dialog shows and edits, the message id,
// the screen id and the result. Screens run modally (RunDialogScreen pumps
// messages until the screen has closed); messages never block.
#pragma once
#include "foundation/message_ids.h"
#include "foundation/win.h"
#include "foundation/ai_string.h"

// What is up (the kind field); other values are screen ids.
enum DialogKind : uint32_t {
    kDialogPrompt = 0,
    kDialogHyperlink = 1,
    kDialogMessageShowing = 7,
    kDialogRename = 9,
    kDialogNewNote = 10,
    kDialogMessageShown = 999,
};

// Screens of the dialog host.
enum ScreenId : int32_t {
    kScreenWelcome = 5,
    kScreenAbout = 6,
    kScreenPageText = 8,
    kScreenFilePanel = 11,
    kScreenGettingStarted = 12,
    kScreenShortcuts = 14,
    kScreenWelcomeAnimation = 15,
    kScreenPasteImage = 17,
    kScreenFirstStart = 19,
    kScreenTipOfDay = 20,
    kScreenFavourites = 21,
    kScreenImageBrowser = 22,
    kScreenSyncSettings = 24,
};

// The hyperlink dialog's option: the link it is given is a new one.
enum : uint32_t { kLinkOptionNew = 1 };

// Owners of the backdrop that are not screens.
enum BackdropOwner : int32_t {
    kOwnerNoteDialogs = 98,
    kOwnerErrorDetails = 99,
    kOwnerBackdropOnly = 101,
};

// Phases of the modal dialog (DialogState).
enum DialogPhase : int32_t {
    kDialogNone = 0,
    kDialogRequested = 1,
    kDialogBackdropFading = 2,
    kDialogHostOpening = 3,
    kDialogOpen = 10,
    kDialogClosing = 11,
    kDialogClosingByTimer = 12,
    kDialogRestored = 20,
};

// Opens the note dialog for the current kind and returns when it has closed
// (its answer is left in the centre's noteDialogAnswer).
typedef void (*NoteDialogCallback)();
// Records the pending screen and creates the backdrop; returns its window.
typedef HWND (*ScreenCallback)();
// Rebuilds and shows the message box for the current message id.
typedef HWND (*MessageBoxCallback)();

class DialogCenter {
public:
    DialogCenter(void* errorDetails, NoteDialogCallback noteDialog, ScreenCallback screen,
                 MessageBoxCallback messageBox);
    ~DialogCenter();
    DialogCenter(const DialogCenter&) = delete;
    DialogCenter& operator=(const DialogCenter&) = delete;

    // Messages; all return 1.
    int ShowMessage(uint32_t messageId);
    int ShowMessageWithText(uint32_t messageId, const AIString& text);
    int ShowMessageWithValues(uint32_t messageId, const AIString& value1, const AIString& value2);
    int ShowMessageWithTexts(uint32_t messageId, const AIString& text1, const AIString& text2,
                             const AIString& text3);
    // -1 closes the box; 0 shows a stored message unless something is up;
    // 1 shows the last message again in active mode. 1 when a box was shown.
    int UpdateMessageBox(int mode);

    // Makes way for a new dialog. 1 when it only closed the message box.
    int CloseActiveDialog();
    uint32_t IsDialogBusy() const { return busy; }

    // Runs a screen modally; its result (-1 closed without a choice; 1 comes back as 0).
    int32_t RunDialogScreen(int32_t screenId);
    // After every note dialog: fades the backdrop out and gives the windows back.
    void PlaceDialogWindow();

    // Note dialogs; each returns the note-dialog answer (1 accepted).
    // The generic prompt opens only when the title, the prompt, both values and
    // the help text are given (values not 0).
    int32_t PromptNoteDialog(const WCHAR* title, const WCHAR* prompt, uint32_t value, const WCHAR* accept,
                             uint32_t value2, const WCHAR* cancel, const WCHAR* help);
    // option kLinkOptionNew: label and target are a new link's, filled in.
    int32_t EditHyperlinkDialog(AIString& label, AIString& target, uint32_t option, int32_t mode,
                                const WCHAR* extraText);
    int32_t RenameNoteDialog(AIString& title);
    int32_t NewNoteDialog(AIString& title, int32_t fromTemplate);

    // Fields, in their fixed order.
    AIString linkLabel;
    AIString linkTarget;
    uint32_t linkOption;
    uint32_t copyFileFlag;      // hyperlink dialog: offer to copy the file first
    int32_t linkMode;           // -100: a link to an existing local file
    AIString linkExtraText;
    AIString dialogTitle;
    AIString promptText;
    AIString messageText1;
    AIString messageText2;
    AIString messageText3;
    AIString editedValue;
    uint32_t promptValue;
    const WCHAR* acceptHint;
    uint32_t promptValue2;
    const WCHAR* cancelHint;
    const WCHAR* helpText;
    uint32_t busy;              // 1 while a dialog or a message is up
    uint32_t messageModeFlag;   // 1 passive (raised), 0 active (asked for again)
    int32_t noteDialogAnswer;   // 1 accepted
    uint32_t messageId;         // 0 none
    int32_t result;             // of the last screen; -1 closed without a choice
    uint32_t done;              // set by the backdrop when the dialog has ended
    uint32_t kind;
    void* errorDetails;
    NoteDialogCallback noteDialogCallback;
    ScreenCallback screenCallback;
    MessageBoxCallback messageBoxCallback;

private:
    int32_t RunNoteDialog(uint32_t dialogKind);
};

extern DialogCenter g_dialogCenter;
extern int32_t DialogState;
extern int32_t DialogOpenCount;

// The screen callback: records the pending screen over the frame's client
// area and creates the backdrop; 0 when the backdrop could not be made.
HWND RequestDialogScreen();

// Decrements DialogOpenCount and holds it within 0..1000.
void CountDialogClosed();

// The steps a screen's run shares with the File panel's: the backdrop, the
// modal loop and the windows put back (the frame's z-order flags given); the
// result, -1 when the loop had to stop early.
int32_t RunScreenLoop(UINT zOrderFlags);
// Counts the dialog closed and repaints what it covered.
void FinishAfterScreen();

// The note store's messages reach the user through ShowMessage from here on.
void ConnectNoteStoreMessages();
// A catalogue message with up to three inserts (null reads as empty): the
// shape of the note store's and the shell's message hooks.
void ShowCatalogueMessage(int32_t messageId, const WCHAR* insert1, const WCHAR* insert2,
                          const WCHAR* insert3);
