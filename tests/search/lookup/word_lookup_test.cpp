// Look-up over the real WordNet data and translation through a service on
// 127.0.0.1 (started by run_with_server.sh).
#include "tests/support/gtest.h"
#include "tests/support/test_files.h"
#include "foundation/ai_file.h"
#include "foundation/app.h"
#include "foundation/registry_key.h"
#include "foundation/web_download.h"
#include "search/lookup/word_lookup.h"
#include "tests/search/own_temp_folder.h"
#include <stdlib.h>
#include <string>

namespace {

std::string g_status;
std::string g_shown;
int g_shift = 0;

const WCHAR kExe[] = L"C:\\Tools\\TavikLookupTest.exe";

// The program's registry value that names the translation service.
void SetService(const WCHAR* address)
{
    AIRegistryKey key;
    ASSERT_TRUE(key.OpenKey(HKEY_CURRENT_USER, nullptr));
    if (address) key.WriteString(kTranslationServiceValue, address);
    else key.DeleteValue(kTranslationServiceValue);
}

class WordLookup : public testing::Test {
protected:
    void SetUp() override
    {
        g_app.Prepare(kExe, L"TavikLookupTest.exe");  // the registry key of its own
        folder_ = UseOwnTempFolder(L"tavik_lookup_");
        for (const WCHAR* word : {L"dog", L"geese", L"ran", L"con", L"Hund", L"run"}) {
            AIString cache;
            GetLookupCachePath(word, cache);
            DeleteStaleCacheFile(cache);  // left by an earlier run
        }
        g_status.clear();
        g_shown.clear();
        g_shift = 0;
        SetWordLookupHooks(WordLookupHooks{[](const WCHAR* text, int) { g_status = Utf8(text); },
                                           [](const WCHAR* file) { g_shown = Utf8(file); },
                                           []() { return g_shift; }, []() { return 1; }});
        const char* port = getenv("TAVIK_TEST_PORT");
        ASSERT_TRUE(port != nullptr) << "run through run_with_server.sh";
        AIString address(L"http://127.0.0.1:");
        SetService(address.AppendAscii(port).AppendText(L"/").GetText());
        SetTranslationLanguage(L"OFF");
        SetTranslationTimeout(1500);
    }

    std::string Entry(const WCHAR* word)
    {
        AIString cache;
        GetLookupCachePath(word, cache);
        std::string bytes = ReadBytes(cache.GetText());
        if (bytes.size() < 2 || bytes == "<missing>") return bytes;
        AIString text;
        text.AssignTextN(reinterpret_cast<const WCHAR*>(bytes.data() + 2), int(bytes.size() - 2) / 2);
        return Utf8(text);
    }

    AIString folder_;
};

TEST_F(WordLookup, FindsNounsVerbsAndInflectedForms)
{
    ASSERT_EQ(1, LookUpWord(L"", kLookupFindDictionaryOnly));
    ASSERT_EQ(1, LookUpWord(L"dog", kLookupWord));
    std::string dog = Entry(L"dog");
    EXPECT_NE(std::string::npos, dog.find("### NOUN: dog has 7 senses")) << dog;
    EXPECT_NE(std::string::npos, dog.find("### VERB: dog has 1 sense")) << dog;
    EXPECT_NE(std::string::npos, dog.find("domestic dog, Canis familiaris")) << dog;
    EXPECT_NE(std::string::npos, dog.find("Dictionary powered by WordNet")) << dog;
    EXPECT_EQ(std::string::npos, dog.find("(42)")) << dog;
    EXPECT_NE(std::string::npos, g_shown.find("dog.dict.txt"));

    ASSERT_EQ(1, LookUpWord(L"geese", 1));  // the editor's mode 1 is a look-up too
    EXPECT_NE(std::string::npos, Entry(L"geese").find("### NOUN: goose")) << Entry(L"geese");
    ASSERT_EQ(1, LookUpWord(L"ran", kLookupWord));
    EXPECT_NE(std::string::npos, Entry(L"ran").find("### VERB: run")) << Entry(L"ran");
}

TEST_F(WordLookup, UnknownDeviceLongAndEmptyWords)
{
    EXPECT_EQ(1, LookUpWord(L"xqzzyvlt", kLookupWord));
    EXPECT_EQ("'xqzzyvlt' not found in dictionary", g_status);
    EXPECT_EQ("<missing>", Entry(L"xqzzyvlt"));

    ASSERT_EQ(1, LookUpWord(L"con", kLookupWord));  // a word that names a device
    AIString cache;
    GetLookupCachePath(L"con", cache);
    EXPECT_EQ("con_.dict.txt", Utf8(cache).substr(Utf8(cache).rfind('\\') + 1));
    EXPECT_NE(std::string::npos, Entry(L"con").find("### NOUN: con")) << Entry(L"con");

    EXPECT_EQ(
        0, LookUpWord(L"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", kLookupWord));  // 51 characters
    EXPECT_EQ(0, LookUpWord(L" ?! ", kLookupWord));
}

TEST_F(WordLookup, ACachedWordIsShownUntilShiftAsksAgain)
{
    ASSERT_EQ(1, LookUpWord(L"run", kLookupWord));
    AIString cache;
    GetLookupCachePath(L"run", cache);
    WriteBytes(cache.GetText(), std::string("\xFF\xFE"
                                            "x\0",
                                            4));
    g_shown.clear();
    ASSERT_EQ(1, LookUpWord(L"run", kLookupWord));
    EXPECT_EQ("x", Entry(L"run"));
    EXPECT_EQ(Utf8(cache), g_shown);
    g_shift = 1;
    ASSERT_EQ(1, LookUpWord(L"run", kLookupWord));
    EXPECT_NE(std::string::npos, Entry(L"run").find("### VERB: run")) << Entry(L"run");
}

TEST_F(WordLookup, TranslatesThroughTheService)
{
    SetTranslationLanguage(L"German");
    AIString result;
    EXPECT_EQ(1, FetchTranslation(L"Hund", 0, result));
    EXPECT_EQ("dog", Utf8(result));
    EXPECT_EQ(0, FetchTranslation(L"Katze", 0, result));  // the reply has no translation
    EXPECT_EQ(0, FetchTranslation(L"Maus", 0, result));   // the reply is cut short
    DWORD start = GetTickCount();
    EXPECT_EQ(0, FetchTranslation(L"Schnecke", 0, result));
    EXPECT_LT(GetTickCount() - start, 5000u);  // the time-out ended it, not the service

    // A German word: translated into English, and the English word looked up.
    ASSERT_EQ(1, LookUpWord(L"Hund", kLookupWord));
    std::string entry = Entry(L"Hund");
    EXPECT_NE(std::string::npos, entry.find("### Translation (German => English)\r\n\r\n## Hund  =>  dog"))
        << entry;
    EXPECT_NE(std::string::npos, entry.find("### NOUN: dog has 7 senses")) << entry;

    SetTranslationLanguage(L"English");
    EXPECT_EQ(0, FetchTranslation(L"Hund", 0, result));  // no language to translate into
}

TEST_F(WordLookup, AServiceOutOfReachOrTurnedOffAndNoNetwork)
{
    SetTranslationLanguage(L"de");
    AIString result;
    TranslationOutcome outcome = kTranslated;
    // Nobody listens on the port: the user hears that the service could not be reached.
    SetService(L"http://127.0.0.1:9");
    EXPECT_EQ(0, FetchTranslation(L"Hund", 0, result, &outcome));
    EXPECT_EQ(kTranslationUnreachable, outcome);
    EXPECT_EQ("Translation failed: the translation service could not be reached", g_status);
    ASSERT_EQ(1, LookUpWord(L"Katze", kLookupWord));
    EXPECT_EQ("'Katze' not found in dictionary - the translation service could not be reached", g_status);
    // An empty value turns translation off: nothing is asked, nothing fails.
    SetService(L"");
    g_status.clear();
    EXPECT_EQ(0, FetchTranslation(L"Hund", 0, result, &outcome));
    EXPECT_EQ(kTranslationNotAsked, outcome);
    EXPECT_EQ("", g_status);
    // No service is built in: without the value nothing is asked either.
    SetService(nullptr);
    AIString service(L"left over");
    GetTranslationService(service);
    EXPECT_EQ("", Utf8(service));
    EXPECT_EQ(0, FetchTranslation(L"Hund", 0, result, &outcome));
    EXPECT_EQ(kTranslationNotAsked, outcome);

    // Started with "nonetwork": neither a translation nor a download is asked for.
    const char* port = getenv("TAVIK_TEST_PORT");
    AIString address(L"http://127.0.0.1:");
    address.AppendAscii(port);
    SetService(address.GetText());
    g_app.Prepare(kExe, L"TavikLookupTest.exe nonetwork");
    g_status.clear();
    EXPECT_EQ(0, FetchTranslation(L"Hund", 0, result, &outcome));
    EXPECT_EQ(kTranslationNotAsked, outcome);
    EXPECT_EQ("", g_status);
    AIWebDownload download;
    EXPECT_EQ(kDownloadNotAllowed, download.FetchWebPage(address.AppendText(L"/ajax/services/language/translate?v=1.0&q=hund&langpair=de%7Cen").GetText()));
    g_app.Prepare(kExe, L"TavikLookupTest.exe");
    g_app.system.SetPortableTempFolder(folder_.GetText());
    EXPECT_EQ(1, FetchTranslation(L"Hund", 0, result, &outcome));
    EXPECT_EQ("dog", Utf8(result));
}

}  // namespace
