#pragma once
// One harness per parser, written once and built two ways:
//   TAVREN_FUZZ_TARGET(FormText) { ... data, size ... }
// With TAVREN_FUZZER defined (`make fuzz`, clang) it is the libFuzzer entry point of its own
// program. Otherwise it registers itself by name, and the fuzz_tests binary feeds it every input
// kept under tests/fuzz/<name>/ on each build. A harness returns normally for any input; what
// it must never do is crash, hang or leak.

#include <cstddef>
#include <cstdint>
#include <string_view>

using TFuzzTarget = void (*)(const uint8_t* data, size_t size);

// Adds a harness to the replay list; answers true so that a namespace-scope constant can hold it.
bool RegisterFuzzTarget(const char* name, TFuzzTarget target);

inline std::string_view FuzzText(const uint8_t* data, size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

#ifdef TAVREN_FUZZER
#define TAVREN_FUZZ_TARGET(name)                                                      \
  static void FuzzTarget_##name(const uint8_t* data, size_t size);                    \
  extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {           \
    FuzzTarget_##name(data, size);                                                    \
    return 0;                                                                         \
  }                                                                                   \
  static void FuzzTarget_##name(const uint8_t* data, size_t size)
#else
#define TAVREN_FUZZ_TARGET(name)                                                      \
  static void FuzzTarget_##name(const uint8_t* data, size_t size);                    \
  [[maybe_unused]] static const bool kFuzzTarget_##name = RegisterFuzzTarget(#name, &FuzzTarget_##name); \
  static void FuzzTarget_##name(const uint8_t* data, size_t size)
#endif
