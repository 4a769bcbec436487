#pragma once

// The engine's version, the same as the project's in the top-level CMakeLists.txt: configuring
// fails when the two differ. The macros are there for the preprocessor (#if LM_VERSION_MAJOR >= 2);
// code reads the constants.
#define LM_VERSION_MAJOR 1
#define LM_VERSION_MINOR 0
#define LM_VERSION_PATCH 0
#define LM_VERSION_STRING "1.0.0"

namespace lm {

inline constexpr int VERSION_MAJOR = LM_VERSION_MAJOR;
inline constexpr int VERSION_MINOR = LM_VERSION_MINOR;
inline constexpr int VERSION_PATCH = LM_VERSION_PATCH;
inline constexpr char VERSION_STRING[] = LM_VERSION_STRING;  // "major.minor.patch"

}  // namespace lm
