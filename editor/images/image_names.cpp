// Names of image files made from addresses, stamps and note titles.
#include "editor/images/image_names.h"

namespace {

// Every mode loses these: separators of the data file and link tables,
// brackets, quotes and the characters no file name may hold.
const WCHAR kAlwaysDropped[] = {0x00BD, 0x00A4, L'{', L'}', L'[', L']', 0x00A3, L'*', L'.', L'<', L'>', L'|',
                                0x20AC, 0x00B1, L'"', L'\\', L'\r', L'\n', L'\t', 0x2026, 0x00B4, L'`',
                                0x2019, 0x2018, 0};
// A file name also loses the address punctuation.
const WCHAR kFileOnlyDropped[] = {L'#', L'!', L'@', L'$', L'-', L'?', L'=', L'/', L';', L':', L'+', L'%',
                                  L'&', L'\'', L'(', L')', L',', 0};

const WCHAR* const kDeviceNames[] = {L"con", L"nul", L"aux", L"prn", L"clock$", L"conin$", L"conout$"};

int IsDeviceWithNumber(const WCHAR* name, const WCHAR* prefix)
{
    return CompareTextNoCase(name, prefix) == 0;
}

}  // namespace

int IsDeviceName(const WCHAR* name)
{
    if (!name) return 0;
    AIString stem(name);
    stem.SplitAtChar(L'.', 0, 0);
    stem.Trim();
    for (const WCHAR* device : kDeviceNames)
        if (stem.EqualsTextNoCase(device)) return 1;
    if (stem.GetLength() == 4 && stem.CharAt(3) >= L'1' && stem.CharAt(3) <= L'9') {
        AIString head;
        head.AssignTextN(stem.GetText(), 3);
        if (IsDeviceWithNumber(head.GetText(), L"com") || IsDeviceWithNumber(head.GetText(), L"lpt")) return 1;
    }
    return 0;
}

int MakeNameFromUrl(const WCHAR* source, AIString& name, UrlNameMode mode)
{
    name.AssignText(source ? source : L"");
    if (name.StartsWithNoCase(L"https")) name.DeleteRange(0, 5);
    else if (name.StartsWithNoCase(L"http")) name.DeleteRange(0, 4);
    name.RemoveChars(kAlwaysDropped);
    if (mode != kUrlNameForTitle) name.RemoveChars(kFileOnlyDropped);
    name.Trim();
    if (name.GetLength() > kUrlNameMaxChars) {
        name.KeepRange(0, kUrlNameMaxChars);
        name.Trim();
    }
    if (IsDeviceName(name.GetText())) name.AppendChar(L'_');
    return 1;
}

void MakeImageStamp(const SYSTEMTIME& time, AIString& stamp)
{
    const int two[] = {time.wMonth, time.wDay, time.wHour, time.wMinute};
    stamp.Clear();
    stamp.AppendInt(time.wYear);
    stamp.AppendChar(L'_');
    for (int part : two) {
        stamp.AppendChar((WCHAR)(L'0' + part / 10 % 10));
        stamp.AppendChar((WCHAR)(L'0' + part % 10));
    }
}

void MakeImageFileBase(const WCHAR* imagesFolder, const WCHAR* name, const WCHAR* stamp, AIString& base)
{
    AIString folder(imagesFolder ? imagesFolder : L"");
    AIString cleanName(name ? name : L"");
    AIString cleanStamp(stamp ? stamp : L"");
    int folderChars = folder.GetLength() + 1;
    int stampChars = cleanStamp.IsEmpty() ? 0 : cleanStamp.GetLength() + 1;
    if (folderChars + stampChars + cleanName.GetLength() > kImagePathMaxChars) {
        int room = kImagePathMaxChars - folderChars - stampChars;
        // A name cut to no more than its stamp's length says nothing: "img" then.
        if (room > 0 && room > cleanStamp.GetLength()) {
            cleanName.KeepRange(0, room);
            cleanName.Trim();
        }
        else {
            cleanName.Clear();
        }
    }
    if (cleanName.IsEmpty() || IsDeviceName(cleanName.GetText())) cleanName.AssignText(L"img");
    base.Copy(folder);
    base.AppendChar(L'\\');
    base.AppendString(cleanName);
    if (!cleanStamp.IsEmpty()) {
        base.AppendChar(L'_');
        base.AppendString(cleanStamp);
    }
}

int PickWebImageName(const WCHAR* baseName, const WCHAR* address, const WebImageNames& names, AIString& picked)
{
    AIString recorded;
    for (int suffix = 1; suffix <= kWebImageMaxSuffix; suffix++) {
        picked.AssignText(baseName ? baseName : L"");
        if (suffix > 1) {
            picked.AppendChar(L'_');
            picked.AppendInt(suffix);
        }
        recorded.Clear();
        if (!names.existing || !names.existing(names.context, picked.GetText(), recorded)) return 1;
        if (address && recorded.EqualsTextNoCase(address)) return 1;
    }
    picked.Clear();
    return 0;
}

void NoteTitleOfImageFile(const WCHAR* path, AIString& title)
{
    title.AssignText(path ? path : L"");
    title.SplitAtChar(L':', 1, 1);
    title.SplitAtChar(L'\\', 1, 1);
    if (title.GetLength() > kImageStampSuffixChars && HasImageStampSuffix(title.GetText()))
        title.KeepRange(0, title.GetLength() - kImageStampSuffixChars);
    else title.Clear();
}

int HasImageStampSuffix(const WCHAR* fileName)
{
    // "_" YYYY "_" MMDDhhmm ".png" or ".jpg": '#' stands for a digit.
    static const WCHAR kPattern[] = L"_####_########.";
    static const WCHAR* const kStampedTypes[] = {L"png", L"jpg"};
    int length = fileName ? lstrlenW(fileName) : 0;
    if (length < kImageStampSuffixChars) return 0;
    const WCHAR* suffix = fileName + length - kImageStampSuffixChars;
    for (int i = 0; kPattern[i]; i++) {
        WCHAR c = suffix[i];
        if (kPattern[i] == L'#' ? (c < L'0' || c > L'9') : c != kPattern[i]) return 0;
    }
    const WCHAR* type = suffix + lstrlenW(kPattern);
    for (const WCHAR* stamped : kStampedTypes)
        if (!lstrcmpiW(type, stamped)) return 1;
    return 0;
}

void MakeImageNameFromTitle(const WCHAR* title, AIString& name)
{
    static const WCHAR kNotInFileNames[] = L"/:*?<>|";
    name.AssignText(title ? title : L"");
    name.RemoveChars(kAlwaysDropped);
    name.RemoveChars(kNotInFileNames);
    name.Trim();
    if (IsDeviceName(name.GetText())) name.AppendChar(L'_');
}
