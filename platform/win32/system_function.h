// Functions looked up at run time instead of imported: those that some of
// the Windows versions the program runs on lack (the loader would refuse to
// start a program that imports them there), and those of libraries that
// may be missing altogether (wininet comes with Internet Explorer). The caller checks for null and does without.
#pragma once
#include "platform/win32/win.h"

namespace zt {

// A function a module exports, or null. The cast goes through void (*)():
// the caller names the function's real type.
template <class Fn>
Fn Exported(HMODULE module, const char* name) {
  return module ? reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name))) : nullptr;
}

// A function of a system library, which is loaded if the process has not
// got it yet and then stays loaded for the life of the process; null when
// the library or the function is missing.
template <class Fn>
Fn SystemFunction(const char* library, const char* name) {
  HMODULE module = GetModuleHandleA(library);
  if (!module) module = LoadLibraryA(library);
  return Exported<Fn>(module, name);
}

}  // namespace zt
