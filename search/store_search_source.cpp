#include "search/store_search_source.h"
#include "foundation/ai_string_list.h"
#include "foundation/ai_string_table.h"
#include "foundation/app.h"
#include "foundation/message_pump.h"
#include "notestore/note_store.h"
#include "search/search_source.h"

namespace {

const WCHAR* StoreBuffer(int32_t* chars)
{
    const WCHAR* buffer = GetDatafileBuffer();
    *chars = buffer ? GetDatafileBufferChars() : 0;
    return buffer;
}

int32_t StoreMirrorNoteCount()
{
    return g_noteStore.mirrorNotes ? g_noteStore.mirrorNotes->GetCount() : 0;
}

void StoreReloadMirrors() { ReloadNotesFromMirrors(); }

int32_t StoreFindTitle(const WCHAR* title, int32_t* copy)
{
    *copy = kCopyNotShown;
    if (!g_noteStore.noteIndex) return -1;
    int32_t position = g_noteStore.noteIndex->FindKey(title);
    if (position < 0) return -1;
    int32_t value = GetNoteIndexValue(position);
    if (value >= 0) *copy = kCopyInDatafile;
    else if (value > kIndexDeletedLimit || value == kIndexSideFileOnly) *copy = kCopyInMirror;
    return position;
}

MirrorTextRecord* StoreMirrorTexts() { return g_noteStore.mirrorTexts; }
int32_t StoreAgeThreshold() { return g_noteStore.mirrorAgeThreshold; }
int32_t CpuSpeed() { return g_app.system.GetCpuSpeedIndex(); }

int32_t IsWindows60()
{
    double version = g_app.system.GetWindowsVersion();
    return version > 5.95 && version < 6.05;
}

}  // namespace

void ConnectStoreSearchSource()
{
    SearchSource source = {StoreBuffer,      GetDatafileGeneration, BeginDatafileWalk, EndDatafileWalk,
                           GetNoteCount,     StoreMirrorNoteCount,  StoreReloadMirrors, StoreFindTitle,
                           StoreMirrorTexts, StoreAgeThreshold,     PumpMessages,       CpuSpeed,
                           IsWindows60,      GetDatafileSpans};
    SetSearchSource(source);
}
