// Edit markers: who holds which note, and when a marker has gone stale.
#include "notestore/sync/edit_markers.h"

const WCHAR kMarkerHeader[] = L"tavik-edit 1";

namespace {

enum { kOwnerField = 0, kStampField = 1, kNameField = 2 };

int32_t IsStale(uint64_t stamp, uint64_t now)
{
    const uint64_t lifetime = kMarkerLifetimeMinutes * kFileTimeMinute;
    // A stamp far in the future is as useless as an old one: the holder's
    // clock is wrong, and its marker would otherwise never end.
    if (stamp > now) return stamp - now > lifetime;
    return now - stamp > lifetime;
}

}  // namespace

int32_t IsMarkedByOther(const SyncTable& markers, const WCHAR* title, uint64_t owner, uint64_t now, AIString& holder)
{
    holder.Clear();
    int32_t at = markers.Find(title, TextLength(title));
    if (at < 0) return 0;
    if (markers.FieldHex(at, kOwnerField) == owner) return 0;
    if (IsStale(markers.FieldHex(at, kStampField), now)) return 0;
    markers.FieldText(at, kNameField, holder);
    return 1;
}

int32_t SetMarker(SyncTable& markers, const WCHAR* title, uint64_t owner, uint64_t now, const WCHAR* name)
{
    AIString ownerText, stampText;
    AppendHex64(ownerText, owner);
    AppendHex64(stampText, now);
    const WCHAR* fields[kMarkerFields] = {ownerText.GetText(), stampText.GetText(), name};
    return markers.Set(title, fields, kMarkerFields);
}

int32_t RemoveOwnMarker(SyncTable& markers, const WCHAR* title, uint64_t owner)
{
    int32_t at = markers.Find(title, TextLength(title));
    if (at < 0 || markers.FieldHex(at, kOwnerField) != owner) return 0;
    return markers.Remove(title);
}

int32_t RefreshMarkers(SyncTable& markers, uint64_t owner, uint64_t now)
{
    int32_t changed = 0;
    AIString title, name;
    for (int32_t i = markers.Count() - 1; i >= 0; i--) {
        markers.TitleAt(i, title);
        if (markers.FieldHex(i, kOwnerField) == owner) {
            markers.FieldText(i, kNameField, name);
            SetMarker(markers, title.GetText(), owner, now, name.GetText());
            changed++;
        } else if (IsStale(markers.FieldHex(i, kStampField), now)) {
            markers.Remove(title.GetText());
            changed++;
        }
    }
    return changed;
}
