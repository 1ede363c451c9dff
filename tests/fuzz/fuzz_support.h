// Shared parts of the fuzz targets: every input runs from the program's
// start-up state against a fresh, silent headless platform, in a scratch
// folder of its own that lives as long as the fuzzing process.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "app/core/program_state.h"
#include "platform/headless_platform.h"

namespace kv5::fuzz {

// The scratch folder, ending with "/"; made on first use and removed with
// its contents when the process ends normally.
inline const std::string& ScratchFolder() {
  // Never destroyed: the removal at exit runs after static destructors.
  static const std::string& folder = *new std::string([] {
    std::string pattern = std::filesystem::temp_directory_path().string() + "/kv5fuzz.XXXXXX";
    if (!mkdtemp(pattern.data())) {
      std::perror("kv5 fuzz: mkdtemp");
      std::abort();
    }
    std::atexit([] { std::filesystem::remove_all(ScratchFolder()); });
    return pattern + "/";
  }());
  return folder;
}

// Program start-up state and a new platform that answers every question
// with Cancel and prints nothing.
inline HeadlessPlatform& StartRun() {
  static std::optional<HeadlessPlatform> platform;
  SetPlatform(nullptr);
  ResetProgramState();
  platform.emplace();
  platform->SetEcho(false);
  platform->SetRecordOnlyStarts(true);
  SetPlatform(&*platform);
  return *platform;
}

inline std::string Bytes(const uint8_t* data, size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

// Writes `bytes` as the whole file `path` (replacing an earlier one).
inline void WriteFile(const std::string& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() ||
      std::fclose(file) != 0) {
    std::perror(path.c_str());
    std::abort();
  }
}

inline std::string ReadFile(const std::string& path) {
  std::string bytes;
  if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, n);
    std::fclose(file);
  }
  return bytes;
}

// A broken property of the code under test: reported like a crash, so the
// fuzzer keeps the input.
[[noreturn]] inline void Fail(const char* what) {
  std::fprintf(stderr, "kv5 fuzz: %s\n", what);
  std::abort();
}

}  // namespace kv5::fuzz
