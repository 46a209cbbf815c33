// The four note dialogs as the rest of the program asks for them: each fills
// the centre's texts, runs the note dialog through its callback and copies
// the edited values back when the user accepted.
#include "dialogs/dialog_center.h"
#include "dialogs/dialog_shell_links.h"
#include "dialogs/modal_backdrop.h"
#include "foundation/text_markup.h"
#include "notestore/datafile_format.h"

namespace {

const WCHAR kCancelHint[] = L"(Cancel any changes and return - shortcut ESCAPE)";

const WCHAR kHyperlinkHelp[] =
    L"<b>Web page:</b> type or paste the address (http://...).<br>"
    L"<b>Internal link:</b> type the title of a note; the label is an alias of the note.<br>"
    L"<b>E-mail:</b> type mailto: and the address.<br>"
    L"<b>File:</b> choose the file with the browse button.<br>"
    L"<b>Image:</b> a link to an image file is previewed when the mouse rests on it.";

const WCHAR kRenameHelp[] =
    L"When you rename a note, a custom note with the old name will be saved and automatically re-direct old "
    L"links to the new name. <br><br>You may edit the custom note to explain <b>why</b> you renamed it.";

const WCHAR kNewNoteHelp[] =
    L"Try to use a title that is easy and natural for <b>you</b> to remember.<br><br>Try to <b>avoid</b> "
    L"common english words like 'is', 'you', 'when' etc. <sbr><sbr>You may use multiple words in the title, "
    L"as long as it is less than 30 characters in total.";

}  // namespace

int32_t DialogCenter::RunNoteDialog(uint32_t dialogKind)
{
    CloseActiveDialog();
    kind = dialogKind;
    busy = 1;
    DialogState = kDialogRequested;
    if (noteDialogCallback) noteDialogCallback();
    PlaceDialogWindow();
    // Without a backdrop nobody else ends the dialog.
    if (!GetBackdropWindow() && DialogState != kDialogRestored) {
        busy = 0;
        DialogState = kDialogNone;
    }
    return noteDialogAnswer;
}

int32_t DialogCenter::PromptNoteDialog(const WCHAR* title, const WCHAR* prompt, uint32_t value,
                                       const WCHAR* accept, uint32_t value2, const WCHAR* cancel,
                                       const WCHAR* help)
{
    if (!title || !prompt || !value || !value2 || !help) return noteDialogAnswer;
    DialogSetStatusText(L"Ready", kStatusDone);
    dialogTitle.AssignText(title);
    promptText.AssignText(prompt);
    promptValue = value;
    acceptHint = accept;
    promptValue2 = value2;
    cancelHint = cancel;
    helpText = help;
    return RunNoteDialog(kDialogPrompt);
}

int32_t DialogCenter::EditHyperlinkDialog(AIString& label, AIString& target, uint32_t option, int32_t mode,
                                          const WCHAR* extraText)
{
    DialogSetStatusText(L"Create/Edit a hyperlink", kStatusDone);
    linkLabel.Copy(label);
    linkTarget.Copy(target);
    linkOption = option;
    linkMode = mode;
    linkExtraText.AssignText(extraText);
    if (mode == -100) promptText.AssignText(L"Create hyperlink to existing (local) file");
    else if (copyFileFlag) promptText.AssignText(L"Copy file and create hyperlink to it");
    else promptText.AssignText(L"Create hyperlink to a web page, e-mail or a file");
    acceptHint = L"(Accept any changes and return - shortcut ENTER)";
    cancelHint = kCancelHint;
    helpText = kHyperlinkHelp;
    int32_t answer = RunNoteDialog(kDialogHyperlink);
    copyFileFlag = 0;
    if (answer == 1) {
        label.Copy(linkLabel);
        target.Copy(linkTarget);
    }
    return answer;
}

int32_t DialogCenter::RenameNoteDialog(AIString& title)
{
    dialogTitle.AssignText(L"Rename note");
    promptText.AssignText(L"Please enter a new, unique title for <br><b>'");
    AIString shown;
    ShownTitleForm(title.GetText(), shown);
    TextMarkup::Escape(shown.GetText(), promptText);
    promptText.AppendText(L"'</b>");
    editedValue.Copy(title);
    acceptHint = L"(Accept new name and return - shortcut ENTER)";
    cancelHint = kCancelHint;
    helpText = kRenameHelp;
    int32_t answer = RunNoteDialog(kDialogRename);
    if (answer == 1) title.Copy(editedValue);
    return answer;
}

int32_t DialogCenter::NewNoteDialog(AIString& title, int32_t fromTemplate)
{
    DialogSetStatusText(L"Create a new note", kStatusDone);
    if (title.GetLength() > 30) title.Clear();
    if (fromTemplate == 1) {
        dialogTitle.AssignText(L"New Note (template)");
        promptText.AssignText(L"Please enter a name for the new note<br>(will copy text from current note)");
    } else {
        dialogTitle.AssignText(L"New Note");
        promptText.AssignText(L"Please enter a name for the new note");
    }
    editedValue.Copy(title);
    acceptHint = L"(Create new note and return - shortcut ENTER)";
    cancelHint = kCancelHint;
    helpText = kNewNoteHelp;
    int32_t answer = RunNoteDialog(kDialogNewNote);
    if (answer == 1) title.Copy(editedValue);
    return answer;
}
