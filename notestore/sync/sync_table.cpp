// The line files of the sync folders: reading, looking up, changing and
// writing them; hex numbers; UTF-8 checked and converted.
#include "notestore/sync/sync_table.h"
#include "notestore/datafile_format.h"

namespace {

const WCHAR kEndWord[] = L"end";
const int32_t kFirstCapacity = 64;

// The end of the line starting at pos (the CR or LF, or len).
int32_t LineEnd(const WCHAR* text, int32_t len, int32_t pos)
{
    while (pos < len && text[pos] != L'\r' && text[pos] != L'\n') pos++;
    return pos;
}

// The start of the next line after the line end at pos (CR LF, CR or LF).
int32_t NextLine(const WCHAR* text, int32_t len, int32_t pos)
{
    if (pos < len && text[pos] == L'\r') pos++;
    if (pos < len && text[pos] == L'\n') pos++;
    return pos;
}

bool SameText(const WCHAR* a, int32_t aLen, const WCHAR* b)
{
    int32_t bLen = TextLength(b);
    if (aLen != bLen) return false;
    for (int32_t i = 0; i < aLen; i++)
        if (a[i] != b[i]) return false;
    return true;
}

int32_t CountTabs(const WCHAR* text, int32_t len)
{
    int32_t tabs = 0;
    for (int32_t i = 0; i < len; i++)
        if (text[i] == L'\t') tabs++;
    return tabs;
}

// A decimal count without sign; -1 when not one.
int32_t ParseCount(const WCHAR* text, int32_t len)
{
    if (len <= 0 || len > 9) return -1;
    int32_t value = 0;
    for (int32_t i = 0; i < len; i++) {
        if (text[i] < L'0' || text[i] > L'9') return -1;
        value = value * 10 + (text[i] - L'0');
    }
    return value;
}

}  // namespace

SyncTable::SyncTable() : lines_(0), count_(0), capacity_(0) {}

SyncTable::~SyncTable()
{
    if (lines_) LocalFree(lines_);
}

void SyncTable::Clear()
{
    pool_.Clear();
    count_ = 0;
}

int32_t SyncTable::Grow()
{
    if (count_ < capacity_) return 1;
    int32_t capacity = capacity_ ? capacity_ * 2 : kFirstCapacity;
    SyncLine* lines = (SyncLine*)LocalAlloc(LMEM_FIXED, (SIZE_T)capacity * sizeof(SyncLine));
    if (!lines) return 0;
    if (lines_) {
        CopyMemory(lines, lines_, (SIZE_T)count_ * sizeof(SyncLine));
        LocalFree(lines_);
    }
    lines_ = lines;
    capacity_ = capacity;
    return 1;
}

int32_t SyncTable::Parse(const WCHAR* text, int32_t len, const WCHAR* header, int32_t fieldCount)
{
    Clear();
    if (!text || len < 0 || fieldCount < 0 || fieldCount > kSyncMaxFields) return 0;
    int32_t pos = 0;
    if (len > 0 && text[0] == 0xFEFF) pos = 1;
    int32_t end = LineEnd(text, len, pos);
    if (!SameText(text + pos, end - pos, header)) return 0;
    pos = NextLine(text, len, end);
    int32_t endWordLen = TextLength(kEndWord);
    while (pos < len) {
        end = LineEnd(text, len, pos);
        const WCHAR* line = text + pos;
        int32_t lineLen = end - pos;
        int32_t tab = 0;
        while (tab < lineLen && line[tab] != L'\t') tab++;
        if (tab == endWordLen && SameText(line, tab, kEndWord)) {
            // The end line closes the file: nothing but line ends may follow.
            int32_t after = NextLine(text, len, end);
            if (ParseCount(line + tab + 1, lineLen - tab - 1) != count_ || tab >= lineLen) break;
            if (after != len) break;
            return 1;
        }
        if (!IsValidStoredTitle(line, tab)) break;
        if (count_ > 0) {
            const SyncLine& last = lines_[count_ - 1];
            if (CompareTitles(pool_.GetText() + last.titleAt, last.titleLen, line, tab) >= 0) break;
        }
        int32_t fieldsLen = tab < lineLen ? lineLen - tab - 1 : 0;
        int32_t fields = tab < lineLen ? CountTabs(line + tab + 1, fieldsLen) + 1 : 0;
        if (fields != fieldCount) break;
        if (!Grow()) break;
        SyncLine& added = lines_[count_];
        added.titleAt = pool_.GetLength();
        added.titleLen = tab;
        added.fieldsAt = added.titleAt + tab + (tab < lineLen ? 1 : 0);
        added.fieldsLen = fieldsLen;
        int32_t before = pool_.GetLength();
        pool_.AppendTextN(line, lineLen).AppendChar(L'\t');
        if (pool_.GetLength() != before + lineLen + 1) break;
        count_++;
        pos = NextLine(text, len, end);
    }
    Clear();
    return 0;
}

void SyncTable::Compose(const WCHAR* header, AIString& out) const
{
    out.Clear();
    out.AppendText(header).AppendText(L"\r\n");
    for (int32_t i = 0; i < count_; i++) {
        const SyncLine& line = lines_[i];
        out.AppendTextN(pool_.GetText() + line.titleAt, line.titleLen);
        if (line.fieldsAt > line.titleAt + line.titleLen) {
            out.AppendChar(L'\t').AppendTextN(pool_.GetText() + line.fieldsAt, line.fieldsLen);
        }
        out.AppendText(L"\r\n");
    }
    out.AppendText(kEndWord).AppendChar(L'\t').AppendInt(count_).AppendText(L"\r\n");
}

int32_t SyncTable::Position(const WCHAR* title, int32_t titleLen, int32_t* found) const
{
    int32_t low = 0, high = count_;
    *found = 0;
    while (low < high) {
        int32_t mid = (low + high) / 2;
        int32_t order = CompareTitles(pool_.GetText() + lines_[mid].titleAt, lines_[mid].titleLen, title, titleLen);
        if (order == 0) {
            *found = 1;
            return mid;
        }
        if (order < 0) low = mid + 1;
        else high = mid;
    }
    return low;
}

int32_t SyncTable::Find(const WCHAR* title, int32_t titleLen) const
{
    int32_t found = 0;
    int32_t at = Position(title, titleLen, &found);
    return found ? at : -1;
}

const WCHAR* SyncTable::TitleText(int32_t line, int32_t* len) const
{
    *len = 0;
    if (line < 0 || line >= count_) return L"";
    *len = lines_[line].titleLen;
    return pool_.GetText() + lines_[line].titleAt;
}

void SyncTable::TitleAt(int32_t line, AIString& out) const
{
    int32_t len = 0;
    const WCHAR* text = TitleText(line, &len);
    out.AssignTextN(text, len);
}

int32_t SyncTable::Field(int32_t line, int32_t f, const WCHAR** text, int32_t* len) const
{
    *text = L"";
    *len = 0;
    if (line < 0 || line >= count_ || f < 0) return 0;
    const SyncLine& l = lines_[line];
    if (l.fieldsAt != l.titleAt + l.titleLen + 1) return 0;
    const WCHAR* p = pool_.GetText() + l.fieldsAt;
    int32_t start = 0, index = 0;
    for (int32_t i = 0; i <= l.fieldsLen; i++) {
        if (i == l.fieldsLen || p[i] == L'\t') {
            if (index == f) {
                *text = p + start;
                *len = i - start;
                return 1;
            }
            index++;
            start = i + 1;
        }
    }
    return 0;
}

void SyncTable::FieldText(int32_t line, int32_t f, AIString& out) const
{
    const WCHAR* text;
    int32_t len;
    Field(line, f, &text, &len);
    out.AssignTextN(text, len);
}

uint64_t SyncTable::FieldHex(int32_t line, int32_t f) const
{
    const WCHAR* text;
    int32_t len, ok = 0;
    if (!Field(line, f, &text, &len)) return 0;
    return ParseHex64(text, len, &ok);
}

// Puts the title and fields into the pool and describes them in line.
int32_t SyncTable::AddLine(const WCHAR* title, const WCHAR* const* fields, int32_t fieldCount, SyncLine& line)
{
    int32_t titleLen = TextLength(title);
    line.titleAt = pool_.GetLength();
    line.titleLen = titleLen;
    pool_.AppendTextN(title, titleLen);
    line.fieldsAt = pool_.GetLength() + (fieldCount > 0 ? 1 : 0);
    int32_t fieldsStart = line.fieldsAt;
    for (int32_t f = 0; f < fieldCount; f++) {
        pool_.AppendChar(L'\t');
        for (const WCHAR* c = fields[f]; c && *c; c++)
            pool_.AppendChar(*c == L'\t' || *c == L'\r' || *c == L'\n' ? L' ' : *c);
    }
    line.fieldsLen = fieldCount > 0 ? pool_.GetLength() - fieldsStart : 0;
    pool_.AppendChar(L'\t');
    return pool_.GetLength() >= line.titleAt + titleLen + 1;
}

int32_t SyncTable::Set(const WCHAR* title, const WCHAR* const* fields, int32_t fieldCount)
{
    int32_t found = 0;
    int32_t at = Position(title, TextLength(title), &found);
    if (!found && !Grow()) return 0;
    SyncLine line;
    if (!AddLine(title, fields, fieldCount, line)) return 0;
    if (found) {
        lines_[at] = line;
        return 1;
    }
    MoveMemory(lines_ + at + 1, lines_ + at, (SIZE_T)(count_ - at) * sizeof(SyncLine));
    lines_[at] = line;
    count_++;
    return 1;
}

int32_t SyncTable::Append(const WCHAR* title, const WCHAR* const* fields, int32_t fieldCount)
{
    SyncLine line;
    if (!Grow() || !AddLine(title, fields, fieldCount, line)) return 0;
    lines_[count_++] = line;
    return 1;
}

int32_t SyncTable::Compare(const SyncLine& a, const SyncLine& b) const
{
    return CompareTitles(pool_.GetText() + a.titleAt, a.titleLen, pool_.GetText() + b.titleAt, b.titleLen);
}

int32_t SyncTable::Sort()
{
    if (count_ < 2) return 1;
    SyncLine* spare = (SyncLine*)LocalAlloc(LMEM_FIXED, (SIZE_T)count_ * sizeof(SyncLine));
    if (!spare) return 0;
    // Merge sort, runs doubling; equal titles keep their order.
    SyncLine* from = lines_;
    SyncLine* to = spare;
    for (int32_t width = 1; width < count_; width *= 2) {
        for (int32_t left = 0; left < count_; left += 2 * width) {
            int32_t mid = left + width < count_ ? left + width : count_;
            int32_t right = left + 2 * width < count_ ? left + 2 * width : count_;
            int32_t i = left, j = mid, k = left;
            while (i < mid && j < right) to[k++] = Compare(from[j], from[i]) < 0 ? from[j++] : from[i++];
            while (i < mid) to[k++] = from[i++];
            while (j < right) to[k++] = from[j++];
        }
        SyncLine* swap = from;
        from = to;
        to = swap;
    }
    // The first line of each title stays.
    int32_t kept = 0;
    for (int32_t i = 0; i < count_; i++) {
        if (kept > 0 && Compare(from[i], from[kept - 1]) == 0) continue;
        from[kept++] = from[i];
    }
    if (from != lines_) CopyMemory(lines_, from, (SIZE_T)kept * sizeof(SyncLine));
    LocalFree(spare);
    count_ = kept;
    return 1;
}

int32_t SyncTable::Remove(const WCHAR* title)
{
    int32_t at = Find(title, TextLength(title));
    if (at < 0) return 0;
    MoveMemory(lines_ + at, lines_ + at + 1, (SIZE_T)(count_ - at - 1) * sizeof(SyncLine));
    count_--;
    return 1;
}

void AppendHex64(AIString& out, uint64_t value)
{
    static const WCHAR kDigits[] = L"0123456789ABCDEF";
    for (int shift = 60; shift >= 0; shift -= 4) out.AppendChar(kDigits[(value >> shift) & 0xF]);
}

uint64_t ParseHex64(const WCHAR* text, int32_t len, int32_t* ok)
{
    *ok = 0;
    if (!text || len != 16) return 0;
    uint64_t value = 0;
    for (int32_t i = 0; i < len; i++) {
        WCHAR c = text[i];
        int digit = c >= L'0' && c <= L'9' ? c - L'0' : c >= L'A' && c <= L'F' ? c - L'A' + 10 : -1;
        if (digit < 0) return 0;
        value = (value << 4) | (uint64_t)digit;
    }
    *ok = 1;
    return value;
}

int32_t IsWellFormedUtf8(const uint8_t* bytes, int64_t size)
{
    int64_t i = 0;
    while (i < size) {
        uint8_t c = bytes[i];
        if (c < 0x80) {
            i++;
            continue;
        }
        int extra = (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : -1;
        if (extra < 0 || extra > size - 1 - i) return 0;
        uint32_t v = c & (0x3F >> extra);
        for (int k = 1; k <= extra; k++) {
            if ((bytes[i + k] & 0xC0) != 0x80) return 0;
            v = (v << 6) | (bytes[i + k] & 0x3F);
        }
        static const uint32_t kMin[4] = {0, 0x80, 0x800, 0x10000};
        if (v < kMin[extra] || v > 0x10FFFF || (v >= 0xD800 && v <= 0xDFFF)) return 0;
        i += extra + 1;
    }
    return 1;
}

uint8_t* TextToUtf8(const WCHAR* text, int32_t len, int64_t* size)
{
    *size = 0;
    uint8_t* out = (uint8_t*)LocalAlloc(LMEM_FIXED, (SIZE_T)len * 3 + 1);
    if (!out) return 0;
    int64_t n = 0;
    for (int32_t i = 0; i < len; i++) {
        uint32_t cp = text[i];
        if (IS_HIGH_SURROGATE(cp) && i + 1 < len && IS_LOW_SURROGATE(text[i + 1])) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            i++;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;  // a surrogate without its partner has no UTF-8 form
        }
        if (cp < 0x80) {
            out[n++] = (uint8_t)cp;
        } else if (cp < 0x800) {
            out[n++] = (uint8_t)(0xC0 | (cp >> 6));
            out[n++] = (uint8_t)(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out[n++] = (uint8_t)(0xE0 | (cp >> 12));
            out[n++] = (uint8_t)(0x80 | ((cp >> 6) & 0x3F));
            out[n++] = (uint8_t)(0x80 | (cp & 0x3F));
        } else {
            out[n++] = (uint8_t)(0xF0 | (cp >> 18));
            out[n++] = (uint8_t)(0x80 | ((cp >> 12) & 0x3F));
            out[n++] = (uint8_t)(0x80 | ((cp >> 6) & 0x3F));
            out[n++] = (uint8_t)(0x80 | (cp & 0x3F));
        }
    }
    *size = n;
    return out;
}

int32_t Utf8ToText(const uint8_t* bytes, int64_t size, AIString& out)
{
    out.Clear();
    if (size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
        bytes += 3;
        size -= 3;
    }
    if (size > 0x7FFFFFFF || !IsWellFormedUtf8(bytes, size)) return 0;
    out.FromUtf8((const char*)bytes, (int)size);
    return size == 0 || !out.IsEmpty();
}
