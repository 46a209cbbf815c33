#include "search/search_source.h"

namespace {

const WCHAR* NoBuffer(int32_t* chars) { *chars = 0; return nullptr; }
uint32_t NoGeneration() { return 0; }
void NoWalk() {}
int32_t NoCount() { return 0; }
void NoReload() {}
int32_t NoTitle(const WCHAR*, int32_t* copy) { *copy = kCopyNotShown; return -1; }
MirrorTextRecord g_noRecords[kMirrorTextRecords];  // unused records: keys 0, no text
MirrorTextRecord* NoMirrorTexts() { return g_noRecords; }
int NoPump() { return 1; }
int32_t UsualSpeed() { return 300; }
const NoteSpan* NoSpans(int32_t* count) { *count = 0; return nullptr; }

SearchSource g_source = {NoBuffer, NoGeneration, NoWalk, NoWalk, NoCount, NoCount, NoReload,
                         NoTitle, NoMirrorTexts, NoCount, NoPump, UsualSpeed, NoCount, NoSpans};
SearchPanelHooks g_hooks = {};

}  // namespace

void SetSearchSource(const SearchSource& source) { g_source = source; }
const SearchSource& GetSearchSource() { return g_source; }

void SetSearchPanelHooks(const SearchPanelHooks& hooks) { g_hooks = hooks; }
const SearchPanelHooks& GetSearchPanelHooks() { return g_hooks; }
