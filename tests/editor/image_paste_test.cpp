// Pictures pasted into a note through the program's own editor: saved once
// into the images folder, linked at the caret as one undoable step, a second
// paste in the same minute under a name of its own; and the choice between
// PNG and JPEG and the numbered names of the saving itself.
#include "tests/editor/editor_fixture.h"
#include "foundation/ai_file.h"
#include "editor/images/image_paste.h"
#include "editor/images/image_save.h"
#include "imaging/ai_image.h"

namespace {

// A picture of width x height: flat grey, or noise that PNG cannot pack.
void MakePicture(AIImage& image, int width, int height, int noisy)
{
    ASSERT_TRUE(image.Create(width, height, 24));
    uint8_t* bits = image.GetBits();
    uint32_t seed = 12345;
    for (uint32_t i = 0; i < image.GetStride() * (uint32_t)height; i++) {
        seed = seed * 1103515245u + 12345u;
        bits[i] = noisy ? (uint8_t)(seed >> 16) : 0x80;
    }
}

void PutPictureOnClipboard(HWND owner, int noisy)
{
    AIImage image;
    MakePicture(image, 64, 48, noisy);
    const BITMAPINFO* dib = image.GetPackedDib();
    ASSERT_NE(dib, nullptr);
    AIClipboard clipboard(owner);
    ASSERT_TRUE(clipboard.Open());
    clipboard.Empty();
    ASSERT_TRUE(clipboard.SetDib(dib, image.GetSize()));
}

AIString ImagesFolder()
{
    AIString folder(GetDataFolder());
    folder.AppendText(L"images");
    return folder;
}

// The target of the link whose label the text shows between "[" and "]" after from.
std::string TargetOfLinkIn(const std::string& text, std::string* label)
{
    size_t open = text.find('[');
    size_t close = text.find(']', open);
    if (open == std::string::npos || close == std::string::npos) return "";
    *label = text.substr(open + 1, close - open - 1);
    AIString key, target;
    key.FromUtf8(label->c_str());
    g_noteStore.hyperlinks->GetValueOfKeyString(key.GetText(), target);
    return Utf8(target);
}

}  // namespace

TEST_F(EditorKeys, APastedPictureIsSavedOnceAndLinkedAsOneUndoStep)
{
    ASSERT_NO_FATAL_FAILURE(Open(0));
    std::string before = Text();
    Caret(End());
    ASSERT_NO_FATAL_FAILURE(PutPictureOnClipboard(editor, 0));
    CtrlChord('V');

    std::string after = Text();
    ASSERT_NE(after, before);
    std::string label;
    std::string target = TargetOfLinkIn(after.substr(before.size()), &label);
    // "Plans_" + the minute stamp, in the data folder's images folder.
    ASSERT_EQ(label.rfind("Plans_", 0), 0u) << after;
    EXPECT_EQ(label.size(), 6u + 13u);
    EXPECT_EQ(target, "rel:\\images\\" + label + ".png");
    AIString file;
    file.FromUtf8((Utf8(ImagesFolder()) + "\\" + label + ".png").c_str());
    AIImage saved;
    ASSERT_TRUE(saved.Load(file.GetText(), kImageDetect));
    EXPECT_EQ(saved.GetWidth(), 64);
    EXPECT_EQ(saved.GetHeight(), 48);
    // The link run is marked as a hyperlink.
    size_t at = after.find('[', before.size());
    EXPECT_EQ(MarkOf((int)at + 1, (int)at + 2), HyperlinkMark);

    // A second paste in the same minute never replaces the first picture.
    Caret(End());
    CtrlChord('V');
    std::string twice = Text();
    std::string secondLabel;
    std::string secondTarget = TargetOfLinkIn(twice.substr(after.size()), &secondLabel);
    EXPECT_NE(secondLabel, label);
    EXPECT_NE(secondTarget, target);
    EXPECT_TRUE(AIFile::Exists(file.GetText()));

    // One undo takes the second link's text away whole.
    SendMessageW(editor, EM_UNDO, 0, 0);
    EXPECT_EQ(Text(), after);
    AIString second, secondFile;
    second.FromUtf8(secondTarget.c_str());
    ResolveRelativePath(second.GetText(), secondFile);
    EXPECT_TRUE(AIFile::Exists(secondFile.GetText()));
    DeleteFileW(file.GetText());
    DeleteFileW(secondFile.GetText());
}

TEST_F(EditorKeys, APasteWithoutPictureOrTextChangesNothing)
{
    ASSERT_NO_FATAL_FAILURE(Open(0));
    {
        AIClipboard clipboard(editor);
        ASSERT_TRUE(clipboard.Open());
        clipboard.Empty();
    }
    std::string before = Text();
    CtrlChord('V');
    EXPECT_EQ(Text(), before);
}

TEST(ImageSave, SmallerTypeAndNumberedNamesNeverOverwrite)
{
    WCHAR temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    AIString folder(temp);
    folder.AppendText(L"tavik_image_save_").AppendUnsigned(GetCurrentProcessId());
    AIImage flat, noisy;
    MakePicture(flat, 200, 100, 0);
    MakePicture(noisy, 200, 100, 1);
    ImageSaveRequest request;
    request.imagesFolder = folder.GetText();
    request.name = L"Trip";
    request.stamp = L"2011_05231020";
    AIString first, second, third;
    ASSERT_EQ(SaveImageFile(flat, request, first), kImageSaved);
    EXPECT_TRUE(first.EndsWithNoCase(L"\\Trip_2011_05231020.png")) << Utf8(first);
    // Noise packs far better as JPEG; the name is taken, so it is numbered.
    ASSERT_EQ(SaveImageFile(noisy, request, second), kImageSaved);
    EXPECT_TRUE(second.EndsWithNoCase(L"\\Trip_2_2011_05231020.jpg")) << Utf8(second);
    ASSERT_EQ(SaveImageFile(flat, request, third), kImageSaved);
    EXPECT_TRUE(third.EndsWithNoCase(L"\\Trip_3_2011_05231020.png")) << Utf8(third);
    std::string firstBytes = ReadBytes(first.GetText());
    EXPECT_NE(firstBytes, "<missing>");

    // A web capture of the same address replaces its picture, of either type.
    request.name = L"wwwsitecom";
    request.stamp = nullptr;
    request.replaceSameName = 1;
    AIString web;
    ASSERT_EQ(SaveImageFile(flat, request, web), kImageSaved);
    EXPECT_TRUE(web.EndsWithNoCase(L"\\wwwsitecom.png"));
    ASSERT_EQ(SaveImageFile(noisy, request, web), kImageSaved);
    EXPECT_TRUE(web.EndsWithNoCase(L"\\wwwsitecom.jpg"));
    AIString oldPng(folder);
    oldPng.AppendText(L"\\wwwsitecom.png");
    EXPECT_FALSE(AIFile::Exists(oldPng.GetText()));

    // No picture: nothing written.
    AIImage empty;
    AIString none;
    EXPECT_EQ(SaveImageFile(empty, request, none), kImageSaveFailed);
    EXPECT_TRUE(none.IsEmpty());
    EXPECT_EQ(ReadBytes(first.GetText()), firstBytes);
    for (const AIString* path : {&first, &second, &third, &web}) DeleteFileW(path->GetText());
    RemoveDirectoryW(folder.GetText());
}

// ---- Links made from the selection through the hyperlink dialog ----

namespace {

struct DialogSeen
{
    std::string label, target;
    int32_t answer = 0;
    const WCHAR* newLabel = nullptr;
    const WCHAR* newTarget = nullptr;
};
DialogSeen s_dialog;

int32_t AnswerDialog(AIString& label, AIString& target, int)
{
    s_dialog.label = Utf8(label);
    s_dialog.target = Utf8(target);
    if (s_dialog.newLabel) label.AssignText(s_dialog.newLabel);
    if (s_dialog.newTarget) target.AssignText(s_dialog.newTarget);
    return s_dialog.answer;
}

}  // namespace

TEST_F(EditorKeys, ASelectedAddressBecomesTheTargetAndBracketsNeverReachTheTable)
{
    ASSERT_NO_FATAL_FAILURE(Open(0));
    g_editorShell.editHyperlink = AnswerDialog;
    Caret(End());
    Type(L" https://example.org/a/very/long/path/beyond/thirty");
    std::string typed = Text();
    int start = (int)typed.find("https");

    // The whole address is the target; the label starts empty. Cancel changes nothing.
    s_dialog = DialogSeen();
    Select(start, End());
    CtrlChord('K');
    EXPECT_EQ(s_dialog.label, "");
    EXPECT_EQ(s_dialog.target, "https://example.org/a/very/long/path/beyond/thirty");
    EXPECT_EQ(Text(), typed);

    // Accepted with a label: the full address is kept behind it.
    s_dialog.answer = 1;
    s_dialog.newLabel = L"Docs";
    Select(start, End());
    CtrlChord('K');
    EXPECT_EQ(Text(), typed.substr(0, start) + "[Docs]");
    AIString target;
    g_noteStore.hyperlinks->GetValueOfKeyString(L"Docs", target);
    EXPECT_EQ(Utf8(target), "https://example.org/a/very/long/path/beyond/thirty");

    // Brackets in a web target are encoded; in a file target the link is refused.
    Caret(End());
    Type(L" one two");
    int end = End();
    s_dialog.newLabel = nullptr;
    s_dialog.newTarget = L"http://x.org/[a]";
    Select(end - 3, end);
    CtrlChord('K');
    g_noteStore.hyperlinks->GetValueOfKeyString(L"two", target);
    EXPECT_EQ(Utf8(target), "http://x.org/%5Ba%5D");
    std::string before = Text();
    s_dialog.newTarget = L"file:C:\\notes\\[draft].txt";
    Select(end - 7, end - 4);
    CtrlChord('K');
    EXPECT_EQ(Text(), before);
    EXPECT_EQ(g_noteStore.hyperlinks->GetValueOfKeyString(L"one", target), 0);
}

TEST_F(EditorKeys, WebPicturesOfDifferentPagesNeverOverwriteEachOther)
{
    ASSERT_NO_FATAL_FAILURE(Open(0));
    AIString folder = ImagesFolder();
    AIString png(folder), png2(folder);
    png.AppendText(L"\\wwwsitecom.png");
    png2.AppendText(L"\\wwwsitecom_2.png");
    // Every picture of the name an earlier run left (also one that failed
    // halfway, with further numbers) is gone, and the table knows none.
    AIString pattern(folder);
    pattern.AppendText(L"\\wwwsitecom*");
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW(pattern.GetText(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            AIString file(folder), key(found.cFileName);
            file.AppendText(L"\\").AppendText(found.cFileName);
            DeleteFileW(file.GetText());
            int dot = key.FindChar(L'.');
            if (dot > 0) key.DeleteRange(dot, key.GetLength() - dot);
            g_noteStore.webCaptureImages->RemoveKeyString(key.GetText());
        } while (FindNextFileW(find, &found));
        FindClose(find);
    }
    ASSERT_FALSE(AIFile::Exists(png.GetText()));

    Caret(End());
    ASSERT_NO_FATAL_FAILURE(PutPictureOnClipboard(editor, 0));
    ASSERT_EQ(SaveWebCaptureImage(L"http://www.site.com", L"Site", 1), 1);
    EXPECT_TRUE(AIFile::Exists(png.GetText()));
    std::string first = ReadBytes(png.GetText());
    AIString address;
    g_noteStore.webCaptureImages->GetValueOfKeyString(L"wwwsitecom", address);
    EXPECT_EQ(Utf8(address), "http://www.site.com");
    AIString target;
    g_noteStore.hyperlinks->GetValueOfKeyString(L"Site", target);
    EXPECT_EQ(Utf8(target), "http://www.site.com");
    EXPECT_NE(Text().find("[Site]"), std::string::npos);

    // Another address making the same name: a name of its own, the first picture kept.
    ASSERT_NO_FATAL_FAILURE(PutPictureOnClipboard(editor, 0));
    Caret(End());
    ASSERT_EQ(SaveWebCaptureImage(L"http://www.site.com/", nullptr, 1), 1);
    EXPECT_TRUE(AIFile::Exists(png2.GetText()));
    EXPECT_EQ(ReadBytes(png.GetText()), first);
    EXPECT_NE(Text().find("[wwwsitecom_2]"), std::string::npos);
    // The same page again replaces its own picture.
    ASSERT_EQ(SaveWebCaptureImage(L"http://www.site.com", nullptr, 0), 1);
    AIString png3(folder);
    png3.AppendText(L"\\wwwsitecom_3.png");
    EXPECT_FALSE(AIFile::Exists(png3.GetText()));
    DeleteFileW(png.GetText());
    DeleteFileW(png2.GetText());
}
