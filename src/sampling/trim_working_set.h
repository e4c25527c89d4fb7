#pragma once

// Hands the memory the allocator keeps free back to the system, as the
// program does after every navigation and page load. Never sleeps.
// Calls within half a second of the first (a sample asks at its
// navigation, its page load and its tray icon) make one trim when the half
// second is up: one walk over the heap frees as much as several in a row,
// at a fraction of the cost. Without an application object the trim is
// made at once. For the main thread only.
void TrimWorkingSet();
