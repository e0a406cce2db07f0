#pragma once
// Start and end of the engine library's units; the program and the engine's tests call them
// after and before the runtime's.

void EngineStart();
void EngineEnd();
