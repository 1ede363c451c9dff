// The program's identity texts.
#pragma once

namespace kv5 {

inline constexpr const char* programName = "KV5";
inline constexpr const char* programFileBase = "kv5";
inline constexpr const char* projectExt = "kv5";
inline constexpr const char* programVersion = "1.1";
inline constexpr const char* programTitle = "KV5   Triebstockverzahnung";

}  // namespace kv5
