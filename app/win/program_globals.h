// The program-wide values that the start-up sets and the windows read.
#pragma once

#include <string>

// The program's folder without a trailing backslash (UTF-8); the help file
// and the e-mailed image file live there.
extern std::string ProgramDir;
// Set while the configuration dialog or the About box shows, so that a
// second one does not open.
extern bool ConfigDialogOpen;
extern bool AboutBoxOpen;
