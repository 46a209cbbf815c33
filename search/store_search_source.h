// Connects full-text search to the note store's open data file, the message
// pump and the machine's speed (the program's search source).
#pragma once

void ConnectStoreSearchSource();
