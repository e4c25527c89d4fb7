#pragma once

// Hands the memory the allocator keeps free back to the system, as the
// program does after every navigation and page load. Never sleeps.
void TrimWorkingSet();
