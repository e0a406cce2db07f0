#pragma once
// Sets an environment variable for the length of a scope and puts back what was there (or
// nothing) at its end.

#include <cstdlib>
#include <string>

class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : FName(name) {
    if (const char* old = std::getenv(name)) FOld = old, FHad = true;
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnv() {
    if (FHad) setenv(FName.c_str(), FOld.c_str(), 1);
    else unsetenv(FName.c_str());
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string FName;
  std::string FOld;
  bool FHad = false;
};
