#include "shell/first_start_files.h"
#include "shell/file_commands.h"
#include "dialogs/dialog_center.h"
#include "dialogs/screen_launchers.h"
#include "dialogs/screens/first_start.h"
#include "foundation/trace.h"
#include "foundation/trace_modules.h"
#include "resources/resource_ids.h"

namespace {

struct StartFile {
    int32_t choice;
    int resource;
    int notes;
};
const StartFile kStartFiles[] = {
    {kFirstStartSimple, IDR_DATAFILE_START_1, 1},
    {kFirstStartSmall, IDR_DATAFILE_START_10, 10},
    {kFirstStartMedium, IDR_DATAFILE_START_30, 30},
    {kFirstStartLarge, IDR_DATAFILE_START_80, 80},
};

const StartFile* FindStartFile(int32_t choice)
{
    for (const StartFile& file : kStartFiles)
        if (file.choice == choice) return &file;
    return nullptr;
}

}  // namespace

int IsFirstStart(int fileArgument, int lastFileKnown, int defaultFileExisted)
{
    return !fileArgument && !lastFileKnown && !defaultFileExisted ? 1 : 0;
}

int FirstStartResource(int32_t choice)
{
    const StartFile* file = FindStartFile(choice);
    return file ? file->resource : 0;
}

int FirstStartFileName(int32_t choice, AIString& name)
{
    name.Clear();
    const StartFile* file = FindStartFile(choice);
    if (!file) return 0;
    name.AssignText(L"Tavik examples (");
    name.AppendInt(file->notes);
    name.AppendText(file->notes == 1 ? L" note).tavik" : L" notes).tavik");
    return 1;
}

int32_t RunFirstStartWizard(const AIString& dataFolder)
{
    TRACE_SCOPE(kTraceFileCommands, 20);
    int32_t choice = ShowFirstStartScreen();
    while (choice == kFirstStartGuide) {
        ShowGettingStartedScreen();
        choice = ShowFirstStartScreen();
    }
    AIString name;
    if (!FirstStartFileName(choice, name)) return choice;
    AIString path(dataFolder);
    path.AppendText(L"\\");
    path.AppendString(name);
    // A refused write is told by the open that follows (the file is missing).
    WriteDefaultDatafile(FirstStartResource(choice), path.GetText());
    OpenDatafileShowing(path.GetText(), L"Welcome");  // every size begins with it
    return choice;
}
