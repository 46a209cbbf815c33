// Figures of the application services: processor speed index, cipher and
// hash throughput, and the time to store and read the settings record.
#include "foundation/app.h"
#include "foundation/registry_key.h"
#include "foundation/rc4.h"
#include "foundation/sha1.h"
#include <stdio.h>

namespace {

double Milliseconds(AISystemInfo& info, int64_t start)
{
    return (double)(info.ReadPerformanceCounter() - start) * 1000.0 / (double)info.GetPerformanceFrequency();
}

void StoreAndLoad(AISystemInfo& info, const char* where)
{
    AISettingsStore store;
    const int rounds = 50;
    int64_t start = info.ReadPerformanceCounter();
    for (int i = 0; i < rounds; i++) store.Store();
    double storeMs = Milliseconds(info, start) / rounds;
    start = info.ReadPerformanceCounter();
    int ok = 1;
    for (int i = 0; i < rounds; i++) ok &= store.Load(0);
    double loadMs = Milliseconds(info, start) / rounds;
    printf("settings %-9s store %.3f ms, load %.3f ms (verified %d)\n", where, storeMs, loadMs, ok);
}

}  // namespace

int main()
{
    AISystemInfo info;
    int64_t start = info.ReadPerformanceCounter();
    int index = info.GetCpuSpeedIndex();
    printf("speed index %d (measured in %.2f ms), processors %d, under Wine %d\n", index, Milliseconds(info, start),
           info.GetProcessorCount(), info.IsWine());
    printf("%s\n", AIString(info.GetWindowsVersionText()).MakeNarrowCopy());

    const int bytes = 16 * 1024 * 1024;
    uint8_t* data = (uint8_t*)LocalAlloc(LPTR, bytes);
    if (!data) return 1;
    start = info.ReadPerformanceCounter();
    AISha1Hash hash;
    hash.Update(data, bytes);
    uint8_t digest[20];
    hash.Final(digest);
    printf("SHA-1 %.0f MB/s\n", 16.0 / (Milliseconds(info, start) / 1000.0));
    const uint8_t key[] = {1, 2, 3, 4, 5, 6, 7, 8};
    start = info.ReadPerformanceCounter();
    AIRc4Cipher::Apply(key, 8, data, bytes);
    printf("RC4 %.0f MB/s\n", 16.0 / (Milliseconds(info, start) / 1000.0));
    LocalFree(data);

    SetRegistryLocation(L"TavikBench", 0);
    StoreAndLoad(info, "registry");
    WCHAR temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    AIString folder(temp);
    folder.AppendText(L"tavik_bench_registry");
    SetRegistryLocation(L"TavikBench", folder.GetText());
    StoreAndLoad(info, "portable");
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Orvanta\\TavikBench");
    return 0;
}
