// The end of the process, as seen by objects that live until then.
//
// After the entry point returns, Wine shuts the system libraries down before
// the destructors of global and static objects run; a user32 or gdi32 call
// from such a destructor can hang, and the process then ends with status 0
// whatever it was meant to return. Objects that own Win32 resources check
// IsProcessEnding() in their destructors and leave the resources to the
// system; windows are torn down explicitly before the entry point returns.
#pragma once

// Call once at the start of the entry point (after every global object is
// constructed): registers the handler that marks the process as ending, which
// then runs before the destructors of all global objects.
void WatchProcessEnd();

// 1 once the process has begun to end (exit handlers and global destructors).
int IsProcessEnding();
