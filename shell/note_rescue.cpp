// A note that cannot be stored at exit goes to a rescue copy in the
// temporary folder, and the user is told where.
#include "shell/note_rescue.h"
#include "shell/main_panel.h"
#include "shell/note_commands.h"
#include "shell/shell_ids.h"
#include "notestore/datafile_format.h"
#include "notestore/note_io.h"
#include "ui/editor_selection.h"
#include "foundation/ai_file.h"
#include "foundation/errors.h"
#include "foundation/misc_services.h"
#include "foundation/trace.h"
#include <richedit.h>

void MakeRescueCopyPath(const WCHAR* title, AIString& out)
{
    AIString base, name;
    MakeSideFileBase(title, base);
    name.AssignText(L"Tavik rescued note - ").AppendString(base).AppendText(L" - ");
    AppendTimeStamp(name);
    name.AppendText(L".txt");
    GetTempFilePath(name.GetText(), out);
    // The portable temporary folder comes without the name.
    if (!out.EndsWithNoCase(name.GetText())) {
        if (out.GetLength() && out.CharAt(out.GetLength() - 1) != L'\\') out.AppendChar(L'\\');
        out.AppendString(name);
    }
}

int KeepCurrentNoteForExit()
{
    TRACE_SCOPE(kTraceShutdown, 2);
    if (SaveCurrentNote(kSaveAskOnFailure)) return 1;
    HWND editor = g_mainPanel.editor.GetHwnd();
    if (!editor || !SendMessageW(editor, EM_GETMODIFY, 0, 0)) return 1;
    AIString text, path, message;
    ReadEditorText(editor, text, 1);
    MakeRescueCopyPath(g_mainPanel.lastShownTitle.GetText(), path);
    if (AIFile::WriteUtf16File(path.GetText(), text.GetText(), text.GetLength())) {
        message.AssignText(L"The note could not be stored in the data file.\r\nIts text was written to:\r\n");
        message.AppendString(path);
        ReportNotice(L"Note kept in a rescue copy", message.GetText());
        return 1;
    }
    message.AssignText(L"The note could not be stored, and no rescue copy could be written to:\r\n");
    message.AppendString(path);
    ReportNotice(L"Note not stored", message.GetText());
    return 0;
}
