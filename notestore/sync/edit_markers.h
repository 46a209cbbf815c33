// The edit markers of the share folder ("tavik.edit"): one line per note
// being edited, with who edits it and since when. A marker is refreshed by
// every pass of its holder; one not refreshed for kMarkerLifetimeMinutes is
// stale and no longer honoured (its holder's program ended without
// releasing it). Pure functions over the table.
#pragma once
#include "notestore/sync/sync_table.h"

extern const WCHAR kMarkerHeader[];
enum {
    kMarkerFields = 3,            // owner id, stamp, the holder's name
    kMarkerLifetimeMinutes = 30,
};

// File times in 100 ns steps.
const uint64_t kFileTimeMinute = 600000000ULL;

// 1 when another owner holds a marker on the title that is not stale at
// `now`; the holder's name goes into holder.
int32_t IsMarkedByOther(const SyncTable& markers, const WCHAR* title, uint64_t owner, uint64_t now,
                        AIString& holder);
// Sets this owner's marker on the title, stamped now.
int32_t SetMarker(SyncTable& markers, const WCHAR* title, uint64_t owner, uint64_t now, const WCHAR* name);
// Removes the title's marker when this owner holds it. 1 when removed.
int32_t RemoveOwnMarker(SyncTable& markers, const WCHAR* title, uint64_t owner);
// Stamps every marker of this owner anew and removes stale markers of
// others. Returns the number of lines changed.
int32_t RefreshMarkers(SyncTable& markers, uint64_t owner, uint64_t now);
