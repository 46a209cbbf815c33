// Whole files as bytes, for tests that compare what was written.
#pragma once
#include "foundation/win.h"
#include <string>

// The file's bytes; "<missing>" when it cannot be opened, so that a missing
// file never equals any content a test expects.
std::string ReadBytes(const WCHAR* path);
// Creates or truncates the file and writes the bytes; a failure fails the test.
void WriteBytes(const WCHAR* path, const std::string& bytes);

class AIString;
// A data file of the given note records (each "\u00A4title\r\nbody...{{...}}\r\n")
// behind the header line, as UTF-16 with its mark.
void WriteNotesDatafile(const WCHAR* path, const AIString& records);
// Deletes the files of a folder (its path ends with a backslash) whose names
// match the pattern ("*.rtm").
void DeleteFilesMatching(const AIString& folder, const WCHAR* pattern);
// Deletes the notes' side files ("*.rtm") in a notes folder (its path ends
// with a backslash): notes a run that failed half-way left would come back with
// the data file.
void DeleteSideFiles(const AIString& notesFolder);
// Rewrites an existing file with text and dates it two seconds after it was
// written before: newer than a copy taken of it then. false when it is missing.
bool RewriteFileNewer(const WCHAR* path, const char* text);
// The file of this test program, to start it again as a child: under Winelib
// the module itself (name.exe.so), not its launcher script.
void ThisTestProgramFile(AIString& module);
