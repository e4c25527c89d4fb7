#pragma once

// What the browser engine needs to be told before the application object
// exists: run without its sandbox as root (it refuses otherwise), draw
// offscreen without windows unless the caller chose a platform, share
// OpenGL contexts as it expects, and keep its informational start-up lines
// (the context dump with GL type and start parameters, the sandbox and
// graphics backend notes) off standard error, so the terminal and the
// journal carry the program's own lines and real problems. A user who sets
// QT_LOGGING_RULES sees all of it again.
void PrepareBrowserEngine(bool headless);
