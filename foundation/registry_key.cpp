#include "foundation/registry_key.h"
#include "foundation/ai_string.h"
#include "foundation/file_write.h"
#include "foundation/trace.h"
#include "foundation/trace_modules.h"
#include "foundation/process_end.h"

namespace {

const int kModule = kTraceRegistry;
WCHAR g_keyPath[MAX_PATH + 64] = L"Software\\Orvanta\\Tavik";
WCHAR g_portableFolder[MAX_PATH + 64] = L"";

// Value names become file names: characters a file name may not hold are replaced.
void AppendSafeFileName(AIString& path, const WCHAR* name)
{
    for (const WCHAR* p = name; p && *p; p++) {
        WCHAR c = *p;
        if (c < 32 || c == '\\' || c == '/' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' ||
            c == '>' || c == '|')
            c = '_';
        path.AppendChar(c);
    }
}

// Writes a whole file through a temporary copy, so a failed write never
// leaves a half-written value in place of the good one.
int WriteWholeFile(const AIString& path, const void* head, DWORD headBytes, const void* data, DWORD bytes)
{
    AIString temp(path);
    temp.AppendText(L".tmp");
    HANDLE file = CreateFileW(temp.GetText(), GENERIC_WRITE, 0, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, 0);
    if (file == INVALID_HANDLE_VALUE) return 0;
    int ok = WriteAllToFile(file, head, headBytes) && WriteAllToFile(file, data, bytes);
    CloseHandle(file);
    if (ok) ok = MoveFileExW(temp.GetText(), path.GetText(), MOVEFILE_REPLACE_EXISTING) != 0;
    if (!ok) DeleteFileW(temp.GetText());
    return ok;
}

// Opens a value file and gives its size; 0 when it does not exist.
HANDLE OpenValueFile(const AIString& path, uint32_t* size)
{
    HANDLE file = CreateFileW(path.GetText(), GENERIC_READ, FILE_SHARE_READ, 0, OPEN_EXISTING, 0, 0);
    if (file == INVALID_HANDLE_VALUE) return 0;
    LARGE_INTEGER length;
    if (!GetFileSizeEx(file, &length) || length.QuadPart > 0x7FFFFFFF) {
        CloseHandle(file);
        return 0;
    }
    *size = (uint32_t)length.QuadPart;
    return file;
}

int ReadExact(HANDLE file, void* data, uint32_t bytes)
{
    DWORD got = 0;
    return bytes == 0 || (ReadFile(file, data, bytes, &got, 0) && got == bytes);
}

}  // namespace

void SetRegistryLocation(const WCHAR* programName, const WCHAR* portableFolder)
{
    AIString path(L"Software\\Orvanta\\");
    path.AppendText(programName);
    CopyTextBounded(g_keyPath, MAX_PATH + 64, path.GetText());
    CopyTextBounded(g_portableFolder, MAX_PATH + 64, portableFolder ? portableFolder : L"");
}

const WCHAR* GetRegistryKeyPath() { return g_keyPath; }
const WCHAR* GetRegistryPortableFolder() { return g_portableFolder; }

AIRegistryKey::AIRegistryKey() : key_(0), open_(0), portable_(0) {}

AIRegistryKey::~AIRegistryKey()
{
    if (!IsProcessEnding()) Close();
}

int AIRegistryKey::OpenKey(HKEY root, const WCHAR* path)
{
    TRACE_SCOPE(kModule, 1);
    Close();
    bool own = !path || !*path || ((!root || root == HKEY_CURRENT_USER) && CompareTextNoCase(path, g_keyPath) == 0);
    if (own) {
        if (g_portableFolder[0]) {
            CreateDirectoryW(g_portableFolder, 0);
            DWORD attributes = GetFileAttributesW(g_portableFolder);
            if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return 0;
            portable_ = 1;
            open_ = 1;
            return 1;
        }
        if (RegCreateKeyExW(HKEY_CURRENT_USER, g_keyPath, 0, 0, 0, KEY_READ | KEY_WRITE, 0, &key_, 0) != ERROR_SUCCESS)
            return 0;
    } else {
        // Keys of other programs are only read.
        if (RegOpenKeyExW(root ? root : HKEY_CURRENT_USER, path, 0, KEY_READ, &key_) != ERROR_SUCCESS) return 0;
    }
    open_ = 1;
    return 1;
}

void AIRegistryKey::Close()
{
    if (key_) RegCloseKey(key_);
    key_ = 0;
    open_ = 0;
    portable_ = 0;
}

int AIRegistryKey::ValueFilePath(const WCHAR* name, AIString& path) const
{
    if (!name || !*name) return 0;
    path.AssignText(g_portableFolder);
    path.AppendChar('\\');
    AppendSafeFileName(path, name);
    return 1;
}

int AIRegistryKey::WriteString(const WCHAR* name, const WCHAR* text)
{
    TRACE_SCOPE(kModule, 2);
    if (!open_) return 0;
    if (!text) text = L"";
    DWORD chars = (DWORD)TextLength(text);
    if (portable_) {
        AIString path;
        if (!ValueFilePath(name, path)) return 0;
        static const BYTE kBom[2] = {0xFF, 0xFE};
        return WriteWholeFile(path, kBom, 2, text, chars * 2);
    }
    return RegSetValueExW(key_, name, 0, REG_SZ, (const BYTE*)text, (chars + 1) * 2) == ERROR_SUCCESS;
}

int AIRegistryKey::ReadString(const WCHAR* name, AIString& out, int maxChars)
{
    TRACE_SCOPE(kModule, 3);
    out.Clear();
    if (!open_ || maxChars < 0) return 0;
    if (maxChars > (1 << 24)) maxChars = 1 << 24;
    uint32_t bytes = 0;
    if (portable_) {
        AIString path;
        if (!ValueFilePath(name, path)) return 0;
        HANDLE file = OpenValueFile(path, &bytes);
        if (!file) return 0;
        uint32_t limit = (uint32_t)maxChars * 2 + 2;
        if (bytes > limit) bytes = limit;
        bytes &= ~1u;
        WCHAR* buffer = out.GetBuffer((int)(bytes / 2));
        int ok = buffer && ReadExact(file, buffer, bytes);
        CloseHandle(file);
        if (!ok) { out.Clear(); return 0; }
        int n = (int)(bytes / 2), start = 0;
        if (n > 0 && buffer[0] == 0xFEFF) start = 1;
        int end = start;
        while (end < n && buffer[end]) end++;
        out.SetLength(end);
        if (start) out.DeleteRange(0, 1);
        if (out.GetLength() > maxChars) out.SetLength(maxChars);
        return 1;
    }
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key_, name, 0, &type, 0, &size) != ERROR_SUCCESS) return 0;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return 0;
    WCHAR* buffer = out.GetBuffer((int)(size / 2) + 1);
    if (!buffer) return 0;
    DWORD got = size;
    if (RegQueryValueExW(key_, name, 0, &type, (BYTE*)buffer, &got) != ERROR_SUCCESS || got > size) {
        out.Clear();
        return 0;
    }
    // A stored string need not end with a zero: stop at the value's end.
    int n = 0, limit = (int)(got / 2);
    while (n < limit && buffer[n]) n++;
    if (n > maxChars) n = maxChars;
    out.SetLength(n);
    return 1;
}

int AIRegistryKey::WriteBinary(const WCHAR* name, const void* data, uint32_t bytes)
{
    TRACE_SCOPE(kModule, 4);
    if (!open_ || (!data && bytes)) return 0;
    if (portable_) {
        AIString path;
        if (!ValueFilePath(name, path)) return 0;
        return WriteWholeFile(path, 0, 0, data, bytes);
    }
    return RegSetValueExW(key_, name, 0, REG_BINARY, (const BYTE*)data, bytes) == ERROR_SUCCESS;
}

int AIRegistryKey::ReadBinary(const WCHAR* name, void* data, uint32_t capacity, uint32_t* size)
{
    TRACE_SCOPE(kModule, 5);
    if (size) *size = 0;
    if (!open_ || !data) return 0;
    uint32_t bytes = 0;
    if (portable_) {
        AIString path;
        if (!ValueFilePath(name, path)) return 0;
        HANDLE file = OpenValueFile(path, &bytes);
        if (!file) return 0;
        if (size) *size = bytes;
        int ok = bytes <= capacity && ReadExact(file, data, bytes);
        CloseHandle(file);
        return ok;
    }
    DWORD type = 0, got = 0;
    if (RegQueryValueExW(key_, name, 0, &type, 0, &got) != ERROR_SUCCESS) return 0;
    if (size) *size = got;
    if (got > capacity) return 0;
    DWORD room = capacity;
    if (RegQueryValueExW(key_, name, 0, &type, (BYTE*)data, &room) != ERROR_SUCCESS) return 0;
    if (size) *size = room;
    return 1;
}

int AIRegistryKey::DeleteValue(const WCHAR* name)
{
    if (!open_) return 0;
    if (portable_) {
        AIString path;
        return ValueFilePath(name, path) && DeleteFileW(path.GetText());
    }
    return RegDeleteValueW(key_, name) == ERROR_SUCCESS;
}
