// What the toolkit needs to know of the application's run state.
#pragma once

// 1 while the application shuts down (run state -1); every window procedure
// then leaves all messages to DefWindowProcW.
int IsApplicationClosing();
