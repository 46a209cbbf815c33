#include "bench/search_fake_store.h"
#include <algorithm>

namespace {

FakeSearchStore* g_store = nullptr;

int CompareTitle(const std::vector<WCHAR>& a, const WCHAR* b, int bLength)
{
    int n = std::min((int)a.size(), bLength);
    for (int i = 0; i < n; i++)
        if (a[(size_t)i] != b[i]) return a[(size_t)i] < b[i] ? -1 : 1;
    return (int)a.size() - bLength;
}

const WCHAR* Buffer(int32_t* chars)
{
    *chars = g_store->reportedChars >= 0 ? g_store->reportedChars : (int32_t)g_store->buffer.size() - 1;
    return g_store->buffer.data();
}
uint32_t Generation() { return g_store->generation; }
void BeginWalk() { g_store->walksBegun++; }
void EndWalk() { g_store->walksEnded++; }
int32_t TitleCount() { return (int32_t)g_store->titles.size(); }
int32_t MirrorNoteCount() { return g_store->mirrorNoteCount; }
void Reload() { g_store->reloads++; }

int32_t FindTitle(const WCHAR* title, int32_t* copy)
{
    int length = TextLength(title);
    const auto& titles = g_store->titles;
    auto it = std::lower_bound(titles.begin(), titles.end(), 0,
                               [&](const std::vector<WCHAR>& t, int) { return CompareTitle(t, title, length) < 0; });
    *copy = kCopyNotShown;
    if (it == titles.end() || CompareTitle(*it, title, length) != 0) return -1;
    int32_t index = (int32_t)(it - titles.begin());
    int32_t value = g_store->values[(size_t)index];
    if (value >= 0) *copy = kCopyInDatafile;
    else if (value > kIndexDeletedLimit || value == kIndexSideFileOnly) *copy = kCopyInMirror;
    return index;
}

MirrorTextRecord* MirrorTexts() { return g_store->mirrorRecords.data(); }
int32_t AgeThreshold() { return g_store->ageThreshold; }
int Pump()
{
    g_store->pumps++;
    if (g_store->onPump) g_store->onPump(*g_store);
    return g_store->pumpAnswer;
}
int32_t CpuSpeed() { return g_store->cpuSpeed; }
int32_t Windows60() { return g_store->windows60; }
const NoteSpan* Spans(int32_t* count)
{
    *count = g_store->withholdSpans ? 0 : (int32_t)g_store->spans.size();
    return g_store->withholdSpans ? nullptr : g_store->spans.data();
}

void PaintProgress(int32_t percent) { g_store->progressPainted.push_back(percent); }
void ShowPreview() { g_store->previewsShown++; }
void HidePreview() { g_store->previewsHidden++; }
void RepaintPanel() { g_store->panelRepaints++; }

void Finish(FakeSearchStore& store, const std::vector<const std::vector<WCHAR>*>& mirrors)
{
    store.mirrorRecords.assign(kMirrorTextRecords, MirrorTextRecord{0, 0, nullptr, -1});
    store.mirrorTexts.clear();
    for (const auto* m : mirrors) store.mirrorTexts.push_back(*m);
    for (size_t r = 0; r < store.mirrorTexts.size() && r < (size_t)kMirrorTextRecords; r++)
        store.mirrorRecords[r] = MirrorTextRecord{(uint32_t)r + 1, 7, store.mirrorTexts[r].data(), 0};
    store.mirrorNoteCount = (int32_t)store.mirrorTexts.size();
    store.spans.clear();
    for (size_t i = 0; i < store.buffer.size(); i++)
        if (store.buffer[i] == kNoteMark) {
            int32_t titleLength = 0;
            while (i + 1 + (size_t)titleLength < store.buffer.size() && store.buffer[i + 1 + (size_t)titleLength] != L'\r')
                titleLength++;
            store.spans.push_back(NoteSpan{(int32_t)i, titleLength});
        }
    store.buffer.push_back(0);
    store.generation++;
}

}  // namespace

void FillFakeStore(FakeSearchStore& store, const std::vector<GeneratedNote>& notes)
{
    store.buffer.clear();
    store.titles.clear();
    store.values.clear();
    for (const char* c = "Tavik 10\r\n"; *c; c++) store.buffer.push_back((WCHAR)*c);
    std::vector<const std::vector<WCHAR>*> mirrors;
    for (const GeneratedNote& note : notes) {
        int32_t offset = (int32_t)store.buffer.size();
        store.buffer.insert(store.buffer.end(), note.text.begin(), note.text.end());
        store.titles.push_back(note.title);
        store.values.push_back(note.mirrorText.empty() ? offset : -offset);
        if (!note.mirrorText.empty()) mirrors.push_back(&note.mirrorText);
    }
    Finish(store, mirrors);
}

void FillFakeStoreFromTexts(FakeSearchStore& store, const std::vector<const WCHAR*>& texts,
                            const std::vector<const WCHAR*>& mirrorOf)
{
    std::vector<GeneratedNote> notes(texts.size());
    for (size_t i = 0; i < texts.size(); i++) {
        const WCHAR* t = texts[i];
        notes[i].text.assign(t, t + TextLength(t));
        const WCHAR* title = t + 1;
        const WCHAR* end = title;
        while (*end && *end != L'\r' && *end != L'\n' && *end != L'\t' && end - title < 30) end++;
        notes[i].title.assign(title, end);
        if (i < mirrorOf.size() && mirrorOf[i]) {
            notes[i].mirrorText.assign(mirrorOf[i], mirrorOf[i] + TextLength(mirrorOf[i]));
            notes[i].mirrorText.push_back(0);
        }
    }
    // The index is sorted; the buffer keeps the given order.
    FillFakeStore(store, notes);
    std::vector<size_t> order(notes.size());
    for (size_t i = 0; i < order.size(); i++) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return CompareTitle(notes[a].title, notes[b].title.data(), (int)notes[b].title.size()) < 0;
    });
    std::vector<std::vector<WCHAR>> titles;
    std::vector<int32_t> values;
    for (size_t i : order) {
        titles.push_back(store.titles[i]);
        values.push_back(store.values[i]);
    }
    store.titles.swap(titles);
    store.values.swap(values);
}

void InstallFakeStore(FakeSearchStore& store)
{
    g_store = &store;
    SearchSource source = {Buffer, Generation, BeginWalk, EndWalk, TitleCount, MirrorNoteCount, Reload,
                           FindTitle, MirrorTexts, AgeThreshold, Pump, CpuSpeed, Windows60, Spans};
    SetSearchSource(source);
    SearchPanelHooks hooks = {PaintProgress, nullptr, RepaintPanel, ShowPreview, HidePreview};
    SetSearchPanelHooks(hooks);
}

FakeSearchStore* InstalledFakeStore() { return g_store; }
