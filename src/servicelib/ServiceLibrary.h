// The binding of Bfb95eg.dll: its handle and the addresses of its 55 entry points.
//
// One ServiceLibrary is loaded at start-up and unloaded at shut-down; in between the entry points
// are only read, so the worker thread and the user-interface thread read them without a lock.
// The rest of the program calls the library through `Lib()`, never through raw addresses.
//
// Each entry point is found by its plain name or a decorated one (servicelib/ExportNames.h). On
// 32-bit Windows, where the library may use either calling convention, every call goes through a
// small function of ours that calls the library stack-safely (servicelib/StackSafeCall.h); it
// finds the library's address in a process-wide table, so only one ServiceLibrary can be bound
// there at a time. Elsewhere the platform has one convention and the call is a plain call.
#pragma once

#include <string>

#include "platform/DynamicLibrary.h"
#include "servicelib/EntryPointTable.h"

namespace servicelib {

inline constexpr const char* kLibraryFileName = "Bfb95eg.dll";

// Callable addresses of the entry points, named as the library exports them. Entry points that
// are never called (the U rows of the table) are bound but have no usable signature.
struct LibraryEntryPoints {
#define CORVANE_DECLARE_ENTRY_POINT(name, result, params) result(*name) params = nullptr;
#define CORVANE_DECLARE_UNCALLED_ENTRY_POINT(name) int32_t (*name)() = nullptr;
    CORVANE_ENTRY_POINTS(CORVANE_DECLARE_ENTRY_POINT, CORVANE_DECLARE_UNCALLED_ENTRY_POINT)
#undef CORVANE_DECLARE_ENTRY_POINT
#undef CORVANE_DECLARE_UNCALLED_ENTRY_POINT
};

enum class BindResult { Bound, LoadFailed, EntryPointMissing };

class ServiceLibrary {
public:
    ServiceLibrary() = default;
    ~ServiceLibrary() { Unload(); }
    ServiceLibrary(const ServiceLibrary&) = delete;
    ServiceLibrary& operator=(const ServiceLibrary&) = delete;

    // Loads the library by file name and looks up all 55 entry points in table order. On
    // EntryPointMissing the first entry point not exported under any of its names is in
    // MissingEntryPoint() (its plain name) and the ones after it are not looked up; the library
    // stays loaded until Unload. LoadFailed also when, on 32-bit Windows, another ServiceLibrary
    // is bound.
    BindResult Load(const char* fileName = kLibraryFileName);
    // Forgets the entry points and unloads the library; nothing may call it afterwards.
    void Unload();

    bool Loaded() const { return handle_ != nullptr; }
    const std::string& MissingEntryPoint() const { return missing_; }
    const LibraryEntryPoints& EntryPoints() const { return entryPoints_; }

private:
    platform::LibraryHandle handle_ = nullptr;
    LibraryEntryPoints entryPoints_;
    std::string missing_;
};

// The entry points of the library bound at start-up. Valid from a successful Load to Unload.
const LibraryEntryPoints& Lib();
// The process-wide binding that Lib() reads; start-up loads it.
ServiceLibrary& TheServiceLibrary();

}  // namespace servicelib
