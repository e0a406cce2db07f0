#pragma once
// What the main window's commands do with the task list and the format catalogue: the profile
// list's lines and the choice of a profile, adding files, and what the clip editor is handed.
// The window's handlers pass their controls' values on to these.

#include "core/Formats.h"
#include "core/VideoList.h"

// The windows are named only: the profile list's users include the toolkit's editors, whose
// names of the vertical alignments would meet the clip editor's.
class TFormProgress;
class TPlayContext;

// The open dialog's filter for Add.
extern const char* const MediaFileFilter;

// Name + " (*." + FileExt + ")" of every offered format, in catalogue order.
void FillProfileLines(const TFormats& Formats, TStrings* Lines);
// The profile at ItemIndex becomes the selection, with its defaults for every other parameter;
// an index that names no profile (-1: none picked) changes nothing.
void ChooseProfile(TFormats& Formats, Integer ItemIndex);

// Probes and appends each file in order. A file that cannot be opened is named in an information
// box and skipped; the rest are added.
void AddFiles(TVideoList& List, TMediaInfo& Probe, TStrings* Files);
// Asks for files with the open dialog (several at once, starting in the list's input folder,
// titled Title) and adds those chosen.
void AddVideoFiles(TVideoList& List, TMediaInfo& Probe, const String& Title);

// Removes the file at Index, the list's selected row; without one (-1) the information box "Please
// select a item" says so.
void DeleteSelectedFile(TVideoList& List, Integer Index);

// Hands the progress window the output folder and every file with its task, in list order;
// false, and nothing handed, when the list is empty.
bool QueueConversion(const TVideoList& List, TFormProgress& Window);

// The file at Index as the clip editor takes it; the task stays the list's.
void FillPlayContext(const TVideoList& List, Integer Index, TPlayContext& Context);
