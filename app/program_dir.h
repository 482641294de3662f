// The program's directory, where the help file and the e-mailed image file
// are placed.
#pragma once

#include <string>
#include <string_view>

inline constexpr std::string_view kHelpFileName = "GRBWEL.HLP";

// The process-wide program directory, set once at start-up from the
// executable's path.
extern std::string ProgramDir;

// The directory part of `exePath` (up to its last "\" or drive colon) with
// one trailing backslash removed: "C:\Tools\GRBWEL.EXE" gives "C:\Tools" and
// "C:\GRBWEL.EXE" gives "C:". The path is kept whole, however long.
std::string ProgramDirOf(std::string_view exePath);

// `programDir` + "\" + "GRBWEL.HLP".
std::string HelpFilePath(std::string_view programDir);
