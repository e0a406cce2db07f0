#pragma once
// Start and end of the inspector's units, in their defined order (ends run in reverse). Called after
// the framework's own starts and before its ends.

void InspectorStart();
void InspectorEnd();
