// A fresh folder under the temporary folder for one test, removed afterwards.
#pragma once
#include "foundation/ai_string.h"
#include <string>
#include "tests/support/test_files.h"

class TestFolder {
public:
    explicit TestFolder(const WCHAR* name);
    ~TestFolder();
    const AIString& Path() const { return path_; }
    AIString File(const WCHAR* name) const;

private:
    AIString path_;
};

