#include "foundation/settings_store.h"
#include "foundation/registry_key.h"
#include "foundation/rc4.h"
#include "foundation/sha1.h"
#include "foundation/ai_string.h"
#include "foundation/trace.h"
#include "foundation/trace_modules.h"
#include <string.h>

namespace {
const int kModule = kTraceSettingsStore;
const WCHAR kValueData[] = L"UserData";
const WCHAR kValueCheck[] = L"UserData_c";
}

const uint8_t kSettingsCipherKey[] = {'O', 'r', 'v', 'a', 'n', 't', 'a', '.', 'U', 's', 'e', 'r',
                                      'D', 'a', 't', 'a', '.', 'k', 'e', 'y', 0x5A, 0xC3, 0x17, 0x8E};
const int kSettingsCipherKeyBytes = sizeof(kSettingsCipherKey);

AISettingsStore::AISettingsStore() { SettingsSetDefaults(record_, 0); }

void AISettingsStore::WriteDefaults(int isWine) { SettingsSetDefaults(record_, isWine); }

int AISettingsStore::Load(int isWine)
{
    TRACE_SCOPE(kModule, 1);
    int verified = 0;
    AIRegistryKey key;
    if (key.OpenKey(HKEY_CURRENT_USER, 0)) {
        // Read into a scratch record: only a record that passes its check
        // replaces the defaults.
        SettingsRecord* scratch = (SettingsRecord*)LocalAlloc(LPTR, sizeof(SettingsRecord));
        uint32_t size = 0;
        AIString stored;
        if (scratch && key.ReadBinary(kValueData, scratch, sizeof(SettingsRecord), &size) &&
            size == sizeof(SettingsRecord) && key.ReadString(kValueCheck, stored, 64)) {
            AIRc4Cipher::Apply(kSettingsCipherKey, kSettingsCipherKeyBytes, (uint8_t*)scratch, (int)size);
            AIString check;
            AISha1Hash::HexDigest(scratch, size, check);
            if (check.EqualsString(stored)) {
                memcpy(&record_, scratch, sizeof(SettingsRecord));
                verified = 1;
            }
        }
        if (scratch) LocalFree(scratch);
    }
    if (isWine) record_.transparencyOff = 1;
    return verified;
}

int AISettingsStore::Store() const
{
    TRACE_SCOPE(kModule, 2);
    AIRegistryKey key;
    if (!key.OpenKey(HKEY_CURRENT_USER, 0)) return 0;
    uint8_t* copy = (uint8_t*)LocalAlloc(LPTR, sizeof(SettingsRecord));
    if (!copy) return 0;
    memcpy(copy, &record_, sizeof(SettingsRecord));
    AIString check;
    AISha1Hash::HexDigest(copy, sizeof(SettingsRecord), check);
    AIRc4Cipher::Apply(kSettingsCipherKey, kSettingsCipherKeyBytes, copy, (int)sizeof(SettingsRecord));
    int ok = key.WriteBinary(kValueData, copy, sizeof(SettingsRecord)) && key.WriteString(kValueCheck, check.GetText());
    LocalFree(copy);
    return ok;
}

int AISettingsStore::ReadAtStartup(int isWine)
{
    WriteDefaults(isWine);
    int verified = Load(isWine);
    Store();
    return verified;
}
