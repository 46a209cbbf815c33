// The rule of a pass, note by note (see sync_decide.h and docs/sync-folders.md).
#include "notestore/sync/sync_decide.h"

SyncAction DecideSync(int32_t inBase, SyncSideState here, SyncSideState there, int32_t sameText)
{
    if (there == kSideInTransit) return kSyncRetryLater;
    if (!inBase) {
        // A note the base never saw: new on one side or on both.
        if (here == kSideAbsent && there == kSideAbsent) return kSyncNothing;
        if (there == kSideAbsent) return kSyncPush;
        if (here == kSideAbsent) return kSyncPull;
        return sameText ? kSyncAdopt : kSyncConflict;
    }
    if (here == kSideSame && there == kSideSame) return kSyncNothing;
    if (here == kSideAbsent && there == kSideAbsent) return kSyncForget;
    if (there == kSideSame) return here == kSideAbsent ? kSyncDeleteThere : kSyncPush;
    if (here == kSideSame) return there == kSideAbsent ? kSyncDeleteHere : kSyncPull;
    // Changed on both sides. An edit always wins over a deletion.
    if (there == kSideAbsent) return kSyncPush;
    if (here == kSideAbsent) return kSyncPull;
    return sameText ? kSyncAdopt : kSyncConflict;
}

SyncCopyState JudgeCopy(uint64_t listedHash, uint64_t listedStamp, uint64_t copyHash, uint64_t copyWriteTime,
                        int32_t decodes)
{
    if (!decodes) return kCopyInTransit;
    if (copyHash == listedHash) return kCopyWhole;
    // The writer gives each copy the list's stamp as its time: a copy not
    // written after its stamp is an older copy (or a part of the new one).
    if (copyWriteTime <= listedStamp) return kCopyInTransit;
    return kCopyEditedOutside;
}
