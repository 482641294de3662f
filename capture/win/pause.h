// The short wait before the screen is copied, while the program keeps
// handling its messages, so that the hidden main window has vanished.
#pragma once

void PauseForNoSpeed(double seconds);
