#pragma once
// The program's start and end: the product globals, the conversion core's services (with the
// handler of every exception no window handles) and the windows, each made once, in order.

// Everything after the product globals up to the message loop: the services, the exception
// handler and the windows. False when the start failed: the reason has been shown in one box,
// the application told to end and nothing written back to the settings.
bool StartConverter();
// After the main window closed: the services go first (writing the profile and the folders back
// to configure.ini as they go), then the windows.
void EndConverter();

// The product globals, the start, the message loop and the end; the process's exit code.
int RunConverter();
