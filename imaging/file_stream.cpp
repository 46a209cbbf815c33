#include "imaging/file_stream.h"
#include "foundation/file_write.h"

namespace {

int64_t FileRead(void* context, uint8_t* buffer, int64_t count)
{
    FileStream* f = static_cast<FileStream*>(context);
    int64_t total = 0;
    while (count > 0) {
        DWORD chunk = count > (1 << 30) ? DWORD(1 << 30) : DWORD(count), got = 0;
        if (!ReadFile(f->file, buffer + total, chunk, &got, nullptr)) {
            f->failed = true;
            break;
        }
        if (!got) break;
        total += got;
        count -= got;
    }
    return total;
}

int64_t FileWrite(void* context, const uint8_t* buffer, int64_t count)
{
    FileStream* f = static_cast<FileStream*>(context);
    if (WriteAllToFile(f->file, buffer, count)) return count;
    f->failed = true;
    f->diskFull = IsDiskFullError(GetLastError()) != 0;
    return 0;
}

int32_t FileSeek(void* context, int64_t position)
{
    LARGE_INTEGER to;
    to.QuadPart = position;
    return SetFilePointerEx(static_cast<FileStream*>(context)->file, to, nullptr, FILE_BEGIN) ? 1 : 0;
}

int64_t FileTell(void* context)
{
    LARGE_INTEGER zero, at;
    zero.QuadPart = 0;
    if (!SetFilePointerEx(static_cast<FileStream*>(context)->file, zero, &at, FILE_CURRENT)) return -1;
    return at.QuadPart;
}

int64_t FileSize(void* context)
{
    LARGE_INTEGER size;
    if (!GetFileSizeEx(static_cast<FileStream*>(context)->file, &size)) return -1;
    return size.QuadPart;
}

int32_t FileFlush(void* context)
{
    FileStream* f = static_cast<FileStream*>(context);
    return !f->failed && FlushFileBuffers(f->file) ? 1 : 0;
}

}  // namespace

int32_t FileStreamOpen(FileStream* file, const WCHAR* path, char mode, ByteStream* stream)
{
    *file = FileStream();
    if (mode == 'w') {
        file->file = CreateFileW(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    } else {
        file->file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    if (file->file == INVALID_HANDLE_VALUE) return 0;
    stream->context = file;
    stream->read = FileRead;
    stream->write = FileWrite;
    stream->seek = FileSeek;
    stream->tell = FileTell;
    stream->size = FileSize;
    stream->flush = FileFlush;
    return 1;
}

void FileStreamClose(FileStream* file)
{
    if (file->file != INVALID_HANDLE_VALUE) CloseHandle(file->file);
    file->file = INVALID_HANDLE_VALUE;
}
