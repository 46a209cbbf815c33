#include "tests/support/gtest.h"
#include "foundation/settings_store.h"
#include "foundation/registry_key.h"
#include "foundation/ai_string.h"
#include "foundation/rc4.h"
#include "foundation/sha1.h"
#include <string.h>

namespace {

const WCHAR kTestProgram[] = L"TavikSettingsTest";

// Each test starts with its own empty registry key or portable folder.
class SettingsStoreTest : public testing::Test {
protected:
    void SetUp() override
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Orvanta\\TavikSettingsTest");
        WCHAR temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        portable_.AssignText(temp).AppendText(L"tavik_settings_test_registry");
        DeleteFileW(AIString(portable_).AppendText(L"\\UserData").GetText());
        DeleteFileW(AIString(portable_).AppendText(L"\\UserData_c").GetText());
        RemoveDirectoryW(portable_.GetText());
    }
    void TearDown() override { SetRegistryLocation(L"Tavik", 0); }

    void UseRegistry() { SetRegistryLocation(kTestProgram, 0); }
    void UsePortable() { SetRegistryLocation(kTestProgram, portable_.GetText()); }

    // Changes every field the program relies on away from its default.
    static void FillRecord(SettingsRecord& r)
    {
        SettingsSetDataFilePath(r, L"C:\\notes\\my.tavik");
        r.messageBoxTransparency = 200;
        SettingsSetDontShow(r, 0, 1);
        SettingsSetDontShow(r, 55, 1);
        SettingsSetRecentFile(r, 0, L"C:\\a.tavik");
        SettingsSetRecentFile(r, 7, L"C:\\h.tavik");
        SettingsSetGridSize(r, 5);
        SettingsSetFavouritesText(r, L"1:Home\x00A4" L"2:Shopping");
        r.editorBackground = 1;
        r.tipIndex = 17;
    }

    void ExpectFilled(const SettingsRecord& r)
    {
        AIString text;
        SettingsGetDataFilePath(r, text);
        EXPECT_EQ(Utf8(text), "C:\\notes\\my.tavik");
        EXPECT_EQ(r.messageBoxTransparency, 200);
        EXPECT_EQ(SettingsGetDontShow(r, 0), 1);
        EXPECT_EQ(SettingsGetDontShow(r, 55), 1);
        EXPECT_EQ(SettingsGetDontShow(r, 1), 0);
        SettingsGetRecentFile(r, 7, text);
        EXPECT_EQ(Utf8(text), "C:\\h.tavik");
        EXPECT_EQ(SettingsGetGridSize(r), 5);
        SettingsGetFavouritesText(r, text);
        EXPECT_EQ(Utf8(text), "1:Home\xC2\xA4" "2:Shopping");
        EXPECT_EQ(r.editorBackground, 1);
        EXPECT_EQ(r.tipIndex, 17);
    }

    void RoundTrip()
    {
        AISettingsStore written;
        written.WriteDefaults(0);
        FillRecord(written.Record());
        ASSERT_EQ(written.Store(), 1);

        AISettingsStore read;
        read.WriteDefaults(0);
        EXPECT_EQ(read.Load(0), 1);
        ExpectFilled(read.Record());
        EXPECT_EQ(0, memcmp(&read.Record(), &written.Record(), sizeof(SettingsRecord)));
    }

    // A store that reads a damaged record must keep the defaults it had.
    // Stores the first `bytes` of a filled record the way Store does, with
    // the check value of exactly those bytes: a record that is whole and
    // checked, but short.
    static void StoreShortRecord(uint32_t bytes)
    {
        AISettingsStore written;
        FillRecord(written.Record());
        uint8_t* plain = new uint8_t[bytes];
        memcpy(plain, &written.Record(), bytes);
        AIString check;
        AISha1Hash::HexDigest(plain, bytes, check);
        AIRc4Cipher::Apply(kSettingsCipherKey, kSettingsCipherKeyBytes, plain, (int)bytes);
        AIRegistryKey key;
        ASSERT_EQ(key.OpenKey(HKEY_CURRENT_USER, 0), 1);
        ASSERT_EQ(key.WriteBinary(L"UserData", plain, bytes), 1);
        ASSERT_EQ(key.WriteString(L"UserData_c", check.GetText()), 1);
        delete[] plain;
    }

    void ExpectDefaultsKept()
    {
        AISettingsStore read;
        read.WriteDefaults(0);
        SettingsRecord defaults;
        SettingsSetDefaults(defaults, 0);
        EXPECT_EQ(read.Load(0), 0);
        EXPECT_EQ(0, memcmp(&read.Record(), &defaults, sizeof(SettingsRecord)));
        EXPECT_EQ(read.Record().messageBoxTransparency, defaults.messageBoxTransparency);
        EXPECT_EQ(SettingsGetGridSize(read.Record()), 3);
    }

    AIString portable_;
};

}  // namespace

TEST(SettingsRecordFields, OffsetsAndBoundedText)
{
    SettingsRecord r;
    SettingsSetDefaults(r, 0);
    const uint8_t* base = (const uint8_t*)&r;
    r.transparencyOff = 0x11223344;
    EXPECT_EQ(*(const int32_t*)(base + 4776), 0x11223344);
    SettingsSetDontShow(r, 3, 7);
    EXPECT_EQ(*(const int32_t*)(base + 4796 + 12), 7);

    // A 300-character path fills the 250-character slot completely; the
    // reader stops at the slot's end, not in the next slot.
    WCHAR longPath[301];
    for (int i = 0; i < 300; i++) longPath[i] = (WCHAR)('a' + i % 26);
    longPath[300] = 0;
    SettingsSetRecentFile(r, 2, L"next-slot");
    SettingsSetRecentFile(r, 1, longPath);
    AIString text;
    SettingsGetRecentFile(r, 1, text);
    EXPECT_EQ(text.GetLength(), 250);
    SettingsGetRecentFile(r, 2, text);
    EXPECT_EQ(Utf8(text), "next-slot");
    EXPECT_EQ(*(const WCHAR*)(base + 5092 + 2 * 500), 'n');

    // A shorter path leaves no stale characters behind; an emptied slot is all zeros.
    SettingsSetRecentFile(r, 1, L"short");
    SettingsGetRecentFile(r, 1, text);
    EXPECT_EQ(Utf8(text), "short");
    SettingsSetRecentFile(r, 1, 0);
    for (int i = 0; i < 500; i++) ASSERT_EQ(base[5092 + 500 + i], 0) << i;

    // Out-of-range indexes write nothing and read as empty.
    SettingsRecord before = r;
    SettingsSetRecentFile(r, 8, L"x");
    SettingsSetRecentFile(r, -1, L"x");
    SettingsSetDontShow(r, 56, 1);
    EXPECT_EQ(0, memcmp(&before, &r, sizeof(r)));
    SettingsGetRecentFile(r, 8, text);
    EXPECT_TRUE(text.IsEmpty());

    // The data file path and favourites stay terminated inside their fields.
    WCHAR huge[2001];
    for (int i = 0; i < 2000; i++) huge[i] = 'z';
    huge[2000] = 0;
    SettingsSetDataFilePath(r, huge);
    SettingsGetDataFilePath(r, text);
    EXPECT_EQ(text.GetLength(), kSettingsDataFilePathChars - 1);
    EXPECT_EQ(r.transparencyOff, 0x11223344);
    SettingsSetFavouritesText(r, huge);
    SettingsGetFavouritesText(r, text);
    EXPECT_EQ(text.GetLength(), kSettingsFavouritesChars - 1);

    // The grid size is always 3..6.
    SettingsSetGridSize(r, 9);
    EXPECT_EQ(SettingsGetGridSize(r), 6);
    r.imageBrowserGridSize = -4;
    EXPECT_EQ(SettingsGetGridSize(r), 3);
}

TEST(SettingsRecordFields, WineForcesTransparencyOff)
{
    SettingsRecord r;
    SettingsSetDefaults(r, 0);
    EXPECT_EQ(r.transparencyOff, 0);
    EXPECT_EQ(r.tipIndex, 0);
    SettingsSetDefaults(r, 1);
    EXPECT_EQ(r.transparencyOff, 1);
}

TEST_F(SettingsStoreTest, RoundTripThroughTheRegistry)
{
    UseRegistry();
    RoundTrip();
    // What is stored is enciphered, and the check is the plain record's SHA-1.
    AIRegistryKey key;
    ASSERT_EQ(key.OpenKey(HKEY_CURRENT_USER, 0), 1);
    AIString check;
    ASSERT_EQ(key.ReadString(L"UserData_c", check), 1);
    EXPECT_EQ(check.GetLength(), 40);
    for (int i = 0; i < 40; i++) {
        WCHAR c = check.CharAt(i);
        EXPECT_TRUE((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'));
    }
    SettingsRecord* stored = new SettingsRecord;
    uint32_t size = 0;
    ASSERT_EQ(key.ReadBinary(L"UserData", stored, sizeof(SettingsRecord), &size), 1);
    EXPECT_EQ(size, (uint32_t)kSettingsRecordSize);
    AIString path;
    EXPECT_NE(memcmp(stored->dataFilePath, L"C:\\notes", 16), 0);
    delete stored;
}

TEST_F(SettingsStoreTest, RoundTripThroughPortableFiles)
{
    UsePortable();
    RoundTrip();
    AIString file(portable_);
    file.AppendText(L"\\UserData");
    EXPECT_NE(GetFileAttributesW(file.GetText()), INVALID_FILE_ATTRIBUTES);
    // Nothing went to the real registry.
    HKEY key = 0;
    EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Orvanta\\TavikSettingsTest", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    if (key) RegCloseKey(key);
}

TEST_F(SettingsStoreTest, NothingStoredKeepsDefaults)
{
    UseRegistry();
    ExpectDefaultsKept();
}

TEST_F(SettingsStoreTest, DamagedRecordKeepsDefaults)
{
    UseRegistry();
    AISettingsStore written;
    FillRecord(written.Record());
    ASSERT_EQ(written.Store(), 1);
    AIRegistryKey key;
    ASSERT_EQ(key.OpenKey(HKEY_CURRENT_USER, 0), 1);
    SettingsRecord* stored = new SettingsRecord;
    uint32_t size = 0;
    ASSERT_EQ(key.ReadBinary(L"UserData", stored, sizeof(SettingsRecord), &size), 1);

    // One flipped byte.
    ((uint8_t*)stored)[5000] ^= 0x40;
    ASSERT_EQ(key.WriteBinary(L"UserData", stored, sizeof(SettingsRecord)), 1);
    ExpectDefaultsKept();

    // A record of the wrong size.
    ((uint8_t*)stored)[5000] ^= 0x40;
    ASSERT_EQ(key.WriteBinary(L"UserData", stored, sizeof(SettingsRecord) - 4), 1);
    ExpectDefaultsKept();

    // A good record with a damaged check value.
    ASSERT_EQ(key.WriteBinary(L"UserData", stored, sizeof(SettingsRecord)), 1);
    ASSERT_EQ(key.WriteString(L"UserData_c", L"0000"), 1);
    ExpectDefaultsKept();
    delete stored;
}

TEST_F(SettingsStoreTest, ShortRecordWithItsOwnGoodCheckKeepsDefaults)
{
    for (int portable = 0; portable < 2; portable++) {
        if (portable) UsePortable(); else UseRegistry();
        for (uint32_t bytes : {1u, 3000u, (uint32_t)sizeof(SettingsRecord) - 1}) {
            StoreShortRecord(bytes);
            ExpectDefaultsKept();
        }
        // The same record at its full size is read.
        StoreShortRecord(sizeof(SettingsRecord));
        AISettingsStore read;
        EXPECT_EQ(read.Load(0), 1);
        ExpectFilled(read.Record());
    }
}

TEST_F(SettingsStoreTest, DamagedPortableFileKeepsDefaults)
{
    UsePortable();
    AISettingsStore written;
    FillRecord(written.Record());
    ASSERT_EQ(written.Store(), 1);
    AIString file(portable_);
    file.AppendText(L"\\UserData");
    HANDLE h = CreateFileW(file.GetText(), GENERIC_WRITE, 0, 0, OPEN_EXISTING, 0, 0);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    SetFilePointer(h, 3000, 0, FILE_BEGIN);
    SetEndOfFile(h);  // truncated
    CloseHandle(h);
    ExpectDefaultsKept();
}

TEST_F(SettingsStoreTest, StartupWritesGoodRecordBackOverDamagedOne)
{
    UseRegistry();
    AIRegistryKey key;
    ASSERT_EQ(key.OpenKey(HKEY_CURRENT_USER, 0), 1);
    uint8_t junk[kSettingsRecordSize];
    memset(junk, 0x5A, sizeof(junk));
    ASSERT_EQ(key.WriteBinary(L"UserData", junk, sizeof(junk)), 1);
    ASSERT_EQ(key.WriteString(L"UserData_c", L"DA39A3EE5E6B4B0D3255BFEF95601890AFD80709"), 1);
    AISettingsStore first;
    EXPECT_EQ(first.ReadAtStartup(0), 0);
    EXPECT_EQ(first.Record().messageBoxTransparency, 235);
    AISettingsStore second;
    EXPECT_EQ(second.ReadAtStartup(0), 1);
}

TEST_F(SettingsStoreTest, WineForcesTransparencyOffAfterReading)
{
    UseRegistry();
    AISettingsStore written;
    written.Record().transparencyOff = 0;
    ASSERT_EQ(written.Store(), 1);
    AISettingsStore read;
    read.WriteDefaults(0);
    EXPECT_EQ(read.Load(1), 1);
    EXPECT_EQ(read.Record().transparencyOff, 1);
    AISettingsStore notWine;
    EXPECT_EQ(notWine.Load(0), 1);
    EXPECT_EQ(notWine.Record().transparencyOff, 0);
}

TEST_F(SettingsStoreTest, RegistryStringsBothWays)
{
    for (int portable = 0; portable < 2; portable++) {
        if (portable) UsePortable(); else UseRegistry();
        AIRegistryKey key;
        ASSERT_EQ(key.OpenKey(HKEY_CURRENT_USER, 0), 1);
        EXPECT_EQ(key.WriteString(L"SyncFolder", L"D:\\Sync \x00E9t\x00E9"), 1);
        EXPECT_EQ(key.WriteString(L"ShareFolder", L""), 1);
        AIString text;
        EXPECT_EQ(key.ReadString(L"SyncFolder", text), 1);
        EXPECT_EQ(Utf8(text), "D:\\Sync \xC3\xA9t\xC3\xA9");
        EXPECT_EQ(key.ReadString(L"SyncFolder", text, 4), 1);
        EXPECT_EQ(Utf8(text), "D:\\S");
        EXPECT_EQ(key.ReadString(L"ShareFolder", text), 1);
        EXPECT_TRUE(text.IsEmpty());
        EXPECT_EQ(key.ReadString(L"Missing", text), 0);
        // A binary value larger than the caller's room is refused, its size told.
        uint8_t big[64] = {0}, small[16];
        uint32_t size = 0;
        EXPECT_EQ(key.WriteBinary(L"Placement", big, 64), 1);
        EXPECT_EQ(key.ReadBinary(L"Placement", small, 16, &size), 0);
        EXPECT_EQ(size, 64u);
        // Naming the program's key path explicitly opens the same place.
        AIRegistryKey named;
        ASSERT_EQ(named.OpenKey(HKEY_CURRENT_USER, GetRegistryKeyPath()), 1);
        EXPECT_EQ(named.ReadString(L"SyncFolder", text), 1);
        EXPECT_EQ(Utf8(text), "D:\\Sync \xC3\xA9t\xC3\xA9");
        key.DeleteValue(L"SyncFolder");
        key.DeleteValue(L"ShareFolder");
        key.DeleteValue(L"Placement");
    }
}
