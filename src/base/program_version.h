#pragma once

// The program's version, as CMake's project() gives it ("1.3").
const char *ProgramVersion();
