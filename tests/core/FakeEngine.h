#pragma once
// A scripted engine for the core's tests: records every call as "Name(args)", answers the code
// scripted for that name (0 otherwise) and writes the scripted out values, unless told to leave
// them untouched.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/EngineApi.h"

struct TFakeStream {
  Integer Type = 0;
  Integer Width = 0;
  Integer Height = 0;
};

struct TFakeEngine {
  std::vector<std::string> Calls;
  std::map<std::string, Byte> Codes;
  // Called instead of answering, for names a test wants to act in (throw, re-enter ...).
  std::map<std::string, std::function<void()>> Actions;
  bool WriteOuts = true;

  Int64 Duration = 0;
  std::vector<TFakeStream> Streams;
  Int64 Position = 0;
  Byte Finished = 0;
  Byte JobResult = 0;
  std::vector<Byte> Snapshot;
  Integer SnapWidth = 0;
  Integer SnapHeight = 0;

  // Calls whose name starts with Prefix, in order.
  std::vector<std::string> CallsOf(const std::string& Prefix) const;
  Byte Answer(const std::string& Call);
};

// The fake is installed while one of these lives; the real engine comes back after it.
class TFakeEngineScope {
 public:
  TFakeEngineScope();
  ~TFakeEngineScope();
  TFakeEngine& operator*() const;
  TFakeEngine* operator->() const { return &**this; }

 private:
  // Scopes nest: an inner one answers the engine's calls until it ends, then the outer one again.
  TFakeEngine* FEngine;
  TFakeEngine* FOuter;
};
