#include "shell/command_line.h"

int FindDatafileArgument(const WCHAR* arguments, AIString& path)
{
    path.Clear();
    const WCHAR* p = arguments ? arguments : L"";
    while (*p) {
        while (*p == L' ' || *p == L'\t') p++;
        if (!*p) break;
        const WCHAR* start;
        const WCHAR* end;
        if (*p == L'"') {
            start = ++p;
            while (*p && *p != L'"') p++;
            end = p;
            if (*p) p++;
        } else {
            start = p;
            while (*p && *p != L' ' && *p != L'\t') p++;
            end = p;
        }
        AIString word;
        word.AssignTextN(start, (int)(end - start));
        if (word.GetLength() > 6 && word.EndsWithNoCase(L".tavik")) {
            path.Copy(word);
            return 1;
        }
    }
    return 0;
}

void MakeInstanceMutexName(const WCHAR* guidText, const WCHAR* programName, const WCHAR* userName, AIString& out)
{
    out.AssignText(guidText);
    out.AppendText(programName);
    out.AppendText(userName);
    // A backslash would name a kernel namespace; keep the name one plain word.
    WCHAR* text = out.GetBuffer(out.GetLength());
    for (int i = 0; i < out.GetLength(); i++)
        if (text[i] == L'\\') text[i] = L'_';
}

void MakeAlreadyRunningText(const WCHAR* programName, AIString& out)
{
    out.AssignText(L"Warning - ");
    out.AppendText(programName && programName[0] ? programName : L"Tavik");
    out.AppendText(L" is already running, but could not be found.");
}
