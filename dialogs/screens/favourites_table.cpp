// The favourites table and its joined text.
#include "dialogs/screens/favourites_table.h"
#include "foundation/app.h"
#include "foundation/settings_record.h"

FavouritesTable g_favourites;

namespace {
const WCHAR kItemSeparator = 0x00A4;
}

void FavouritesTable::Clear()
{
    for (AIString& t : titles_) t.Clear();
}

const WCHAR* FavouritesTable::Get(int slot) const
{
    if (slot < 1 || slot > kFavouriteSlots) return L"";
    return titles_[slot - 1].GetText();
}

int FavouritesTable::Set(int slot, const WCHAR* title)
{
    if (slot < 1 || slot > kFavouriteSlots) return 0;
    AIString clean(title);
    clean.RemoveChars(L"\x00A4\r\n\t");
    clean.Trim();
    titles_[slot - 1].Copy(clean);
    return 1;
}

void FavouritesTable::Load(const WCHAR* joined)
{
    Clear();
    if (!joined) return;
    const WCHAR* item = joined;
    while (*item) {
        const WCHAR* end = item;
        while (*end && *end != kItemSeparator) end++;
        if (end - item >= 3 && item[0] >= L'1' && item[0] <= L'9' && item[1] == L':') {
            AIString title;
            title.AppendTextN(item + 2, (int)(end - item - 2));
            Set(item[0] - L'0', title.GetText());
        }
        item = *end ? end + 1 : end;
    }
}

void FavouritesTable::Join(AIString& out, int limit) const
{
    out.Clear();
    for (int slot = 1; slot <= kFavouriteSlots; slot++) {
        const AIString& title = titles_[slot - 1];
        if (title.IsEmpty()) continue;
        if (out.GetLength() + 3 + title.GetLength() > limit) break;
        out.AppendChar((WCHAR)(L'0' + slot)).AppendChar(L':').AppendString(title).AppendChar(kItemSeparator);
    }
}

void StoreFavourites()
{
    AIString joined;
    g_favourites.Join(joined, kSettingsFavouritesChars - 1);
    SettingsSetFavouritesText(g_app.settings.Record(), joined.GetText());
    g_app.settings.Store();
}
