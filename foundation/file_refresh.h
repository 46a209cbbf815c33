// Keeping a file equal to bytes the program carries (the help page it puts in
// the data folder): the file is read and compared first and written only when
// it is missing or differs, so that an unchanged file is never written again.
#pragma once
#include "foundation/win.h"

// 1 when the file holds exactly the bytes afterwards: left alone when it did
// already, else written whole. 0 when it could not be written; a file cut
// short by the failed write is deleted (the next call writes it again).
int RefreshFileContent(const WCHAR* path, const void* bytes, DWORD count);
