// The binding of Bfb95eg.dll: its handle and the addresses of its 55 entry points.
//
// One ServiceLibrary is loaded at start-up and unloaded at shut-down; in between the entry points
// are only read, so the worker thread and the user-interface thread read them without a lock.
// The rest of the program calls the library through `Lib()`, never through raw addresses.
#pragma once

#include <string>

#include "platform/DynamicLibrary.h"
#include "servicelib/EntryPointTable.h"

namespace servicelib {

inline constexpr const char* kLibraryFileName = "Bfb95eg.dll";

// Typed addresses of the entry points, named as the library exports them.
struct LibraryEntryPoints {
#define CORVANE_DECLARE_ENTRY_POINT(name, result, params) result(CORVANE_LIBCALL* name) params = nullptr;
    CORVANE_ENTRY_POINTS(CORVANE_DECLARE_ENTRY_POINT)
#undef CORVANE_DECLARE_ENTRY_POINT
};

enum class BindResult { Bound, LoadFailed, EntryPointMissing };

class ServiceLibrary {
public:
    ServiceLibrary() = default;
    ~ServiceLibrary() { Unload(); }
    ServiceLibrary(const ServiceLibrary&) = delete;
    ServiceLibrary& operator=(const ServiceLibrary&) = delete;

    // Loads the library by file name and looks up all 55 entry points in table order. On
    // EntryPointMissing the first name not exported is in MissingEntryPoint() and the names after
    // it are not looked up; the library stays loaded until Unload.
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
