#include "dialogs/path_shortening.h"

namespace {

const WCHAR kEllipsis[] = L"...";

// Length of the root kept at the start: "C:\" or "\\server\share\"; 0 for none.
int RootLength(const WCHAR* path, int length)
{
    if (length >= 3 && path[1] == L':' && path[2] == L'\\') return 3;
    if (length >= 2 && path[0] == L'\\' && path[1] == L'\\') {
        int separators = 0;
        for (int i = 2; i < length; i++)
            if (path[i] == L'\\' && ++separators == 2) return i + 1;
    }
    return 0;
}

// head + "..." + tail into out; 1 when it fits.
int TryJoin(const WCHAR* path, int headLength, const WCHAR* tail, int maxWidth, const TextWidthMeasure& measure,
            AIString& out)
{
    out.AssignTextN(path, headLength);
    out.AppendText(kEllipsis).AppendText(tail);
    return measure.width(out.GetText(), out.GetLength(), measure.context) <= maxWidth;
}

}  // namespace

void ShortenPathInMiddle(const WCHAR* path, int maxWidth, const TextWidthMeasure& measure, AIString& out)
{
    if (!path) path = L"";
    int length = TextLength(path);
    if (measure.width(path, length, measure.context) <= maxWidth) {
        out.AssignText(path);
        return;
    }
    int root = RootLength(path, length);
    // With the root, then without it; the longest end that starts at a separator.
    const int heads[2] = {root, 0};
    for (int h = 0; h < (root ? 2 : 1); h++) {
        for (int at = root; at < length; at++)
            if (path[at] == L'\\' && at + 1 < length && TryJoin(path, heads[h], path + at, maxWidth, measure, out))
                return;
    }
    // Not even the file name fits: as much of its end as does.
    for (int at = 1; at < length; at++)
        if (TryJoin(path, 0, path + at, maxWidth, measure, out)) return;
    out.AssignText(kEllipsis);
}
