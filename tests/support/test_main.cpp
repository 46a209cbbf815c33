#include "tests/support/gtest.h"
#include "foundation/errors.h"

std::string Utf8(const AIString& text)
{
    int n = text.ToUtf8(0, 0);
    std::string out((size_t)n + 1, '\0');
    text.ToUtf8(&out[0], n + 1);
    out.resize((size_t)n);
    return out;
}

std::string Utf8(const WCHAR* text) { return Utf8(AIString(text)); }

int main(int argc, char** argv)
{
    // No test ever waits for a person: every question is answered "No".
    SetErrorAutoAnswer(IDNO);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
