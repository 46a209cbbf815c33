// The note titles of the title benchmarks: syllable words joined by '_',
// each ending in its number so that every title is unique, at most 30
// characters, put into the store's title index and sorted.
#pragma once

void MakeBenchTitles(int count);
