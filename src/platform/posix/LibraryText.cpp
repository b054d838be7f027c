#include "platform/LibraryText.h"

namespace platform {

std::string LibraryTextToUtf8(std::string_view bytes) {
    return std::string(bytes);
}

}  // namespace platform
