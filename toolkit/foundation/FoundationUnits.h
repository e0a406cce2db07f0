#pragma once
// Start and end of the foundation's units, in their defined order (ends run in reverse). Called
// after the framework's own starts and before its ends.

void FoundationStart();
void FoundationEnd();
