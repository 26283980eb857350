#pragma once
// The file names of the two programs of the chain; the command lines are built around them on
// every platform.
namespace kestrova {

inline constexpr const char* kDecoderProgram = "Varnock.exe";
inline constexpr const char* kRemapperProgram = "Ostrelle.exe";

}  // namespace kestrova
