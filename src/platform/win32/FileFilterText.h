// A file dialog's filter text in the form the system's dialogs take.
#pragma once

#include <string>
#include <string_view>

namespace platform::win32 {

// "Block files|*.blk" becomes L"Block files\0*.blk\0" with the terminating second zero that
// the std::wstring adds: pairs of a description and its patterns, each ended by a zero. A
// description without its pattern part matches every file ("*.*"). An empty filter gives an
// empty text (the dialog then shows every file). Thread: any.
std::wstring FileFilterText(std::string_view filter);

}  // namespace platform::win32
