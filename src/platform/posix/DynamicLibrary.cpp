#include "platform/DynamicLibrary.h"

#include <dlfcn.h>

namespace platform {

LibraryHandle LoadLibraryA(const char* fileName) {
    // RTLD_NOW: every symbol is resolved here, so a broken library fails at load and not later
    // in the middle of a phone operation.
    return dlopen(fileName, RTLD_NOW | RTLD_LOCAL);
}

void* GetProcAddress(LibraryHandle library, const char* name) {
    if (library == nullptr) {
        return nullptr;
    }
    return dlsym(library, name);
}

void FreeLibrary(LibraryHandle library) {
    if (library != nullptr) {
        dlclose(library);
    }
}

}  // namespace platform
