// libFuzzer target for the data-file loader's reading of a file: the byte
// checks, the note list, the title index, and per note its body, link block,
// link lines and tags. A file is either refused with its message or every
// part the loader hands on lies inside the text and reads back.
#include "fuzz/fuzz_text_input.h"
#include "notestore/datafile_format.h"
#include "foundation/ai_string_table.h"
#include <string.h>

namespace {
// Title order as the plain definition gives it: character by character,
// folded, the shorter first when one begins the other.
int32_t PlainTitleOrder(const WCHAR* a, int32_t aLen, const WCHAR* b, int32_t bLen)
{
    for (int32_t i = 0; i < aLen && i < bLen; i++)
        if (FoldChar(a[i]) != FoldChar(b[i])) return FoldChar(a[i]) < FoldChar(b[i]) ? -1 : 1;
    return aLen == bLen ? 0 : (aLen < bLen ? -1 : 1);
}

// Titles as the plain definition reads them: the signs a title may not hold.
bool PlainValidTitle(const WCHAR* title, int32_t len)
{
    static const WCHAR kRefused[] = L"\\/:*?\"<>|.[]#=+;,^\x00BD\x00A4\x00B1";
    if (len < 1 || len > 30) return false;
    for (int32_t i = 0; i < len; i++) {
        if (title[i] <= L' ') return false;
        for (const WCHAR* r = kRefused; *r; r++)
            if (title[i] == *r) return false;
    }
    return true;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    int32_t refused = CheckDatafileBytes(data, (int64_t)size);
    if (refused) {
        FUZZ_CHECK(refused == 38 || refused == 44);
        return 0;
    }
    // As the loader reads it: the characters after FF FE, then a zero.
    int32_t chars = (int32_t)((size - 2) / 2);
    std::vector<WCHAR> buffer(chars + 1, 0);
    memcpy(buffer.data(), data + 2, (size_t)chars * sizeof(WCHAR));
    const WCHAR* text = buffer.data();

    // Any two pieces of the input as titles: order and validity as defined.
    int32_t half = chars / 2;
    int32_t aLen = half < 40 ? half : 40, bLen = chars - half < 40 ? chars - half : 40;
    int32_t order = CompareTitles(text, aLen, text + half, bLen);
    FUZZ_CHECK(order == PlainTitleOrder(text, aLen, text + half, bLen));
    FUZZ_CHECK(CompareTitles(text + half, bLen, text, aLen) == -order);
    FUZZ_CHECK((IsValidStoredTitle(text, aLen) != 0) == PlainValidTitle(text, aLen));

    NoteSpanArray spans = {nullptr, 0, 0};
    DatafileProblem problem = {};
    if (!ParseDatafileText(text, chars, spans, problem)) {
        FUZZ_CHECK(problem.messageId == 38 || problem.messageId == 39 || problem.messageId == 3);
        if (problem.messageId == 3) {
            FUZZ_CHECK(problem.titleStart > 0 && problem.titleLen > 0 && problem.titleStart + problem.titleLen <= chars);
            FUZZ_CHECK(problem.previousStart > 0 && problem.previousLen > 0 &&
                       problem.previousStart + problem.previousLen <= chars);
        }
        FreeNoteSpans(spans);
        return 0;
    }
    FUZZ_CHECK(spans.count > 0);
    for (int32_t i = 0; i < spans.count; i++) {
        const NoteSpan& span = spans.items[i];
        FUZZ_CHECK(span.mark >= 0 && span.mark + 1 + span.titleLen <= chars && text[span.mark] == 0x00A4);
        FUZZ_CHECK(IsValidStoredTitle(text + span.mark + 1, span.titleLen));
        if (i) {
            const NoteSpan& before = spans.items[i - 1];
            FUZZ_CHECK(before.mark < span.mark);
            FUZZ_CHECK(CompareTitles(text + before.mark + 1, before.titleLen, text + span.mark + 1, span.titleLen) < 0);
        }
    }

    // The title index holds every note, each title finding its own position.
    AIString joined;
    FUZZ_CHECK(JoinNoteIndex(text, spans, joined));
    AIStringTable index(0);
    FUZZ_CHECK(index.AssignJoined(joined.GetText()));
    FUZZ_CHECK(index.GetCount() == spans.count);
    AIString title, value;
    for (int32_t i = 0; i < spans.count; i++) {
        title.AssignTextN(text + spans.items[i].mark + 1, spans.items[i].titleLen);
        FUZZ_CHECK(index.IndexOfKeyString(title.GetText()) == i);
        FUZZ_CHECK(index.GetValueAt(i, value) && value.ToInt() == spans.items[i].mark);
    }

    // Each note's record: body, link block, link lines and tags.
    AIStringTable links(0);
    for (int32_t i = 0; i < spans.count; i++) {
        int32_t mark = spans.items[i].mark;
        int32_t end = i + 1 < spans.count ? spans.items[i + 1].mark : chars;
        const WCHAR* record = text + mark;
        int32_t length = end - mark;
        int32_t bodyStart = FindBodyStart(record, length);
        FUZZ_CHECK(bodyStart > spans.items[i].titleLen && bodyStart <= length);
        const WCHAR* body = record + bodyStart;
        int32_t bodyLength = length - bodyStart;
        int32_t block = FindLinkBlock(body, bodyLength);
        FUZZ_CHECK(block >= 0 && block <= bodyLength);
        LinkLineCursor cursor;
        StartLinkLines(cursor, body + block, bodyLength - block);
        const WCHAR *label, *target;
        int32_t labelLength, targetLength, lines = 0;
        links.Clear();
        AIString key;
        while (block < bodyLength && NextLinkLine(cursor, &label, &labelLength, &target, &targetLength)) {
            FUZZ_CHECK(label > body + block && labelLength >= 0 && targetLength >= 0);
            FUZZ_CHECK(target + targetLength < body + bodyLength);
            key.AssignTextN(label, labelLength);
            value.AssignTextN(target, targetLength);
            links.AddItemString(key.GetText(), value.GetText(), 0);
            FUZZ_CHECK(++lines <= bodyLength);
        }
        links.SortIndex();
        int32_t pos = 0, nameStart = 0, nameLength = 0, tags = 0;
        // The tags of the whole body that start before the link block are
        // the tags of the text before it, name for name.
        int32_t wholePos = 0, wholeStart = 0, wholeLength = 0;
        while (NextTagInText(body, block, &pos, &nameStart, &nameLength)) {
            FUZZ_CHECK(nameStart > 0 && nameLength > 0 && nameStart + nameLength <= block);
            FUZZ_CHECK(++tags <= block);
            FUZZ_CHECK(NextTagInText(body, bodyLength, &wholePos, &wholeStart, &wholeLength));
            FUZZ_CHECK(wholeStart == nameStart && wholeLength == nameLength);
        }
        FUZZ_CHECK(!NextTagInText(body, bodyLength, &wholePos, &wholeStart, &wholeLength) || wholeStart >= block);
    }
    FreeNoteSpans(spans);
    return 0;
}
