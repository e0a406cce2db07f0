#pragma once
// The graphics interface as the system's code calls it: include this one header.

#include "gdi/Bitmaps.h"
#include "gdi/Blits.h"
#include "gdi/DeviceContexts.h"
#include "gdi/Drawing.h"
#include "gdi/Edges.h"
#include "gdi/Fonts.h"
#include "gdi/GdiTypes.h"
#include "gdi/Icons.h"
#include "gdi/LogFont.h"
#include "gdi/Regions.h"
#include "gdi/SysColors.h"
#include "gdi/SysMetrics.h"
#include "gdi/Text.h"
