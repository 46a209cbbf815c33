// The sync and share folder settings: stored form, refusal, page texts.
#include "dialogs/screens/sync_folder_rules.h"
#include "notestore/note_io.h"

void FinishFolderSetting(AIString& folder)
{
    folder.Trim(1, 1);
    if (!folder.IsEmpty() && folder.CharAt(folder.GetLength() - 1) != L'\\') folder.AppendChar(L'\\');
}

int MentionsCloudFolder(const WCHAR* folder)
{
    AIString text(folder ? folder : L"");
    return text.FindText(L"dropbox") >= 0 ? 1 : 0;
}

FolderRefusal CheckChosenFolder(const WCHAR* folder)
{
    if (!folder || !folder[0]) return kFolderUsable;
    if (!EnsureFolder(folder)) return kFolderCannotBeCreated;
    if (!CanCreateFilesIn(folder)) return kFolderNotWritable;
    return kFolderUsable;
}

const WCHAR* FolderRefusalReason(FolderRefusal refusal)
{
    switch (refusal) {
    case kFolderCannotBeCreated: return L"cannot be created";
    case kFolderNotWritable: return L"cannot be written to";
    default: return L"";
    }
}

const WCHAR* SyncPageName(int page)
{
    switch (page) {
    case kSyncPageAbout: return L"About";
    case kSyncPageInformation: return L"Information";
    case kSyncPageSync: return L"Sync";
    case kSyncPageShare: return L"Share";
    default: return L"";
    }
}

void SyncPageText(int page, AIString& text)
{
    text.Clear();
    switch (page) {
    case kSyncPageAbout:
        text.AppendText(L"<h2>About sync/sharing</h2><sbr>");
        text.AppendText(L"<sbr><h3>Sync using file synchronization</h3>");
        text.AppendText(L"<sbr><sbr>Use an external sync service to quickly sync your notes to a different computer or a mobile device.");
        text.AppendText(L"<sbr><sbr>Your notes will be stored in a simple text format so you can <b>view and edit</b> them anywhere (Windows, Mac, Linux, iPhone/iPad, Android etc)");
        text.AppendText(L"<br><br><h3>Share with others on the network</h3>");
        text.AppendText(L"<sbr><sbr>Specify a network folder to share notes with your colleagues. ");
        text.AppendText(L"<sbr><sbr>Sharing will check if the notes are being edited by others and will also share the images inside the shared notes.");
        text.AppendText(L"<br><br><b>2 steps</b>");
        text.AppendText(L"<br>1. Specify the sync/share folder(s)");
        text.AppendText(L"<br>2. Give each note you want to share the tag <b>@shared</b>");
        break;
    case kSyncPageInformation:
        text.AppendText(L"<h2>Information</h2><sbr>");
        text.AppendText(L"<sbr>A shared note is one that carries the tag <b>@shared</b>: it goes to the share folder with its images.");
        text.AppendText(L"<br><br>When you start changing a shared note, it is marked as being edited by you; the mark goes when your changes are undone, another note is shown or the data file is closed, and after 30 minutes without your program.");
        text.AppendText(L"<br><br>A note that someone else is editing opens read-only, and Tavik tells you who edits it.");
        text.AppendText(L"<br><br>If two people change a note at once, both texts are kept: the other one as a separate note.");
        break;
    case kSyncPageSync:
        text.AppendText(L"<sbr><h3>Sync using file synchronization</h3><br>");
        text.AppendText(L"<br>Use an external sync service to quickly and safely sync your notes to a different computer or a mobile device.");
        text.AppendText(L"<br>(Dropbox, SugarSync, OneDrive and the like)");
        text.AppendText(L"<br><br>Your notes will be stored in a simple text format so you can <b>view and edit</b> them anywhere (Windows, Mac, Linux, iPhone/iPad, Android etc).");
        text.AppendText(L"<br><br>Orvanta Tavik will only sync the text for maximum speed (no images will be synced).");
        break;
    case kSyncPageShare:
        text.AppendText(L"<sbr><h3>Share using file synchronization</h3><br>");
        text.AppendText(L"<br>Specify a network folder to share notes with your colleagues. ");
        text.AppendText(L"<br><br>Tavik will check if the shared notes are being edited by others and will also sync the images inside the shared notes.");
        text.AppendText(L"<br><br>Sharing is more powerful than syncing as it will check for updates and conflicts continuously.");
        text.AppendText(L"<br><br>Choose a network folder and start sharing notes with others. A note they share is taken into your data file by itself at the next pass (every five minutes, at start and before a save).");
        break;
    default: break;
    }
}

const WCHAR* SyncPagePrompt(int page)
{
    if (page == kSyncPageSync) return L"<sbr><sbr><i>Select (or paste) the folder you want to sync with</i>";
    if (page == kSyncPageShare) return L"<sbr><sbr><i>Select (or paste) the network folder you want to use </i>";
    return L"";
}
