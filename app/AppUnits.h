#pragma once
// Start and end of the program's units: class registration for the forms.

void AppStart();
void AppEnd();
