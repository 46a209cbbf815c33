// The note editor's font, size and zoom by name (see editor_fonts.h).
#include "shell/editor_fonts.h"
#include "shell/main_panel.h"
#include "shell/note_commands.h"
#include "shell/note_markup_view.h"
#include "editor/format/zoom_status.h"
#include "editor/keys/key_map.h"
#include "foundation/trace.h"
#include "foundation/trace_modules.h"
#include <richedit.h>

void ChangeRtfFont(LPARAM argument)
{
    TRACE_SCOPE(kTraceEditorFonts, 1);
    const WCHAR* face = (const WCHAR*)argument;
    if (!face || !face[0]) return;
    SetNoteBodyFont(face, 0);
    HWND editor = g_mainPanel.editor.GetHwnd();
    if (!editor) return;
    // The note shown takes the face at once; its sizes and marks stay, and
    // the change is no edit.
    int modified = (int)SendMessageW(editor, EM_GETMODIFY, 0, 0);
    CHARFORMAT2W format = {};
    format.cbSize = sizeof(format);
    format.dwMask = CFM_FACE;
    lstrcpynW(format.szFaceName, face, LF_FACESIZE);
    SendMessageW(editor, EM_SETCHARFORMAT, SCF_DEFAULT, (LPARAM)&format);
    SendMessageW(editor, EM_SETCHARFORMAT, SCF_ALL, (LPARAM)&format);
    SendMessageW(editor, EM_SETMODIFY, modified ? TRUE : FALSE, 0);
}

void ChangeRtfFontSize(LPARAM argument)
{
    TRACE_SCOPE(kTraceEditorFonts, 2);
    if (argument <= 0) return;
    int32_t note = g_mainPanel.currentNote;
    int before = NoteBodyPoints();
    int wanted = argument > 0x7FFF ? 0x7FFF : (int)argument;
    // The note is stored first: shown again, its body takes the new size.
    if (note >= 0 && !SaveCurrentNote(kSaveAskOnFailure)) return;
    if (SetNoteBodyFont(nullptr, wanted) == before) return;
    if (note >= 0) ReadAndShowNote(note, kShowFromHistory);
}

void ChangeRtfFontZoom(LPARAM argument)
{
    TRACE_SCOPE(kTraceEditorFonts, 3);
    HWND editor = g_mainPanel.editor.GetHwnd();
    if (!editor) return;
    int32_t percent = argument <= 0 ? kZoomNormal : (argument > kZoomMax ? kZoomMax : (int32_t)argument);
    if (percent < kZoomMin) percent = kZoomMin;
    SendMessageW(editor, EM_SETZOOM, percent, kZoomNormal);
    ShowEditorZoomStatus(percent);
}
