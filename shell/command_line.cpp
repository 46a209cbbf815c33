#include "shell/command_line.h"
#include "foundation/app.h"

// The next argument from p, quoted or not; p moves past it. 0 at the end.
static int NextArgument(const WCHAR*& p, AIString& word, int& quoted)
{
    while (*p == L' ' || *p == L'\t') p++;
    if (!*p) return 0;
    const WCHAR* start;
    const WCHAR* end;
    quoted = *p == L'"';
    if (quoted) {
        start = ++p;
        while (*p && *p != L'"') p++;
        end = p;
        if (*p) p++;
    } else {
        start = p;
        while (*p && *p != L' ' && *p != L'\t') p++;
        end = p;
    }
    word.AssignTextN(start, (int)(end - start));
    return 1;
}

static int NamesDatafile(const AIString& word) { return word.GetLength() > 6 && word.EndsWithNoCase(L".tavik"); }

int FindDatafileArgument(const WCHAR* arguments, AIString& path)
{
    path.Clear();
    const WCHAR* p = arguments ? arguments : L"";
    AIString word;
    int quoted = 0;
    while (NextArgument(p, word, quoted)) {
        if (NamesDatafile(word)) {
            path.Copy(word);
            return 1;
        }
    }
    return 0;
}

int FindOtherPathArgument(const WCHAR* arguments, AIString& path)
{
    path.Clear();
    const WCHAR* p = arguments ? arguments : L"";
    AIString word;
    int quoted = 0;
    while (NextArgument(p, word, quoted)) {
        if (word.IsEmpty() || NamesDatafile(word)) continue;
        if (!quoted) {
            WCHAR language[3] = {};
            if (ParseStartupWords(word.GetText(), nullptr, language) || language[0]) continue;
        }
        path.Copy(word);
        return 1;
    }
    return 0;
}

void MakeAlreadyRunningText(const WCHAR* programName, AIString& out)
{
    out.AssignText(L"Warning - ");
    out.AppendText(programName && programName[0] ? programName : L"Tavik");
    out.AppendText(L" is already running, but could not be found.");
}
