// A file kept equal to given bytes: written when missing or different, left
// alone (not even opened for writing) when it is equal, never left cut short.
#include "tests/support/gtest.h"
#include "foundation/file_refresh.h"
#include "foundation/file_write.h"
#include "tests/foundation/text_test_files.h"

namespace {

const std::string kPage = "<html><body>Help page, second version.</body></html>\r\n";

int Refresh(const AIString& path)
{
    return RefreshFileContent(path.GetText(), kPage.data(), (DWORD)kPage.size());
}

// Dates the file back a day, so that a write shows as a newer time.
FILETIME AgeFile(const AIString& path)
{
    HANDLE file = CreateFileW(path.GetText(), FILE_WRITE_ATTRIBUTES, 0, 0, OPEN_EXISTING, 0, 0);
    FILETIME old = {};
    if (file == INVALID_HANDLE_VALUE) return old;
    GetSystemTimeAsFileTime(&old);
    ULARGE_INTEGER at = {{old.dwLowDateTime, old.dwHighDateTime}};
    at.QuadPart -= 24ULL * 3600 * 10000000;
    old.dwLowDateTime = at.LowPart;
    old.dwHighDateTime = at.HighPart;
    SetFileTime(file, 0, 0, &old);
    CloseHandle(file);
    return old;
}

uint64_t LastWrite(const AIString& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExW(path.GetText(), GetFileExInfoStandard, &data)) return 0;
    return ((uint64_t)data.ftLastWriteTime.dwHighDateTime << 32) | data.ftLastWriteTime.dwLowDateTime;
}

uint64_t AsNumber(FILETIME time) { return ((uint64_t)time.dwHighDateTime << 32) | time.dwLowDateTime; }

}  // namespace

TEST(RefreshFileContent, AnEqualFileIsLeftAloneAnyOtherIsWrittenWhole)
{
    TestFolder folder(L"refresh");
    AIString path = folder.File(L"help.html");
    ASSERT_EQ(1, Refresh(path));  // missing
    EXPECT_EQ(kPage, ReadBytes(path.GetText()));

    uint64_t aged = AsNumber(AgeFile(path));
    ASSERT_NE(0u, aged);
    EXPECT_EQ(1, Refresh(path));
    EXPECT_EQ(aged, LastWrite(path)) << "an equal file was written again";

    // A file read-only to everyone is no obstacle when nothing needs writing.
    SetFileAttributesW(path.GetText(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(1, Refresh(path));
    SetFileAttributesW(path.GetText(), FILE_ATTRIBUTE_NORMAL);

    struct Case {
        const char* what;
        std::string before;
    };
    std::string sameSize = kPage;
    sameSize[sameSize.size() / 2] ^= 1;
    const Case cases[] = {
        {"cut short", kPage.substr(0, kPage.size() - 7)},
        {"empty", ""},
        {"longer (the old page with more after it)", kPage + "old tail"},
        {"same size, one byte different", sameSize},
        {"the last byte different", kPage.substr(0, kPage.size() - 1) + "X"},
    };
    for (const Case& c : cases) {
        WriteBytes(path.GetText(), c.before);
        uint64_t before = AsNumber(AgeFile(path));
        EXPECT_EQ(1, Refresh(path)) << c.what;
        EXPECT_EQ(kPage, ReadBytes(path.GetText())) << c.what;
        EXPECT_NE(before, LastWrite(path)) << c.what;
    }
}

namespace {

BOOL WINAPI HalfWriter(HANDLE file, LPCVOID bytes, DWORD count, LPDWORD written, LPOVERLAPPED overlapped)
{
    BOOL ok = WriteFile(file, bytes, count / 2, written, overlapped);
    SetLastError(ERROR_SUCCESS);
    return ok;
}

}  // namespace

TEST(RefreshFileContent, AFailedWriteLeavesNoFileCutShort)
{
    TestFolder folder(L"refresh_full");
    AIString path = folder.File(L"help.html");
    WriteBytes(path.GetText(), "an older page");
    SetFileWriterForTests(HalfWriter);
    EXPECT_EQ(0, Refresh(path));
    SetFileWriterForTests(0);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(path.GetText()));
    // The next call finds it missing and writes it whole.
    EXPECT_EQ(1, Refresh(path));
    EXPECT_EQ(kPage, ReadBytes(path.GetText()));

    // A folder of that name can never hold the page: refused, and the folder stays.
    AIString taken = folder.File(L"taken.html");
    ASSERT_TRUE(CreateDirectoryW(taken.GetText(), 0));
    EXPECT_EQ(0, RefreshFileContent(taken.GetText(), kPage.data(), (DWORD)kPage.size()));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(taken.GetText()));
}
