#include "tests/support/gtest.h"
#include "foundation/app.h"
#include "foundation/registry_key.h"
#include "foundation/misc_services.h"

TEST(StartupWords, CommandLineWords)
{
    WCHAR lang[3];
    EXPECT_EQ(ParseStartupWords(L"usb slow", L"Tavik.exe", lang), kWordUsb | kWordSlow);
    EXPECT_EQ(lang[0], 0);
    EXPECT_EQ(ParseStartupWords(L"  FAST\tNoHotKey  nonetwork ", L"Tavik.exe", lang),
              kWordFast | kWordNoHotkey | kWordNoNetwork);
    EXPECT_EQ(ParseStartupWords(L"restart /boot wine linux osx mac", L"Tavik.exe", lang),
              kWordRestart | kWordBoot | kWordWine | kWordLinux | kWordOsx | kWordMac);
    // Only whole words count: a data file path or a longer word is no start-up word.
    EXPECT_EQ(ParseStartupWords(L"usbstick slowly C:\\usb\\notes.tavik \"D:\\wine fast\\x.tavik\"", L"Tavik.exe", lang),
              0u);
    EXPECT_EQ(ParseStartupWords(0, 0, lang), 0u);
}

TEST(StartupWords, LanguageWord)
{
    WCHAR lang[3];
    ParseStartupWords(L"nohotkey lang:DE", L"Tavik.exe", lang);
    EXPECT_EQ(Utf8(lang), "de");
    ParseStartupWords(L"lang:deu", L"Tavik.exe", lang);
    EXPECT_EQ(lang[0], 0);
    ParseStartupWords(L"lang:1x lang:", L"Tavik.exe", lang);
    EXPECT_EQ(lang[0], 0);
}

TEST(StartupWords, ExecutableNameWords)
{
    WCHAR lang[3];
    EXPECT_EQ(ParseStartupWords(L"", L"Tavik_usb.exe", lang), kWordUsb);
    EXPECT_EQ(ParseStartupWords(L"", L"TAVIK_SLOW_Wine.exe", lang), kWordSlow | kWordWine);
    EXPECT_EQ(ParseStartupWords(L"", L"tavik_linux_osx_mac.exe", lang), kWordLinux | kWordOsx | kWordMac);
    // "fast" and "restart" have no file-name form; a name without the underscore means nothing.
    EXPECT_EQ(ParseStartupWords(L"", L"Tavik_fast_restart.exe", lang), 0u);
    EXPECT_EQ(ParseStartupWords(L"", L"Tavikusb.exe", lang), 0u);
}

TEST(StartupWords, ProgramPathIsSkipped)
{
    EXPECT_EQ(Utf8(SkipProgramPath(L"\"C:\\Program Files\\usb\\Tavik.exe\" slow")), "slow");
    EXPECT_EQ(Utf8(SkipProgramPath(L"C:\\usb\\Tavik.exe  fast wine")), "fast wine");
    EXPECT_EQ(Utf8(SkipProgramPath(L"Tavik.exe")), "");
    EXPECT_EQ(Utf8(SkipProgramPath(L"\"unterminated")), "");
}

TEST(AppObject, PrepareFromNameAndCommandLine)
{
    AIApp app;
    app.Prepare(L"C:\\Tools\\Tavik_usb.exe", L"\"C:\\Tools\\Tavik_usb.exe\" slow lang:fr");
    EXPECT_EQ(Utf8(app.GetName()), "Tavik_usb");
    EXPECT_EQ(app.HasWord(kWordUsb), 1);
    EXPECT_EQ(app.system.IsPortable(), 1);
    EXPECT_EQ(app.system.GetCpuSpeedIndex(), 99);
    EXPECT_EQ(Utf8(app.GetLanguageCode()), "fr");
    EXPECT_EQ(Utf8(GetRegistryPortableFolder()), "C:\\Tools\\registry");
    EXPECT_EQ(Utf8(app.system.GetTempFolder()), "C:\\Tools\\temp");

    AIApp plain;
    plain.Prepare(L"C:\\Tools\\Tavik.exe", L"Tavik.exe fast restart");
    EXPECT_EQ(Utf8(plain.GetName()), "Tavik");
    EXPECT_EQ(plain.system.IsPortable(), 0);
    EXPECT_EQ(plain.system.GetCpuSpeedIndex(), 301);
    EXPECT_EQ(plain.GetRestartFlag(), 1);
    EXPECT_EQ(Utf8(GetRegistryKeyPath()), "Software\\Orvanta\\Tavik");
    EXPECT_EQ(Utf8(GetRegistryPortableFolder()), "");
    AIString temp(plain.system.GetTempFolder());
    EXPECT_TRUE(temp.EndsWithNoCase(L"\\Tavik")) << Utf8(temp);

    EXPECT_EQ(plain.GetRunState(), kRunStarting);
    EXPECT_EQ(plain.GetGuardFlag(), 1);
    plain.SetGuardFlag(5);
    EXPECT_EQ(plain.GetGuardFlag(), 1);
    EXPECT_EQ(Utf8(plain.GetInstanceGuidText()).size(), 38u);
    SetRegistryLocation(L"Tavik", 0);
}

TEST(AppObject, SingleInstance)
{
    AIApp first, second;
    first.Prepare(L"C:\\Tools\\TavikSingle.exe", L"x");
    second.Prepare(L"C:\\Tools\\TavikSingle.exe", L"x");
    AIString name;
    first.GetSingleInstanceName(name);
    EXPECT_EQ(name.FindChar('\\'), -1);
    EXPECT_GE(name.FindText(L"TavikSingle"), 0);
    EXPECT_EQ(first.ClaimSingleInstance(), 1);
    EXPECT_EQ(second.ClaimSingleInstance(), 0);
    first.ReleaseSingleInstance();
    EXPECT_EQ(second.ClaimSingleInstance(), 1);
    second.ReleaseSingleInstance();
    SetRegistryLocation(L"Tavik", 0);
}

TEST(SystemInfo, WineAndSpeedCanBeForced)
{
    AISystemInfo info;
    // This test program runs under Wine.
    EXPECT_EQ(info.IsWine(), 1);
    info.IsWine(0);
    EXPECT_EQ(info.IsWine(), 0);
    EXPECT_EQ(info.IsWine(-1), 0);
    info.IsWine(1);
    EXPECT_EQ(info.IsWine(), 1);
    EXPECT_EQ(info.IsMac(), 0);

    int measured = info.GetCpuSpeedIndex();
    EXPECT_GE(measured, 1);
    EXPECT_LE(measured, 999);
    info.SetCpuSpeedIndex(150);
    EXPECT_EQ(info.GetCpuSpeedIndex(), 150);

    AIApp app;
    app.Prepare(L"C:\\Tavik.exe", L"Tavik.exe osx");
    EXPECT_EQ(app.system.IsMac(), 1);
    SetRegistryLocation(L"Tavik", 0);
}

TEST(SystemInfo, FoldersAndMachine)
{
    AISystemInfo info;
    info.SetProgramName(L"TavikX");
    AIString documents(info.GetDocumentsFolder());
    EXPECT_FALSE(documents.IsEmpty());
    EXPECT_NE(documents.CharAt(documents.GetLength() - 1), '\\');
    AIString temp(info.GetTempFolder());
    EXPECT_TRUE(temp.EndsWithNoCase(L"\\TavikX")) << Utf8(temp);
    info.SetPortableTempFolder(L"E:\\Tavik\\temp\\");
    EXPECT_EQ(Utf8(info.GetTempFolder()), "E:\\Tavik\\temp");
    EXPECT_FALSE(AIString(info.GetExeFolder()).IsEmpty());
    EXPECT_GE(info.GetProcessorCount(), 1);
    EXPECT_GT(info.ReadPerformanceCounter(), 0);
    AIString language;
    info.GetLanguageName(language);
    EXPECT_FALSE(language.IsEmpty());
    EXPECT_GE(info.GetWindowsVersion(), 5.0);
    EXPECT_TRUE(AIString(info.GetWindowsVersionText()).StartsWith(L"Windows"));
}

TEST(MiscServices, DelayCompositionAndVersions)
{
    EXPECT_EQ(GetSetDelayValue(0), 200);
    EXPECT_EQ(GetSetDelayValue(350), 350);
    EXPECT_EQ(GetSetDelayValue(0), 350);
    GetSetDelayValue(200);
    // Wine's dwmapi reports composition off; the flush must not fail either way.
    EXPECT_EQ(IsCompositionEnabled(), 0);
    FlushComposition(1);
    int bits = GetScreenBitsPerPixel();
    EXPECT_GT(bits, 0);
    int32_t parts[4];
    LoadLibraryW(L"riched20.dll");
    EXPECT_EQ(GetModuleVersion(L"riched20.dll", parts), 1);
    EXPECT_GE(parts[0], 5);
    EXPECT_EQ(GetModuleVersion(L"no_such_module_here.dll", parts), 0);

    AIString path;
    GetTempFilePath(L"Other", path);
    EXPECT_TRUE(path.EndsWithNoCase(L"\\Other")) << Utf8(path);
}
