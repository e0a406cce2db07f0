#include "core/FormatsIni.h"

TAVREN_CLASS_IMPL(TFormatsIni)

TFormatsIni::TFormatsIni(const String& FileName) : FIni(std::make_unique<TIniFile>(FileName)) {}
TFormatsIni::~TFormatsIni() = default;

Integer TFormatsIni::Read(const char* Key, Integer Default) { return FIni->ReadInteger(FSection, Key, Default); }
void TFormatsIni::Write(const char* Key, Integer Value) { FIni->WriteInteger(FSection, Key, Value); }
