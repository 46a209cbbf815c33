#include "tests/support/gtest.h"
#include "foundation/errors.h"
#include "foundation/process_end.h"

std::string Utf8(const AIString& text)
{
    int n = text.ToUtf8(0, 0);
    std::string out((size_t)n + 1, '\0');
    text.ToUtf8(&out[0], n + 1);
    out.resize((size_t)n);
    return out;
}

std::string Utf8(const WCHAR* text) { return Utf8(AIString(text)); }

// With TAVIK_PLANTED_FAILURE set, one failing case runs after every other
// case: CI's check that a failing assertion always turns the run red (exit
// code and report), even when the cases before it tore windows down.
static void RegisterPlantedFailure()
{
    WCHAR value[8];
    if (!GetEnvironmentVariableW(L"TAVIK_PLANTED_FAILURE", value, 8)) return;
    testing::RegisterTest("PlantedFailure", "FailsOnPurpose", nullptr, nullptr, __FILE__, __LINE__,
                          []() -> testing::Test* {
                              struct Planted : testing::Test {
                                  void TestBody() override { ADD_FAILURE() << "planted failure"; }
                              };
                              return new Planted;
                          });
}

int main(int argc, char** argv)
{
    // Objects that live until the process ends release nothing through Win32
    // once it is ending (the system libraries are gone by then).
    WatchProcessEnd();
    // No test ever waits for a person: every question is answered "No".
    SetErrorAutoAnswer(IDNO);
    testing::InitGoogleTest(&argc, argv);
    RegisterPlantedFailure();
    return RUN_ALL_TESTS();
}
