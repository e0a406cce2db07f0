#pragma once
// Start and end of the window manager's units, in their defined order (ends run in reverse).
// Called after GdiStart and before GdiEnd.

void UserStart();
void UserEnd();
