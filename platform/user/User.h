#pragma once
// The window manager as the system's code calls it: include this one header.

#include "user/Backend.h"
#include "user/Clock.h"
#include "user/Focus.h"
#include "user/Hooks.h"
#include "user/Input.h"
#include "user/InputEvents.h"
#include "user/MessageNumbers.h"
#include "user/Messages.h"
#include "user/Painting.h"
#include "user/Timers.h"
#include "user/VirtualKeys.h"
#include "user/WindowClasses.h"
#include "user/WindowPos.h"
#include "user/WindowStyles.h"
#include "user/WindowTree.h"
