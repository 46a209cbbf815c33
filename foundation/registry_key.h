// AIRegistryKey: values under HKEY_CURRENT_USER "Software\Orvanta\" + the
// program name. In portable mode the program's key is a folder ("registry"
// beside the program) and each value a file of the value's name, so that
// nothing is left on the machine the program ran on.
#pragma once
#include "foundation/win.h"

class AIString;

// Where the program's key lives. programName gives the registry path;
// portableFolder (null or "" for the real registry) the folder of value files.
// AIApp sets it at start-up; tests point it elsewhere.
void SetRegistryLocation(const WCHAR* programName, const WCHAR* portableFolder);
const WCHAR* GetRegistryKeyPath();       // "Software\Orvanta\<name>"
const WCHAR* GetRegistryPortableFolder(); // "" when the real registry is used

class AIRegistryKey {
public:
    AIRegistryKey();
    ~AIRegistryKey();

    // Opens or creates a key. A null or empty path, or the program's key path
    // itself, opens the program's own key (the portable folder in portable
    // mode); any other path is opened for reading under root in the real
    // registry. Returns 1 on success.
    int OpenKey(HKEY root, const WCHAR* path);
    void Close();
    int IsOpen() const { return open_; }

    // Strings: an empty text is stored as an empty string. ReadString gives
    // at most maxChars characters and returns 1 when the value exists.
    int WriteString(const WCHAR* name, const WCHAR* text);
    int ReadString(const WCHAR* name, AIString& out, int maxChars = 32767);

    // Binary values. ReadBinary copies at most capacity bytes, stores the
    // value's real size in *size, and returns 1 only when the value exists
    // and fitted.
    int WriteBinary(const WCHAR* name, const void* data, uint32_t bytes);
    int ReadBinary(const WCHAR* name, void* data, uint32_t capacity, uint32_t* size);

    int DeleteValue(const WCHAR* name);

private:
    int ValueFilePath(const WCHAR* name, AIString& path) const;

    HKEY key_;
    int open_;
    int portable_;
};
