// Windows metafiles go to GDI's player, which trusts every record. These
// tests feed it metafiles built here (every record type the loader accepts,
// with sound and with random parameters) and damaged copies of them: each
// load either draws or fails with a reason, and none crashes the process.
// TAVIK_WMF_STRESS=<n> runs n times as many rounds (a longer local run) and
// keeps the input being loaded in wmf-stress-last.wmf, so a crash leaves its
// file behind; TAVIK_WMF_REPLAY=<file or folder> loads just those files.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "foundation/win.h"

#include "tests/support/gtest.h"
#include "tests/imaging/imaging_test_util.h"

namespace {

using Words = std::vector<uint16_t>;

struct Rng {
  uint32_t state;
  uint32_t Next() {
    state = state * 1103515245u + 12345u;
    return state >> 8;
  }
  uint32_t Below(uint32_t n) { return n ? Next() % n : 0; }
  // Values that tend to hit limits: zero, one, sign boundaries, small counts.
  uint16_t Word() {
    static const uint16_t kEdges[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 0x0F, 0x28, 0xFF, 0x100, 0x7FFF, 0x8000, 0xFFFF, 0xFFFE};
    switch (Below(3)) {
      case 0: return kEdges[Below(sizeof(kEdges) / sizeof(kEdges[0]))];
      case 1: return uint16_t(Below(40));
      default: return uint16_t(Next());
    }
  }
};

int StressFactor() {
  char text[16] = {};
  if (!GetEnvironmentVariableA("TAVIK_WMF_STRESS", text, sizeof(text))) return 1;
  int n = atoi(text);
  return n > 0 ? n : 1;
}

void AddWords(Words* to, const Words& from) { to->insert(to->end(), from.begin(), from.end()); }

Words Chars(const char* text) {  // bytes packed two to a word, padded with zero
  Words w;
  size_t n = strlen(text);
  for (size_t i = 0; i < n; i += 2) w.push_back(uint16_t(uint8_t(text[i]) | (i + 1 < n ? uint8_t(text[i + 1]) << 8 : 0)));
  return w;
}

// A packed 2x2 24-bit DIB (rows padded to 8 bytes).
Words SmallDib() {
  Words w = {40, 0, 2, 0, 2, 0, 1, 24, 0, 0, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  for (int i = 0; i < 8; ++i) w.push_back(uint16_t(0x00FF));
  return w;
}

struct Record {
  uint16_t function;
  Words params;
};

// The objects every built file starts with, in handle-table order.
enum Slot { kPenSlot, kBrushSlot, kFontSlot, kRegionSlot, kPaletteSlot, kSlots };

Words RegionParams() {
  // One band from y 2 to 20 covering x 3..30.
  return {0, 6, 0, 0, 34, 1, 2, 0, 2, 30, 20, 2, 2, 20, 3, 30, 2};
}

Words FontParams() {
  Words w = {uint16_t(-12), 0, 0, 0, 400, 0, 0, 0, 0};
  AddWords(&w, Chars("Arial"));
  w.resize(9 + 16, 0);
  return w;
}

std::vector<Record> Prologue() {
  return {
      {0x020C, {50, 100}},              // SetWindowExt
      {0x02FA, {0, 1, 0, 0x00FF, 0}},   // pen
      {0x02FC, {0, 0x00FF, 0, 0}},      // red brush
      {0x02FB, FontParams()},
      {0x06FF, RegionParams()},
      {0x00F7, {0x0300, 2, 0x00FF, 0, 0xFF00, 0}},  // palette
  };
}

// A sound instance of every record type the loader accepts.
std::vector<Record> SoundRecords() {
  Words dib = SmallDib();
  auto with = [&](Words head) {
    AddWords(&head, dib);
    return head;
  };
  Words patternBitmap = {3, 0, 40, 0, 8, 0, 8, 0, 1, 1};
  patternBitmap.resize(24, 0);
  for (int i = 0; i < 8; ++i) patternBitmap.push_back(uint16_t(i & 1 ? 0xAAAA : 0x5555));
  Words textOut = {2};
  AddWords(&textOut, Chars("Hi"));
  AddWords(&textOut, {10, 5});
  Words extText = {10, 5, 2, 0x0006, 0, 0, 40, 20};
  AddWords(&extText, Chars("Hi"));
  AddWords(&extText, {6, 6});
  Words escape = {0x000F, 4};
  AddWords(&escape, Chars("note"));
  return {
      {0x001E, {}},
      {0x0035, {}},
      {0x0037, {0, 1, 0x1234, 0x0056}},
      {0x00F7, {0x0300, 1, 0x00FF, 0}},
      {0x0102, {1}},
      {0x0103, {8}},
      {0x0104, {13}},
      {0x0105, {1}},
      {0x0106, {2}},
      {0x0107, {3}},
      {0x0108, {1}},
      {0x0127, {0xFFFF}},
      {0x012A, {kRegionSlot}},
      {0x012B, {kRegionSlot}},
      {0x012C, {kRegionSlot}},
      {0x012D, {kBrushSlot}},
      {0x012E, {0}},
      {0x0139, {4}},
      {0x0142, with({5, 0})},
      {0x0149, {0, 0}},
      {0x01F0, {kPenSlot}},
      {0x01F9, patternBitmap},
      {0x0201, {0xFF, 0}},
      {0x0209, {0, 0xFF}},
      {0x020A, {0, 0}},
      {0x020B, {0, 0}},
      {0x020C, {50, 100}},
      {0x020D, {0, 0}},
      {0x020E, {50, 100}},
      {0x020F, {1, 1}},
      {0x0211, {1, 1}},
      {0x0213, {40, 90}},
      {0x0214, {5, 5}},
      {0x0220, {1, 1}},
      {0x0228, {kBrushSlot, kRegionSlot}},
      {0x0231, {0, 0}},
      {0x0234, {kPaletteSlot}},
      {0x02FA, {0, 3, 0, 0xFF00, 0}},
      {0x02FB, FontParams()},
      {0x02FC, {2, 0, 0xFF, 3}},
      {0x0324, {3, 0, 0, 40, 0, 20, 30}},
      {0x0325, {2, 0, 0, 40, 30}},
      {0x0410, {1, 1, 1, 1}},
      {0x0412, {1, 1, 1, 1}},
      {0x0415, {5, 5, 0, 0}},
      {0x0416, {50, 100, 0, 0}},
      {0x0418, {40, 80, 10, 10}},
      {0x041B, {40, 80, 10, 10}},
      {0x041F, {0, 0xFF, 3, 3}},
      {0x0429, {3, 3, kBrushSlot, kRegionSlot}},
      {0x0436, {0, 1, 0x00FF, 0}},
      {0x0521, textOut},
      {0x0538, {2, 3, 3, 0, 0, 10, 0, 0, 10, 20, 20, 30, 20, 20, 30}},
      {0x061C, {5, 5, 40, 80, 10, 10}},
      {0x061D, {0x0062, 0x00F0, 10, 10, 2, 2}},
      {0x0626, escape},
      {0x06FF, RegionParams()},
      {0x0817, {0, 0, 0, 80, 40, 80, 0, 0}},
      {0x081A, {0, 0, 0, 80, 40, 80, 0, 0}},
      {0x0830, {0, 0, 0, 80, 40, 80, 0, 0}},
      {0x0922, {0x00CC, 0, 0, 2, 2, 4, 4, 2, 2, 2, 1, 1, 0x5555, 0xAAAA}},
      {0x0940, with({0x0020, 0x00CC, 0, 0, 2, 2, 6, 6})},
      {0x0940, {0x0062, 0x00F0, 0, 0, 0, 2, 2, 6, 6}},  // without a bitmap: a pattern fill
      {0x0A32, extText},
      {0x0B23, {0x0020, 0x00CC, 2, 2, 0, 0, 8, 8, 0, 0, 2, 2, 2, 1, 1, 0x5555, 0xAAAA}},
      {0x0B41, with({0x0020, 0x00CC, 2, 2, 0, 0, 8, 8, 6, 6})},
      {0x0D33, with({0, 2, 0, 0, 0, 2, 2, 6, 6})},
      {0x0F43, with({0x0020, 0x00CC, 0, 2, 2, 0, 0, 8, 8, 6, 6})},
  };
}

void PutWord(Bytes* b, uint16_t v) {
  b->push_back(uint8_t(v));
  b->push_back(uint8_t(v >> 8));
}

void PutRecord(Bytes* b, const Record& r) {
  uint32_t words = uint32_t(3 + r.params.size());
  PutWord(b, uint16_t(words));
  PutWord(b, uint16_t(words >> 16));
  PutWord(b, r.function);
  for (uint16_t p : r.params) PutWord(b, p);
}

// The standard metafile (no placeable header): header, records, end.
Bytes Metafile(const std::vector<Record>& records, uint16_t objects) {
  Bytes body;
  uint32_t largest = 3;
  for (const Record& r : records) {
    PutRecord(&body, r);
    if (3 + r.params.size() > largest) largest = uint32_t(3 + r.params.size());
  }
  PutRecord(&body, {0, {}});
  Bytes b;
  uint32_t words = uint32_t(9 + body.size() / 2);
  for (uint16_t w : {uint16_t(1), uint16_t(9), uint16_t(0x0300), uint16_t(words), uint16_t(words >> 16), objects,
                     uint16_t(largest), uint16_t(largest >> 16), uint16_t(0)})
    PutWord(&b, w);
  b.insert(b.end(), body.begin(), body.end());
  return b;
}

// A placeable header (100x50 pixels unless asked) in front of a metafile.
Bytes Placeable(const Bytes& metafile, uint16_t width = 100, uint16_t height = 50) {
  Bytes b;
  for (uint16_t w : {uint16_t(0xCDD7), uint16_t(0x9AC6), uint16_t(0), uint16_t(0), uint16_t(0), width, height,
                     uint16_t(96), uint16_t(0), uint16_t(0)})
    PutWord(&b, w);
  uint16_t sum = 0;
  for (int i = 0; i < 10; ++i) sum ^= uint16_t(b[i * 2] | (b[i * 2 + 1] << 8));
  PutWord(&b, sum);
  b.insert(b.end(), metafile.begin(), metafile.end());
  return b;
}

Bytes BuildFile(const std::vector<Record>& records, uint16_t objects = kSlots) {
  return Placeable(Metafile(records, objects));
}

std::vector<Record> WithPrologue(const std::vector<Record>& tail) {
  std::vector<Record> all = Prologue();
  all.insert(all.end(), tail.begin(), tail.end());
  return all;
}

// Loads through the image object; a failure must leave a reason and the
// earlier picture. Returns whether the load drew.
bool SafeLoad(const Bytes& bytes, bool keepCopy) {
  if (keepCopy) {
    FILE* f = fopen("wmf-stress-last.wmf", "wb");
    if (f) {
      fwrite(bytes.data(), 1, bytes.size(), f);
      fclose(f);
    }
  }
  AIImage image;
  MakePattern(&image);
  if (image.LoadFromMemory(bytes.data(), uint32_t(bytes.size()), kImageWmf)) {
    EXPECT_GT(image.GetWidth(), 0);  // damage may change the picture size
    EXPECT_LE(image.GetWidth(), 8192);
    return true;
  }
  EXPECT_STRNE("", image.GetErrorText());
  EXPECT_EQ(12, image.GetWidth());
  return false;
}

TEST(WmfRecords, EveryAcceptedRecordTypeDrawsWhenSound) {
  for (const Record& r : SoundRecords()) {
    AIImage image;
    Bytes file = BuildFile(WithPrologue({r, {0x041B, {40, 80, 10, 10}}}));
    EXPECT_TRUE(image.LoadFromMemory(file.data(), uint32_t(file.size()), kImageWmf))
        << std::hex << r.function << ": " << image.GetErrorText();
  }
}

TEST(WmfRecords, ObjectIndicesCountsAndUnknownFunctionsAreChecked) {
  struct Case {
    const char* what;
    Record record;
  };
  Words shortText = {40};  // says 40 characters, holds none
  AddWords(&shortText, {1, 1});
  Words dibTooTall = SmallDib();
  dibTooTall[4] = 200;  // height beyond the pixels in the record
  Words stretch = {0x0020, 0x00CC, 0, 2, 2, 0, 0, 8, 8, 6, 6};
  AddWords(&stretch, dibTooTall);
  Words hiddenEmf = {0x0001, 4};  // an escape other than a comment
  AddWords(&hiddenEmf, Chars("data"));
  const Case cases[] = {
      {"select beyond the table", {0x012D, {0x4100}}},
      {"select one past the table", {0x012D, {kSlots}}},
      {"delete beyond the table", {0x01F0, {kSlots}}},
      {"palette beyond the table", {0x0234, {kSlots, kSlots}}},
      {"fill region beyond the table", {0x0228, {0, 77}}},
      {"frame region beyond the table", {0x0429, {1, 1, 0, 9}}},
      {"clip region beyond the table", {0x012C, {kSlots}}},
      {"rectangle without corners", {0x041B, {1, 2}}},
      {"polygon counting past the record", {0x0324, {9, 0, 0, 4, 4}}},
      {"polypolygon with a negative count", {0x0538, {2, 0xFFFF, 3, 0, 0, 1, 1, 2, 2}}},
      {"text longer than its record", {0x0521, shortText}},
      {"text with a negative length", {0x0521, {0x8000, 0, 0}}},
      {"extended text past its record", {0x0A32, {1, 1, 30, 0, 0x4141}}},
      {"extended text as glyph indices", {0x0A32, {1, 1, 2, 0x0010, 0x4141}}},
      {"brush pointing at memory", {0x02FC, {6, 0, 0, 0x1234}}},
      {"hatch beyond the styles", {0x02FC, {2, 0, 0, 9}}},
      {"palette longer than its record", {0x00F7, {0x0300, 50, 0, 0}}},
      {"region band past its record", {0x06FF, {0, 6, 0, 0, 34, 1, 2, 0, 2, 30, 20, 40, 2, 20}}},
      {"bitmap taller than its record", {0x0F43, stretch}},
      {"printer escape", {0x0626, hiddenEmf}},
      {"unknown function", {0x0777, {0, 0, 0, 0}}},
      {"function that is not drawn", {0x004F, {}}},
      {"flood fill (recursive in GDI)", {0x0419, {0, 0, 20, 20}}},
      {"surface flood fill", {0x0548, {1, 0xFFFF, 0x00FF, 5, 5}}},
  };
  for (const Case& c : cases) {
    AIImage image;
    Bytes file = BuildFile(WithPrologue({c.record}));
    EXPECT_FALSE(image.LoadFromMemory(file.data(), uint32_t(file.size()), kImageWmf)) << c.what;
    EXPECT_STREQ("Metafile record is damaged", image.GetErrorText()) << c.what;
  }
  // Without objects in the header, no object may be named at all.
  AIImage image;
  Bytes none = BuildFile({{0x020C, {50, 100}}, {0x012D, {0}}}, 0);
  EXPECT_FALSE(image.LoadFromMemory(none.data(), uint32_t(none.size()), kImageWmf));
}

// Mapping records can blow 16-bit coordinates up to millions of pixels, where
// GDI's arc code overflows its stack and wide pens take minutes.
TEST(WmfRecords, DrawingFarOutsideThePictureIsRefused) {
  const Record tinyWindow = {0x020C, {1, 1}};  // one logical unit spans the picture
  const std::vector<Record> refused[] = {
      {tinyWindow, {0x081A, {0, 0, 0, 32000, 32000, 32000, 0, 0}}},                  // pie
      {tinyWindow, {0x0418, {32000, 32000, 0, 0}}},                                  // ellipse
      {{0x020C, {50, 100}}, {0x0412, {1, 32000, 1, 32000}}, {0x0418, {40, 80, 0, 0}}},  // scaled viewport
      {tinyWindow, {0x02FA, {0, 3000, 0, 0, 0}}, {0x012D, {0}}, {0x0213, {1, 1}}},      // pen
  };
  for (const std::vector<Record>& records : refused) {
    AIImage image;
    Bytes file = BuildFile(records, 1);
    EXPECT_FALSE(image.LoadFromMemory(file.data(), uint32_t(file.size()), kImageWmf)) << records.back().function;
    EXPECT_STREQ("Metafile draws far outside its picture", image.GetErrorText()) << records.back().function;
  }
  // Wide pens and shapes beyond the edge at an ordinary scale still draw.
  AIImage image;
  Bytes file = BuildFile({{0x020C, {50, 100}}, {0x02FA, {0, 40, 0, 0, 0}}, {0x012D, {0}}, {0x0213, {50, 100}},
                          {0x0418, {2000, 2000, uint16_t(-1000), uint16_t(-1000)}}},
                         1);
  EXPECT_TRUE(image.LoadFromMemory(file.data(), uint32_t(file.size()), kImageWmf)) << image.GetErrorText();
}

// GDI plays an enhanced metafile carried in leading comments instead of the
// records; the loader must draw the records it checked.
TEST(WmfRecords, EnhancedMetafileInCommentsIsNotPlayed) {
  Bytes emf;
  auto put32 = [&](uint32_t v) {
    PutWord(&emf, uint16_t(v));
    PutWord(&emf, uint16_t(v >> 16));
  };
  // An empty enhanced metafile: header and end record.
  for (uint32_t v : {1u, 88u, 0u, 0u, 10u, 10u, 0u, 0u, 100u, 100u, 0x464D4520u, 0x10000u, 108u, 2u})
    put32(v);
  put32(1);  // handles, reserved
  for (uint32_t v : {0u, 0u, 0u, 1024u, 768u, 320u, 240u, 14u, 20u, 0u, 16u, 20u}) put32(v);
  Words comment = {0x000F, uint16_t(34 + emf.size())};
  Words chunk = {0x4D57, 0x4346, 1, 0, 0, 1, 0 /* checksum */, 0, 0, 1, 0, uint16_t(emf.size()), 0, 0, 0,
                 uint16_t(emf.size()), 0};
  AddWords(&comment, chunk);
  for (size_t i = 0; i < emf.size(); i += 2) comment.push_back(uint16_t(emf[i] | (emf[i + 1] << 8)));
  std::vector<Record> records = {{0x0626, comment}};
  AddWords(&records[0].params, {});
  for (const Record& r : WithPrologue({{0x012D, {kBrushSlot}}, {0x041B, {50, 100, 0, 0}}})) records.push_back(r);
  Bytes metafile = Metafile(records, kSlots);
  // GDI takes the comments only when the metafile's words sum to zero.
  uint16_t sum = 0;
  for (size_t i = 0; i < metafile.size(); i += 2) sum = uint16_t(sum + (metafile[i] | (metafile[i + 1] << 8)));
  size_t checksumAt = 18 + 6 + 2 * 2 + 12;  // header, record head, escape words, chunk offset
  uint16_t fix = uint16_t(0 - sum);
  metafile[checksumAt] = uint8_t(fix);
  metafile[checksumAt + 1] = uint8_t(fix >> 8);
  Bytes file = Placeable(metafile);
  AIImage image;
  ASSERT_TRUE(image.LoadFromMemory(file.data(), uint32_t(file.size()), kImageWmf)) << image.GetErrorText();
  EXPECT_TRUE(Near(Rgb{255, 0, 0}, PixelAt(image, 50, 25), 8));
}

// Flips, overwrites and extremes anywhere in the file, or only in the
// parameter words of one record.
Bytes Damage(const Bytes& sound, Rng* rng, bool parametersOnly, const std::vector<size_t>& paramStarts) {
  Bytes b = sound;
  int changes = 1 + int(rng->Below(6));
  for (int i = 0; i < changes; ++i) {
    size_t at;
    if (parametersOnly && !paramStarts.empty()) {
      size_t start = paramStarts[rng->Below(uint32_t(paramStarts.size()))];
      at = start + 2 * rng->Below(12);
      if (at + 1 >= b.size()) at = b.size() - 2;
      uint16_t w = rng->Word();
      b[at] = uint8_t(w);
      b[at + 1] = uint8_t(w >> 8);
      continue;
    }
    at = rng->Below(uint32_t(b.size()));
    switch (rng->Below(3)) {
      case 0: b[at] = uint8_t(rng->Next()); break;
      case 1: b[at] ^= uint8_t(1u << rng->Below(8)); break;
      default: b[at] = rng->Below(2) ? 0xFF : 0x00; break;
    }
  }
  return b;
}

// Where each record's parameters start in a file built by BuildFile.
std::vector<size_t> ParamStarts(const Bytes& file) {
  std::vector<size_t> starts;
  size_t at = 22 + 18;
  while (at + 6 <= file.size()) {
    uint32_t words = uint32_t(file[at] | (file[at + 1] << 8) | (file[at + 2] << 16) | (uint32_t(file[at + 3]) << 24));
    if (words < 3) break;
    starts.push_back(at + 6);
    at += size_t(words) * 2;
  }
  return starts;
}

// One record of a known type with random parameters: the sound ones with
// words changed, cut or lengthened, or entirely random words.
Record RandomRecord(const std::vector<Record>& sound, Rng* rng) {
  Record r = sound[rng->Below(uint32_t(sound.size()))];
  switch (rng->Below(4)) {
    case 0:
      for (uint16_t& w : r.params) w = rng->Word();
      break;
    case 1:
      r.params.resize(rng->Below(uint32_t(r.params.size()) + 1));
      break;
    case 2: {
      size_t n = rng->Below(40);
      r.params.clear();
      for (size_t i = 0; i < n; ++i) r.params.push_back(rng->Word());
      break;
    }
    default:
      for (int k = 0, n = 1 + int(rng->Below(3)); k < n && !r.params.empty(); ++k)
        r.params[rng->Below(uint32_t(r.params.size()))] = rng->Word();
      if (rng->Below(2)) r.params.push_back(rng->Word());
      break;
  }
  if (rng->Below(16) == 0) r.function = uint16_t(rng->Next());  // not a known type at all
  return r;
}

// Loads a file a crash left behind, or every file in a folder (a fuzzer's
// corpus), each kept in wmf-stress-last.wmf while it loads.
void ReplayFiles(const char* path) {
  std::vector<std::string> files;
  if (GetFileAttributesA(path) & FILE_ATTRIBUTE_DIRECTORY) {
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((std::string(path) + "\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) files.push_back(std::string(path) + "\\" + found.cFileName);
      } while (FindNextFileA(find, &found));
      FindClose(find);
    }
  } else {
    files.push_back(path);
  }
  int drawn = 0;
  for (const std::string& name : files) {
    FILE* f = fopen(name.c_str(), "rb");
    if (!f) continue;
    Bytes bytes(1 << 20);
    bytes.resize(fread(bytes.data(), 1, bytes.size(), f));
    fclose(f);
    drawn += SafeLoad(bytes, files.size() > 1);
  }
  printf("replayed %d files, %d drawn\n", int(files.size()), drawn);
}

TEST(WmfStress, DamagedAndRandomMetafilesNeverCrash) {
  char replay[MAX_PATH] = {};
  if (GetEnvironmentVariableA("TAVIK_WMF_REPLAY", replay, sizeof(replay))) {
    ReplayFiles(replay);
    return;
  }
  const int factor = StressFactor();
  const bool keepCopy = factor > 1;
  std::vector<Record> sound = SoundRecords();
  int loads = 0, drawn = 0;
  for (int seedIndex = 0; seedIndex < 4 * factor; ++seedIndex) {
    Rng rng = {uint32_t(0x9E3779B9u * uint32_t(seedIndex + 1))};
    // Damaged copies of whole sound files (a few records each).
    for (int round = 0; round < 300; ++round) {
      std::vector<Record> tail;
      for (int k = 0, n = 1 + int(rng.Below(4)); k < n; ++k) tail.push_back(sound[rng.Below(uint32_t(sound.size()))]);
      Bytes file = BuildFile(WithPrologue(tail), uint16_t(rng.Below(4) ? uint32_t(kSlots) : rng.Below(8)));
      bool parametersOnly = rng.Below(2) != 0;
      Bytes damaged = Damage(file, &rng, parametersOnly, ParamStarts(file));
      drawn += SafeLoad(damaged, keepCopy);
      ++loads;
    }
    // Files made of records with random parameters.
    for (int round = 0; round < 400; ++round) {
      std::vector<Record> tail;
      for (int k = 0, n = 1 + int(rng.Below(4)); k < n; ++k) tail.push_back(RandomRecord(sound, &rng));
      std::vector<Record> records = rng.Below(3) ? WithPrologue(tail) : tail;
      if (rng.Below(4) == 0) records.insert(records.begin(), {0x020C, {50, 100}});
      drawn += SafeLoad(BuildFile(records, uint16_t(rng.Below(4) ? uint32_t(kSlots) : rng.Below(8))), keepCopy);
      ++loads;
    }
    // Longer mixes of sound and random records (mapping changes before
    // drawing) on pictures of other sizes.
    for (int round = 0; round < 200; ++round) {
      std::vector<Record> records = Prologue();
      for (int k = 0, n = 3 + int(rng.Below(10)); k < n; ++k)
        records.push_back(rng.Below(2) ? sound[rng.Below(uint32_t(sound.size()))] : RandomRecord(sound, &rng));
      Bytes file = Placeable(Metafile(records, kSlots), uint16_t(1 + rng.Below(300)), uint16_t(1 + rng.Below(300)));
      drawn += SafeLoad(file, keepCopy);
      ++loads;
    }
  }
  // Most damage leaves a loadable file: the walk is not refusing everything.
  EXPECT_GT(drawn, loads / 20);
  if (keepCopy) printf("wmf stress: %d loads, %d drawn\n", loads, drawn);
}

}  // namespace
