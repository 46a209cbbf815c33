// Finds a PDF's objects without its cross-reference table (which damaged and
// cut files lack): by their "N G obj" headers in the file and in the object
// streams, and reads the few dictionary entries text extraction needs.
#pragma once
#include <stddef.h>
#include <stdint.h>
#include <vector>

struct PdfObject {
    uint32_t number;
    const uint8_t* begin;  // after "obj" (or the object's place in an object stream)
    const uint8_t* end;    // at "endobj", "stream" or the next object
};

class PdfObjectIndex {
public:
    // Adds every object whose header stands in [data, data + size).
    void AddFileObjects(const uint8_t* data, size_t size);
    // Adds the objects of an inflated object stream; first is its /First.
    void AddStreamObjects(const uint8_t* data, size_t size, int64_t count, int64_t first);
    // Sorts by number; of two objects with one number the later one counts.
    void Finish();

    const PdfObject* Find(uint32_t number) const;
    // The object whose header is the last one before position (file objects only).
    const PdfObject* Enclosing(const uint8_t* position) const;
    const std::vector<PdfObject>& All() const { return byNumber_; }

private:
    std::vector<PdfObject> fileObjects_;  // in file order
    std::vector<PdfObject> byNumber_;
};

enum { kPdfMaxObjects = 2000000 };

// The position right after the key (a whole name such as "/ToUnicode") in
// [begin, end), or null.
const uint8_t* PdfFindKey(const uint8_t* begin, const uint8_t* end, const char* key);
// Reads "N G R" at p (after blanks) into *number.
bool PdfReadReference(const uint8_t* p, const uint8_t* end, uint32_t* number);
// Reads an integer at p (after blanks).
bool PdfReadInteger(const uint8_t* p, const uint8_t* end, int64_t* value);
// Skips blanks and comments.
const uint8_t* PdfSkipWhite(const uint8_t* p, const uint8_t* end);
// The end of the "<< ... >>" or "[ ... ]" that starts at p (after its closer),
// strings and nesting respected; end when it is not closed.
const uint8_t* PdfSkipContainer(const uint8_t* p, const uint8_t* end);
// The end of the literal string whose "(" is at p (after its ")").
const uint8_t* PdfSkipLiteralString(const uint8_t* p, const uint8_t* end);
