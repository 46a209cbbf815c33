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

void MakeAlreadyRunningText(const WCHAR* programName, AIString& out)
{
    out.AssignText(L"Warning - ");
    out.AppendText(programName && programName[0] ? programName : L"Tavik");
    out.AppendText(L" is already running, but could not be found.");
}
