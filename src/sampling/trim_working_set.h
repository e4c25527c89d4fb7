#pragma once

// Hands the memory the allocator keeps free back to the system, as the
// program does after every navigation and page load. Never sleeps.
// Requests gather: the first starts half a second's wait (a sample asks at
// its navigation, its page load and its tray icon), trims are at least ten
// seconds apart, and every request is followed by a trim at the end of
// the wait. Without an application object the trim is made at once. For
// the main thread only.
void TrimWorkingSet();
