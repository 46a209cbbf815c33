// PDF text extraction over bytes: streams, fonts and page contents.
#include "search/pdf/pdf_extract.h"
#include "search/pdf/pdf_bytes.h"
#include "search/pdf/pdf_content_scanner.h"
#include "search/pdf/pdf_font_map.h"
#include "search/pdf/pdf_filters.h"
#include "search/pdf/pdf_objects.h"
#include "search/pdf/pdf_tidy.h"
#include <algorithm>
#include <memory>
#include <unordered_set>
#include <stdlib.h>
#include <string.h>

namespace {

enum StreamKind { kStreamContent, kStreamObjects, kStreamOther };

struct StreamInfo {
    const uint8_t* dictBegin;  // null when no object header was found
    const uint8_t* dictEnd;
    const uint8_t* dataBegin;
    const uint8_t* dataEnd;
    uint32_t number;
    StreamKind kind;
    PdfFilterChain filters;
};

struct FontName {
    const uint8_t* name;
    size_t length;
    uint32_t number;
    std::unique_ptr<PdfFontMap> map;  // read at the first use
};

// The name after a key ("/Type /ObjStm" gives "ObjStm"): true when it is value.
bool NameIs(const uint8_t* begin, const uint8_t* end, const char* key, const char* value)
{
    const uint8_t* p = PdfFindKey(begin, end, key);
    if (!p) return false;
    p = PdfSkipWhite(p, end);
    if (p >= end || *p != '/') return false;
    const uint8_t* name = ++p;
    while (p < end && IsPdfRegular(*p)) ++p;
    size_t n = strlen(value);
    return size_t(p - name) == n && memcmp(name, value, n) == 0;
}

// The number at p (after blanks), or the fallback.
double NumberAt(const uint8_t* p, const uint8_t* end, double fallback)
{
    double value;
    const uint8_t* next;
    p = PdfSkipWhite(p, end);
    return p < end && ParsePdfNumber(p, end, &value, &next) ? value : fallback;
}

StreamKind ReadKind(const uint8_t* begin, const uint8_t* end)
{
    if (NameIs(begin, end, "/Type", "ObjStm")) return kStreamObjects;
    if (NameIs(begin, end, "/Type", "XRef") || NameIs(begin, end, "/Type", "Metadata") ||
        NameIs(begin, end, "/Type", "EmbeddedFile") || NameIs(begin, end, "/Subtype", "Image") ||
        NameIs(begin, end, "/Subtype", "Type1C") || NameIs(begin, end, "/Subtype", "CIDFontType0C") ||
        NameIs(begin, end, "/Subtype", "OpenType") || PdfFindKey(begin, end, "/Length1") ||
        PdfFindKey(begin, end, "/Length2") || PdfFindKey(begin, end, "/Length3"))
        return kStreamOther;
    return kStreamContent;
}

class PdfDocument {
public:
    PdfDocument(const uint8_t* data, size_t size, const PdfExtractLimits& limits, PdfExtractResult* result)
        : data_(data), end_(data + size), limits_(limits), result_(result)
    {}

    void Run();

private:
    void FindStreams();
    void IndexObjectStreams();
    void CollectFontNames();
    void AddFontDict(const uint8_t* p, const uint8_t* end);
    // The unpacked bytes of a stream into *buffer (or the stream itself when
    // it is not compressed); false when it is skipped.
    bool StreamBytes(const StreamInfo& stream, std::vector<uint8_t>* buffer, const uint8_t** bytes,
                     size_t* size);
    const StreamInfo* StreamOfObject(uint32_t number) const;
    // The streams to read, pages first in the page tree's order.
    std::vector<const StreamInfo*> StreamsInPageOrder() const;
    void AddPageTree(uint32_t node, int depth, std::unordered_set<uint32_t>* seen,
                     std::vector<const StreamInfo*>* out) const;
    void AddContents(const uint8_t* value, const uint8_t* end, std::vector<const StreamInfo*>* out) const;
    PdfFontMap* ReadFont(uint32_t number);
    void ReadWidths(const PdfObject& font, bool composite, PdfFontMap* map);
    // The descendant CIDFont's dictionary of a composite font.
    bool DescendantFont(const PdfObject& font, const uint8_t** begin, const uint8_t** end) const;
    // A composite font's codes without a ToUnicode map: CIDs of a character
    // collection under an Identity encoding, characters under a Unicode one.
    void ReadCompositeEncoding(const PdfObject& font, PdfFontMap* map);
    void ApplyBuiltinEncoding(const PdfObject& font, const uint8_t* encoding, PdfFontMap* map);
    // The value of a key, followed to its object when it is a reference.
    bool ValueOf(const uint8_t* begin, const uint8_t* end, const char* key, const uint8_t** value,
                 const uint8_t** valueEnd) const;
    static const PdfFontMap* LookupFont(void* context, const uint8_t* name, size_t length);

    const uint8_t* data_;
    const uint8_t* end_;
    const PdfExtractLimits& limits_;
    PdfExtractResult* result_;
    PdfObjectIndex index_;
    std::vector<StreamInfo> streams_;          // in file order
    std::vector<const StreamInfo*> byNumber_;  // streams with an object number, sorted
    std::vector<std::vector<uint8_t>> objectStreams_;
    std::vector<FontName> fonts_;
    std::vector<uint32_t> cmapObjects_;  // ToUnicode streams: not page content
};

void PdfDocument::FindStreams()
{
    const uint8_t* p = data_;
    while (p < end_) {
        int64_t at = FindBytes(p, size_t(end_ - p), "stream");
        if (at < 0) break;
        const uint8_t* hit = p + at;
        p = hit + 6;
        if (hit - data_ >= 3 && memcmp(hit - 3, "end", 3) == 0) continue;
        const uint8_t* before = hit;
        while (before > data_ && IsPdfWhite(before[-1])) --before;
        if (before == data_ || before[-1] != '>') continue;  // "stream" inside text, not a keyword
        const uint8_t* dataBegin = p;
        if (dataBegin < end_ && *dataBegin == '\r') ++dataBegin;
        if (dataBegin < end_ && *dataBegin == '\n') ++dataBegin;
        int64_t close = FindBytes(dataBegin, size_t(end_ - dataBegin), "endstream");
        const uint8_t* dataEnd = close < 0 ? end_ : dataBegin + close;
        p = close < 0 ? end_ : dataEnd + 9;
        if (dataEnd > dataBegin && dataEnd[-1] == '\n') --dataEnd;
        if (dataEnd > dataBegin && dataEnd[-1] == '\r') --dataEnd;
        StreamInfo info{nullptr, nullptr, dataBegin, dataEnd, 0, kStreamContent, {}};
        // A stream whose dictionary cannot be found is most likely compressed.
        info.filters.status = kPdfChainKnown;
        info.filters.steps[0].kind = kPdfFilterFlate;
        info.filters.count = 1;
        const PdfObject* object = index_.Enclosing(hit);
        if (object && object->begin < hit) {
            info.dictBegin = object->begin;
            info.dictEnd = hit;
            info.number = object->number;
            info.kind = ReadKind(info.dictBegin, info.dictEnd);
            info.filters = ReadPdfFilterChain(info.dictBegin, info.dictEnd);
            // A direct /Length that ends right before "endstream" is the data's
            // true end: its last byte may itself be a line end.
            const uint8_t* lengthAt = PdfFindKey(info.dictBegin, info.dictEnd, "/Length");
            uint32_t lengthRef;
            int64_t length;
            if (close >= 0 && lengthAt && !PdfReadReference(lengthAt, info.dictEnd, &lengthRef) &&
                PdfReadInteger(lengthAt, info.dictEnd, &length) && length >= 0 && length <= close) {
                const uint8_t* after = dataBegin + length;
                while (after < dataBegin + close && IsPdfWhite(*after)) ++after;
                if (after == dataBegin + close) info.dataEnd = dataBegin + length;
            }
        }
        streams_.push_back(info);
    }
    for (const StreamInfo& s : streams_)
        if (s.dictBegin) byNumber_.push_back(&s);
    std::stable_sort(byNumber_.begin(), byNumber_.end(),
                     [](const StreamInfo* a, const StreamInfo* b) { return a->number < b->number; });
}

const StreamInfo* PdfDocument::StreamOfObject(uint32_t number) const
{
    auto it = std::upper_bound(byNumber_.begin(), byNumber_.end(), number,
                               [](uint32_t n, const StreamInfo* s) { return n < s->number; });
    if (it == byNumber_.begin()) return nullptr;
    --it;
    return (*it)->number == number ? *it : nullptr;
}

bool PdfDocument::StreamBytes(const StreamInfo& stream, std::vector<uint8_t>* buffer, const uint8_t** bytes,
                              size_t* size)
{
    size_t length = size_t(stream.dataEnd - stream.dataBegin);
    if (stream.filters.status == kPdfChainUnknown || length > limits_.maxStreamBytes) return false;
    if (stream.filters.status == kPdfChainNone) {
        *bytes = stream.dataBegin;
        *size = length;
        return true;
    }
    size_t bound = length * limits_.inflateFactor;
    if (bound < limits_.inflateFloor) bound = limits_.inflateFloor;
    if (bound > limits_.maxInflatedBytes) bound = limits_.maxInflatedBytes;
    if (DecodePdfStream(stream.dataBegin, length, stream.filters, bound, buffer) != kPdfDecodeOk) return false;
    *bytes = buffer->data();
    *size = buffer->size();
    return true;
}

void PdfDocument::IndexObjectStreams()
{
    size_t kept = 0;
    for (const StreamInfo& s : streams_) {
        if (s.kind != kStreamObjects) continue;
        std::vector<uint8_t> buffer;
        const uint8_t* bytes;
        size_t size;
        if (!StreamBytes(s, &buffer, &bytes, &size) || kept + size > limits_.maxObjectStreamBytes) {
            result_->streamsSkipped++;
            continue;
        }
        int64_t count = 0, first = 0;
        const uint8_t* n = PdfFindKey(s.dictBegin, s.dictEnd, "/N");
        const uint8_t* f = PdfFindKey(s.dictBegin, s.dictEnd, "/First");
        if (!n || !f || !PdfReadInteger(n, s.dictEnd, &count) || !PdfReadInteger(f, s.dictEnd, &first))
            continue;
        if (buffer.empty()) buffer.assign(bytes, bytes + size);
        kept += size;
        objectStreams_.push_back(std::move(buffer));
        const std::vector<uint8_t>& held = objectStreams_.back();
        index_.AddStreamObjects(held.data(), held.size(), count, first);
    }
}

void PdfDocument::AddFontDict(const uint8_t* p, const uint8_t* end)
{
    p = PdfSkipWhite(p, end);
    if (p + 1 >= end || p[0] != '<' || p[1] != '<') return;
    const uint8_t* close = PdfSkipContainer(p, end);
    p += 2;
    while (p < close) {
        p = PdfSkipWhite(p, close);
        if (p >= close || *p != '/') break;
        const uint8_t* name = ++p;
        while (p < close && IsPdfRegular(*p)) ++p;
        size_t length = size_t(p - name);
        uint32_t number;
        if (!PdfReadReference(p, close, &number)) break;
        p = static_cast<const uint8_t*>(memchr(p, 'R', size_t(close - p)));
        if (!p) break;
        ++p;
        bool known = false;
        for (const FontName& f : fonts_)
            known = known || (f.length == length && memcmp(f.name, name, length) == 0);
        if (!known && fonts_.size() < kPdfMaxCodeRuns)
            fonts_.push_back(FontName{name, length, number, nullptr});
    }
}

void PdfDocument::CollectFontNames()
{
    for (const PdfObject& object : index_.All()) {
        const uint8_t* p = object.begin;
        while ((p = PdfFindKey(p, object.end, "/Font")) != nullptr) {
            const uint8_t* value = PdfSkipWhite(p, object.end);
            uint32_t number;
            if (value < object.end && *value == '<') {
                AddFontDict(value, object.end);
            } else if (PdfReadReference(value, object.end, &number)) {
                const PdfObject* dict = index_.Find(number);
                if (dict) AddFontDict(dict->begin, dict->end);
            }
        }
    }
    for (const FontName& f : fonts_) {
        const PdfObject* font = index_.Find(f.number);
        const uint8_t* p = font ? PdfFindKey(font->begin, font->end, "/ToUnicode") : nullptr;
        uint32_t number;
        if (p && PdfReadReference(p, font->end, &number)) cmapObjects_.push_back(number);
    }
    std::sort(cmapObjects_.begin(), cmapObjects_.end());
}

PdfFontMap* PdfDocument::ReadFont(uint32_t number)
{
    PdfFontMap* map = new PdfFontMap;
    PdfFontMapInitSimple(map);
    const PdfObject* font = index_.Find(number);
    if (!font) return map;
    bool composite = NameIs(font->begin, font->end, "/Subtype", "Type0");
    if (composite) {
        map->codeBytes = 2;
        map->known = false;
        ReadCompositeEncoding(*font, map);
    }
    const uint8_t* encoding = PdfFindKey(font->begin, font->end, "/Encoding");
    uint32_t ref;
    if (!composite) ApplyBuiltinEncoding(*font, encoding, map);
    if (!composite && encoding) {
        const uint8_t* begin = encoding;
        const uint8_t* end = font->end;
        if (PdfReadReference(encoding, font->end, &ref)) {
            const PdfObject* object = index_.Find(ref);
            begin = object ? object->begin : nullptr;
            end = object ? object->end : nullptr;
        }
        const uint8_t* differences = begin ? PdfFindKey(begin, end, "/Differences") : nullptr;
        if (differences) {
            differences = PdfSkipWhite(differences, end);
            if (differences < end && *differences == '[')
                PdfFontMapApplyDifferences(map, differences + 1, end);
        }
    }
    const uint8_t* toUnicode = PdfFindKey(font->begin, font->end, "/ToUnicode");
    const StreamInfo* cmap =
        toUnicode && PdfReadReference(toUnicode, font->end, &ref) ? StreamOfObject(ref) : nullptr;
    std::vector<uint8_t> buffer;
    const uint8_t* bytes;
    size_t size;
    if (cmap && StreamBytes(*cmap, &buffer, &bytes, &size)) {
        PdfFontMapReadCmap(map, bytes, size);
        map->codeBytes = composite ? 2 : 1;
        if (!map->runs.empty()) map->known = true;
    }
    ReadWidths(*font, composite, map);
    return map;
}

bool PdfDocument::DescendantFont(const PdfObject& font, const uint8_t** begin, const uint8_t** end) const
{
    const uint8_t *value, *valueEnd;
    if (!ValueOf(font.begin, font.end, "/DescendantFonts", &value, &valueEnd)) return false;
    if (*value == '[') value = PdfSkipWhite(value + 1, valueEnd);
    *begin = value;
    *end = valueEnd;
    uint32_t ref;
    if (!PdfReadReference(value, valueEnd, &ref)) return true;
    const PdfObject* object = index_.Find(ref);
    if (!object) return false;
    *begin = object->begin;
    *end = object->end;
    return true;
}

void PdfDocument::ReadCompositeEncoding(const PdfObject& font, PdfFontMap* map)
{
    const uint8_t *value, *valueEnd;
    if (!ValueOf(font.begin, font.end, "/Encoding", &value, &valueEnd) || *value != '/') return;
    const uint8_t* name = value + 1;
    const uint8_t* p = name;
    while (p < valueEnd && IsPdfRegular(*p)) ++p;
    size_t length = size_t(p - name);
    map->vertical = length >= 2 && name[length - 2] == '-' && name[length - 1] == 'V';
    if (length >= 3 && memcmp(name, "Uni", 3) == 0 &&
        (FindBytes(name, length, "UCS2") >= 0 || FindBytes(name, length, "UTF16") >= 0)) {
        map->unicodeCodes = true;
        map->known = true;
        return;
    }
    if (length < 9 || memcmp(name, "Identity-", 9) != 0) return;
    const uint8_t *cid, *cidEnd, *info, *infoEnd;
    if (!DescendantFont(font, &cid, &cidEnd) || !ValueOf(cid, cidEnd, "/CIDSystemInfo", &info, &infoEnd)) return;
    const uint8_t* ordering = PdfFindKey(info, infoEnd, "/Ordering");
    ordering = ordering ? PdfSkipWhite(ordering, infoEnd) : nullptr;
    if (!ordering || ordering >= infoEnd || *ordering != '(') return;
    const uint8_t* close = PdfSkipLiteralString(ordering, infoEnd);
    if (close - ordering < 2 || close[-1] != ')') return;
    map->cids = PdfFindCidCollection(ordering + 1, size_t(close - ordering - 2));
    if (map->cids) map->known = true;
}

bool PdfDocument::ValueOf(const uint8_t* begin, const uint8_t* end, const char* key, const uint8_t** value,
                          const uint8_t** valueEnd) const
{
    const uint8_t* p = PdfFindKey(begin, end, key);
    if (!p) return false;
    uint32_t ref;
    if (PdfReadReference(p, end, &ref)) {
        const PdfObject* object = index_.Find(ref);
        if (!object) return false;
        *value = PdfSkipWhite(object->begin, object->end);
        *valueEnd = object->end;
        return true;
    }
    *value = PdfSkipWhite(p, end);
    *valueEnd = end;
    return *value < end;
}

// A simple font that names no base encoding starts from its embedded Type1
// program's own (TeX's math fonts draw "." as code 58, for one).
void PdfDocument::ApplyBuiltinEncoding(const PdfObject& font, const uint8_t* encoding, PdfFontMap* map)
{
    if (encoding) {
        const uint8_t *value, *valueEnd;
        if (!ValueOf(font.begin, font.end, "/Encoding", &value, &valueEnd)) return;
        if (*value == '/') return;  // a named encoding
        if (PdfFindKey(value, valueEnd, "/BaseEncoding")) return;
    }
    const uint8_t *descriptor, *descriptorEnd;
    if (!ValueOf(font.begin, font.end, "/FontDescriptor", &descriptor, &descriptorEnd)) return;
    const uint8_t* file = PdfFindKey(descriptor, descriptorEnd, "/FontFile");
    uint32_t ref;
    const StreamInfo* program = file && PdfReadReference(file, descriptorEnd, &ref) ? StreamOfObject(ref) : nullptr;
    std::vector<uint8_t> buffer;
    const uint8_t* bytes;
    size_t size;
    if (program && StreamBytes(*program, &buffer, &bytes, &size)) PdfFontMapApplyType1Encoding(map, bytes, size);
}

void PdfDocument::ReadWidths(const PdfObject& font, bool composite, PdfFontMap* map)
{
    const uint8_t *value, *valueEnd;
    if (composite) {
        // The descendant font holds the widths: /W over /DW.
        const uint8_t *cid, *cidEnd;
        if (!DescendantFont(font, &cid, &cidEnd)) return;
        const uint8_t* dw = PdfFindKey(cid, cidEnd, "/DW");
        float defaultWidth = float(dw ? NumberAt(dw, cidEnd, 1000) : 1000);
        if (ValueOf(cid, cidEnd, "/W", &value, &valueEnd) && *value == '[')
            PdfWidthsReadComposite(&map->widths, value + 1, PdfSkipContainer(value, valueEnd), defaultWidth);
        else
            PdfWidthsReadComposite(&map->widths, value, value, defaultWidth);
        return;
    }
    if (ValueOf(font.begin, font.end, "/Widths", &value, &valueEnd) && *value == '[') {
        const uint8_t* first = PdfFindKey(font.begin, font.end, "/FirstChar");
        float missing = 0;
        const uint8_t *descriptor, *descriptorEnd;
        if (ValueOf(font.begin, font.end, "/FontDescriptor", &descriptor, &descriptorEnd)) {
            const uint8_t* m = PdfFindKey(descriptor, descriptorEnd, "/MissingWidth");
            if (m) missing = float(NumberAt(m, descriptorEnd, 0));
        }
        PdfWidthsReadSimple(&map->widths, value + 1, PdfSkipContainer(value, valueEnd),
                            int64_t(first ? NumberAt(first, font.end, 0) : 0), missing);
        // A Type3 font's widths are in its own glyph space.
        const uint8_t* matrix = NameIs(font.begin, font.end, "/Subtype", "Type3")
                                    ? PdfFindKey(font.begin, font.end, "/FontMatrix")
                                    : nullptr;
        matrix = matrix ? PdfSkipWhite(matrix, font.end) : nullptr;
        if (matrix && matrix < font.end && *matrix == '[') {
            double scale = NumberAt(matrix + 1, font.end, 0.001) * 1000;
            for (float& w : map->widths.simple) w = float(w * scale);
        }
        return;
    }
    if (ValueOf(font.begin, font.end, "/BaseFont", &value, &valueEnd) && *value == '/') {
        const uint8_t* name = value + 1;
        const uint8_t* p = name;
        while (p < valueEnd && IsPdfRegular(*p)) ++p;
        PdfWidthsFromStandardFont(&map->widths, name, size_t(p - name), map->simple);
    }
}

const PdfFontMap* PdfDocument::LookupFont(void* context, const uint8_t* name, size_t length)
{
    PdfDocument* self = static_cast<PdfDocument*>(context);
    for (FontName& f : self->fonts_) {
        if (f.length != length || memcmp(f.name, name, length) != 0) continue;
        if (!f.map) f.map.reset(self->ReadFont(f.number));
        return f.map.get();
    }
    return nullptr;
}

enum { kMaxPageTreeDepth = 64, kMaxPageTreeNodes = 200000 };

void PdfDocument::AddContents(const uint8_t* value, const uint8_t* end, std::vector<const StreamInfo*>* out) const
{
    value = PdfSkipWhite(value, end);
    uint32_t ref;
    if (PdfReadReference(value, end, &ref)) {
        const StreamInfo* stream = StreamOfObject(ref);
        if (stream) {
            out->push_back(stream);
            return;
        }
        // A reference to an array of streams.
        const PdfObject* object = index_.Find(ref);
        if (!object) return;
        value = PdfSkipWhite(object->begin, object->end);
        end = object->end;
    }
    if (value >= end || *value != '[') return;
    const uint8_t* close = PdfSkipContainer(value, end);
    for (const uint8_t* p = value + 1; p < close;) {
        p = PdfSkipWhite(p, close);
        if (!PdfReadReference(p, close, &ref)) break;
        const StreamInfo* stream = StreamOfObject(ref);
        if (stream) out->push_back(stream);
        // Past "N G R".
        for (int parts = 0; parts < 3 && p < close; parts++) {
            p = PdfSkipWhite(p, close);
            while (p < close && IsPdfRegular(*p)) ++p;
        }
    }
}

void PdfDocument::AddPageTree(uint32_t node, int depth, std::unordered_set<uint32_t>* seen,
                              std::vector<const StreamInfo*>* out) const
{
    if (depth > kMaxPageTreeDepth || seen->size() > kMaxPageTreeNodes) return;
    if (!seen->insert(node).second) return;  // a loop in a damaged tree
    const PdfObject* object = index_.Find(node);
    if (!object) return;
    const uint8_t* kids = PdfFindKey(object->begin, object->end, "/Kids");
    if (kids) {
        const uint8_t* p = PdfSkipWhite(kids, object->end);
        if (p >= object->end || *p != '[') return;
        const uint8_t* close = PdfSkipContainer(p, object->end);
        uint32_t ref;
        for (++p; p < close;) {
            p = PdfSkipWhite(p, close);
            if (!PdfReadReference(p, close, &ref)) break;
            AddPageTree(ref, depth + 1, seen, out);
            for (int parts = 0; parts < 3 && p < close; parts++) {
                p = PdfSkipWhite(p, close);
                while (p < close && IsPdfRegular(*p)) ++p;
            }
        }
        return;
    }
    const uint8_t* contents = PdfFindKey(object->begin, object->end, "/Contents");
    if (contents) AddContents(contents, object->end, out);
}

std::vector<const StreamInfo*> PdfDocument::StreamsInPageOrder() const
{
    std::vector<const StreamInfo*> ordered;
    // The catalog the last /Root names (an update's trailer comes last).
    uint32_t root = 0;
    bool haveRoot = false;
    for (const uint8_t* p = data_; (p = PdfFindKey(p, end_, "/Root")) != nullptr;) {
        uint32_t ref;
        if (PdfReadReference(p, end_, &ref)) {
            root = ref;
            haveRoot = true;
        }
    }
    const PdfObject* catalog = haveRoot ? index_.Find(root) : nullptr;
    const uint8_t* pages = catalog ? PdfFindKey(catalog->begin, catalog->end, "/Pages") : nullptr;
    uint32_t tree;
    if (pages && PdfReadReference(pages, catalog->end, &tree)) {
        std::unordered_set<uint32_t> seen;
        AddPageTree(tree, 0, &seen, &ordered);
    }
    // Every other content stream (forms, a damaged tree, a cut file) after
    // them, in file order.
    std::vector<const StreamInfo*> taken(ordered);
    std::sort(taken.begin(), taken.end());
    for (const StreamInfo& s : streams_)
        if (!std::binary_search(taken.begin(), taken.end(), &s)) ordered.push_back(&s);
    return ordered;
}

void PdfDocument::Run()
{
    size_t size = size_t(end_ - data_);
    if (FindBytes(data_, size < 1024 ? size : 1024, "%PDF-") < 0) {
        result_->status = kPdfNotPdf;
        result_->reason = "not a PDF file";
        return;
    }
    const uint8_t* encrypt = PdfFindKey(data_, end_, "/Encrypt");
    uint32_t ref;
    if (encrypt) {
        const uint8_t* value = PdfSkipWhite(encrypt, end_);
        if (PdfReadReference(value, end_, &ref) || (value < end_ && *value == '<')) {
            result_->status = kPdfEncrypted;
            result_->reason = "the PDF is encrypted";
            return;
        }
    }
    index_.AddFileObjects(data_, size);
    FindStreams();
    IndexObjectStreams();
    index_.Finish();
    CollectFontNames();

    TextOutput raw;
    TextOutputInit(&raw, limits_.maxTextBytes);
    PdfFontSource source{LookupFont, this};
    std::vector<uint8_t> buffer;
    std::vector<const StreamInfo*> ordered = StreamsInPageOrder();
    for (const StreamInfo* stream : ordered) {
        const StreamInfo& s = *stream;
        if (s.kind != kStreamContent) continue;
        if (s.dictBegin && std::binary_search(cmapObjects_.begin(), cmapObjects_.end(), s.number)) continue;
        const uint8_t* bytes;
        size_t length;
        if (!StreamBytes(s, &buffer, &bytes, &length)) {
            result_->streamsSkipped++;
            continue;
        }
        if (FindBytes(bytes, length < 256 ? length : 256, "begincmap") >= 0) continue;
        result_->streamsRead++;
        if (!ScanPdfContent(bytes, length, source, &raw)) break;
    }
    result_->truncated = raw.full;
    TextOutput tidy;
    TextOutputInit(&tidy, raw.size + raw.size / 2 + 16);
    TidyPdfText(raw.data, raw.size, &tidy);
    TextOutputFree(&raw);
    result_->text = tidy.data;
    result_->size = tidy.size;
}

}  // namespace

void ExtractPdfTextFromBytes(const uint8_t* data, size_t size, const PdfExtractLimits& limits,
                             PdfExtractResult* result)
{
    *result = PdfExtractResult();
    bool cut = size > limits.maxFileBytes;
    if (cut) size = limits.maxFileBytes;
    PdfDocument document(data, size, limits, result);
    document.Run();
    result->fileCut = cut;
}

void PdfExtractFree(PdfExtractResult* result)
{
    free(result->text);
    *result = PdfExtractResult();
}
