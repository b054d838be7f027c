#include "platform/DynamicLibrary.h"

#include <windows.h>

namespace platform {

LibraryHandle LoadLibraryA(const char* fileName) {
    return reinterpret_cast<LibraryHandle>(::LoadLibraryA(fileName));
}

void* GetProcAddress(LibraryHandle library, const char* name) {
    if (library == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(library), name));
}

void FreeLibrary(LibraryHandle library) {
    if (library != nullptr) {
        ::FreeLibrary(static_cast<HMODULE>(library));
    }
}

}  // namespace platform
