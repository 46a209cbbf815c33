#include "foundation/ai_string.h"
#include "foundation/errors.h"
#include "foundation/result_flag.h"
#include "foundation/ai_string_draw.h"
#include "foundation/process_end.h"

int32_t ResultFlag = 1;

namespace {

// The lower case of every character, built on first use; the first use may
// come from any thread (the compiler guards the build).
struct FoldTable {
    WCHAR chars[65536];
    FoldTable()
    {
        for (int i = 0; i < 65536; i++) chars[i] = (WCHAR)i;
        // CharLowerBuffW applies the platform's case rules; surrogate halves stay.
        CharLowerBuffW(chars, 0xD800);
        CharLowerBuffW(chars + 0xE000, 0x2000);
    }
};

}  // namespace

WCHAR FoldChar(WCHAR ch)
{
    static const FoldTable table;
    return table.chars[ch];
}

int TextLength(const WCHAR* text)
{
    if (!text) return 0;
    const WCHAR* p = text;
    while (*p) p++;
    return (int)(p - text);
}

int CompareTextNoCase(const WCHAR* a, const WCHAR* b)
{
    if (!a) a = L"";
    if (!b) b = L"";
    for (;; a++, b++) {
        WCHAR x = FoldChar(*a), y = FoldChar(*b);
        if (x != y) return x < y ? -1 : 1;
        if (!x) return 0;
    }
}

int CopyTextBounded(WCHAR* dest, int capacity, const WCHAR* source)
{
    if (!dest || capacity <= 0) return 0;
    int n = 0;
    if (source)
        while (n < capacity - 1 && source[n]) { dest[n] = source[n]; n++; }
    dest[n] = 0;
    return n;
}

AIString::AIString() : text_(inline_), length_(0), capacity_(kInlineChars), narrow_(0), draw_(0)
{
    inline_[0] = 0;
}

AIString::AIString(const WCHAR* text) : AIString() { AssignText(text); }

AIString::AIString(const AIString& other) : AIString() { Copy(other); }

AIString& AIString::operator=(const AIString& other) { return Copy(other); }

AIString::~AIString()
{
    if (IsProcessEnding()) return;
    if (text_ != inline_) LocalFree(text_);
    if (narrow_) LocalFree(narrow_);
    FreeDrawState(draw_);
}

int AIString::Grow(int chars, int askWhenShort)
{
    if (chars <= capacity_) return 1;
    for (;;) {
        int64_t want = capacity_;
        while (want < chars) want *= 2;
        if (want > 0x3FFFFFFF) want = chars;
        WCHAR* block = (WCHAR*)LocalAlloc(LPTR, (SIZE_T)(want + 1) * sizeof(WCHAR));
        if (block) {
            memcpy(block, text_, (size_t)(length_ + 1) * sizeof(WCHAR));
            if (text_ != inline_) LocalFree(text_);
            text_ = block;
            capacity_ = (int)want;
            return 1;
        }
        if (!askWhenShort || !AskRetryAllocation()) return 0;
    }
}

int AIString::Reserve(int chars) { return Grow(chars); }

void AIString::Changed()
{
    if (narrow_) { LocalFree(narrow_); narrow_ = 0; }
}

WCHAR* AIString::GetBuffer(int chars)
{
    if (chars < 0 || !Grow(chars)) return 0;
    Changed();
    return text_;
}

WCHAR* AIString::GetBufferQuietly(int chars)
{
    if (chars < 0 || !Grow(chars, 0)) return 0;
    Changed();
    return text_;
}

void AIString::TakeText(AIString& other)
{
    if (&other == this) return;
    if (other.text_ == other.inline_) {
        Copy(other);
        other.Clear();
        return;
    }
    if (text_ != inline_) LocalFree(text_);
    Changed();
    text_ = other.text_;
    length_ = other.length_;
    capacity_ = other.capacity_;
    other.text_ = other.inline_;
    other.capacity_ = kInlineChars;
    other.Clear();
}

void AIString::SetLength(int length)
{
    if (length < 0) length = 0;
    if (length > capacity_) length = capacity_;
    length_ = length;
    text_[length_] = 0;
    Changed();
}

AIString& AIString::AssignText(const WCHAR* text) { return AssignTextN(text, TextLength(text)); }

AIString& AIString::AssignTextN(const WCHAR* text, int count)
{
    if (!text || count <= 0) { Clear(); return *this; }
    int n = 0;
    while (n < count && text[n]) n++;
    if (text >= text_ && text <= text_ + length_) {  // assigning a part of itself
        memmove(text_, text, (size_t)n * sizeof(WCHAR));
        SetLength(n);
        return *this;
    }
    if (!Grow(n)) return *this;
    memcpy(text_, text, (size_t)n * sizeof(WCHAR));
    SetLength(n);
    return *this;
}

AIString& AIString::Copy(const AIString& other)
{
    if (&other == this) return *this;
    return AssignTextN(other.text_, other.length_);
}

AIString& AIString::AssignInt(int32_t value) { Clear(); return AppendInt(value); }

AIString& AIString::AssignControlText(HWND window)
{
    Clear();
    if (!window) return *this;
    int n = GetWindowTextLengthW(window);
    if (n <= 0 || !Grow(n)) return *this;
    int got = GetWindowTextW(window, text_, n + 1);
    SetLength(got);
    return *this;
}

AIString& AIString::AssignAscii(const char* text) { Clear(); return AppendAscii(text); }

void AIString::Clear() { SetLength(0); }

AIString& AIString::AppendText(const WCHAR* text) { return AppendTextN(text, TextLength(text)); }

AIString& AIString::AppendTextN(const WCHAR* text, int count)
{
    if (!text || count <= 0) return *this;
    int n = 0;
    while (n < count && text[n]) n++;
    if (text >= text_ && text <= text_ + length_) {  // appending a part of itself
        AIString copy;
        copy.AssignTextN(text, n);
        return AppendString(copy);
    }
    if (!Grow(length_ + n)) return *this;
    memcpy(text_ + length_, text, (size_t)n * sizeof(WCHAR));
    SetLength(length_ + n);
    return *this;
}

AIString& AIString::AppendString(const AIString& other)
{
    if (&other == this) {
        AIString copy(other);
        return AppendTextN(copy.text_, copy.length_);
    }
    return AppendTextN(other.text_, other.length_);
}

AIString& AIString::AppendChar(WCHAR ch)
{
    if (!ch || !Grow(length_ + 1)) return *this;
    text_[length_] = ch;
    SetLength(length_ + 1);
    return *this;
}

AIString& AIString::AppendLong(int64_t value)
{
    WCHAR digits[24];
    int n = 0;
    uint64_t magnitude = value < 0 ? (uint64_t)(-(value + 1)) + 1 : (uint64_t)value;
    do { digits[n++] = (WCHAR)(L'0' + magnitude % 10); magnitude /= 10; } while (magnitude);
    if (value < 0) digits[n++] = L'-';
    WCHAR out[24];
    for (int i = 0; i < n; i++) out[i] = digits[n - 1 - i];
    return AppendTextN(out, n);
}

AIString& AIString::AppendInt(int32_t value) { return AppendLong(value); }
AIString& AIString::AppendUnsigned(uint32_t value) { return AppendLong((int64_t)value); }

AIString& AIString::AppendAscii(const char* text)
{
    if (!text) return *this;
    int n = (int)strlen(text);
    if (!Grow(length_ + n)) return *this;
    for (int i = 0; i < n; i++) text_[length_ + i] = (WCHAR)(unsigned char)text[i];
    SetLength(length_ + n);
    return *this;
}

static bool MatchNoCaseAt(const WCHAR* text, const WCHAR* pattern, int patternLength)
{
    for (int i = 0; i < patternLength; i++)
        if (FoldChar(text[i]) != FoldChar(pattern[i])) return false;
    return true;
}

int AIString::FindTextFrom(const WCHAR* text, int from, bool backward) const
{
    int n = TextLength(text);
    if (n == 0 || n > length_) { ResultFlag = 0; return -1; }
    int last = length_ - n;
    if (!backward) {
        if (from < 0) from = 0;
        for (int i = from; i <= last; i++)
            if (MatchNoCaseAt(text_ + i, text, n)) { ResultFlag = 1; return i; }
    } else {
        if (from > last) from = last;
        for (int i = from; i >= 0; i--)
            if (MatchNoCaseAt(text_ + i, text, n)) { ResultFlag = 1; return i; }
    }
    ResultFlag = 0;
    return -1;
}

int AIString::FindText(const WCHAR* text) const { return FindTextFrom(text, 0, false); }

int AIString::FindTextCase(const WCHAR* text, int from) const
{
    int n = TextLength(text);
    if (from < 0) from = 0;
    if (n == 0) { ResultFlag = 0; return -1; }
    for (int i = from; i + n <= length_; i++)
        if (text_[i] == text[0] && memcmp(text_ + i, text, (size_t)n * sizeof(WCHAR)) == 0) {
            ResultFlag = 1;
            return i;
        }
    ResultFlag = 0;
    return -1;
}

int AIString::FindChar(WCHAR ch, bool reverse) const
{
    if (!reverse) {
        for (int i = 0; i < length_; i++) if (text_[i] == ch) { ResultFlag = 1; return i; }
    } else {
        for (int i = length_ - 1; i >= 0; i--) if (text_[i] == ch) { ResultFlag = 1; return i; }
    }
    ResultFlag = 0;
    return -1;
}

bool AIString::StartsWith(const WCHAR* text) const
{
    int n = TextLength(text);
    return n <= length_ && memcmp(text_, text, (size_t)n * sizeof(WCHAR)) == 0;
}

bool AIString::StartsWithNoCase(const WCHAR* text) const
{
    int n = TextLength(text);
    return n <= length_ && MatchNoCaseAt(text_, text, n);
}

bool AIString::EndsWithNoCase(const WCHAR* text) const
{
    int n = TextLength(text);
    return n <= length_ && MatchNoCaseAt(text_ + length_ - n, text, n);
}

bool AIString::EqualsString(const AIString& other) const
{
    return length_ == other.length_ && memcmp(text_, other.text_, (size_t)length_ * sizeof(WCHAR)) == 0;
}

bool AIString::EqualsText(const WCHAR* text) const
{
    int n = TextLength(text);
    return n == length_ && memcmp(text_, text ? text : L"", (size_t)n * sizeof(WCHAR)) == 0;
}

bool AIString::EqualsTextNoCase(const WCHAR* text) const { return CompareTextNoCase(text_, text) == 0; }

int AIString::CompareText(const WCHAR* text) const
{
    if (!text) text = L"";
    const WCHAR* a = text_;
    for (;; a++, text++) {
        if (*a != *text) return *a < *text ? -1 : 1;
        if (!*a) return 0;
    }
}

AIString& AIString::KeepRange(int start, int count)
{
    if (start < 0) start = 0;
    if (start > length_) start = length_;
    if (count < 0 || count > length_ - start) count = length_ - start;
    memmove(text_, text_ + start, (size_t)count * sizeof(WCHAR));
    SetLength(count);
    return *this;
}

AIString& AIString::DeleteRange(int start, int count)
{
    if (start < 0 || start >= length_ || count <= 0) return *this;
    if (count > length_ - start) count = length_ - start;
    memmove(text_ + start, text_ + start + count, (size_t)(length_ - start - count) * sizeof(WCHAR));
    SetLength(length_ - count);
    return *this;
}

AIString& AIString::InsertText(int at, const WCHAR* text)
{
    int n = TextLength(text);
    if (n == 0) return *this;
    if (at < 0) at = 0;
    if (at > length_) at = length_;
    AIString copy(text);  // text may point into this string
    if (!Grow(length_ + n)) return *this;
    memmove(text_ + at + n, text_ + at, (size_t)(length_ - at) * sizeof(WCHAR));
    memcpy(text_ + at, copy.text_, (size_t)n * sizeof(WCHAR));
    SetLength(length_ + n);
    return *this;
}

AIString& AIString::SplitAtChar(WCHAR separator, int keepAfter, int fromEnd)
{
    int at = FindChar(separator, fromEnd != 0);
    if (at < 0) return *this;
    if (keepAfter) KeepRange(at + 1, -1); else KeepRange(0, at);
    ResultFlag = 1;
    return *this;
}

AIString& AIString::SplitAtText(const WCHAR* separator, int keepAfter, int fromEnd)
{
    int at = fromEnd ? FindTextFrom(separator, length_, true) : FindText(separator);
    if (at < 0) return *this;
    if (keepAfter) KeepRange(at + TextLength(separator), -1); else KeepRange(0, at);
    ResultFlag = 1;
    return *this;
}

int AIString::ReplaceAll(const WCHAR* find, const WCHAR* replacement, int)
{
    int n = TextLength(find);
    if (n == 0 || length_ < n) return 0;
    AIString out;
    int count = 0, i = 0;
    while (i < length_) {
        if (i + n <= length_ && text_[i] == find[0] && memcmp(text_ + i, find, (size_t)n * sizeof(WCHAR)) == 0) {
            out.AppendText(replacement);
            i += n;
            count++;
        } else {
            int start = i++;
            while (i < length_ && text_[i] != find[0]) i++;
            out.AppendTextN(text_ + start, i - start);
        }
    }
    if (count) Copy(out);
    return count;
}

int AIString::ReplaceBetween(const WCHAR* startMarker, const WCHAR* endMarker, const WCHAR* replacement)
{
    int a = FindTextCase(startMarker, 0);
    if (a < 0) return 0;
    int from = a + TextLength(startMarker);
    int b = FindTextCase(endMarker, from);
    if (b < 0) return 0;
    AIString out;
    out.AppendTextN(text_, from).AppendText(replacement).AppendTextN(text_ + b, length_ - b);
    Copy(out);
    ResultFlag = 1;
    return 1;
}

int AIString::RemoveChars(const WCHAR* set)
{
    if (!set || !*set) return 0;
    int w = 0;
    for (int r = 0; r < length_; r++) {
        bool drop = false;
        for (const WCHAR* s = set; *s; s++) if (*s == text_[r]) { drop = true; break; }
        if (!drop) text_[w++] = text_[r];
    }
    int removed = length_ - w;
    SetLength(w);
    return removed;
}

static bool IsBlank(WCHAR c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == 0xA0; }

AIString& AIString::Trim(int left, int right)
{
    int start = 0, end = length_;
    if (left) while (start < end && IsBlank(text_[start])) start++;
    if (right) while (end > start && IsBlank(text_[end - 1])) end--;
    return KeepRange(start, end - start);
}

AIString& AIString::ToLowerCase()
{
    for (int i = 0; i < length_; i++) text_[i] = FoldChar(text_[i]);
    Changed();
    return *this;
}

AIString& AIString::ToUpperCase()
{
    if (length_) CharUpperBuffW(text_, (DWORD)length_);
    Changed();
    return *this;
}

int AIString::ToInt() const
{
    int i = 0;
    while (i < length_ && IsBlank(text_[i])) i++;
    bool negative = false;
    if (i < length_ && (text_[i] == L'-' || text_[i] == L'+')) negative = text_[i++] == L'-';
    int64_t v = 0;
    while (i < length_ && text_[i] >= L'0' && text_[i] <= L'9' && v < 0x80000000LL) v = v * 10 + (text_[i++] - L'0');
    if (negative) v = -v;
    if (v > 0x7FFFFFFF) v = 0x7FFFFFFF;
    if (v < -0x7FFFFFFFLL - 1) v = -0x7FFFFFFFLL - 1;
    return (int)v;
}

int AIString::ToUtf8(char* out, int outSize) const
{
    int needed = 0, written = 0;
    for (int i = 0; i < length_; i++) {
        uint32_t cp = text_[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < length_ && text_[i + 1] >= 0xDC00 && text_[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text_[i + 1] - 0xDC00);
            i++;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;  // a lone surrogate half
        }
        char bytes[4];
        int n;
        if (cp < 0x80) { bytes[0] = (char)cp; n = 1; }
        else if (cp < 0x800) { bytes[0] = (char)(0xC0 | (cp >> 6)); bytes[1] = (char)(0x80 | (cp & 0x3F)); n = 2; }
        else if (cp < 0x10000) {
            bytes[0] = (char)(0xE0 | (cp >> 12)); bytes[1] = (char)(0x80 | ((cp >> 6) & 0x3F));
            bytes[2] = (char)(0x80 | (cp & 0x3F)); n = 3;
        } else {
            bytes[0] = (char)(0xF0 | (cp >> 18)); bytes[1] = (char)(0x80 | ((cp >> 12) & 0x3F));
            bytes[2] = (char)(0x80 | ((cp >> 6) & 0x3F)); bytes[3] = (char)(0x80 | (cp & 0x3F)); n = 4;
        }
        needed += n;
        if (out) {
            if (written + n >= outSize) break;
            memcpy(out + written, bytes, (size_t)n);
            written += n;
        }
    }
    if (!out) return needed;
    if (outSize > 0) out[written] = 0;
    return written;
}

AIString& AIString::FromUtf8(const char* utf8, int bytes)
{
    Clear();
    if (!utf8) return *this;
    if (bytes < 0) bytes = (int)strlen(utf8);
    if (!Grow(bytes)) return *this;  // never more characters than bytes
    const unsigned char* p = (const unsigned char*)utf8;
    int i = 0, n = 0;
    while (i < bytes) {
        uint32_t c = p[i];
        int extra = c < 0x80 ? 0 : (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : -1;
        uint32_t cp = 0xFFFD;
        int used = 1;
        if (extra == 0) cp = c;
        else if (extra > 0) {
            bool ok = true;
            uint32_t v = c & (0x3F >> extra);
            for (int k = 1; ok && k <= extra; k++) {
                if (i + k >= bytes || (p[i + k] & 0xC0) != 0x80) ok = false;
                else v = (v << 6) | (p[i + k] & 0x3F);
            }
            static const uint32_t kMin[4] = {0, 0x80, 0x800, 0x10000};
            if (ok && v >= kMin[extra] && v <= 0x10FFFF && !(v >= 0xD800 && v <= 0xDFFF)) {
                cp = v;
                used = extra + 1;
            }
        }
        i += used;
        if (cp >= 0x10000) {
            if (!Grow(n + 2)) break;
            text_[n++] = (WCHAR)(0xD800 + ((cp - 0x10000) >> 10));
            text_[n++] = (WCHAR)(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            text_[n++] = (WCHAR)cp;
        }
    }
    SetLength(n);
    return *this;
}

const char* AIString::MakeNarrowCopy()
{
    if (narrow_) return narrow_;
    int bytes = WideCharToMultiByte(CP_ACP, 0, text_, length_, 0, 0, 0, 0);
    narrow_ = (char*)LocalAlloc(LPTR, (SIZE_T)bytes + 1);
    if (!narrow_) return "";
    if (bytes > 0) WideCharToMultiByte(CP_ACP, 0, text_, length_, narrow_, bytes, 0, 0);
    narrow_[bytes] = 0;
    return narrow_;
}
