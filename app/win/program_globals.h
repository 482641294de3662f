// The program-wide flags that keep a second configuration dialog or About
// box from opening while one shows. (ProgramDir lives with its rule in
// app/program_dir.h.)
#pragma once

extern bool ConfigDialogOpen;
extern bool AboutBoxOpen;
