// The paste-and-edit image screen's pure rules.
#include "dialogs/screens/image_paste_rules.h"
#include "imaging/ai_image.h"

namespace {

int Abs(int v) { return v < 0 ? -v : v; }

// The characters a link name may not hold, in the order they are tested.
const WCHAR kRefusedNameChars[] = {0x00A4, L'{', L'}', L'[', L']', L'#', L'!', L'@', 0x00A3, L'$', 0x00A7, L'*',
                                   L'?', L'=', L'/', L'.', L';', L':', L'<', L'>', L'+', L'|', L'%', L'&', 0x20AC,
                                   0x00B1, 0x2026, 0x00BD, L'\\', L'\'', L'"', L',', 0x00B4, L'`', L'\t', L'(',
                                   L')', L'-', 0};
// What a selection as a name loses.
const WCHAR kSelectionDroppedChars[] = L"?[]=+<>;\",*|^";

int IsControlChar(WCHAR c) { return c < 0x20; }

}  // namespace

PreviewScale ComputePreviewScale(int imageWidth, int imageHeight, int areaWidth, int areaHeight)
{
    PreviewScale scale;
    int innerWidth = areaWidth - kPreviewInset, innerHeight = areaHeight - kPreviewInset;
    if (imageWidth <= 0 || imageHeight <= 0 || innerWidth <= 0 || innerHeight <= 0) return scale;
    // The scale in thousandths: picture pixels per preview pixel.
    int64_t sx = (int64_t)imageWidth * 1000 / innerWidth, sy = (int64_t)imageHeight * 1000 / innerHeight;
    int64_t s = sx > sy ? sx : sy;
    if (s < 1) s = 1;
    int64_t zoom = 1000000 / s;
    if (zoom > 1000) {
        if (zoom > kPreviewMaxZoom) zoom = kPreviewMaxZoom;
        zoom = zoom / 1000 * 1000;
    }
    if (zoom < 1) zoom = 1;
    scale.zoom = (int)zoom;
    scale.width = (int)(((int64_t)imageWidth * zoom + 500) / 1000);
    scale.height = (int)(((int64_t)imageHeight * zoom + 500) / 1000);
    if (scale.width < 1) scale.width = 1;
    if (scale.height < 1) scale.height = 1;
    return scale;
}

int FinishPreviewSelection(POINT anchor, POINT pointer, const RECT& drawn, RECT& selection)
{
    if (Abs(pointer.x - anchor.x) <= kClickSlop && Abs(pointer.y - anchor.y) <= kClickSlop) {
        selection = drawn;
        InflateRect(&selection, kClickSlop, kClickSlop);
        return 0;
    }
    selection.left = anchor.x < pointer.x ? anchor.x : pointer.x;
    selection.right = anchor.x < pointer.x ? pointer.x : anchor.x;
    selection.top = anchor.y < pointer.y ? anchor.y : pointer.y;
    selection.bottom = anchor.y < pointer.y ? pointer.y : anchor.y;
    return 1;
}

int SelectionToImageRect(const RECT& selection, const RECT& drawn, int zoom, int imageWidth, int imageHeight,
                         RECT& pixels)
{
    RECT clipped;
    if (zoom <= 0 || !IntersectRect(&clipped, &selection, &drawn)) return 0;
    OffsetRect(&clipped, -drawn.left, -drawn.top);
    // Left and top edges down, right and bottom edges to the nearest pixel.
    int64_t left = (int64_t)clipped.left * 1000 / zoom, top = (int64_t)clipped.top * 1000 / zoom;
    int64_t right = ((int64_t)clipped.right * 1000 + zoom / 2) / zoom;
    int64_t bottom = ((int64_t)clipped.bottom * 1000 + zoom / 2) / zoom;
    if (right > imageWidth) right = imageWidth;
    if (bottom > imageHeight) bottom = imageHeight;
    int64_t width = right - left, height = bottom - top;
    if (width <= 0 || height <= 0) return 0;
    if (left == 0 && top == 0 && width == imageWidth && height == imageHeight) return 0;
    pixels = {(LONG)left, (LONG)top, (LONG)(left + width), (LONG)(top + height)};
    return 1;
}

void FilterSuggestedName(const WCHAR* suggested, AIString& name)
{
    name.Clear();
    for (int i = 0; suggested && suggested[i] && i < kPasteNameMaxChars; i++) {
        WCHAR c = suggested[i];
        if ((c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || c == L' ') name.AppendChar(c);
    }
}

void NameFromSelection(const WCHAR* selected, AIString& name)
{
    name.AssignText(selected ? selected : L"");
    name.RemoveChars(kSelectionDroppedChars);
    WCHAR* text = name.GetBuffer(name.GetLength());
    for (int i = 0; i < name.GetLength(); i++)
        if (IsControlChar(text[i])) text[i] = L' ';
    name.Trim();
    if (name.GetLength() > kPasteNameMaxChars) {
        int keep = kPasteNameMaxChars;
        WCHAR last = name.CharAt(keep - 1);
        if (last >= 0xD800 && last <= 0xDBFF) keep--;  // never half a pair
        name.KeepRange(0, keep);
        name.Trim();
    }
}

int FindRefusedNameChar(const WCHAR* name)
{
    if (!name) return -1;
    for (int i = 0; name[i]; i++)
        if (IsControlChar(name[i]) && name[i] != L'\t') return i;
    for (const WCHAR* refused = kRefusedNameChars; *refused; refused++)
        for (int i = 0; name[i]; i++)
            if (name[i] == *refused) return i;
    return -1;
}

int EditedImageType(const WCHAR* path)
{
    AIString text(path ? path : L"");
    if (text.EndsWithNoCase(L".png")) return kImagePng;
    if (text.EndsWithNoCase(L".jpg") || text.EndsWithNoCase(L".jpeg")) return kImageJpg;
    return 0;
}

const WCHAR* PasteStatusText(int status)
{
    switch (status) {
    case kPasteStatusNoName: return L"Please enter a Name to create a link";
    case kPasteStatusNameTaken: return L"Name already exists for a link in this note";
    case kPasteStatusRefusedChar: return L"Special characters not allowed in name";
    case kPasteStatusNoBitmap: return L"No bitmap available - out of memory ?";
    case kPasteStatusSaveFailed: return L"The image could not be saved - the file is unchanged";
    case kPasteStatusWrongType: return L"Only .png and .jpg images can be saved - the file is unchanged";
    case kPasteStatusNoteTitle: return L"Note name match - link will show image and open note";
    default: return L"";
    }
}

void FormatPasteImageInfo(int width, int height, uint32_t bytes, int zoom, AIString& text)
{
    text.AssignText(L"Width: ").AppendInt(width).AppendText(L"  Height: ").AppendInt(height).AppendText(L" (");
    // One decimal, rounded: kilobytes below a million bytes, megabytes from there.
    uint32_t unit = bytes >= 1000000 ? 1024u * 1024u : 1024u;
    uint64_t tenths = ((uint64_t)bytes * 10 + unit / 2) / unit;
    text.AppendLong((int64_t)(tenths / 10)).AppendChar(L'.').AppendInt((int)(tenths % 10));
    text.AppendText(bytes >= 1000000 ? L" mb)" : L" kb)");
    text.AppendText(L"  Zoom: ").AppendInt(zoom / 10).AppendText(L" %");
}

int PasteWarningBlock(const PasteWarningFacts& facts, AIString lines[kPasteWarningLines])
{
    for (int i = 0; i < kPasteWarningLines; i++) lines[i].Clear();
    int web = facts.webLink && facts.webLink[0];
    if (web && facts.snapshotExists) {
        lines[0].AssignText(L"Warning:");
        lines[1].AssignText(L"Web Snapshot already exists.");
        lines[2].AssignText(L"Pressing OK will replace old image");
        return 3;
    }
    if (web) {
        lines[0].AssignText(facts.webLink);
        if (lines[0].GetLength() > kWarningLinkMaxChars) lines[0].KeepRange(0, kWarningLinkMaxChars).AppendText(L"...");
        return 1;
    }
    if (facts.portable && facts.dibBytes > kPortableLargeDibBytes) {
        lines[0].AssignText(L"Warning:");
        lines[1].AssignText(L"Image is very large ");
        lines[2].AssignText(L"- saving may be slow on portable device");
        return 3;
    }
    return 0;
}
