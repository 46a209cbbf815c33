// AIFile: one open file with its name, plus the name-based file and folder
// helpers. Names the program creates lose every character of "?[]=+<>;\",*|^"
// (only the last part of a path: the folders above it are used as they are).
// UTF-16 text files are recognised by and written with the byte-order mark FF FE.
// A failed open is retried as often as the caller asks; after that a locked or
// otherwise unopenable file (not a missing one) is reported to the user, who may
// retry. The system error of a failed open stays readable (2 or 3 not found, 32 locked).
#pragma once
#include "foundation/ai_string.h"

class AIFile {
public:
    AIFile();
    ~AIFile();  // closes
    AIFile(const AIFile&) = delete;
    AIFile& operator=(const AIFile&) = delete;

    // The characters names may not hold.
    static const WCHAR kForbiddenNameChars[];
    // Drops the forbidden characters from a name; returns how many were dropped.
    static int CleanName(AIString& name);

    // 1 when FindFirstFileW finds the path, else 0; also left in ResultFlag.
    static int Exists(const WCHAR* path);
    // 1 when the path names a file on another machine ("\\server\share\...",
    // "file:\\server\..."): asking about it can wait for the network. Only
    // the text is read.
    static int IsNetworkPath(const WCHAR* path);
    // GetFileAttributesW test (files and folders); also left in ResultFlag.
    static int PathExists(const WCHAR* path);
    // Creates the folder (name cleaned); 1 when it exists afterwards. Reports failure.
    static int CreateFolder(const WCHAR* path);
    // Copies, overwriting; ResultFlag 1 on success.
    static int CopyOverwrite(const WCHAR* from, const WCHAR* to);
    // Deletes without asking (a read-only file too); 1 when gone.
    static int DeleteQuiet(const WCHAR* path);
    // Size in bytes, or -1 when the file cannot be found.
    static int64_t GetSizeByName(const WCHAR* path);
    // Writes FF FE and chars characters of text to path through path + ".tmp",
    // replacing the old file only once everything is written. 1 on success.
    static int WriteUtf16File(const WCHAR* path, const WCHAR* text, int chars);
    // The same for bytes: prefix (a byte-order mark, may be null) and data.
    static int WriteBytesFile(const WCHAR* path, const void* prefix, int prefixBytes, const void* data, int bytes);

    // Opens an existing file for reading (shared read); retries extra times
    // (about 50 ms apart) before asking the user. 1 on success.
    int OpenForRead(const WCHAR* path, int retries = 2);
    // Creates or truncates a file (name cleaned) for writing. 1 on success.
    int OpenForWrite(const WCHAR* path, int retries = 2);
    int IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    // The system error code of the last failed open (0 after a success).
    DWORD GetOpenError() const { return openError_; }
    const AIString& GetName() const { return name_; }

    // Size of the open file in bytes, -1 when none is open.
    int64_t GetSize() const;
    // Reads up to count bytes; returns the bytes read, -1 on failure.
    int ReadChunk(void* buffer, int count);
    // Reads the whole file from its start into out: UTF-16 after FF FE, UTF-8
    // after EF BB BF or when valid, else the ANSI code page. 1 on success.
    int ReadToText(AIString& out, int64_t maxBytes = 256 * 1024 * 1024);
    int SeekTo(int64_t offset);
    // 1 when the open file starts with FF FE (the position is kept).
    int IsUtf16();

    // Writes count bytes; 1 when all were written.
    int Write(const void* data, int count);
    int WriteBom();
    int WriteText(const WCHAR* text, int chars = -1);
    int Flush();
    void Close();

private:
    int Open(const WCHAR* path, int forWrite, int retries);

    HANDLE handle_;
    DWORD openError_;
    AIString name_;
};
