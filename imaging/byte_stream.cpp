#include "imaging/byte_stream.h"

#include <stdlib.h>
#include <string.h>

namespace {

int64_t MemoryRead(void* context, uint8_t* buffer, int64_t count)
{
    MemoryStream* m = static_cast<MemoryStream*>(context);
    if (count <= 0 || m->position >= m->size) return 0;
    uint64_t n = m->size - m->position;
    if (uint64_t(count) < n) n = uint64_t(count);
    const uint8_t* source = m->readData ? m->readData : m->writeData;
    memcpy(buffer, source + m->position, n);
    m->position += n;
    return int64_t(n);
}

int64_t MemoryWrite(void* context, const uint8_t* buffer, int64_t count)
{
    MemoryStream* m = static_cast<MemoryStream*>(context);
    if (m->readData || count < 0) return 0;
    uint64_t end = m->position + uint64_t(count);
    if (end > m->capacity) {
        uint64_t grown = m->capacity ? m->capacity * 2 : 65536;
        while (grown < end) grown *= 2;
        uint8_t* block = static_cast<uint8_t*>(realloc(m->writeData, grown));
        if (!block) {
            m->failed = true;
            return 0;
        }
        m->writeData = block;
        m->capacity = grown;
    }
    if (m->position > m->size) memset(m->writeData + m->size, 0, m->position - m->size);
    memcpy(m->writeData + m->position, buffer, uint64_t(count));
    m->position = end;
    if (end > m->size) m->size = end;
    return count;
}

int32_t MemorySeek(void* context, int64_t position)
{
    MemoryStream* m = static_cast<MemoryStream*>(context);
    if (position < 0 || (m->readData && uint64_t(position) > m->size)) return 0;
    m->position = uint64_t(position);
    return 1;
}

int64_t MemoryTell(void* context) { return int64_t(static_cast<MemoryStream*>(context)->position); }
int64_t MemorySize(void* context) { return int64_t(static_cast<MemoryStream*>(context)->size); }
int32_t MemoryFlush(void* context) { return static_cast<MemoryStream*>(context)->failed ? 0 : 1; }

void Bind(MemoryStream* memory, ByteStream* stream)
{
    stream->context = memory;
    stream->read = MemoryRead;
    stream->write = MemoryWrite;
    stream->seek = MemorySeek;
    stream->tell = MemoryTell;
    stream->size = MemorySize;
    stream->flush = MemoryFlush;
}

}  // namespace

void MemoryStreamOpenRead(MemoryStream* memory, const uint8_t* data, uint64_t size, ByteStream* stream)
{
    *memory = MemoryStream();
    memory->readData = data;
    memory->size = size;
    Bind(memory, stream);
}

void MemoryStreamOpenWrite(MemoryStream* memory, ByteStream* stream)
{
    *memory = MemoryStream();
    Bind(memory, stream);
}

uint8_t* MemoryStreamRelease(MemoryStream* memory, uint64_t* size)
{
    uint8_t* block = memory->writeData;
    *size = memory->size;
    *memory = MemoryStream();
    return block;
}

void MemoryStreamFree(MemoryStream* memory)
{
    free(memory->writeData);
    *memory = MemoryStream();
}

void FreeImageBlock(void* block) { free(block); }

uint8_t* StreamReadAll(ByteStream* stream, uint64_t maxSize, uint64_t* size)
{
    *size = 0;
    uint64_t capacity = 65536;
    int64_t known = stream->size ? stream->size(stream->context) : -1;
    if (known > 0 && uint64_t(known) <= maxSize) capacity = uint64_t(known) + 1;
    uint8_t* block = static_cast<uint8_t*>(malloc(capacity));
    if (!block) return nullptr;
    uint64_t used = 0;
    for (;;) {
        if (used == capacity) {
            if (capacity > maxSize) break;
            uint8_t* grown = static_cast<uint8_t*>(realloc(block, capacity * 2));
            if (!grown) break;
            block = grown;
            capacity *= 2;
        }
        int64_t got = stream->read(stream->context, block + used, int64_t(capacity - used));
        if (got <= 0) {
            if (used > maxSize) break;
            *size = used;
            return block;
        }
        used += uint64_t(got);
    }
    free(block);
    return nullptr;
}

int32_t StreamWriteAll(ByteStream* stream, const void* data, uint64_t size)
{
    const uint8_t* p = static_cast<const uint8_t*>(data);
    while (size > 0) {
        int64_t chunk = size > (1u << 30) ? (1 << 30) : int64_t(size);
        int64_t wrote = stream->write(stream->context, p, chunk);
        if (wrote != chunk) return 0;
        p += chunk;
        size -= uint64_t(chunk);
    }
    return 1;
}
