#include "foundation/ai_string_list.h"
#include "foundation/errors.h"
#include "foundation/result_flag.h"
#include "foundation/trace.h"
#include "foundation/trace_modules.h"
#include "foundation/process_end.h"

AIStringList::AIStringList() : offsets_(0), offsetCapacity_(0), count_(0), cursor_(0) {}

AIStringList::~AIStringList()
{
    if (IsProcessEnding()) return;
    if (offsets_) LocalFree(offsets_);
}

int AIStringList::EnsureOffsetCapacity(int count)
{
    if (count + 1 <= offsetCapacity_) return 1;
    int want = offsetCapacity_ ? offsetCapacity_ : 16;
    while (want < count + 1) want *= 2;
    for (;;) {
        int* block = (int*)LocalAlloc(LPTR, (SIZE_T)want * sizeof(int));
        if (block) {
            if (offsets_) {
                memcpy(block, offsets_, (size_t)(count_ + 1) * sizeof(int));
                LocalFree(offsets_);
            }
            offsets_ = block;
            offsetCapacity_ = want;
            return 1;
        }
        if (!AskRetryAllocation()) return 0;
    }
}

void AIStringList::Clear()
{
    text_.Clear();
    count_ = 0;
    cursor_ = 0;
    if (offsets_) offsets_[0] = 0;
}

// Splits text_ into items. A separator counts only outside brackets and
// outside a U+00BD pair. Brackets that never close, and a last U+00BD
// without its partner, are plain text, so a stray opener cannot swallow the
// rest of the list. Linear in the text: an unclosed bracket is one that the
// depth never falls below again, found from the smallest depth still to come.
int AIStringList::Reparse()
{
    TRACE_SCOPE(kTraceStrings, 40);
    count_ = 0;
    cursor_ = 0;
    const WCHAR* t = text_.GetText();
    int n = text_.GetLength();
    if (!EnsureOffsetCapacity(16)) return 0;
    offsets_[0] = 0;

    int quotes = 0, lastQuote = -1, brackets = 0;
    for (int i = 0; i < n; i++) {
        if (t[i] == kQuote) { quotes++; lastQuote = i; }
        else if (t[i] == L'[') brackets = 1;
    }
    if (!(quotes & 1)) lastQuote = -1;

    // minDepth[i]: the smallest bracket depth from position i to the end.
    int* minDepth = 0;
    if (brackets) {
        while (!(minDepth = (int*)LocalAlloc(LMEM_FIXED, (SIZE_T)(n + 1) * sizeof(int))))
            if (!AskRetryAllocation()) return 0;
        int depth = 0;
        for (int i = 0; i < n; i++) {
            if (t[i] == L'[') depth++;
            else if (t[i] == L']' && depth > 0) depth--;
            minDepth[i] = depth;
        }
        minDepth[n] = depth;
        for (int i = n - 1; i >= 0; i--)
            if (minDepth[i + 1] < minDepth[i]) minDepth[i] = minDepth[i + 1];
    }

    int depth = 0, quoted = 0, itemStart = 0, ok = 1;
    for (int i = 0; i < n && ok; i++) {
        WCHAR c = t[i];
        if (c == kQuote) {
            if (i != lastQuote) quoted = !quoted;
        } else if (c == L'[') {
            depth++;
        } else if (c == L']') {
            if (depth > 0) depth--;
        } else if (c == kSeparator && !quoted && (!minDepth || depth <= minDepth[i])) {
            if (!EnsureOffsetCapacity(count_ + 1)) { ok = 0; break; }
            count_++;
            offsets_[count_] = i + 1;
            itemStart = i + 1;
        }
    }
    if (minDepth) LocalFree(minDepth);
    if (!ok) return 0;
    if (itemStart < n) {  // a last item without its separator: complete it
        text_.AppendChar(kSeparator);
        if (text_.GetLength() != n + 1 || !EnsureOffsetCapacity(count_ + 1)) return 0;
        count_++;
        offsets_[count_] = n + 1;
    }
    return 1;
}

int AIStringList::AssignJoined(const WCHAR* joined)
{
    if (joined == text_.GetText()) return Reparse();
    text_.AssignText(joined);
    return Reparse();
}

int AIStringList::AssignSplit(AIString& joined, const int* starts, int count)
{
    count_ = 0;
    cursor_ = 0;
    int length = joined.GetLength();
    text_.TakeText(joined);
    if (text_.GetLength() != length || !EnsureOffsetCapacity(count)) {
        Clear();
        return 0;
    }
    memcpy(offsets_, starts, (size_t)count * sizeof(int));
    offsets_[count] = length;
    count_ = count;
    return 1;
}

const WCHAR* AIStringList::ItemStart(int index) const
{
    if (index < 0 || index >= count_) return 0;
    return text_.GetText() + offsets_[index];
}

int AIStringList::ItemLength(int index) const
{
    if (index < 0 || index >= count_) return 0;
    return offsets_[index + 1] - offsets_[index] - 1;
}

int AIStringList::FindItemString(const WCHAR* text, int wholeItem) const
{
    int n = TextLength(text);
    for (int i = 0; i < count_; i++) {
        const WCHAR* item = ItemStart(i);
        int length = ItemLength(i);
        if (wholeItem) {
            if (length != n) continue;
            int k = 0;
            while (k < n && FoldChar(item[k]) == FoldChar(text[k])) k++;
            if (k == n) { ResultFlag = 1; return i; }
        } else {
            for (int at = 0; at + n <= length; at++) {
                int k = 0;
                while (k < n && FoldChar(item[at + k]) == FoldChar(text[k])) k++;
                if (k == n) { ResultFlag = 1; return i; }
            }
        }
    }
    ResultFlag = 0;
    return -1;
}

int AIStringList::FindItemExact(const WCHAR* text) const
{
    int n = TextLength(text);
    for (int i = 0; i < count_; i++)
        if (ItemLength(i) == n && memcmp(ItemStart(i), text, (size_t)n * sizeof(WCHAR)) == 0) {
            ResultFlag = 1;
            return i;
        }
    ResultFlag = 0;
    return -1;
}

int AIStringList::AddString(const WCHAR* text)
{
    if (!EnsureOffsetCapacity(count_ + 1)) return -1;
    int before = text_.GetLength();
    int n = TextLength(text);
    text_.AppendTextN(text, n).AppendChar(kSeparator);
    if (text_.GetLength() != before + n + 1) {  // out of memory: undo
        text_.SetLength(before);
        return -1;
    }
    count_++;
    offsets_[count_] = text_.GetLength();
    return count_ - 1;
}

// Replaces item index by text (null removes the item) and moves the offsets behind it.
int AIStringList::ReplaceRange(int index, const WCHAR* text, int length)
{
    if (index < 0 || index >= count_) { ResultFlag = 0; return 0; }
    int start = offsets_[index];
    int oldSpan = offsets_[index + 1] - start;  // item and its separator
    int newSpan = text ? length + 1 : 0;
    int delta = newSpan - oldSpan;
    int total = text_.GetLength();
    WCHAR* buffer = text_.GetBuffer(total + (delta > 0 ? delta : 0));
    if (!buffer) return 0;
    memmove(buffer + start + newSpan, buffer + start + oldSpan, (size_t)(total - start - oldSpan) * sizeof(WCHAR));
    if (text) {
        memcpy(buffer + start, text, (size_t)length * sizeof(WCHAR));
        buffer[start + length] = kSeparator;
    }
    text_.SetLength(total + delta);
    if (text) {
        for (int i = index + 1; i <= count_; i++) offsets_[i] += delta;
    } else {
        for (int i = index; i < count_; i++) offsets_[i] = offsets_[i + 1] + delta;
        count_--;
        if (cursor_ > index) cursor_--;
    }
    return 1;
}

int AIStringList::RemoveItem(int index) { return ReplaceRange(index, 0, 0); }

int AIStringList::SetItemText(int index, const WCHAR* text)
{
    return ReplaceRange(index, text ? text : L"", TextLength(text));
}

int AIStringList::SetItemInt(int index, int32_t value)
{
    AIString number;
    number.AssignInt(value);
    return ReplaceRange(index, number.GetText(), number.GetLength());
}

int AIStringList::CopyFrom(const AIStringList& other)
{
    if (&other == this) return 1;
    if (!EnsureOffsetCapacity(other.count_)) return 0;
    text_.Copy(other.text_);
    if (text_.GetLength() != other.text_.GetLength()) { Clear(); return 0; }
    if (other.offsets_) memcpy(offsets_, other.offsets_, (size_t)(other.count_ + 1) * sizeof(int));
    else offsets_[0] = 0;
    count_ = other.count_;
    cursor_ = 0;
    return 1;
}

int AIStringList::GetItemTextMode(int index, AIString& out, int mode) const
{
    out.AssignTextN(ItemStart(index), ItemLength(index));
    if (mode == 0) out.Trim(1, 1);
    return out.GetLength();
}

int AIStringList::HasNext()
{
    if (cursor_ < count_) return 1;
    cursor_ = 0;
    return 0;
}

int AIStringList::GetNext(AIString& out)
{
    if (cursor_ >= count_) { out.Clear(); return -1; }
    GetItemTextMode(cursor_, out, 1);
    return cursor_++;
}
