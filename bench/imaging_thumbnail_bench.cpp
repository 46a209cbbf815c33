// Thumbnail benchmark: imaging_thumbnail_bench <image file> <size> [rounds [output]]
// Loads the file (reduced-scale JPEG and PNG decode when it helps), fits it
// into size x size on a white canvas, encodes JPEG quality 85, and prints the
// best time of each step over the rounds, a full-size decode for comparison,
// and the peak working set. With an output file it writes the thumbnail there
// and decodes nothing at full size, so that the whole process does what a
// thumbnail tool does.
#include <stdio.h>
#include <stdlib.h>

#include <vector>

#include "foundation/win.h"
#include <psapi.h>
#include <shellapi.h>

#include "imaging/ai_image.h"

namespace {

double Now() {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return double(counter.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

// Unix paths (as a shell gives them) are reached through drive Z:.
std::vector<WCHAR> WindowsPath(const WCHAR* arg) {
  std::vector<WCHAR> path;
  if (arg[0] == L'/') {
    path.push_back(L'Z');
    path.push_back(L':');
  }
  for (const WCHAR* p = arg; *p; ++p) path.push_back(*p == L'/' ? L'\\' : *p);
  path.push_back(0);
  return path;
}

int ParseNumber(const WCHAR* text) {
  int value = 0;
  for (; *text >= L'0' && *text <= L'9'; ++text) value = value * 10 + (*text - L'0');
  return value;
}

double PeakMegabytes() {
  PROCESS_MEMORY_COUNTERS memory = {};
  memory.cb = sizeof(memory);
  GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof(memory));
  return double(memory.PeakWorkingSetSize) / 1048576.0;
}

}  // namespace

int main() {
  int argc = 0;
  WCHAR** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argc < 3) {
    printf("usage: imaging_thumbnail_bench <image file> <size> [rounds]\n");
    return 2;
  }
  std::vector<WCHAR> path = WindowsPath(argv[1]);
  int size = ParseNumber(argv[2]);
  int rounds = argc > 3 ? ParseNumber(argv[3]) : 5;
  if (size <= 0 || rounds <= 0) return 2;
  double bestDecode = 1e30, bestResample = 1e30, bestEncode = 1e30, bestFull = 1e30;
  int width = 0, height = 0, decodedWidth = 0, decodedHeight = 0;
  uint32_t encodedSize = 0;
  RGBQUAD white = {255, 255, 255, 0};
  for (int round = 0; round < rounds && argc <= 4; ++round) {
    AIImage image, thumb;
    image.SetLoadFit(size, size);
    double t0 = Now();
    if (!image.Load(path.data(), kImageDetect)) {
      printf("load failed: %s\n", image.GetErrorText());
      return 1;
    }
    double t1 = Now();
    decodedWidth = image.GetWidth();
    decodedHeight = image.GetHeight();
    if (!image.Thumbnail(size, size, white, &thumb)) {
      printf("thumbnail failed: %s\n", image.GetErrorText());
      return 1;
    }
    double t2 = Now();
    uint8_t* buffer = nullptr;
    thumb.SetJpegQuality(85);
    if (!thumb.EncodeToMemory(&buffer, &encodedSize, kImageJpg)) {
      printf("encode failed: %s\n", thumb.GetErrorText());
      return 1;
    }
    double t3 = Now();
    AIImage::FreeMemory(buffer);
    bestDecode = t1 - t0 < bestDecode ? t1 - t0 : bestDecode;
    bestResample = t2 - t1 < bestResample ? t2 - t1 : bestResample;
    bestEncode = t3 - t2 < bestEncode ? t3 - t2 : bestEncode;
  }
  double thumbnailPeak = PeakMegabytes();
  if (argc > 4) {
    AIImage image, thumb;
    image.SetLoadFit(size, size);
    std::vector<WCHAR> output = WindowsPath(argv[4]);
    thumb.SetJpegQuality(85);
    double t0 = Now();
    if (!image.Load(path.data(), kImageDetect) || !image.Thumbnail(size, size, white, &thumb) ||
        !thumb.Save(output.data(), kImageJpg)) {
      printf("thumbnail to file failed\n");
      return 1;
    }
    printf("decoded at %dx%d\n", image.GetWidth(), image.GetHeight());
    printf("total    %8.2f ms\n", Now() - t0);
    thumbnailPeak = PeakMegabytes();
    printf("peak working set %.1f MB\n", thumbnailPeak);
    LocalFree(argv);
    return 0;
  }
  for (int round = 0; round < rounds; ++round) {
    AIImage full;
    double f0 = Now();
    full.Load(path.data(), kImageDetect);
    double f1 = Now();
    width = full.GetWidth();
    height = full.GetHeight();
    bestFull = f1 - f0 < bestFull ? f1 - f0 : bestFull;
  }
  printf("image %dx%d -> thumbnail %dx%d (decoded at %dx%d), best of %d rounds\n", width, height, size, size,
         decodedWidth, decodedHeight, rounds);
  printf("decode   %8.2f ms\n", bestDecode);
  printf("resample %8.2f ms\n", bestResample);
  printf("encode   %8.2f ms (%u bytes, quality 85)\n", bestEncode, encodedSize);
  printf("total    %8.2f ms\n", bestDecode + bestResample + bestEncode);
  printf("full-size decode for comparison %8.2f ms\n", bestFull);
  printf("peak working set %.1f MB after the thumbnails, %.1f MB after the full-size decodes\n", thumbnailPeak,
         PeakMegabytes());
  LocalFree(argv);
  return 0;
}
