#include "app/win/program_globals.h"

bool ConfigDialogOpen = false;
bool AboutBoxOpen = false;
