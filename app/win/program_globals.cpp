#include "app/win/program_globals.h"

std::string ProgramDir;
bool ConfigDialogOpen = false;
bool AboutBoxOpen = false;
