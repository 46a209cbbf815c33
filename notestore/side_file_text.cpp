// Side files' bytes as text, and a mirror's text as its note's record.
#include "notestore/side_file_text.h"
#include "notestore/datafile_format.h"

int32_t DecodeNoteTextBytes(const uint8_t* bytes, int64_t size, AIString& out)
{
    out.Clear();
    if (size >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        int chars = (int)((size - 2) / 2);
        WCHAR* text = out.GetBuffer(chars);
        if (!text) return 0;
        CopyMemory(text, bytes + 2, (SIZE_T)chars * sizeof(WCHAR));
        out.SetLength(chars);
        return 1;
    }
    int skip = (size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) ? 3 : 0;
    out.FromUtf8((const char*)bytes + skip, (int)(size - skip));
    // Every byte gives a character: an empty result from bytes means the
    // text could not be held.
    return size > skip && out.IsEmpty() ? 0 : 1;
}

void MirrorRecordFromText(const WCHAR* title, const WCHAR* text, int32_t length, AIString& record)
{
    int32_t bodyStart = (length > 0 && text[0] == kNoteMark) ? FindBodyStart(text, length) : 0;
    AIString stored;
    StoredNoteText(text + bodyStart, length - bodyStart, stored);
    record.Clear();
    record.AppendChar(kNoteMark).AppendText(title).AppendText(L"\r\n").AppendString(stored);
}
