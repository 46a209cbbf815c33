// Files for the note store tests: a scratch folder per test, byte-exact
// reads and writes, and data files built from notes.
#pragma once
#include "tests/support/gtest.h"
#include <string>
#include <vector>
#include "tests/support/test_files.h"

// A fresh folder under the temporary folder, removed with everything in it.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    const AIString& Path() const { return path_; }  // with trailing backslash
    AIString File(const WCHAR* name) const;

private:
    AIString path_;
};

void RemoveTree(const WCHAR* folder);
bool FileExists(const WCHAR* path);

// FF FE and the text as UTF-16 bytes.
std::string Utf16File(const WCHAR* text);
// "¤" title CR LF body CR LF "{{" CR LF "}}" CR LF.
AIString NoteRecord(const WCHAR* title, const WCHAR* body);
// A data file of the header and the records.
std::string DataFile(const AIString& records);

// A file's last-write time (100 ns steps since 1601), 0 when it is missing;
// and setting it, as programs that keep a file's time do. 1 when set.
uint64_t WriteTimeOf(const WCHAR* path);
int SetWriteTime(const WCHAR* path, uint64_t time);
// A time well in the past (2014).
const uint64_t kOldWriteTime = 0x01D0000012345678ULL;

// The test source folder as a Windows path (from TAVIK_TEST_DATA).
AIString TestDataFolder();

// The damaged data files of the test corpus (each named after the message
// its load raises): their names and full paths.
struct CorpusFile {
    AIString name;
    AIString path;
};
std::vector<CorpusFile> DamagedCorpusFiles();
