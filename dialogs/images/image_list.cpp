// Building the image list from its cache or a scan of the images folder.
#include "dialogs/images/image_list.h"
#include "dialogs/images/image_list_rules.h"
#include "foundation/ai_file.h"
#include "foundation/ai_string_table.h"
#include "foundation/trace.h"
#include "foundation/trace_modules.h"

namespace {

// Trace point of a scanned name the list cannot keep.
const int32_t kTraceBuildList = 1;
const int32_t kTraceSkippedName = 1;

struct ImageListState
{
    AIStringTable list;
    int current = -1;
    int scanning = 0;  // the busy guard of a scan that pumps
    int allImages = 0; // 1: the list is the whole folder's, not a note's
};

ImageListState& State()
{
    static ImageListState state;
    return state;
}

int ReadCache(const ImageScanSource& source, AIStringTable& list)
{
    if (source.forceRescan || !source.cachePath || !AIFile::Exists(source.cachePath)) return 0;
    AIStringTable file;
    if (!file.LoadFromFile(source.cachePath)) return 0;
    return ParseImageListCache(file.GetJoined().GetText(), list);
}

int KeepGoing(const ImageScanSource& source)
{
    if (!source.pump) return 1;
    if (!source.pump(source.context)) return 0;
    return !source.stillWanted || source.stillWanted(source.context);
}

// Scans the folder into list; 0 when the scan was stopped.
int ScanFolder(const ImageScanSource& source, AIStringTable& list, ImageScanReport& report)
{
    AIString pattern(source.imagesFolder ? source.imagesFolder : L"");
    pattern.AppendText(L"\\*.*");
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW(pattern.GetText(), &found);
    if (find == INVALID_HANDLE_VALUE) return 1;
    int sincePump = 0, ok = 1;
    do {
        report.entries++;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            ImageItemResult added = AddImageListItem(list, found.cFileName);
            if (added == kImageItemReserved) {
                report.skippedReserved++;
                TraceRecord(MakeTraceId(kTraceImageList, kTraceBuildList, kTraceSkippedName));
            }
        }
        if (++sincePump > kImageScanPumpEvery) {
            sincePump = 0;
            if (!KeepGoing(source)) {
                ok = 0;
                break;
            }
        }
    } while (FindNextFileW(find, &found));
    FindClose(find);
    if (ok) list.SortIndex();
    return ok;
}

}  // namespace

ImageListOrigin BuildImageList(const ImageScanSource& source, ImageScanReport& report)
{
    TRACE_SCOPE(kTraceImageList, kTraceBuildList);
    ImageListState& state = State();
    report = ImageScanReport();
    if (state.scanning) return report.origin = kImageListBusy;
    state.current = -1;
    state.list.Clear();
    state.allImages = 0;
    if (ReadCache(source, state.list)) {
        report.images = state.list.GetCount();
        state.allImages = 1;
        return report.origin = kImageListFromCache;
    }
    state.scanning = 1;
    if (source.cachePath) AIFile::DeleteQuiet(source.cachePath);
    int complete = ScanFolder(source, state.list, report);
    state.scanning = 0;
    if (!complete) {
        state.list.Clear();
        return report.origin = kImageListAbandoned;
    }
    report.images = state.list.GetCount();
    state.allImages = 1;
    if (report.entries > kImageCacheMinEntries && report.images && source.cachePath)
        report.cacheWritten = state.list.SaveToFile(source.cachePath);
    return report.origin = kImageListScanned;
}

AIStringTable& GetImageListTable()
{
    return State().list;
}

int GetImageCount()
{
    return State().list.GetCount();
}

void ClearImageList()
{
    State().list.Clear();
    State().current = -1;
    State().allImages = 0;
}

int ImageListHoldsAllImages()
{
    return State().allImages;
}

int GetImageName(int index, AIString& text)
{
    ImageListState& state = State();
    int count = state.list.GetCount();
    if (index == kCurrentImageName) {
        if (state.current < 0 || state.current >= count) return 0;
        state.list.GetValueAt(state.current, text);
        return 1;
    }
    if (index < 0 || index >= count) return 0;
    state.list.GetKeyAt(index, text);
    return 1;
}

int GetCurrentImageIndex()
{
    return State().current;
}

void SetCurrentImageIndex(int index)
{
    ImageListState& state = State();
    if (index == -1 || (index >= 0 && index < state.list.GetCount())) state.current = index;
}
