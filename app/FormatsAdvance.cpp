#include "app/FormatsAdvance.h"

#include "rtl/ClassRegistry.h"
#include "toolkit/editors/kvButtons.h"
#include "rtl/TypInfo.h"

void TFormOSetting::OKClick(TObject*) { FrameOFormat->ApplyToSelection(); }

void TFormOSetting::DefaultClick(TObject*) { FrameOFormat->RestoreDefaults(); }

TAVREN_CLASS_IMPL_PUBLISHED(TFormOSetting,
    FIELD(FrameOFormat), FIELD(WbPanel3), FIELD(Default), FIELD(OK), FIELD(Cancel), METHOD(OKClick),
    METHOD(DefaultClick))

void FormatsAdvanceStart() { RegisterClasses({TFormOSetting::ClassInfo(), TkvButton::ClassInfo()}); }
