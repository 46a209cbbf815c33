// Byte streams the codecs read from and write to: plain function pointers so
// that the host-compiled codecs can use streams made on the Win32 side
// (files through CreateFileW) as well as memory blocks.
#pragma once
#include <stdint.h>

struct ByteStream {
    void* context = nullptr;
    int64_t (*read)(void* context, uint8_t* buffer, int64_t count) = nullptr;  // bytes read; 0 at the end
    int64_t (*write)(void* context, const uint8_t* buffer, int64_t count) = nullptr;  // bytes written
    int32_t (*seek)(void* context, int64_t position) = nullptr;                       // 1 when done
    int64_t (*tell)(void* context) = nullptr;
    int64_t (*size)(void* context) = nullptr;
    int32_t (*flush)(void* context) = nullptr;
};

// A stream over a memory block: read-only over the caller's bytes, or
// writing into a growing block of its own.
struct MemoryStream {
    const uint8_t* readData = nullptr;
    uint8_t* writeData = nullptr;
    uint64_t size = 0;
    uint64_t capacity = 0;
    uint64_t position = 0;
    bool failed = false;  // a write could not grow the block
};

void MemoryStreamOpenRead(MemoryStream* memory, const uint8_t* data, uint64_t size, ByteStream* stream);
void MemoryStreamOpenWrite(MemoryStream* memory, ByteStream* stream);
// Hands the written block to the caller (release it with FreeImageBlock).
uint8_t* MemoryStreamRelease(MemoryStream* memory, uint64_t* size);
void MemoryStreamFree(MemoryStream* memory);
void FreeImageBlock(void* block);

// Reads the whole remaining stream into a new block (FreeImageBlock); fails
// above maxSize.
uint8_t* StreamReadAll(ByteStream* stream, uint64_t maxSize, uint64_t* size);
int32_t StreamWriteAll(ByteStream* stream, const void* data, uint64_t size);
