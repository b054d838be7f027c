#include "servicelib/ServiceLibrary.h"

namespace servicelib {

BindResult ServiceLibrary::Load(const char* fileName) {
    Unload();
    handle_ = platform::LoadLibraryA(fileName);
    if (handle_ == nullptr) {
        return BindResult::LoadFailed;
    }
    LibraryEntryPoints found;
    // One lookup per table row, in table order; the first missing name ends the lookup.
#define CORVANE_BIND_ENTRY_POINT(name, result, params)                                   \
    found.name = reinterpret_cast<decltype(found.name)>(                                 \
        platform::GetProcAddress(handle_, #name));                                       \
    if (found.name == nullptr) {                                                         \
        missing_ = #name;                                                                \
        return BindResult::EntryPointMissing;                                            \
    }
    CORVANE_ENTRY_POINTS(CORVANE_BIND_ENTRY_POINT)
#undef CORVANE_BIND_ENTRY_POINT
    entryPoints_ = found;
    return BindResult::Bound;
}

void ServiceLibrary::Unload() {
    entryPoints_ = LibraryEntryPoints{};
    missing_.clear();
    platform::FreeLibrary(handle_);
    handle_ = nullptr;
}

ServiceLibrary& TheServiceLibrary() {
    static ServiceLibrary library;
    return library;
}

const LibraryEntryPoints& Lib() { return TheServiceLibrary().EntryPoints(); }

}  // namespace servicelib
