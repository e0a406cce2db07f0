#pragma once
// A small program the process tests start (this binary with kTestProgramSwitch): one main form
// under the SDL2 backend whose close handler writes "closed" into a file, so a test can see it ran.

constexpr const char* kTestProgramSwitch = "--run-test-program";
constexpr const char* kTestProgramCaption = "Tavren desktop program";
constexpr int kTestProgramLeft = 120;
constexpr int kTestProgramTop = 90;
constexpr int kTestProgramWidth = 360;
constexpr int kTestProgramHeight = 240;

// Runs the program until its main form closes; the process's exit code.
int RunTestProgram(const char* markerFile);
