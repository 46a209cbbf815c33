#include "tests/notestore/store_child.h"
#include "tests/support/test_files.h"
#include "notestore/note_store.h"
#include "notestore/sync/sync_table.h"
#include <vector>

namespace {

const WCHAR kChildFolderVariable[] = L"TAVIK_STORE_CHILD";
const DWORD kReplyWaitMs = 60000;   // a pass over a few hundred notes under Wine, with room

void EventNames(const AIString& folder, AIString& request, AIString& reply)
{
    // Event names take no backslash: the folder's hash names the pair.
    AIString key(folder);
    key.ToLowerCase();
    uint32_t hash = 2166136261u;
    for (int32_t i = 0; i < key.GetLength(); i++) hash = (hash ^ key.GetText()[i]) * 16777619u;
    WCHAR name[64];
    wsprintfW(name, L"TavikStoreChild%08X", hash);
    request.AssignText(name).AppendText(L"Request");
    reply.AssignText(name).AppendText(L"Reply");
}

AIString FileIn(const AIString& folder, const WCHAR* name)
{
    AIString path(folder);
    path.AppendText(name);
    return path;
}

std::string Utf8Of(const AIString& text) { return Utf8(text); }

AIString TextOf(const std::string& bytes)
{
    AIString text;
    Utf8ToText((const uint8_t*)bytes.data(), (int64_t)bytes.size(), text);
    return text;
}

std::vector<AIString> Split(const AIString& line)
{
    std::vector<AIString> parts;
    AIString part;
    for (int32_t i = 0; i <= line.GetLength(); i++) {
        if (i == line.GetLength() || line.GetText()[i] == L'\t') {
            parts.push_back(part);
            part.Clear();
        } else {
            part.AppendChar(line.GetText()[i]);
        }
    }
    return parts;
}

// ---- The child ----

struct Served {
    AIString folder;
    HANDLE request;
    HANDLE reply;
    int32_t holdAfter;   // the next pass stops after this many notes (0 none)
};

void Answer(Served& served, const std::string& text)
{
    WriteBytes(FileIn(served.folder, L"reply.txt").GetText(), text);
    SetEvent(served.reply);
}

void HoldPass(int32_t done, void* context)
{
    Served* served = (Served*)context;
    if (done != served->holdAfter) return;
    served->holdAfter = 0;
    Answer(*served, "held");
    WaitForSingleObject(served->request, INFINITE);
}

std::string Carry(Served& served, const std::vector<AIString>& parts)
{
    const AIString& verb = parts[0];
    if (verb.EqualsText(L"load") && parts.size() == 2) {
        SetSyncPassProbe(served.holdAfter ? HoldPass : nullptr, &served);
        return LoadDatafile(parts[1].GetText()) ? "1" : "0";
    }
    if (verb.EqualsText(L"edit") && parts.size() == 3) {
        int32_t at = FindNoteByTitle(parts[1].GetText(), 0, 0);
        return at >= 0 && OpenCurrentNote(at) && StoreCurrentNote(parts[2].GetText(), 0) ? "1" : "0";
    }
    if (verb.EqualsText(L"pass")) {
        SetSyncPassProbe(served.holdAfter ? HoldPass : nullptr, &served);
        SyncFolders(1);
        const SyncPassReport& r = GetLastSyncReport();
        char text[80];
        wsprintfA(text, "%d %d %d %d", r.pushed, r.pulled, r.conflicts, r.retried);
        return text;
    }
    if (verb.EqualsText(L"save")) {
        SetSyncPassProbe(served.holdAfter ? HoldPass : nullptr, &served);
        return std::to_string(SaveDatafileIfOpen());
    }
    if (verb.EqualsText(L"body") && parts.size() == 2) {
        int32_t at = FindNoteByTitle(parts[1].GetText(), 0, 0);
        if (at < 0 || !OpenCurrentNote(at)) return "<missing>";
        return Utf8Of(g_noteStore.currentText);
    }
    if (verb.EqualsText(L"count")) return std::to_string(GetNoteCount());
    if (verb.EqualsText(L"hold") && parts.size() == 2) {
        served.holdAfter = parts[1].ToInt();
        return "1";
    }
    if (verb.EqualsText(L"locked") && parts.size() == 2) {
        AIString holder;
        return IsNoteLockedByOther(parts[1].GetText(), holder) ? "1" : "0";
    }
    return "<unknown command>";
}

}  // namespace

int RunChildStoreIfAsked()
{
    WCHAR value[MAX_PATH];
    if (!GetEnvironmentVariableW(kChildFolderVariable, value, MAX_PATH)) return 0;
    Served served = {};
    served.folder.AssignText(value);
    AIString requestName, replyName;
    EventNames(served.folder, requestName, replyName);
    served.request = OpenEventW(EVENT_ALL_ACCESS, FALSE, requestName.GetText());
    served.reply = OpenEventW(EVENT_ALL_ACCESS, FALSE, replyName.GetText());
    if (!served.request || !served.reply) return 1;
    std::string settings = ReadBytes(FileIn(served.folder, L"folders.txt").GetText());
    std::vector<AIString> folders = Split(TextOf(settings));
    if (folders.size() == 2) {
        g_noteStore.sync.SyncFolderSetting.Copy(folders[0]);
        g_noteStore.sync.ShareFolderSetting.Copy(folders[1]);
    }
    SetEvent(served.reply);   // ready
    for (;;) {
        if (WaitForSingleObject(served.request, INFINITE) != WAIT_OBJECT_0) break;
        AIString command = TextOf(ReadBytes(FileIn(served.folder, L"command.txt").GetText()));
        if (command.EqualsText(L"quit")) break;
        std::vector<AIString> parts = Split(command);
        Answer(served, Carry(served, parts));
    }
    CloseDatafile();
    return 1;
}

// ---- The test's side ----

ChildStore::ChildStore() : request_(0), reply_(0), process_(0) {}

ChildStore::~ChildStore()
{
    if (process_ && Send("quit", true) && WaitForSingleObject(process_, 10000) == WAIT_OBJECT_0) {
        CloseHandle(process_);
        process_ = 0;
    }
    Kill();
    if (request_) CloseHandle(request_);
    if (reply_) CloseHandle(reply_);
}

bool ChildStore::Start(const AIString& scratch, const AIString& syncFolder, const AIString& shareFolder)
{
    folder_.Copy(scratch).AppendText(L"child\\");
    CreateDirectoryW(folder_.GetText(), 0);
    AIString settings(syncFolder);
    settings.AppendChar(L'\t').AppendString(shareFolder);
    WriteBytes(FileIn(folder_, L"folders.txt").GetText(), Utf8Of(settings));
    AIString requestName, replyName;
    EventNames(folder_, requestName, replyName);
    request_ = CreateEventW(0, FALSE, FALSE, requestName.GetText());
    reply_ = CreateEventW(0, FALSE, FALSE, replyName.GetText());
    if (!request_ || !reply_) return false;

    AIString module;
    ThisTestProgramFile(module);
    AIString commandLine(L"\"");
    commandLine.AppendString(module).AppendText(L"\" --gtest_filter=ChildStore.Serves --gtest_brief=1");
    SetEnvironmentVariableW(kChildFolderVariable, folder_.GetText());
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    BOOL started = CreateProcessW(0, commandLine.GetBuffer(commandLine.GetLength()), 0, 0, FALSE, 0, 0, 0, &startup,
                                  &process);
    SetEnvironmentVariableW(kChildFolderVariable, 0);
    if (!started) return false;
    CloseHandle(process.hThread);
    process_ = process.hProcess;
    return Reply() == "";   // ready: no reply file yet
}

bool ChildStore::Send(const std::string& command, bool asCommand)
{
    if (!process_) return false;
    if (asCommand) WriteBytes(FileIn(folder_, L"command.txt").GetText(), command);
    return SetEvent(request_) != 0;
}

std::string ChildStore::Reply()
{
    HANDLE both[2] = {reply_, process_};
    if (WaitForMultipleObjects(2, both, FALSE, kReplyWaitMs) != WAIT_OBJECT_0) return "<no reply>";
    AIString path = FileIn(folder_, L"reply.txt");
    std::string text = ReadBytes(path.GetText());
    DeleteFileW(path.GetText());
    return text == "<missing>" ? "" : text;
}

std::string ChildStore::Do(const std::string& command)
{
    if (!Send(command, true)) return "<no reply>";
    return Reply();
}

std::string ChildStore::Resume()
{
    if (!Send("", false)) return "<no reply>";
    return Reply();
}

void ChildStore::Kill()
{
    if (!process_) return;
    TerminateProcess(process_, 9);
    WaitForSingleObject(process_, 10000);
    CloseHandle(process_);
    process_ = 0;
}

// Run in a child process of this test program; skipped otherwise.
TEST(ChildStore, Serves)
{
    if (!RunChildStoreIfAsked()) GTEST_SKIP();
}
