// Stitching capture frames by their overlap: row keys from sampled pixels,
// the fixed header, the newer frame's anchor searched in the older frame.
#include "search/capture/frames/frame_stitch.h"
#include <string.h>
#include <vector>

namespace {

const uint32_t kKeyPrime = 16777619u;
const uint32_t kKeyBasis = 2166136261u;

inline uint32_t PixelAt(const uint8_t* row, int x)
{
    const uint8_t* p = row + x * 3;
    return (uint32_t)p[0] << 16 | (uint32_t)p[1] << 8 | p[2];
}

}  // namespace

int IsStitchableGeometry(const FrameGeometry& g)
{
    return g.width > 0 && g.height > 0 && g.stride >= g.width * 3 ? 1 : 0;
}

void ComputeRowKeys(const uint8_t* frame, const FrameGeometry& g, uint32_t* keys)
{
    // Columns spread over the whole width, the last one included.
    int columns[kRowSampleCount];
    int samples = g.width < kRowSampleCount ? g.width : kRowSampleCount;
    for (int i = 0; i < samples; i++)
        columns[i] = samples > 1 ? (int)((int64_t)i * (g.width - 1) / (samples - 1)) : 0;
    for (int y = 0; y < g.height; y++) {
        const uint8_t* row = frame + (size_t)y * g.stride;
        uint32_t key = kKeyBasis;
        for (int i = 0; i < samples; i++)
            key = (key ^ PixelAt(row, columns[i])) * kKeyPrime;
        keys[y] = key;
    }
}

int FramesDiffer(const uint8_t* a, const uint8_t* b, const FrameGeometry& g)
{
    if (!IsStitchableGeometry(g)) return 0;
    std::vector<uint32_t> keysA(g.height), keysB(g.height);
    ComputeRowKeys(a, g, keysA.data());
    ComputeRowKeys(b, g, keysB.data());
    return memcmp(keysA.data(), keysB.data(), keysA.size() * sizeof(uint32_t)) != 0 ? 1 : 0;
}

int CountHeaderRows(const uint32_t* olderKeys, const uint32_t* newerKeys, int height)
{
    int limit = height / 3;
    int rows = 0;
    while (rows < limit && olderKeys[rows] == newerKeys[rows]) rows++;
    return rows;
}

int CountNewRows(const uint32_t* olderKeys, const uint32_t* newerKeys, int height, int header)
{
    if (header < 0) header = 0;
    if (header >= height) return 0;
    uint32_t anchor = newerKeys[header];
    for (int at = header; at < height; at++) {
        if (olderKeys[at] != anchor) continue;
        int run = 1;
        while (run < kOverlapCheckRows && at + run < height && olderKeys[at + run] == newerKeys[header + run]) run++;
        if (at + run == height || run == kOverlapCheckRows) return at - header;
    }
    return height - header;
}

int PlanStitch(const uint8_t* const* frames, int count, const FrameGeometry& g, StitchPlan* plan)
{
    plan->count = 0;
    plan->height = 0;
    if (!frames || count < 1 || !IsStitchableGeometry(g)) return 0;
    if (count > kMaxStitchFrames) count = kMaxStitchFrames;
    std::vector<uint32_t> older(g.height), newer(g.height);
    ComputeRowKeys(frames[0], g, older.data());
    plan->pieces[0] = {0, 0, g.height};
    plan->count = 1;
    plan->height = g.height;
    for (int i = 1; i < count; i++) {
        ComputeRowKeys(frames[i], g, newer.data());
        int header = CountHeaderRows(older.data(), newer.data(), g.height);
        int added = CountNewRows(older.data(), newer.data(), g.height, header);
        plan->pieces[plan->count++] = {i, g.height - added, added};
        plan->height += added;
        older.swap(newer);
    }
    return 1;
}

void ComposeStitch(const uint8_t* const* frames, const FrameGeometry& g, const StitchPlan& plan, uint8_t* page,
                   int pageStride)
{
    size_t rowBytes = (size_t)g.width * 3;
    uint8_t* out = page;
    for (int i = 0; i < plan.count; i++) {
        const StitchPiece& piece = plan.pieces[i];
        const uint8_t* in = frames[piece.frame] + (size_t)piece.firstRow * g.stride;
        for (int y = 0; y < piece.rows; y++) {
            memcpy(out, in, rowBytes);
            out += pageStride;
            in += g.stride;
        }
    }
}
