// A fresh folder under the temporary folder for one test, removed afterwards.
#pragma once
#include "foundation/ai_string.h"
#include <string>

class TestFolder {
public:
    explicit TestFolder(const WCHAR* name);
    ~TestFolder();
    const AIString& Path() const { return path_; }
    AIString File(const WCHAR* name) const;

private:
    AIString path_;
};

std::string ReadBytes(const WCHAR* path);
void WriteBytes(const WCHAR* path, const std::string& bytes);
