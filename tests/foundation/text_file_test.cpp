#include "tests/support/gtest.h"
#include "foundation/ai_file.h"
#include "foundation/file_write.h"
#include "foundation/result_flag.h"
#include "tests/foundation/text_test_files.h"

TEST(AIFile, CreatedNamesLoseForbiddenCharacters)
{
    AIString name(L"a?b[c]d=e+f<g>h;i\"j,k*l|m^n o.txt");
    EXPECT_EQ(13, AIFile::CleanName(name));
    EXPECT_TRUE(name.EqualsText(L"abcdefghijklmn o.txt"));

    TestFolder folder(L"names");
    AIString wanted = folder.File(L"no<te>s?");
    ASSERT_EQ(1, AIFile::CreateFolder(wanted.GetText()));
    EXPECT_EQ(1, AIFile::PathExists(folder.File(L"notes").GetText()));
    EXPECT_EQ(1, AIFile::CreateFolder(wanted.GetText()));  // already there is fine

    AIFile file;
    ASSERT_EQ(1, file.OpenForWrite(folder.File(L"x|y^.txt").GetText()));
    EXPECT_TRUE(file.GetName().EndsWithNoCase(L"\\xy.txt"));
    file.Close();
    EXPECT_EQ(1, AIFile::Exists(folder.File(L"xy.txt").GetText()));
    EXPECT_EQ(1, ResultFlag);
}

TEST(AIFile, OnlyTheCreatedNameIsCleanedNotItsFolders)
{
    // Folders may legally hold [ ] = + ; , ^ ("Notes [old]", "Firm, Inc"):
    // a write into such a folder must land there, not in a look-alike.
    TestFolder folder(L"parents");
    AIString parent = folder.File(L"Notes [old] a+b, c");
    ASSERT_TRUE(CreateDirectoryW(parent.GetText(), 0));
    AIString path(parent);
    path.AppendText(L"\\table.txt");
    ASSERT_EQ(1, AIFile::WriteUtf16File(path.GetText(), L"k:v\x00A4", 4));
    EXPECT_EQ("\xFF\xFE" + std::string("k\0:\0v\0\xA4\0", 8), ReadBytes(path.GetText()));

    AIString sub(parent);
    sub.AppendText(L"\\in?side");
    ASSERT_EQ(1, AIFile::CreateFolder(sub.GetText()));
    AIString cleaned(parent);
    cleaned.AppendText(L"\\inside");
    EXPECT_EQ(1, AIFile::PathExists(cleaned.GetText()));

    AIFile file;
    AIString odd(parent);
    odd.AppendText(L"\\x|y.txt");
    ASSERT_EQ(1, file.OpenForWrite(odd.GetText()));
    EXPECT_TRUE(file.GetName().StartsWith(parent.GetText()));
    EXPECT_TRUE(file.GetName().EndsWithNoCase(L"\\xy.txt"));
}

TEST(AIFile, WritesAndReadsUtf16Text)
{
    TestFolder folder(L"utf16");
    AIString path = folder.File(L"note.txt");
    const WCHAR* text = L"Gr\u00FC\u00DFe \u20AC \xD83D\xDE00 line\r\nnext";
    {
        AIFile file;
        ASSERT_EQ(1, file.OpenForWrite(path.GetText()));
        EXPECT_EQ(1, file.WriteBom());
        EXPECT_EQ(1, file.WriteText(text));
        EXPECT_EQ(1, file.Flush());
    }
    EXPECT_EQ(2 + 2 * TextLength(text), AIFile::GetSizeByName(path.GetText()));
    EXPECT_EQ("\xFF\xFE", ReadBytes(path.GetText()).substr(0, 2));

    AIFile file;
    ASSERT_EQ(1, file.OpenForRead(path.GetText()));
    EXPECT_EQ(1, file.IsUtf16());
    EXPECT_EQ(2 + 2 * TextLength(text), file.GetSize());
    AIString read;
    ASSERT_EQ(1, file.ReadToText(read));
    EXPECT_TRUE(read.EqualsText(text)) << Utf8(read);
    // Chunked reading from a position.
    ASSERT_EQ(1, file.SeekTo(2));
    WCHAR first[3] = {0, 0, 0};
    EXPECT_EQ(4, file.ReadChunk(first, 4));
    EXPECT_EQ(L'G', first[0]);
    EXPECT_EQ(L'r', first[1]);
}

TEST(AIFile, ReadsOtherEncodingsAndOddFilesSafely)
{
    TestFolder folder(L"enc");
    AIString path = folder.File(L"t.txt");
    AIString read;
    AIFile file;

    WriteBytes(path.GetText(), "\xEF\xBB\xBF" "caf\xC3\xA9");
    ASSERT_EQ(1, file.OpenForRead(path.GetText()));
    EXPECT_EQ(0, file.IsUtf16());
    ASSERT_EQ(1, file.ReadToText(read));
    EXPECT_TRUE(read.EqualsText(L"caf\u00E9"));

    file.Close();
    // UTF-16 with an odd trailing byte and a NUL inside: the byte is dropped,
    // the NUL does not cut the text short.
    WriteBytes(path.GetText(), std::string("\xFF\xFE" "a\0\0\0b\0c", 8));
    ASSERT_EQ(1, file.OpenForRead(path.GetText()));
    ASSERT_EQ(1, file.ReadToText(read));
    EXPECT_EQ(3, read.GetLength());
    EXPECT_EQ(L'b', read.CharAt(2));

    file.Close();
    WriteBytes(path.GetText(), "");
    ASSERT_EQ(1, file.OpenForRead(path.GetText()));
    EXPECT_EQ(1, file.ReadToText(read));
    EXPECT_TRUE(read.IsEmpty());

    // Too large for the caller's limit: refused, nothing half read.
    file.Close();
    WriteBytes(path.GetText(), std::string(100, 'x'));
    ASSERT_EQ(1, file.OpenForRead(path.GetText()));
    EXPECT_EQ(0, file.ReadToText(read, 50));
    EXPECT_TRUE(read.IsEmpty());
}

TEST(AIFile, NetworkPathsAreKnownByTheirTextAlone)
{
    EXPECT_EQ(1, AIFile::IsNetworkPath(L"\\\\server\\share\\x.txt"));
    EXPECT_EQ(1, AIFile::IsNetworkPath(L"file:\\\\server\\share\\x.txt"));
    EXPECT_EQ(1, AIFile::IsNetworkPath(L"Open file: FILE://server/share/x.txt"));
    EXPECT_EQ(1, AIFile::IsNetworkPath(L"\\\\?\\UNC\\server\\share\\x.txt"));
    EXPECT_EQ(0, AIFile::IsNetworkPath(L"\\\\?\\C:\\long\\x.txt"));
    EXPECT_EQ(0, AIFile::IsNetworkPath(L"C:\\notes\\x.txt"));
    EXPECT_EQ(0, AIFile::IsNetworkPath(L"file:C:\\x.txt"));
    EXPECT_EQ(0, AIFile::IsNetworkPath(L"\\"));
    EXPECT_EQ(0, AIFile::IsNetworkPath(L"Open fil"));
    EXPECT_EQ(0, AIFile::IsNetworkPath(L""));
    EXPECT_EQ(0, AIFile::IsNetworkPath(nullptr));
}

TEST(AIFile, MissingAndLockedFilesFailWithTheirSystemCode)
{
    TestFolder folder(L"lock");
    AIFile file;
    EXPECT_EQ(0, file.OpenForRead(folder.File(L"absent.txt").GetText()));
    EXPECT_EQ(0, ResultFlag);
    EXPECT_TRUE(file.GetOpenError() == ERROR_FILE_NOT_FOUND || file.GetOpenError() == ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(-1, AIFile::GetSizeByName(folder.File(L"absent.txt").GetText()));
    EXPECT_EQ(0, AIFile::Exists(folder.File(L"absent.txt").GetText()));

    EXPECT_EQ(0, file.OpenForWrite(folder.File(L"no folder\\x.txt").GetText(), 5));
    EXPECT_EQ((DWORD)ERROR_PATH_NOT_FOUND, file.GetOpenError());

    AIString path = folder.File(L"held.txt");
    WriteBytes(path.GetText(), "abc");
    HANDLE holder = CreateFileW(path.GetText(), GENERIC_READ | GENERIC_WRITE, 0, 0, OPEN_EXISTING, 0, 0);
    ASSERT_NE(INVALID_HANDLE_VALUE, holder);
    // Retried, then the user is asked; the test answers No.
    EXPECT_EQ(0, file.OpenForRead(path.GetText(), 1));
    EXPECT_EQ((DWORD)ERROR_SHARING_VIOLATION, file.GetOpenError());
    // A locked target is not replaced, and the old content survives a failed save.
    EXPECT_EQ(0, AIFile::WriteUtf16File(path.GetText(), L"new", 3));
    CloseHandle(holder);
    EXPECT_EQ("abc", ReadBytes(path.GetText()));
    EXPECT_FALSE(AIFile::Exists(folder.File(L"held.txt.tmp").GetText()));

    AIString copy = folder.File(L"copy.txt");
    EXPECT_EQ(1, AIFile::CopyOverwrite(path.GetText(), copy.GetText()));
    EXPECT_EQ(1, AIFile::CopyOverwrite(path.GetText(), copy.GetText()));
    SetFileAttributesW(copy.GetText(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(1, AIFile::DeleteQuiet(copy.GetText()));
    EXPECT_EQ(0, AIFile::PathExists(copy.GetText()));
}

// A nearly full disk: WriteFile succeeds, takes part of the bytes and clears the error.
static int64_t s_room = -1;
static BOOL WINAPI ShortWriter(HANDLE file, LPCVOID bytes, DWORD count, LPDWORD written, LPOVERLAPPED overlapped)
{
    DWORD take = (int64_t)count > s_room ? (DWORD)s_room : count;
    BOOL ok = WriteFile(file, bytes, take, written, overlapped);
    if (ok) s_room -= *written;
    SetLastError(ERROR_SUCCESS);
    return ok;
}

TEST(FileWrite, AShortWriteIsAFullDiskNeverASuccess)
{
    // A real short write: a pipe that cannot wait takes nothing once its buffer is full.
    const WCHAR* name = L"\\\\.\\pipe\\tavik_short_write_test";
    HANDLE server = CreateNamedPipeW(name, PIPE_ACCESS_INBOUND, PIPE_TYPE_BYTE | PIPE_NOWAIT, 1, 4096, 4096, 0, 0);
    ASSERT_NE(INVALID_HANDLE_VALUE, server);
    HANDLE client = CreateFileW(name, GENERIC_WRITE, 0, 0, OPEN_EXISTING, 0, 0);
    ASSERT_NE(INVALID_HANDLE_VALUE, client);
    DWORD mode = PIPE_NOWAIT;
    SetNamedPipeHandleState(client, &mode, 0, 0);
    std::string small(100, 'a'), large(1 << 20, 'b');
    EXPECT_EQ(1, WriteAllToFile(client, small.data(), (int64_t)small.size()));
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(0, WriteAllToFile(client, large.data(), (int64_t)large.size()));
    EXPECT_EQ((DWORD)ERROR_DISK_FULL, GetLastError());
    EXPECT_EQ(1, IsDiskFullError(GetLastError()));
    CloseHandle(client);
    CloseHandle(server);

    // Every file the program writes through AIFile fails the same way, and the
    // old file stays as it was.
    TestFolder folder(L"shortwrite");
    AIString path = folder.File(L"kept.txt");
    ASSERT_EQ(1, AIFile::WriteUtf16File(path.GetText(), L"old text", 8));
    std::string before = ReadBytes(path.GetText());
    s_room = 10;
    SetFileWriterForTests(ShortWriter);
    EXPECT_EQ(0, AIFile::WriteUtf16File(path.GetText(), L"a much longer new text", 22));
    AIFile file;
    ASSERT_EQ(1, file.OpenForWrite(folder.File(L"direct.txt").GetText()));
    s_room = 3;
    EXPECT_EQ(0, file.WriteText(L"abcdef"));
    SetFileWriterForTests(0);
    file.Close();
    EXPECT_EQ(before, ReadBytes(path.GetText()));
    EXPECT_EQ(0, AIFile::Exists(folder.File(L"kept.txt.tmp").GetText()));
}
