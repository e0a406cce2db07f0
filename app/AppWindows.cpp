#include "app/AppWindows.h"

TFormAbout* FormAbout = nullptr;
TFormVideoEdit* FormVideoEdit = nullptr;
TFormProgress* FormProgress = nullptr;
TFormLog* FormLog = nullptr;
