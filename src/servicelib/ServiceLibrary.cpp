#include "servicelib/ServiceLibrary.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <type_traits>

#include "servicelib/ExportNames.h"
#include "servicelib/StackSafeCall.h"

namespace servicelib {
namespace {

// The rows of the entry-point table, numbered in lookup order.
enum class Row : std::size_t {
#define CORVANE_ROW(name, ...) name,
#define CORVANE_UNCALLED_ROW(name) name,
    CORVANE_ENTRY_POINTS(CORVANE_ROW, CORVANE_UNCALLED_ROW)
#undef CORVANE_ROW
#undef CORVANE_UNCALLED_ROW
        kCount
};
constexpr std::size_t kRowCount = static_cast<std::size_t>(Row::kCount);

// What may cross the library boundary: a 32-bit integer or an address.
template <class T>
constexpr bool kIsLibraryWord = std::is_pointer_v<T> || (std::is_integral_v<T> && sizeof(T) == 4);

template <class Signature>
struct SignatureOf;
template <class Result, class... Arguments>
struct SignatureOf<Result(Arguments...)> {
    static_assert(kIsLibraryWord<Result> && (kIsLibraryWord<Arguments> && ...),
                  "library arguments and results are 32-bit integers or addresses");
    static constexpr std::size_t kArgumentBytes = 4 * sizeof...(Arguments);
};

void* LookUp(platform::LibraryHandle library, const char* name,
             std::optional<std::size_t> argumentBytes) {
    for (const std::string& candidate : ExportNameCandidates(name, argumentBytes)) {
        if (void* address = platform::GetProcAddress(library, candidate.c_str())) {
            return address;
        }
    }
    return nullptr;
}

#if defined(_WIN32) && defined(__i386__)

// The library's own addresses, one per row, read by the trampolines below. Written by Load and
// Unload of the one bound ServiceLibrary, on the thread that binds, before any other thread calls
// the library and after the last call; the thread start and end that frame the calls order them,
// so relaxed accesses are enough.
std::array<std::atomic<const void*>, kRowCount> gAddresses{};
// The ServiceLibrary whose addresses gAddresses holds; null when none is bound. Written by Load
// and Unload on the binding thread.
std::atomic<const ServiceLibrary*> gAddressesOwner{nullptr};

template <class T>
uint32_t ToWord(T value) {
    if constexpr (std::is_pointer_v<T>) {
        return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(value));
    } else {
        return static_cast<uint32_t>(value);
    }
}

template <class T>
T FromWord(uint32_t word) {
    if constexpr (std::is_pointer_v<T>) {
        return reinterpret_cast<T>(static_cast<uintptr_t>(word));
    } else {
        return static_cast<T>(word);
    }
}

// The function that the program calls for one row: it hands its arguments to the library's
// function through the stack-safe call, whichever convention that function has.
template <Row R, class Signature>
struct Trampoline;
template <Row R, class Result, class... Arguments>
struct Trampoline<R, Result(Arguments...)> {
    static Result Call(Arguments... arguments) {
        const uint32_t words[sizeof...(Arguments) + 1] = {ToWord(arguments)..., 0};
        const void* function =
            gAddresses[static_cast<std::size_t>(R)].load(std::memory_order_relaxed);
        return FromWord<Result>(CallPreservingStack(function, words, sizeof...(Arguments)));
    }
};

template <Row R, class Signature>
Signature* Bind(void* address) {
    gAddresses[static_cast<std::size_t>(R)].store(address, std::memory_order_relaxed);
    return &Trampoline<R, Signature>::Call;
}

bool ClaimAddresses(const ServiceLibrary* library) {
    const ServiceLibrary* expected = nullptr;
    return gAddressesOwner.compare_exchange_strong(expected, library) || expected == library;
}

void ReleaseAddresses(const ServiceLibrary* library) {
    const ServiceLibrary* expected = library;
    if (gAddressesOwner.compare_exchange_strong(expected, nullptr)) {
        for (std::atomic<const void*>& address : gAddresses) {
            address.store(nullptr, std::memory_order_relaxed);
        }
    }
}

#else

// One calling convention: the library's address is called directly.
template <Row R, class Signature>
Signature* Bind(void* address) {
    return reinterpret_cast<Signature*>(address);
}

bool ClaimAddresses(const ServiceLibrary*) {
    return true;
}
void ReleaseAddresses(const ServiceLibrary*) {}

#endif

}  // namespace

BindResult ServiceLibrary::Load(const char* fileName) {
    Unload();
    if (!ClaimAddresses(this)) {
        return BindResult::LoadFailed;
    }
    handle_ = platform::LoadLibraryA(fileName);
    if (handle_ == nullptr) {
        ReleaseAddresses(this);
        return BindResult::LoadFailed;
    }
    LibraryEntryPoints found;
    // One lookup per table row, in table order; the first missing entry point ends the lookup.
#define CORVANE_BIND(name, argumentBytes, Signature)             \
    if (void* address = LookUp(handle_, #name, argumentBytes)) { \
        found.name = Bind<Row::name, Signature>(address);        \
    } else {                                                     \
        missing_ = #name;                                        \
        return BindResult::EntryPointMissing;                    \
    }
#define CORVANE_BIND_ENTRY_POINT(name, result, params) \
    CORVANE_BIND(name, SignatureOf<result params>::kArgumentBytes, result params)
#define CORVANE_BIND_UNCALLED_ENTRY_POINT(name) \
    CORVANE_BIND(name, std::nullopt, std::remove_pointer_t<decltype(found.name)>)
    CORVANE_ENTRY_POINTS(CORVANE_BIND_ENTRY_POINT, CORVANE_BIND_UNCALLED_ENTRY_POINT)
#undef CORVANE_BIND_UNCALLED_ENTRY_POINT
#undef CORVANE_BIND_ENTRY_POINT
#undef CORVANE_BIND
    entryPoints_ = found;
    return BindResult::Bound;
}

void ServiceLibrary::Unload() {
    entryPoints_ = LibraryEntryPoints{};
    missing_.clear();
    platform::FreeLibrary(handle_);
    handle_ = nullptr;
    ReleaseAddresses(this);
}

ServiceLibrary& TheServiceLibrary() {
    static ServiceLibrary library;
    return library;
}

const LibraryEntryPoints& Lib() {
    return TheServiceLibrary().EntryPoints();
}

}  // namespace servicelib
