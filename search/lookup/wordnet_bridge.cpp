// The WordNet bridge.
#include "search/lookup/wordnet_bridge.h"
#include <stdlib.h>
#include <string.h>
#include <vector>
#include <wn.h>

namespace {

int Quiet(char*) { return 0; }

bool g_open = false;

std::vector<char> Writable(const std::string& text)
{
    return std::vector<char>(text.c_str(), text.c_str() + text.size() + 1);
}

}  // namespace

int WordNetOpen(const char* folder)
{
    display_message = Quiet;
    if (folder && *folder) {
#ifdef _WIN32
        // The C runtime's own environment, which the library's getenv reads.
        std::string setting = std::string("WNSEARCHDIR=") + folder;
        _putenv(setting.c_str());
#else
        setenv("WNSEARCHDIR", folder, 1);
#endif
    }
    g_open = (g_open ? re_wninit() : wninit()) == 0;
    return g_open ? 1 : 0;
}

std::string WordNetOverview(const std::string& word, int part)
{
    if (!g_open || word.empty() || part < kWordNetNoun || part > kWordNetAdverb) return std::string();
    std::vector<char> query = Writable(word);
    const char* text = findtheinfo(query.data(), part, OVERVIEW, ALLSENSES);
    return text ? std::string(text) : std::string();  // the library's buffer is reused by the next call
}

std::string WordNetBaseForm(const std::string& word, int part)
{
    if (!g_open || word.empty()) return std::string();
    for (int p = part ? part : kWordNetNoun; p <= (part ? part : kWordNetAdverb); p++) {
        std::vector<char> query = Writable(word);
        const char* base = morphstr(query.data(), p);
        if (base && strcmp(base, word.c_str()) != 0) return std::string(base);
    }
    return std::string();
}
