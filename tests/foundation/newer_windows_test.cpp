// The XP fallbacks of newer Windows functions answer as the functions do.
#include "foundation/newer_windows.h"
#include "tests/support/gtest.h"

namespace {

struct OrdinalCase {
    const WCHAR* a;
    int aLen;
    const WCHAR* b;
    int bLen;
};

const OrdinalCase kOrdinalCases[] = {
    {L"stored", -1, L"stored", -1},
    {L"Share", -1, L"sHARE", -1},
    {L"share", 5, L"shared", 6},
    {L"shared", 6, L"share", 5},
    {L"", 0, L"", 0},
    {L"", 0, L"a", 1},
    {L"a", 1, L"B", 1},
    {L"Z", 1, L"a", 1},
    {L"\x00E9t\x00E9", 3, L"\x00C9T\x00C9", 3},  // accented letters fold too
    {L"\x0434", 1, L"\x0414", 1},                  // Cyrillic de
    {L"[x]", 3, L"{X}", 3},                        // brackets sort by code unit
    {L"ab\0cd", 5, L"ab\0CD", 5},                  // a zero inside the counted text
};

TEST(NewerWindows, OrdinalFallbackAnswersAsTheSystem)
{
    typedef int(WINAPI * Call)(LPCWSTR, int, LPCWSTR, int, BOOL);
    FARPROC proc = GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "CompareStringOrdinal");
    ASSERT_TRUE(proc != nullptr) << "this test needs a system that has the function";
    Call system = (Call)(void*)proc;
    for (const OrdinalCase& c : kOrdinalCases) {
        for (BOOL ignoreCase = FALSE; ignoreCase <= TRUE; ignoreCase++) {
            EXPECT_EQ(system(c.a, c.aLen, c.b, c.bLen, ignoreCase),
                      CompareOrdinalFallback(c.a, c.aLen, c.b, c.bLen, ignoreCase))
                << Utf8(c.a) << " / " << Utf8(c.b) << " ignoring case " << ignoreCase;
            EXPECT_EQ(system(c.a, c.aLen, c.b, c.bLen, ignoreCase), CompareOrdinal(c.a, c.aLen, c.b, c.bLen, ignoreCase));
        }
    }
}

TEST(NewerWindows, ProcessImagePathNamesThisProgram)
{
    WCHAR expected[MAX_PATH];
    ASSERT_GT(GetModuleFileNameW(0, expected, MAX_PATH), 0u);
    WCHAR path[MAX_PATH];
    ASSERT_EQ(1, GetProcessImagePath(GetCurrentProcessId(), path, MAX_PATH));
    EXPECT_EQ(0, lstrcmpiW(expected, path)) << Utf8(expected) << " / " << Utf8(path);
    EXPECT_EQ(0, GetProcessImagePath(GetCurrentProcessId(), path, 0));
    EXPECT_EQ(0, GetProcessImagePath(0xFFFFFFF0u, path, MAX_PATH));  // no such process
}

}  // namespace
