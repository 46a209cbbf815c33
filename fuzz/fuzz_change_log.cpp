// libFuzzer target for the daily change log. The input is read two ways:
// as a whole log, whose lines are walked and parsed as a replay reads them
// (every line inside the text, never empty, without a line end; a parsed
// line's fields inside it and its title valid; an escaped text that reads
// back writes out the same when it holds no raw TAB or zero), and as an action
// number, a title and a note's record parted by zero units (a stored record
// holds no zero: bodies are cleaned of them), written as a line and read back (one line, the same action and title, the record's text
// after its title line exactly).
#include "fuzz/fuzz_text_input.h"
#include "notestore/change_log_format.h"
#include "notestore/datafile_format.h"
#include <vector>

namespace {

const WCHAR* const kActions[] = {kLogStored, kLogCreated, kLogDeleted, kLogRenamedFrom,
                                 kLogRenamed, kLogOtherCopy, kLogSyncReceived};
const int kActionCount = sizeof(kActions) / sizeof(kActions[0]);

bool Inside(const WCHAR* part, int32_t partLen, const WCHAR* line, int32_t lineLen)
{
    return partLen >= 0 && part >= line && part + partLen <= line + lineLen;
}

void WalkLog(const std::vector<WCHAR>& units)
{
    const WCHAR* text = units.data();
    int32_t len = (int32_t)units.size();
    int32_t pos = 0, start = 0, lineLen = 0, lines = 0;
    while (NextChangeLogLine(text, len, &pos, &start, &lineLen)) {
        FUZZ_CHECK(++lines <= len);
        FUZZ_CHECK(start >= 0 && lineLen > 0 && start + lineLen <= len && pos == start + lineLen);
        for (int32_t i = start; i < start + lineLen; i++) FUZZ_CHECK(text[i] != L'\r' && text[i] != L'\n');
        const WCHAR* line = text + start;
        ChangeLogEntry entry;
        if (!ParseChangeLogLine(line, lineLen, entry)) continue;
        FUZZ_CHECK(Inside(entry.action, entry.actionLen, line, lineLen));
        FUZZ_CHECK(Inside(entry.title, entry.titleLen, line, lineLen));
        FUZZ_CHECK(Inside(entry.text, entry.textLen, line, lineLen));
        FUZZ_CHECK(IsValidStoredTitle(entry.title, entry.titleLen));
        AIString body, again;
        if (!UnescapeLogText(entry.text, entry.textLen, body)) continue;
        FUZZ_CHECK(body.GetLength() <= entry.textLen);
        // A raw TAB reads as itself and writes as its escape; a zero unit is
        // dropped (no stored text keeps one).
        bool other = false;
        for (int32_t i = 0; i < entry.textLen; i++) other = other || entry.text[i] == L'\t' || !entry.text[i];
        if (other) continue;
        EscapeLogText(body.GetText(), body.GetLength(), again);
        FUZZ_CHECK(SameUnits(again.GetText(), again.GetLength(), entry.text, entry.textLen));
    }
    FUZZ_CHECK(pos <= len);
}

void WriteAndReadBack(const std::vector<WCHAR>& units)
{
    if (units.empty()) return;
    const WCHAR* action = kActions[units[0] % kActionCount];
    // The title up to the first zero, the record up to the next.
    size_t cut = 1;
    while (cut < units.size() && units[cut]) cut++;
    std::vector<WCHAR> title(units.begin() + 1, units.begin() + (long)cut);
    int32_t titleLen = (int32_t)title.size();
    title.push_back(0);
    if (!IsValidStoredTitle(title.data(), titleLen)) return;
    bool deletion = cut >= units.size();
    std::vector<WCHAR> record;
    for (size_t i = cut + 1; i < units.size() && units[i]; i++) record.push_back(units[i]);
    int32_t recordLen = (int32_t)record.size();
    record.push_back(0);
    AIString line;
    ComposeChangeLogLine(L"12:34:56", action, title.data(), deletion ? nullptr : record.data(), recordLen, line);
    const WCHAR* l = line.GetText();
    int32_t lineLen = line.GetLength();
    int32_t pos = 0, start = 0, found = 0;
    FUZZ_CHECK(NextChangeLogLine(l, lineLen, &pos, &start, &found));
    FUZZ_CHECK(start == 0 && found == lineLen);
    ChangeLogEntry entry;
    FUZZ_CHECK(ParseChangeLogLine(l, lineLen, entry));
    FUZZ_CHECK(SameUnits(entry.action, entry.actionLen, action, TextLength(action)));
    FUZZ_CHECK(SameUnits(entry.title, entry.titleLen, title.data(), titleLen));
    FUZZ_CHECK(IsRemovingEntry(entry) == (action == kLogDeleted || action == kLogRenamedFrom));
    AIString body;
    FUZZ_CHECK(UnescapeLogText(entry.text, entry.textLen, body));
    int32_t bodyStart = 0;
    if (deletion) recordLen = 0;
    else if (recordLen > 0 && record[0] == kNoteMark) bodyStart = FindBodyStart(record.data(), recordLen);
    FUZZ_CHECK(SameUnits(body.GetText(), body.GetLength(), record.data() + bodyStart, recordLen - bodyStart));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<WCHAR> units;
    for (size_t i = 0; i + 1 < size; i += 2) units.push_back((WCHAR)(data[i] | (data[i + 1] << 8)));
    WalkLog(units);
    WriteAndReadBack(units);
    return 0;
}
