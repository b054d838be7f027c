// Loading a shared library at run time and finding its exported functions.
//
// A bare file name is found by the platform's usual search: on Linux the dynamic loader's
// (LD_LIBRARY_PATH first, then the executable's run path, which holds $ORIGIN); on Windows
// LoadLibraryA's (the executable's folder first, then the system folders, the current folder and
// PATH). Thread: any; the handle is owned by the caller until FreeLibrary.
#pragma once

namespace platform {

using LibraryHandle = void*;

// Returns nullptr when the library cannot be loaded.
LibraryHandle LoadLibraryA(const char* fileName);

// Returns nullptr when the library does not export the name.
void* GetProcAddress(LibraryHandle library, const char* name);

// Unloads a library loaded by LoadLibraryA; a null handle is ignored.
void FreeLibrary(LibraryHandle library);

}  // namespace platform
