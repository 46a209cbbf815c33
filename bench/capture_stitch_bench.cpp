// Stitches nine browser-sized frames (1280 x 900, 24-bit, a 60-row fixed
// header, 120 rows of overlap) into one page and compares the time with a
// plain pass over the same bytes measured in the same run: every frame
// compared with the next (memcmp) and copied into the page (memcpy).
// Usage: capture_stitch_bench [rounds]   (default 20)
#include "bench/bench_timing.h"
#include "search/capture/frames/frame_stitch.h"
#include <algorithm>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <vector>

namespace {

const int kWidth = 1280, kHeight = 900, kHeader = 60, kOverlap = 120, kFrames = 9;
const int kStride = (kWidth * 3 + 3) & ~3;

// Rows of "text": dark runs on white, different on every row.
std::vector<uint8_t> MakePage(int rows)
{
    std::vector<uint8_t> page((size_t)rows * kStride, 255);
    uint32_t seed = 7;
    for (int y = 0; y < rows; y++) {
        uint8_t* row = &page[(size_t)y * kStride];
        for (int x = 0; x < kWidth; x++) {
            seed = seed * 1103515245u + 12345u;
            if ((seed >> 16) % 3 == 0) memset(row + x * 3, (seed >> 8) & 0x7F, 3);
        }
    }
    return page;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 20;
    int view = kHeight - kHeader, step = view - kOverlap;
    int pageRows = step * (kFrames - 1) + view;
    std::vector<uint8_t> page = MakePage(pageRows);
    std::vector<std::vector<uint8_t>> frames(kFrames, std::vector<uint8_t>((size_t)kHeight * kStride));
    std::vector<const uint8_t*> pointers;
    for (int i = 0; i < kFrames; i++) {
        for (int y = 0; y < kHeight; y++) {
            uint8_t* row = &frames[i][(size_t)y * kStride];
            if (y < kHeader) memset(row, 200, kStride);
            else memcpy(row, &page[(size_t)(i * step + y - kHeader) * kStride], kStride);
        }
        pointers.push_back(frames[i].data());
    }
    FrameGeometry g = {kWidth, kHeight, kStride};
    std::vector<uint8_t> out((size_t)kHeight * kFrames * kStride);
    std::vector<double> stitch, plain;
    int height = 0;
    volatile int sink = 0;
    for (int r = 0; r < rounds; r++) {
        LARGE_INTEGER a, b, c;
        QueryPerformanceCounter(&a);
        StitchPlan plan;
        PlanStitch(pointers.data(), kFrames, g, &plan);
        ComposeStitch(pointers.data(), g, plan, out.data(), kStride);
        height = plan.height;
        QueryPerformanceCounter(&b);
        uint8_t* to = out.data();
        for (int i = 0; i < kFrames; i++) {
            if (i > 0) sink += memcmp(pointers[i - 1], pointers[i], (size_t)kHeight * kStride) != 0;
            memcpy(to, pointers[i], (size_t)kHeight * kStride);
            to += (size_t)kHeight * kStride;
        }
        QueryPerformanceCounter(&c);
        stitch.push_back(Milliseconds(a, b));
        plain.push_back(Milliseconds(b, c));
    }
    double s = Median(stitch), p = Median(plain);
    printf("nine %dx%d frames, header %d, overlap %d: page %d rows (expected %d)\n", kWidth, kHeight, kHeader,
           kOverlap, height, kHeader + pageRows);
    printf("stitch (plan + compose)      median %7.2f ms  (target under 50 ms)\n", s);
    printf("memcmp + memcpy of frames    median %7.2f ms\n", p);
    printf("ratio stitch / plain pass    %7.2f\n", s / p);
    return height == kHeader + pageRows ? 0 : 1;
}
