#pragma once
// The program's dialogs, each made once at start-up and living as long as the program; the main
// window opens them from its commands.

class TFormAbout;
class TFormVideoEdit;
class TFormProgress;
class TFormLog;

extern TFormAbout* FormAbout;
extern TFormVideoEdit* FormVideoEdit;
extern TFormProgress* FormProgress;
extern TFormLog* FormLog;
