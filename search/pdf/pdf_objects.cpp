// Object index and dictionary reading for the PDF text reader.
#include "search/pdf/pdf_objects.h"
#include "search/pdf/pdf_bytes.h"
#include <algorithm>
#include <string.h>

namespace {

bool LessNumber(const PdfObject& a, const PdfObject& b) { return a.number < b.number; }

// At p stands "obj": reads "N G " before it; true with the number.
bool ReadHeaderBefore(const uint8_t* data, const uint8_t* p, uint32_t* number)
{
    const uint8_t* q = p;
    if (q == data || !IsPdfWhite(q[-1])) return false;
    while (q > data && IsPdfWhite(q[-1])) --q;
    const uint8_t* genEnd = q;
    while (q > data && q[-1] >= '0' && q[-1] <= '9') --q;
    if (q == genEnd || q == data || !IsPdfWhite(q[-1])) return false;
    while (q > data && IsPdfWhite(q[-1])) --q;
    const uint8_t* numEnd = q;
    while (q > data && q[-1] >= '0' && q[-1] <= '9') --q;
    if (q == numEnd || numEnd - q > 9) return false;
    if (q > data && IsPdfRegular(q[-1])) return false;
    uint32_t n = 0;
    for (const uint8_t* d = q; d < numEnd; d++) n = n * 10 + uint32_t(*d - '0');
    *number = n;
    return true;
}

}  // namespace

void PdfObjectIndex::AddFileObjects(const uint8_t* data, size_t size)
{
    const uint8_t* p = data;
    const uint8_t* end = data + size;
    // The next "endobj" and "stream" are found once and reused until passed,
    // so a file of many headers and no ends costs one pass, not one per header.
    const uint8_t* nextEndobj = nullptr;
    const uint8_t* nextStream = nullptr;
    while (p < end && fileObjects_.size() < kPdfMaxObjects) {
        int64_t at = FindBytes(p, size_t(end - p), "obj");
        if (at < 0) break;
        const uint8_t* hit = p + at;
        p = hit + 3;
        uint32_t number;
        if (p < end && IsPdfRegular(*p)) continue;  // "objects", "obj1"
        if (!ReadHeaderBefore(data, hit, &number)) continue;
        if (!fileObjects_.empty()) {
            PdfObject& previous = fileObjects_.back();
            if (previous.end > hit) previous.end = hit;
        }
        if (!nextEndobj || nextEndobj < p) {
            int64_t at2 = FindBytes(p, size_t(end - p), "endobj");
            nextEndobj = at2 < 0 ? end : p + at2;
        }
        if (!nextStream || nextStream < p) {
            int64_t at2 = FindBytes(p, size_t(end - p), "stream");
            nextStream = at2 < 0 ? end : p + at2;
        }
        const uint8_t* bodyEnd = nextEndobj < nextStream ? nextEndobj : nextStream;
        fileObjects_.push_back(PdfObject{number, p, bodyEnd});
    }
}

void PdfObjectIndex::AddStreamObjects(const uint8_t* data, size_t size, int64_t count, int64_t first)
{
    const uint8_t* end = data + size;
    if (first < 0 || first > int64_t(size) || count <= 0) return;
    const uint8_t* p = data;
    const uint8_t* objects = data + first;
    std::vector<PdfObject> found;
    for (int64_t i = 0; i < count && byNumber_.size() + found.size() < kPdfMaxObjects; i++) {
        int64_t number, offset;
        p = PdfSkipWhite(p, objects);
        if (!PdfReadInteger(p, objects, &number)) break;
        while (p < objects && *p >= '0' && *p <= '9') ++p;
        p = PdfSkipWhite(p, objects);
        if (!PdfReadInteger(p, objects, &offset)) break;
        while (p < objects && *p >= '0' && *p <= '9') ++p;
        if (number < 0 || number > 0x7FFFFFFF || offset < 0 || offset > int64_t(end - objects)) break;
        found.push_back(PdfObject{uint32_t(number), objects + offset, end});
    }
    for (size_t i = 0; i + 1 < found.size(); i++)
        if (found[i + 1].begin >= found[i].begin) found[i].end = found[i + 1].begin;
    byNumber_.insert(byNumber_.end(), found.begin(), found.end());
}

void PdfObjectIndex::Finish()
{
    // Object-stream objects were added first; file objects after them win, and
    // of those the later (an incremental update) wins.
    byNumber_.insert(byNumber_.end(), fileObjects_.begin(), fileObjects_.end());
    std::stable_sort(byNumber_.begin(), byNumber_.end(), LessNumber);
}

const PdfObject* PdfObjectIndex::Find(uint32_t number) const
{
    PdfObject key{number, nullptr, nullptr};
    auto it = std::upper_bound(byNumber_.begin(), byNumber_.end(), key, LessNumber);
    if (it == byNumber_.begin()) return nullptr;
    --it;
    return it->number == number ? &*it : nullptr;
}

const PdfObject* PdfObjectIndex::Enclosing(const uint8_t* position) const
{
    size_t lo = 0, hi = fileObjects_.size();
    while (lo < hi) {
        size_t mid = (lo + hi) / 2;
        if (fileObjects_[mid].begin <= position)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo ? &fileObjects_[lo - 1] : nullptr;
}

const uint8_t* PdfSkipWhite(const uint8_t* p, const uint8_t* end)
{
    while (p < end) {
        if (IsPdfWhite(*p)) {
            ++p;
        } else if (*p == '%') {
            while (p < end && *p != '\n' && *p != '\r') ++p;
        } else {
            break;
        }
    }
    return p;
}

const uint8_t* PdfFindKey(const uint8_t* begin, const uint8_t* end, const char* key)
{
    size_t n = strlen(key);
    const uint8_t* p = begin;
    while (p < end) {
        int64_t at = FindBytes(p, size_t(end - p), key);
        if (at < 0) return nullptr;
        p += at + n;
        if (p >= end || !IsPdfRegular(*p)) return p;
    }
    return nullptr;
}

bool PdfReadInteger(const uint8_t* p, const uint8_t* end, int64_t* value)
{
    p = PdfSkipWhite(p, end);
    int64_t v = 0;
    int digits = 0;
    while (p < end && *p >= '0' && *p <= '9' && digits < 18) {
        v = v * 10 + (*p++ - '0');
        ++digits;
    }
    if (!digits) return false;
    *value = v;
    return true;
}

bool PdfReadReference(const uint8_t* p, const uint8_t* end, uint32_t* number)
{
    int64_t n, g;
    p = PdfSkipWhite(p, end);
    if (!PdfReadInteger(p, end, &n)) return false;
    while (p < end && *p >= '0' && *p <= '9') ++p;
    p = PdfSkipWhite(p, end);
    if (!PdfReadInteger(p, end, &g)) return false;
    while (p < end && *p >= '0' && *p <= '9') ++p;
    p = PdfSkipWhite(p, end);
    if (p >= end || *p != 'R' || n > 0x7FFFFFFF) return false;
    *number = uint32_t(n);
    return true;
}

const uint8_t* PdfSkipLiteralString(const uint8_t* p, const uint8_t* end)
{
    int depth = 0;
    while (p < end) {
        uint8_t c = *p++;
        if (c == '\\') {
            if (p < end) ++p;
        } else if (c == '(') {
            ++depth;
        } else if (c == ')') {
            if (--depth == 0) return p;
        }
    }
    return end;
}

const uint8_t* PdfSkipContainer(const uint8_t* p, const uint8_t* end)
{
    int depth = 0;
    while (p < end) {
        uint8_t c = *p;
        if (c == '(') {
            p = PdfSkipLiteralString(p, end);
            continue;
        }
        if (c == '%') {
            p = PdfSkipWhite(p, end);
            continue;
        }
        if (c == '<' && p + 1 < end && p[1] == '<') {
            ++depth;
            p += 2;
        } else if (c == '>' && p + 1 < end && p[1] == '>') {
            p += 2;
            if (--depth <= 0) return p;
        } else if (c == '[') {
            ++depth;
            ++p;
        } else if (c == ']') {
            ++p;
            if (--depth <= 0) return p;
        } else {
            ++p;
        }
    }
    return end;
}
