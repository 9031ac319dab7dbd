// <windows.h> for our Win32 code. It maps some names to their A/W forms
// that our platform interfaces use plainly (System::CopyFile, ...); those
// macros are removed, and our code calls the A functions by their full name.
#pragma once
#include <windows.h>

#undef CopyFile
#undef DeleteFile
#undef CreateDirectory
#undef SetFileAttributes
#undef MessageBox
