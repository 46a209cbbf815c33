// File steps of the note store, each one failing cleanly: whole-file reads
// with a size limit, writes that go through a flushed temporary copy, and
// the store's side-file names. Tests can make writes, flushes and moves fail.
#pragma once
#include "foundation/win.h"
#include "foundation/ai_string.h"

// Why a file step failed (kept for the message the caller shows).
enum NoteIoError {
    kIoOk = 0,
    kIoOpen,
    kIoRead,
    kIoTooLarge,
    kIoWrite,
    kIoDiskFull,
    kIoFlush,
    kIoBackup,
    kIoReplace,
    kIoNoMemory,
    kIoCompose,
};

// The file steps of a main save, in their order, for tests that look at the
// files (or change them as another program would) between two steps.
enum SaveStep {
    kSaveStepWritten,       // the new file is written beside the data file
    kSaveStepChecked,       // the data file was found unchanged by others
    kSaveStepBackupMade,    // the previous version stands under the backup's temporary name
    kSaveStepBackupKept,    // ... and under the backup's own name
    kSaveStepReleased,      // the store lets go of the data file to replace it
    kSaveStepReplaced,      // the new file is the data file
};
typedef void (*SaveStepHook)(SaveStep step);
// Called after each piece of a whole-file read with the bytes read so far.
typedef void (*ReadPieceHook)(const WCHAR* path, int64_t bytesRead);

// Faults a test asks for: a write fails once this many bytes were written in
// total (-1 never), the flush fails, the final move fails, the file system
// refuses hard links, no new file can be created (a folder without write
// permission); and what runs between the steps of a save or the pieces of
// a read. (A full disk is asked for through SetFileWriterForTests.)
struct NoteIoFaults {
    int64_t failWriteAfterBytes;
    int32_t failFlush;
    int32_t failReplace;
    int32_t refuseHardLinks;
    int32_t failCreate;
    SaveStepHook saveStep;
    ReadPieceHook readPiece;
};
extern NoteIoFaults g_noteIoFaults;
void ResetNoteIoFaults();
// Runs the test's hook for the step, if any.
void PassSaveStep(SaveStep step);

// Room a block of the data file leaves after its text for the saved text
// to grow into, so that a save can turn the text into the new one where it
// lies: a sixteenth of the file, at least 256 KB. Never touched until used.
int64_t GrowthRoomBytes(int64_t fileBytes);

// Reads a whole file into one LocalAlloc block laid out as: the file's bytes,
// two zero bytes, then `tail` more bytes (zeroed), then with
// kReadWithGrowthRoom GrowthRoomBytes(size) bytes left as they are. Refuses
// files above maxBytes (kIoTooLarge). On success *block and *size are set,
// and *hash (when given) to HashDatafileBytes of the bytes, taken as they
// were read.
enum ReadRoom { kReadExact = 0, kReadWithGrowthRoom = 1 };
NoteIoError ReadWholeFile(const WCHAR* path, int64_t maxBytes, int32_t tail, uint8_t** block, int64_t* size,
                          uint64_t* hash = 0, ReadRoom room = kReadExact);

// Writes bytes to temporaryPath (created), flushes and closes it.
// On failure the temporary file is removed.
NoteIoError WriteFlushedCopy(const WCHAR* temporaryPath, const void* bytes, int64_t size);

// One stretch of bytes of a file written from several places.
struct FilePiece {
    const uint8_t* bytes;
    int64_t size;
};
// The same for a file whose bytes are the pieces one after another; *hash
// is set to HashDatafileBytes of them, taken as each part is written.
NoteIoError WriteFlushedPieces(const WCHAR* temporaryPath, const FilePiece* pieces, int32_t count, uint64_t* hash);

// Writes FF FE and the text through path + ".tmp", replacing path only once
// all is written and flushed. Creates missing folders of the path's own folder.
NoteIoError WriteUtf16FileSafely(const WCHAR* path, const WCHAR* text, int32_t chars);

// Replaces target by source (MoveFileExW, replace existing, write through).
NoteIoError ReplaceFileWith(const WCHAR* source, const WCHAR* target);

// Reads a text file of at most maxChars characters into out: UTF-16 after
// FF FE, otherwise UTF-8 (malformed bytes become U+FFFD). Zero characters
// are kept; callers clean them. 1 on success.
int32_t ReadNoteTextFile(const WCHAR* path, int32_t maxChars, AIString& out);

// Bytes free for this program on the disk of the folder, or -1 when unknown.
int64_t FreeBytesIn(const WCHAR* folder);
// 1 when both paths lie on one disk (or that is not known).
int32_t IsOnSameVolume(const WCHAR* a, const WCHAR* b);

// Creates the folder (and its parent when missing). 1 when it exists afterwards.
int32_t EnsureFolder(const WCHAR* folder);

// 1 when a new file can be created in the folder (a probe file is created
// and deleted again); 0 for a folder without write permission.
int32_t CanCreateFilesIn(const WCHAR* folder);

// Keeps the `keep` files of the folder matching the pattern whose names
// sort last (names that begin with their date and time: the newest), and
// removes the others.
void KeepNewestFiles(const AIString& folder, const WCHAR* pattern, int32_t keep);

// Local date and time as "yyyymmdd-hhmmss".
void AppendTimeStamp(AIString& out);
