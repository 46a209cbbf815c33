// libFuzzer target for the thumbnail cache's own files and names. The input
// is read as the text of a ".size" record: an accepted record holds two
// positive sizes and reads back the same once written again; two sizes from
// the input written as a record read back as themselves, and a size that is
// not positive is never accepted. Read as an image's path, the input names
// cache files that carry the file name, a tag of eight hex digits that
// ignores the folder's letter case, and the kind's ending inside the
// temporary folder.
#include "fuzz/fuzz_text_input.h"
#include "dialogs/images/image_list_rules.h"
#include "notestore/datafile_format.h"

namespace {

bool IsHex(WCHAR c) { return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f'); }

void CheckSizeRecord(const AIString& text, const uint8_t* data, size_t size)
{
    int width = -1, height = -1;
    if (ParseImageSizeRecord(text.GetText(), width, height)) {
        FUZZ_CHECK(width > 0 && height > 0);
        AIString again;
        FormatImageSizeRecord(width, height, again);
        int w2 = 0, h2 = 0;
        FUZZ_CHECK(ParseImageSizeRecord(again.GetText(), w2, h2) && w2 == width && h2 == height);
        FUZZ_CHECK(again.GetLength() <= text.GetLength());
    }
    if (size < 8) return;
    int32_t w = (int32_t)(data[0] | (data[1] << 8) | (data[2] << 16) | ((uint32_t)data[3] << 24));
    int32_t h = (int32_t)(data[4] | (data[5] << 8) | (data[6] << 16) | ((uint32_t)data[7] << 24));
    AIString record;
    FormatImageSizeRecord(w, h, record);
    int rw = 0, rh = 0;
    int read = ParseImageSizeRecord(record.GetText(), rw, rh);
    FUZZ_CHECK(read == (w > 0 && h > 0));
    if (read) FUZZ_CHECK(rw == w && rh == h);
}

void CheckCacheNames(const AIString& path)
{
    AIString fileName, name;
    ImageFileNameOf(path.GetText(), fileName);
    MakeThumbCacheName(path.GetText(), name);
    FUZZ_CHECK(name.GetLength() == fileName.GetLength() + 9);
    FUZZ_CHECK(name.StartsWith(fileName.GetText()));
    const WCHAR* tag = name.GetText() + fileName.GetLength();
    FUZZ_CHECK(tag[0] == L'~');
    for (int i = 1; i <= 8; i++) FUZZ_CHECK(IsHex(tag[i]));
    // The same folder written in capitals.
    AIString other;
    int folderLength = path.GetLength() - fileName.GetLength();
    for (int i = 0; i < folderLength; i++) {
        WCHAR c = path.GetText()[i];
        other.AppendChar(c >= L'a' && c <= L'z' ? (WCHAR)(c - 32) : c);
    }
    other.AppendString(fileName);
    AIString otherName;
    MakeThumbCacheName(other.GetText(), otherName);
    FUZZ_CHECK(otherName.EqualsString(name));

    const WCHAR* temp = L"C:\\Temp\\tavik\\";
    AIString thumb, icon, sizeFile;
    MakeThumbPath(temp, name.GetText(), kThumbScreen, thumb);
    MakeThumbPath(L"C:\\Temp\\tavik", name.GetText(), kThumbIcon, icon);
    MakeThumbPath(temp, name.GetText(), kThumbSize, sizeFile);
    FUZZ_CHECK(thumb.StartsWith(L"C:\\Temp\\tavik\\thumb\\") && thumb.EndsWithNoCase(L".thumb"));
    FUZZ_CHECK(icon.StartsWith(L"C:\\Temp\\tavik\\icon\\") && icon.EndsWithNoCase(L".icon"));
    FUZZ_CHECK(sizeFile.StartsWith(L"C:\\Temp\\tavik\\thumb\\") && sizeFile.EndsWithNoCase(L".size"));
    FUZZ_CHECK(thumb.FindText(name.GetText()) >= 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    AIString text;
    TextFromBytes(data, size, text);
    CheckSizeRecord(text, data, size);
    CheckCacheNames(text);
    return 0;
}
