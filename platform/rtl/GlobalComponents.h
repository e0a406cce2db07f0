#pragma once
// Global components: top-level components that form streams may name (a form's component
// reference to another form). The component framework registers how to find them.

#include "rtl/Types.h"

class TComponent;

using TFindGlobalComponent = TComponent* (*)(const String& Name);

// A finder is kept once; finders are asked in the order they were registered.
void RegisterFindGlobalComponentProc(TFindGlobalComponent Proc);
void UnregisterFindGlobalComponentProc(TFindGlobalComponent Proc);
// The first component a finder answers for the name (case-insensitive); nullptr when none does.
TComponent* FindGlobalComponent(const String& Name);
