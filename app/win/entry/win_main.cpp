// The process entry of GRBWEL.EXE.
#include "app/win/program_block.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return RunProgram(); }
