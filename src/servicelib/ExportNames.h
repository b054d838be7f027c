// The names under which a library may export an entry point.
//
// How the maker's library is built is not known: its exports may carry the plain names, or the
// decorated names that 32-bit Windows compilers give __stdcall functions ("_WComOpen@8" from
// Microsoft's tools in a .lib, "WComOpen@8" in the exports of a DLL built with mingw), N being the
// bytes of arguments, 4 per argument. Looking up all of them, in a fixed order, finds the entry
// point however the library was built; the run log still names the entry point by its plain name.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace servicelib {

// Argument bytes tried for an entry point whose parameters are not known: up to 16 arguments.
inline constexpr std::size_t kUnknownArgumentBytesMax = 64;

// The names to look up, first the plain `name`, then "_name@N" and "name@N". With the entry
// point's `argumentBytes` N is exactly that; without (an entry point that is never called), N is
// each of 0, 4, ... kUnknownArgumentBytesMax in turn.
std::vector<std::string> ExportNameCandidates(std::string_view name,
                                              std::optional<std::size_t> argumentBytes);

}  // namespace servicelib
