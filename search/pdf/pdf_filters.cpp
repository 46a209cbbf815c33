// PDF stream filters: the chain named by a stream's dictionary, undone step by
// step within a bound.
#include "search/pdf/pdf_filters.h"
#include "search/pdf/pdf_bytes.h"
#include "search/pdf/pdf_inflate.h"
#include "search/pdf/pdf_objects.h"
#include <string.h>

namespace {

struct FilterName {
    const char* name;
    PdfFilterKind kind;
};

// Full names and the abbreviations inline images use (some writers use them
// in stream dictionaries too).
const FilterName kFilterNames[] = {
    {"FlateDecode", kPdfFilterFlate},   {"Fl", kPdfFilterFlate},
    {"ASCIIHexDecode", kPdfFilterAsciiHex}, {"AHx", kPdfFilterAsciiHex},
    {"ASCII85Decode", kPdfFilterAscii85},   {"A85", kPdfFilterAscii85},
    {"LZWDecode", kPdfFilterLzw},       {"LZW", kPdfFilterLzw},
    {"RunLengthDecode", kPdfFilterRunLength}, {"RL", kPdfFilterRunLength},
};

bool LookupFilter(const uint8_t* name, size_t length, PdfFilterKind* kind)
{
    for (const FilterName& f : kFilterNames) {
        if (strlen(f.name) == length && memcmp(f.name, name, length) == 0) {
            *kind = f.kind;
            return true;
        }
    }
    return false;
}

int ClampedInteger(const uint8_t* begin, const uint8_t* end, const char* key, int fallback, int low, int high)
{
    const uint8_t* p = PdfFindKey(begin, end, key);
    int64_t value;
    if (!p || !PdfReadInteger(p, end, &value)) return fallback;
    if (value < low || value > high) return fallback;
    return int(value);
}

PdfFilterParams ReadParams(const uint8_t* begin, const uint8_t* end)
{
    PdfFilterParams params;
    params.predictor = ClampedInteger(begin, end, "/Predictor", 1, 1, 15);
    params.colors = ClampedInteger(begin, end, "/Colors", 1, 1, 32);
    params.bitsPerComponent = ClampedInteger(begin, end, "/BitsPerComponent", 8, 1, 16);
    params.columns = ClampedInteger(begin, end, "/Columns", 1, 1, 1000000);
    params.earlyChange = ClampedInteger(begin, end, "/EarlyChange", 1, 0, 1);
    return params;
}

// The value of /DecodeParms (or /DP): the dictionaries in order, nulls kept as empty.
size_t ReadParamDicts(const uint8_t* begin, const uint8_t* end, const uint8_t* dicts[][2], size_t max)
{
    const uint8_t* p = PdfFindKey(begin, end, "/DecodeParms");
    if (!p) p = PdfFindKey(begin, end, "/DP");
    if (!p) return 0;
    p = PdfSkipWhite(p, end);
    if (p + 1 < end && p[0] == '<' && p[1] == '<') {
        dicts[0][0] = p;
        dicts[0][1] = PdfSkipContainer(p, end);
        return 1;
    }
    if (p >= end || *p != '[') return 0;
    const uint8_t* stop = PdfSkipContainer(p, end);
    ++p;
    size_t count = 0;
    while (count < max) {
        p = PdfSkipWhite(p, stop);
        if (p >= stop || *p == ']') break;
        if (p + 1 < stop && p[0] == '<' && p[1] == '<') {
            dicts[count][0] = p;
            p = PdfSkipContainer(p, stop);
            dicts[count][1] = p;
        } else {
            dicts[count][0] = dicts[count][1] = nullptr;  // null, or a reference we do not follow
            while (p < stop && IsPdfRegular(*p)) ++p;
            if (p < stop && !IsPdfRegular(*p) && !IsPdfWhite(*p) && *p != '<' && *p != ']') ++p;
        }
        count++;
    }
    return count;
}

bool Grow(std::vector<uint8_t>* out, size_t more, size_t bound) { return out->size() + more <= bound; }

}  // namespace

PdfFilterChain ReadPdfFilterChain(const uint8_t* begin, const uint8_t* end)
{
    PdfFilterChain chain;
    const uint8_t* p = PdfFindKey(begin, end, "/Filter");
    if (!p) return chain;
    p = PdfSkipWhite(p, end);
    const uint8_t* stop = end;
    bool isArray = p < end && *p == '[';
    if (isArray) stop = PdfSkipContainer(p, end);
    else if (p >= end || *p != '/') {
        chain.status = kPdfChainUnknown;  // an indirect filter we do not follow
        return chain;
    }
    chain.status = kPdfChainKnown;
    while (p < stop && p < end) {
        if (*p == ']') break;
        if (*p != '/') {
            ++p;
            continue;
        }
        const uint8_t* name = ++p;
        while (p < end && IsPdfRegular(*p)) ++p;
        PdfFilterKind kind;
        if (chain.count == kPdfMaxFilterSteps || !LookupFilter(name, size_t(p - name), &kind)) {
            chain.status = kPdfChainUnknown;
            return chain;
        }
        chain.steps[chain.count++].kind = kind;
        if (!isArray) break;
    }
    if (chain.count == 0) {
        chain.status = kPdfChainNone;
        return chain;
    }
    const uint8_t* dicts[kPdfMaxFilterSteps][2];
    size_t given = ReadParamDicts(begin, end, dicts, kPdfMaxFilterSteps);
    if (given == 1 && chain.count > 1) {
        // One dictionary for a chain: it belongs to the step that has parameters.
        for (size_t i = chain.count; i-- > 0;) {
            PdfFilterKind k = chain.steps[i].kind;
            if (k == kPdfFilterFlate || k == kPdfFilterLzw) {
                chain.steps[i].params = ReadParams(dicts[0][0], dicts[0][1]);
                break;
            }
        }
    } else {
        for (size_t i = 0; i < given && i < chain.count; i++)
            if (dicts[i][0]) chain.steps[i].params = ReadParams(dicts[i][0], dicts[i][1]);
    }
    return chain;
}

int DecodeAsciiHex(const uint8_t* data, size_t size, size_t bound, std::vector<uint8_t>* out)
{
    out->clear();
    int high = -1;
    for (size_t i = 0; i < size; i++) {
        uint8_t c = data[i];
        if (c == '>') break;
        if (IsPdfWhite(c)) continue;
        int v = HexValue(c);
        if (v < 0) return kPdfDecodeDamaged;
        if (high < 0) {
            high = v;
            continue;
        }
        if (!Grow(out, 1, bound)) return kPdfDecodeTooLarge;
        out->push_back(uint8_t(high << 4 | v));
        high = -1;
    }
    if (high >= 0) {  // an odd digit count: the last digit is followed by 0
        if (!Grow(out, 1, bound)) return kPdfDecodeTooLarge;
        out->push_back(uint8_t(high << 4));
    }
    return kPdfDecodeOk;
}

int DecodeAscii85(const uint8_t* data, size_t size, size_t bound, std::vector<uint8_t>* out)
{
    out->clear();
    uint32_t group = 0;
    int digits = 0;
    size_t i = 0;
    if (size >= 2 && data[0] == '<' && data[1] == '~') i = 2;
    for (; i < size; i++) {
        uint8_t c = data[i];
        if (c == '~') break;  // "~>" ends the data
        if (IsPdfWhite(c)) continue;
        if (c == 'z' && digits == 0) {
            if (!Grow(out, 4, bound)) return kPdfDecodeTooLarge;
            out->insert(out->end(), 4, 0);
            continue;
        }
        if (c < '!' || c > 'u') return kPdfDecodeDamaged;
        uint64_t next = uint64_t(group) * 85 + (c - '!');
        if (next > 0xFFFFFFFFull) return kPdfDecodeDamaged;
        group = uint32_t(next);
        if (++digits == 5) {
            if (!Grow(out, 4, bound)) return kPdfDecodeTooLarge;
            for (int shift = 24; shift >= 0; shift -= 8) out->push_back(uint8_t(group >> shift));
            group = 0;
            digits = 0;
        }
    }
    if (digits == 1) return kPdfDecodeDamaged;
    if (digits > 1) {
        // A last group of n digits stands for n - 1 bytes: pad with 'u'.
        uint64_t padded = group;
        for (int d = digits; d < 5; d++) padded = padded * 85 + 84;
        if (padded > 0xFFFFFFFFull) return kPdfDecodeDamaged;
        if (!Grow(out, size_t(digits - 1), bound)) return kPdfDecodeTooLarge;
        for (int b = 0; b < digits - 1; b++) out->push_back(uint8_t(padded >> (24 - 8 * b)));
    }
    return kPdfDecodeOk;
}

int DecodeLzw(const uint8_t* data, size_t size, int earlyChange, size_t bound, std::vector<uint8_t>* out)
{
    out->clear();
    enum { kClear = 256, kEnd = 257, kFirstFree = 258, kMaxCodes = 4096 };
    // Each code is its prefix code and last byte; strings are written backwards.
    uint16_t prefix[kMaxCodes];
    uint8_t last[kMaxCodes];
    uint16_t length[kMaxCodes];
    for (int c = 0; c < 256; c++) {
        prefix[c] = 0;
        last[c] = uint8_t(c);
        length[c] = 1;
    }
    int next = kFirstFree, width = 9, previous = -1;
    uint32_t buffer = 0;
    int bits = 0;
    size_t i = 0;
    for (;;) {
        while (bits < width && i < size) {
            buffer = (buffer << 8) | data[i++];
            bits += 8;
        }
        if (bits < width) break;  // data ended without the end code: keep what was read
        int code = int((buffer >> (bits - width)) & ((1u << width) - 1));
        bits -= width;
        if (code == kClear) {
            next = kFirstFree;
            width = 9;
            previous = -1;
            continue;
        }
        if (code == kEnd) break;
        if (code > next || (code == next && previous < 0))
            return kPdfDecodeDamaged;
        int entry = code == next ? previous : code;
        size_t n = length[entry] + (code == next ? 1 : 0);
        if (!Grow(out, n, bound)) return kPdfDecodeTooLarge;
        size_t at = out->size();
        out->resize(at + n);
        uint8_t* w = out->data() + at + length[entry] - 1;
        for (int e = entry;; e = prefix[e]) {
            *w-- = last[e];
            if (length[e] == 1) break;
        }
        if (code == next) (*out)[at + n - 1] = (*out)[at];
        if (previous >= 0 && next < kMaxCodes) {
            prefix[next] = uint16_t(previous);
            last[next] = (*out)[at];
            length[next] = uint16_t(length[previous] + 1);
            next++;
        }
        previous = code;
        if (next + earlyChange >= (1 << width) && width < 12) width++;
    }
    return kPdfDecodeOk;
}

int DecodeRunLength(const uint8_t* data, size_t size, size_t bound, std::vector<uint8_t>* out)
{
    out->clear();
    size_t i = 0;
    while (i < size) {
        int n = data[i++];
        if (n == 128) break;
        if (n < 128) {
            size_t count = size_t(n) + 1;
            if (i + count > size) count = size - i;  // cut short: keep what is there
            if (!Grow(out, count, bound)) return kPdfDecodeTooLarge;
            out->insert(out->end(), data + i, data + i + count);
            i += count;
        } else {
            if (i >= size) break;
            size_t count = size_t(257 - n);
            if (!Grow(out, count, bound)) return kPdfDecodeTooLarge;
            out->insert(out->end(), count, data[i++]);
        }
    }
    return kPdfDecodeOk;
}

int UndoPredictor(const PdfFilterParams& params, std::vector<uint8_t>* bytes)
{
    if (params.predictor < 2) return kPdfDecodeOk;
    size_t bitsPerPixel = size_t(params.colors) * size_t(params.bitsPerComponent);
    size_t rowBytes = (size_t(params.columns) * bitsPerPixel + 7) / 8;
    size_t pixelBytes = (bitsPerPixel + 7) / 8;
    if (rowBytes == 0) return kPdfDecodeDamaged;
    std::vector<uint8_t>& b = *bytes;
    if (params.predictor == 2) {
        if (params.bitsPerComponent != 8) return kPdfDecodeOk;  // only whole bytes are told apart
        for (size_t row = 0; row + rowBytes <= b.size(); row += rowBytes)
            for (size_t x = pixelBytes; x < rowBytes; x++) b[row + x] = uint8_t(b[row + x] + b[row + x - pixelBytes]);
        return kPdfDecodeOk;
    }
    // PNG: each row starts with its own predictor byte; rows are undone in place.
    std::vector<uint8_t> previous(rowBytes, 0);
    size_t in = 0, outAt = 0;
    while (in + 1 <= b.size()) {
        int type = b[in++];
        size_t n = rowBytes;
        if (in + n > b.size()) n = b.size() - in;  // a last row cut short
        uint8_t* row = b.data() + outAt;
        memmove(row, b.data() + in, n);
        for (size_t x = 0; x < n; x++) {
            int left = x >= pixelBytes ? row[x - pixelBytes] : 0;
            int up = previous[x];
            int upLeft = x >= pixelBytes ? previous[x - pixelBytes] : 0;
            int add = 0;
            switch (type) {
            case 0: break;
            case 1: add = left; break;
            case 2: add = up; break;
            case 3: add = (left + up) / 2; break;
            case 4: {
                int pa = up - upLeft, pb = left - upLeft;
                int pc = pa + pb;
                pa = pa < 0 ? -pa : pa;
                pb = pb < 0 ? -pb : pb;
                pc = pc < 0 ? -pc : pc;
                add = (pa <= pb && pa <= pc) ? left : (pb <= pc ? up : upLeft);
                break;
            }
            default: return kPdfDecodeDamaged;
            }
            row[x] = uint8_t(row[x] + add);
        }
        memcpy(previous.data(), row, n);
        in += n;
        outAt += n;
    }
    b.resize(outAt);
    return kPdfDecodeOk;
}

int DecodePdfStream(const uint8_t* data, size_t size, const PdfFilterChain& chain, size_t bound,
                    std::vector<uint8_t>* out)
{
    out->clear();
    if (chain.status == kPdfChainUnknown) return kPdfDecodeDamaged;
    std::vector<uint8_t> input(data, data + size), step;
    for (size_t i = 0; i < chain.count; i++) {
        const PdfFilterStep& s = chain.steps[i];
        int rc = kPdfDecodeOk;
        switch (s.kind) {
        case kPdfFilterFlate: {
            int inflated = InflateBounded(input.data(), input.size(), bound, &step);
            rc = inflated == kInflateOk ? kPdfDecodeOk
                                        : (inflated == kInflateTooLarge ? kPdfDecodeTooLarge : kPdfDecodeDamaged);
            break;
        }
        case kPdfFilterAsciiHex: rc = DecodeAsciiHex(input.data(), input.size(), bound, &step); break;
        case kPdfFilterAscii85: rc = DecodeAscii85(input.data(), input.size(), bound, &step); break;
        case kPdfFilterLzw: rc = DecodeLzw(input.data(), input.size(), s.params.earlyChange, bound, &step); break;
        case kPdfFilterRunLength: rc = DecodeRunLength(input.data(), input.size(), bound, &step); break;
        }
        if (rc != kPdfDecodeOk) return rc;
        if (s.kind == kPdfFilterFlate || s.kind == kPdfFilterLzw) {
            rc = UndoPredictor(s.params, &step);
            if (rc != kPdfDecodeOk) return rc;
        }
        input.swap(step);
    }
    out->swap(input);
    return kPdfDecodeOk;
}
