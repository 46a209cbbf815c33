// AISettingsStore: the one SettingsRecord of the run and its storage as the
// registry value "UserData" (RC4-enciphered) with "UserData_c", the SHA-1 of
// the plain record in 40 upper-case hex digits. A stored record that is
// missing, of the wrong size or fails its check leaves the record as it was
// (the defaults written just before), never zeros.
#pragma once
#include "foundation/settings_record.h"

class AISettingsStore {
public:
    AISettingsStore();

    SettingsRecord& Record() { return record_; }
    const SettingsRecord& Record() const { return record_; }

    void WriteDefaults(int isWine);
    // 1 when a stored record was read and verified; 0 when the record was
    // kept (nothing stored, damaged). isWine forces transparency off afterwards.
    int Load(int isWine);
    // Writes the record back; 1 on success.
    int Store() const;
    // The start-up sequence: defaults, then the stored record, then written
    // back (so a damaged stored record is replaced by a good one). Returns
    // what Load returned.
    int ReadAtStartup(int isWine);

private:
    SettingsRecord record_;
};

// The cipher key of the stored record.
extern const uint8_t kSettingsCipherKey[];
extern const int kSettingsCipherKeyBytes;
