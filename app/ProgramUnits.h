#pragma once
// Every library's units, started in their defined order (the forms' classes, skins, colour schemes
// and editors registered before any window is made) and ended in reverse. The program and its
// tests start the same set, so a window behaves alike in both.

void ProgramUnitsStart();
void ProgramUnitsEnd();
