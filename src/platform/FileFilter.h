// Conversion of a file dialog's filter text to the name-filter list of the widget toolkit.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform::detail {

// "Block files|*.blk|All files|*.*;*" becomes {"Block files (*.blk)", "All files (*.* *)"}: pairs
// of a description and its patterns, the patterns separated by ';'. A description without its
// pattern part matches every file. An empty filter gives no entries.
std::vector<std::string> NameFilters(std::string_view filter);

}  // namespace platform::detail
