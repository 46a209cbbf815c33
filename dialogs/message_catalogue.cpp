#include "dialogs/message_catalogue.h"
#include "foundation/message_ids.h"
#include "foundation/text_markup.h"

// Placeholders inside the texts: the first, second and third insert (cut to
// 25 characters) and the second insert laid out on two lines of 35.
#define I1 L"\x0001"
#define I2 L"\x0002"
#define I3 L"\x0003"
#define I2W L"\x0004"
// Where the whole text of a cut note was kept (the second insert), when given:
// a note is never cut without saying where its text went.
#define KEPT L"\x0005"
#define CUR L"\x00A4"
#define PLM L"\x00B1"

namespace {

// A path insert goes in whole up to this length; the box shortens it where it is drawn.
const int kMaxPathChars = 1000;

struct CatalogueEntry {
    int32_t id;
    const WCHAR* number;
    const WCHAR* kind;
    int32_t kindCode;
    const WCHAR* caption;
    int32_t flag;
    const WCHAR* text;
};

const WCHAR kWarning[] = L"Warning";
const WCHAR kError[] = L"Error";
const WCHAR kInfo[] = L"Info";

const CatalogueEntry kMessages[] = {
    {kMsgCannotDeleteBetweenLinks, L"(001)", kWarning, kKindWarning, L"Cannot delete", 0,
     L"You cannot delete all space between hyperlinks because you need to be able to separate the hyperlinks."},
    {kMsgLinkTitleUsed, L"(002)", kWarning, kKindWarning, L"Title already used", 1,
     L"You cannot create a new hyperlink with the same title." L"\r\n(the title '" I1 L"' is already linking to '" I2 L"')"},
    {kMsgDatafileUnsorted, L"(003)", kError, kKindError, L"Datafile corrupt", 2,
     L"The data is not in correct alphabetic order in \r\n '" I1 L"'.\r\n(the title '" I2 L"' is ordered before '" I3 L"')"},
    {kMsgCannotDeletePartialLink, L"(004)", kWarning, kKindWarning, L"Cannot delete", 3,
     L"You cannot delete partial hyperlinks\r\n\r\nSelect the complete hyperlink to delete it."},
    {kMsgMissingTitle, L"(005)", kError, kKindError, L"Missing title", 4,
     L"A note MUST have a title\r\n\r\nEnter a title to be able to save the note."},
    {kMsgTitleExists, L"(006)", kError, kKindError, L"Title exists", 5,
     L"The title '" I1 L"' already exists.\r\n\r\nChange the title to be able to save the note."},
    {kMsgFileNotFound, L"(007)", kError, kKindError, L"File not found", 6,
     L"The file '" I1 L"' at\r\n'" I2W L"'\r\n is either missing or corrupt."},
    {kMsgPathNotFound, L"(008)", kError, kKindError, L"Path not found", 7,
     L"The file '" I1 L"' at\r\n'" I2W L"'\r\ncannot be found - the path doesn't exist."},
    {kMsgFileLocked, L"(009)", kError, kKindError, L"File is locked", 8,
     L"The file '" I1 L"' cannot be accessed \r\n- already in use by another application.\r\n(Close the other application and restart Tavik)"},
    {kMsgReadOnlyNoNewNotes, L"(010)", kWarning, kKindWarning, L"Read-only data", 9,
     L"Your current datafile is read-only !\r\n\r\nYou cannot create new notes as they will not be saved."},
    {kMsgSelectLinkToDelete, L"(011)", kWarning, kKindWarning, L"Cannot delete", 10,
     L"You must select the hyperlink to delete it\r\n(use arrow keys to select)."},
    {kMsgReservedCharacters, L"(012)", kWarning, kKindWarning, L"Cannot use " CUR L" or " PLM, 11,
     L"You cannot use special-characters '" CUR L"' or '" PLM L"'.\r\n\r\nThey are used internally by Tavik - we're sorry."},
    {kMsgTooManyTags, L"(013)", kWarning, kKindWarning, L"Cannot add tag", 12,
     L"The maximum number of tags (50) has been reached.\r\n\r\nPlease delete an old tag to create a new."},
    {kMsgAutomaticLinkNotValid, L"(014)", kWarning, kKindWarning, L"Cannot go to link", 13,
     L"The automatic link is not valid.\r\n\r\nPlease refresh the note (F5) to update the automatic links."},
    {kMsgPasteNotComplete, L"(015)", kWarning, kKindWarning, L"Paste not complete", 14,
     L"Some of the hyperlinks were not pasted as the link name already exists in this note.\r\n\r\n( " I1 L" ) hyperlink(s) already exist with the same name"},
    {kMsgLowDiskSpaceWarning, L"(016)", kWarning, kKindWarning, L"Low disk space", 15,
     L"Please clean up some space from\r\n" I1 L"\r\nYour notes will still be temporarily saved."},
    {kMsgTextTooLong, L"(017)", kError, kKindError, L"Text too long", 16,
     L"You cannot drop this much text into a note\r\n\r\nPlease reduce the selection and try again."},
    {kMsgReadOnlyNoChanges, L"(018)", kWarning, kKindWarning, L"Read-only data", 17,
     L"Your current datafile is read-only !\r\n\r\nYou cannot save any changes while read-only."},
    {kMsgLowDiskSpace, L"(019)", kError, kKindError, L"Low disk space", 18,
     L"Disk space too low !!!\r\nPlease clean up some space from\r\n" I1 L"\r\nYour notes MAY be temporarily saved !"},
    {kMsgFileAlreadyExists, L"(020)", kError, kKindError, L"File already exists", 19,
     L"Cannot create new file !\r\nA file with the same name already exists. \r\nPlease choose a different name (or rename the old file)"},
    {kMsgDatafileNotValid, L"(021)", kError, kKindError, L"File not valid", 20,
     L"Cannot open the file :\r\n" I1 L"\r\nThe file was not recognized by Tavik."},
    {kMsgMinimumOneNote, L"(022)", kError, kKindError, L"Cannot Delete", 21,
     L"Cannot delete all notes.\r\nMinimum 1 note to be valid.\r\nCreate a new note first, then delete this note."},
    {kMsgCannotPasteIntoLink, L"(023)", kWarning, kKindWarning, L"Cannot Paste", 22,
     L"Cannot paste into a link.\r\nMove your cursor to a valid position \r\n(before or after the link)."},
    {kMsgCannotPasteIntoHeading, L"(024)", kWarning, kKindWarning, L"Cannot Paste", 23,
     L"Cannot paste into a heading.\r\nMove your cursor to a valid position \r\n(above or below the heading)."},
    {kMsgCannotPasteIntoTag, L"(025)", kWarning, kKindWarning, L"Cannot Paste", 24,
     L"Cannot paste into a tag.\r\nMove your cursor to a valid position \r\n(before or after the tag)."},
    {kMsgCannotPasteIntoSelection, L"(026)", kWarning, kKindWarning, L"Cannot Paste", 25,
     L"Cannot paste into a selection.\r\nMove your cursor to a valid position \r\n(before or after the selection) or delete the selection first."},
    {kMsgLinkSelectionTooLong, L"(027)", kWarning, kKindWarning, L"Cannot create link", 26,
     L"Cannot create a link with a selection this long.\r\nLimit your selection to max. 30 characters."},
    {kMsgPrintFailed, L"(028)", kError, kKindError, L"Print failed", 27,
     L"The print job failed.\r\nPlease check your printer to verify that everything is correct."},
    {kMsgSavingCopyFailed, L"(029)", kError, kKindError, L"Saving Copy failed", 28,
     L"Saving a copy failed.\r\nPlease check that you are not out of disk space at your target destination."},
    {kMsgHeadingNotForSelection, L"(030)", kWarning, kKindWarning, L"Heading not allowed", 29,
     L"Cannot toggle heading for selection.\r\nPlease remove the selection.\r\nThe current line will then be converted to a heading."},
    {kMsgTabSelectionTooLong, L"(031)", kWarning, kKindWarning, L"Cannot use Tab", 30,
     L"Cannot use Tab on very long selections.\r\nPlease reduce the selection to max. 100 lines at a time."},
    {kMsgHeadingNotWithLinks, L"(032)", kWarning, kKindWarning, L"Cannot create heading", 31,
     L"Cannot create heading on lines which contains hyperlinks\r\nMove or delete the link to create a heading."},
    {kMsgNoteSizeTooLarge, L"(033)", kError, kKindError, L"Note size too large", 32,
     L"The note '" I1 L"' is too large\r\nMax. size is 50.000 characters, the note is\r\n" I2W
     L" characters too long (including hyperlinks). Your data may become corrupt. Please reduce the note size."},
    {kMsgLinkDataCorrupt, L"(034)", kError, kKindError, L"Link data corrupt", 33,
     L"The link data is corrupt.\r\nPlease check the links and correct any errors.\r\nIf it still fails, check the datafile in a text editor."},
    {kMsgCannotStrikeOutLink, L"(035)", kWarning, kKindWarning, L"Cannot strike-out hyperlink", 34,
     L"Cannot strike-out a line/selection containing a hyperlink or tag.\r\nManually delete the link first if you want to strike out the line/selection."},
    {kMsgDatafileTooLarge, L"(36)", kError, kKindError, L"File size too large", 35,
     L"The file \r\n" I1 L"\r\nis too large. Max. filesize is 50 MB."},
    {kMsgTooManyTagNames, L"(037)", kError, kKindError, L"Cannot use tags", 36,
     L"Cannot use tags as there are too many.\r\nMax. 50 unique tag names allowed.\r\n\r\nManually delete some tags to enable tags again."},
    {kMsgMissingCharacters, L"(038)", kWarning, kKindWarning, L"Missing characters", 37,
     L"Cannot use intellisense without any characters.\r\n\r\nEnter minimum 1 character and try again."},
    {kMsgNoteTooLarge, L"(039)", kError, kKindError, L"Note size too large", 38,
     L"Max. size is 50.000 characters \r\n(including hyperlinks).\r\n\r\nYou have lost " I1 L" characters from this note."
     KEPT},
    {kMsgHeadingNotForStrikeThrough, L"(040)", kWarning, kKindWarning, L"Heading not allowed", 39,
     L"Cannot toggle heading for strike-through text.\r\nPlease remove the strike-through text."},
    {kMsgOutOfDiskSpace, L"(041)", kError, kKindError, L"Out of disk space", 40,
     L"Cannot save file to data folder\r\nNot enough free disk space"},
    {kMsgPasteBitmapFailed, L"(042)", kWarning, kKindWarning, L"Paste bitmap failed", 41,
     L"Cannot paste bitmap.\r\nNo bitmap in Clipboard ? \r\nTry copying the bitmap again (and paste again)"},
    {kMsgWindowSnapshotFailed, L"(043)", kWarning, kKindWarning, L"Window Snapshot failed", 42,
     L"Failed to create snapshot of window.\r\nProblem may be little free memory\r\nTry to free some memory \r\n(by closing other applications) and try again"},
    {kMsgTooManyAutolinks, L"(044)", kWarning, kKindWarning, L"Too many autolinks", 43,
     L"The note has too many automatic links.\r\n\r\nMax. 1.000 automatic links was converted\r\nto keep acceptable performance."},
    {kMsgPortableLocalFilesOnly, L"(045)", kError, kKindError, L"Cannot open data file", 44,
     L"You can only open local files when in USB (Portable) mode. \r\n\r\nSelect a file from the default directory or sub-directory only."},
    {kMsgCaptureFailed, L"(046)", kWarning, kKindWarning, L"Capture failed", 45,
     L"Failed to capture window/document.\r\n\r\nYou need to CLICK in the window you want captured to select and capture it \r\n(after Tavik has been hidden).\r\n"},
    {kMsgShareConflict, L"(047)", kWarning, kKindWarning, L"Share conflict", 46,
     L"Remote note already exists\r\n\r\nClick share again to overwrite your local note and use the shared note instead\r\n\r\n(a copy of your note will be created automatically)\r\n"},
    {kMsgPrintComplete, L" ", kInfo, kKindInfo, L"Print Complete", 49,
     L"Print job completed, and sent to print spooler.\r\nCheck your printer job queue if it doesn't print."},
    {kMsgSavingCopyDone, L" ", kInfo, kKindInfo, L"Saving copy", 50,
     L"Saving copy of current file completed.\r\n\r\nPlease note that any further changes will not be updated in the copy until you save a new copy."},
    {kMsgRemovableStorage, L" ", kInfo, kKindHelp, L"Removable storage", 51,
     L"The datafile is stored on removable drive '" I1 L"'\r\nDo not remove the drive until you exit Tavik\r\nor open a different datafile\r\n(to allow Tavik to save the file correctly)."},
    {kMsgRefreshingDone, L" ", kInfo, kKindInfo, L"Refreshing data", 52,
     L"Saving and refreshing current file completed.\r\n\r\nTemporary deleted notes have been permanently deleted."},
    {kMsgLoadingComplete, L" ", kInfo, kKindInfo, L"Loading complete", 53,
     L"The loading of the file \r\n\r\n'" I1 L"'\r\n\r\n has completed successfully"},
    {kMsgNewFileComplete, L" ", kInfo, kKindInfo, L"New file complete", 54,
     L"The new file \r\n\r\n'" I1 L"'\r\n\r\n has been created successfully"},
    {kMsgAutomaticSyncComplete, L" ", kInfo, kKindInfo, L"Automatic sync complete", 55,
     L"The note has been edited remotely and automatically updated successfully"},
    {kMsgFolderCannotBeUsed, L"(061)", kError, kKindError, L"Folder cannot be used", -1,
     L"The folder\r\n'" I2W L"'\r\n" I1 L".\r\n\r\nThe folder setting is left as it was."},
    {kMsgCaptureNoBrowser, L"(062)", kWarning, kKindWarning, L"Web capture FAILED", -1,
     L"You must first activate a browser \r\nand select the web page you want to capture.\r\n\r\nThen you can "
     L"either:\r\nA. Activate Tavik and select Capture Web or\r\nB. Simply press the hotkey Shift+PrintScr when the "
     L"web page is active"},
};

struct HelpPage {
    int32_t id;
    int32_t page;  // 0 single page, 1 or 2 of a two-page help
    const WCHAR* number;
    const WCHAR* caption;
    const WCHAR* text;
};

const HelpPage kHelpPages[] = {
    {kMsgHelpGeneralShortcuts, 0, L"(100)", L"General Shortcuts",
     L"Enter      \t = Load note\r\n"
     L"Enter x 2\t = Load note and go to editor (or use Tab)\r\n"
     L"Esc        \t = Change focus between search and editor\r\n"
     L"\r\n"
     L"F12 (default)  \t = Hotkey to minimize and restore Tavik\r\n"},
    {kMsgHelpQuickSearch, 1, L"(101)", L"Quick Search Help (1 of 2)",
     L"Esc        \t = Change focus between search and editor\r\n"
     L"Enter      \t = Load note (or search if unknown note)\r\n"
     L"Enter x 2\t = Load note and go to editor (or use Tab)\r\n"
     L"Del       \t = Clear quicksearch (or Left Arrow)\r\n"
     L"Ctrl + N \t = New note\r\n"},
    {kMsgHelpQuickSearch, 2, L"(101)", L"Quick Search Help (2 of 2)",
     L"Caps Lock  \t = Toggle incremental search\r\n"
     L"+        \t\t = Increase Zoom for editor\r\n"
     L"-        \t\t = Decrease Zoom for editor\r\n"
     L"Shift \t = Quick preview of note\r\n"
     L"Ctrl + Spacebar = Search in all notes\r\n"},
    {kMsgHelpEditor, 1, L"(102)", L"Editor Help (1 of 2)",
     L"Caps Lock       \t = Incremental search for text (also Ctrl+F)\r\n"
     L"Alt + Left/Right = Navigate to previous / next visited note\r\n"
     L"Alt + Up/Down  = Navigate to next/previous hyperlink\r\n"
     L"Ctrl + Up/Down = Navigate to previous / next paragraph\r\n"
     L"Ctrl + K       \t = Insert / Edit Hyperlink \r\n"
     L"Ctrl + H       \t = Toggle Header 1,2,3, off\r\n"},
    {kMsgHelpEditor, 2, L"(102)", L"Editor Help (2 of 2)",
     L"Ctrl + Mousewheel = Increase/decrease zoom\r\n"
     L"Ctrl (quick) \t = Show current cursor position\r\n"
     L"Ctrl + D       \t = Toggle Strike-through text ('Done') \r\n"
     L"Ctrl + B       \t = Toggle Bold text \r\n"
     L"Ctrl + I       \t = Toggle Italic text \r\n"
     L"Ctrl + Q       \t = Show / Hide Shortcuts Help\r\n"},
    {kMsgHelpIncrementalSearch, 0, L"(103)", L"Incremental Search Help",
     L"Enter   \t\t = return focus to Current selection\r\n"
     L"Up/Down \t = Navigate to next/previous search match\r\n"
     L"Tab     \t\t = Switch between Search and Replace \r\n"
     L"Escape  \t = return focus to Original position\r\n"
     L"Caps Lock \t = Toggle incremental search on/off"},
    {kMsgHelpReplace, 0, L"(104)", L"Replace Help",
     L"Enter   \t\t = Replace selection and move to next\r\n\r\n"
     L"Up/Down \t = Navigate to next/previous search hit\r\n"
     L"Tab     \t\t = Switch between Search and replace \r\n"
     L"Escape  \t = return to original position"},
    {kMsgHelpFullTextSearch, 0, L"(105)", L"Full-text Search Help",
     L"Spacebar   \t = Search\r\n"
     L"Enter   \t\t = Activate selected note\r\n\r\n"
     L"Up/Down \t = Navigate to next/previous match\r\n"
     L"Escape  \t = Exit full-text search"},
};

const CatalogueEntry* FindEntry(int32_t id)
{
    for (const CatalogueEntry& e : kMessages)
        if (e.id == id) return &e;
    return 0;
}

const HelpPage* FindHelpPage(int32_t id, int32_t page)
{
    for (const HelpPage& h : kHelpPages)
        if (h.id == id && (h.page == 0 || h.page == page)) return &h;
    return 0;
}

// Inserts are names and paths typed by users: the message text is mark-up,
// so they go in escaped (cut first, so that the cut counts visible characters).
void AppendEscaped(AIString* out, const WCHAR* text, int limit)
{
    AIString piece;
    piece.AssignTextN(text, limit);
    TextMarkup::Escape(piece.GetText(), *out);
}

void AppendInsertCut(AIString* out, const AIString* insert, int limit)
{
    if (insert) AppendEscaped(out, insert->GetText(), limit);
}

// The second insert on two lines of at most 35 characters; the rest is dropped.
void AppendInsertTwoLines(AIString* out, const AIString* insert)
{
    if (!insert) return;
    AppendEscaped(out, insert->GetText(), 35);
    if (insert->GetLength() > 35) {
        out->AppendText(L"\r\n");
        AppendEscaped(out, insert->GetText() + 35, 35);
    }
}

// Paragraphs before the end of text: one per CR LF.
int32_t ParagraphsBefore(const AIString& text)
{
    int32_t count = 0;
    const WCHAR* t = text.GetText();
    for (int i = 0; i + 1 < text.GetLength(); i++)
        if (t[i] == L'\r' && t[i + 1] == L'\n') count++;
    return count;
}

// Composes the text of a pattern; *pathParagraph is the paragraph of the
// whole path of a kept copy, -1 when there is none.
void ComposeText(const WCHAR* pattern, const MessageCatalogueInput& input, AIString* out, int32_t* pathParagraph)
{
    out->Clear();
    *pathParagraph = -1;
    for (const WCHAR* p = pattern; *p; p++) {
        switch (*p) {
        case 1: AppendInsertCut(out, input.inserts[0], 25); break;
        case 2: AppendInsertCut(out, input.inserts[1], 25); break;
        case 3: AppendInsertCut(out, input.inserts[2], 25); break;
        case 4: AppendInsertTwoLines(out, input.inserts[1]); break;
        case 5:
            if (input.inserts[1] && !input.inserts[1]->IsEmpty()) {
                out->AppendText(L"\r\nThe whole note was kept in:\r\n");
                *pathParagraph = ParagraphsBefore(*out);
                AppendEscaped(out, input.inserts[1]->GetText(), kMaxPathChars);
            }
            break;
        default: out->AppendChar(*p); break;
        }
    }
}

}  // namespace

namespace MessageCatalogue {

int FlagSlotOf(int32_t id)
{
    const CatalogueEntry* e = FindEntry(id);
    return (e && e->flag >= 0 && e->flag < kDontShowFlagCount) ? e->flag : -1;
}

const WCHAR* PrintedNumberOf(int32_t id)
{
    if (const CatalogueEntry* e = FindEntry(id)) return e->number;
    if (const HelpPage* h = FindHelpPage(id, 1)) return h->number;
    return 0;
}

const WCHAR* CaptionOf(int32_t id)
{
    if (const CatalogueEntry* e = FindEntry(id)) return e->caption;
    if (const HelpPage* h = FindHelpPage(id, 1)) return h->caption;
    return 0;
}

int32_t KindCodeOf(int32_t id)
{
    if (const CatalogueEntry* e = FindEntry(id)) return e->kindCode;
    return FindHelpPage(id, 1) ? kKindHelp : 0;
}

void Compose(const MessageCatalogueInput& input, MessageCatalogueState* state, MessageBoxTexts* out)
{
    out->kind.AssignText(L"Status: ");
    out->caption.AssignText(L"Ready");
    out->text.AssignText(L"No message");
    out->routedToStatus = 0;
    out->pathParagraph = -1;
    int32_t id = input.id;

    if (const CatalogueEntry* e = FindEntry(id)) {
        int32_t flag = 0;
        if (input.dontShowFlags && e->flag >= 0 && e->flag < kDontShowFlagCount)
            flag = input.dontShowFlags[e->flag];
        out->caption.AssignText(e->caption);
        out->checkValue = flag;
        out->kind.AssignText(e->kind);
        out->kindCode = e->kindCode;
        out->helpFlag = 0;
        if (flag == 1 && input.passiveMode) {
            out->statusLine.Copy(out->kind).AppendText(L" - ").AppendString(out->caption);
            out->showFlag = 0;
            out->routedToStatus = 1;
        }
        ComposeText(e->text, input, &out->text, &out->pathParagraph);
        out->number.AssignText(e->number);
    }

    if (id != 54) {
        if (id != state->lastId) state->pageCounter = 0;
        state->pageCounter++;
        if (state->pageCounter > 9) state->pageCounter = 0;
        state->lastId = id;
    }

    if (id >= 55 && id <= 60) {
        int32_t page = 1;
        if ((id == 56 || id == 57) && state->pageCounter > 1) {
            page = 2;
            state->pageCounter = 0;
        }
        const HelpPage* h = FindHelpPage(id, page);
        out->checkValue = 0;
        out->kind.AssignText(L"Help");
        out->kindCode = kKindHelp;
        out->caption.AssignText(h->caption);
        out->text.AssignText(h->text);
        out->pathParagraph = -1;
        out->number.AssignText(h->number);
        out->displayTime = kHelpDisplayTicks;
        out->helpFlag = 1;
    }
}

}  // namespace MessageCatalogue
