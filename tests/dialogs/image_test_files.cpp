// Folders and paths of the image tests.
#include "tests/dialogs/image_test_files.h"

void DeleteTree(const AIString& folder)
{
    AIString pattern(folder);
    pattern.AppendText(L"\\*");
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW(pattern.GetText(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!lstrcmpW(found.cFileName, L".") || !lstrcmpW(found.cFileName, L"..")) continue;
            AIString path(folder);
            path.AppendChar(L'\\').AppendText(found.cFileName);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) DeleteTree(path);
            else DeleteFileW(path.GetText());
        } while (FindNextFileW(find, &found));
        FindClose(find);
    }
    RemoveDirectoryW(folder.GetText());
}

AIString OwnFolder(const WCHAR* name)
{
    WCHAR temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    AIString folder(temp);
    folder.AppendText(L"tavik_images_").AppendUnsigned(GetCurrentProcessId()).AppendChar(L'_').AppendText(name);
    DeleteTree(folder);
    CreateDirectoryW(folder.GetText(), nullptr);
    return folder;
}

AIString Join(const AIString& folder, const WCHAR* name)
{
    AIString path(folder);
    path.AppendChar(L'\\').AppendText(name);
    return path;
}

namespace {

uint32_t PngCrc(const std::string& bytes)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char c : bytes) {
        crc ^= c;
        for (int k = 0; k < 8; k++) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

void PutBigEndian(std::string& out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back((char)(value >> shift));
}

void PutChunk(std::string& png, const char* kind, const std::string& data)
{
    PutBigEndian(png, (uint32_t)data.size());
    std::string body = std::string(kind, 4) + data;
    png += body;
    PutBigEndian(png, PngCrc(body));
}

// Deflate's bits, first bit lowest; Huffman codes go highest bit first.
struct BitWriter {
    std::string bytes;
    uint32_t bits = 0;
    int count = 0;
    void Put(uint32_t value, int n)
    {
        for (int i = 0; i < n; i++) {
            bits |= ((value >> i) & 1u) << count;
            if (++count == 8) Flush();
        }
    }
    void Code(uint32_t code, int n)
    {
        for (int i = n - 1; i >= 0; i--) Put((code >> i) & 1u, 1);
    }
    void Flush()
    {
        if (!count) return;
        bytes.push_back((char)bits);
        bits = 0;
        count = 0;
    }
};

}  // namespace

std::string ZeroPngBytes(uint32_t width, uint32_t height)
{
    const uint64_t raw = (uint64_t)(width + 1) * height;  // a filter byte before each row
    const uint32_t kLiteralZero = 0x30, kLength258 = 0xC5, kEndOfBlock = 0;
    BitWriter deflate;
    deflate.Put(1, 1);   // the last block
    deflate.Put(1, 2);   // fixed codes
    deflate.Code(kLiteralZero, 8);
    uint64_t left = raw - 1;
    for (; left >= 258; left -= 258) {
        deflate.Code(kLength258, 8);
        deflate.Code(0, 5);  // distance 1
    }
    for (; left > 0; left--) deflate.Code(kLiteralZero, 8);
    deflate.Code(kEndOfBlock, 7);
    deflate.Flush();
    std::string zlib("\x78\x01", 2);
    zlib += deflate.bytes;
    PutBigEndian(zlib, (uint32_t)((raw % 65521) << 16 | 1));  // Adler-32 of zeros

    std::string png("\x89PNG\r\n\x1a\n", 8), header;
    PutBigEndian(header, width);
    PutBigEndian(header, height);
    header.append("\x08\x00\x00\x00\x00", 5);  // 8-bit grey
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", zlib);
    PutChunk(png, "IEND", "");
    return png;
}
