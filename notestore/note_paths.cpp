// Folders of the open data file, side-file names, relative paths and the
// recent-files list.
#include "notestore/note_store_internal.h"
#include "notestore/note_io.h"
#include "foundation/settings_record.h"
#include "notestore/datafile_format.h"

void SetStoreFolders(const WCHAR* datafilePath)
{
    NoteStore& s = g_noteStore;
    AIString path(datafilePath);
    int slash = path.FindChar(L'\\', true);
    s.dataFolder.AssignTextN(path.GetText(), slash + 1);
    AIString name;
    name.AssignText(path.GetText() + slash + 1);
    int dot = name.FindChar(L'.', true);
    if (dot > 0) name.SetLength(dot);
    s.notesFolder.Copy(s.dataFolder).AppendString(name).AppendText(L"_notes\\");
}

const WCHAR* GetDataFolder() { return g_noteStore.dataFolder.GetText(); }
const WCHAR* GetNotesFolder() { return g_noteStore.notesFolder.GetText(); }

void MirrorPathOf(const WCHAR* title, AIString& out)
{
    AIString base;
    MakeSideFileBase(title, base);
    out.Copy(g_noteStore.notesFolder).AppendString(base).AppendText(L".tavik.rtm");
}

// notes folder + subfolder + side-file base + "_" + time stamp + extension.
// Copies are named by the second, so a name already taken gets "_2", "_3", ...:
// a second copy in the same second must not overwrite the first.
static void StampedCopyPathOf(const WCHAR* subfolder, const WCHAR* title, const WCHAR* extension, AIString& out)
{
    AIString base;
    MakeSideFileBase(title, base);
    out.Copy(g_noteStore.notesFolder).AppendText(subfolder).AppendString(base).AppendChar(L'_');
    AppendTimeStamp(out);
    int32_t stem = out.GetLength();
    out.AppendText(extension);
    for (int32_t n = 2; GetFileAttributesW(out.GetText()) != INVALID_FILE_ATTRIBUTES && n < 10000; n++) {
        out.SetLength(stem);
        out.AppendChar(L'_').AppendInt(n).AppendText(extension);
    }
}

void DeletedCopyPathOf(const WCHAR* title, AIString& out) { StampedCopyPathOf(L"deleted\\", title, L".tavik.rtm", out); }

void LongCopyPathOf(const WCHAR* title, AIString& out) { StampedCopyPathOf(L"long\\", title, L".txt", out); }

int32_t ResolveRelativePath(const WCHAR* path, AIString& out)
{
    AIString in(path);
    if (!IsRelativePathText(in.GetText()) || g_noteStore.dataFolder.IsEmpty()) {
        out.Copy(in);
        return 0;
    }
    const WCHAR* rest = in.GetText() + 4;
    if (*rest == L'\\') rest++;
    out.Copy(g_noteStore.dataFolder).AppendText(rest);
    return 1;
}

int32_t MakeRelativePath(const WCHAR* path, AIString& out)
{
    return MakeRelativeToFolder(path, g_noteStore.dataFolder.GetText(), out);
}

void AddRecentDatafile(SettingsRecord& settings, const WCHAR* path)
{
    if (!path || !*path) return;
    AIString kept[kRecentDatafiles];
    int count = 0;
    AIString slot;
    for (int i = 0; i < kSettingsRecentFiles && count < kRecentDatafiles - 1; i++) {
        SettingsGetRecentFile(settings, i, slot);
        if (slot.IsEmpty() || slot.EqualsTextNoCase(path)) continue;
        kept[count++].Copy(slot);
    }
    SettingsSetRecentFile(settings, 0, path);
    for (int i = 1; i < kSettingsRecentFiles; i++)
        SettingsSetRecentFile(settings, i, i - 1 < count ? kept[i - 1].GetText() : 0);
}
