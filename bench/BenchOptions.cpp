#include "BenchOptions.h"

#include <string_view>

namespace bench {

BenchOptions TakeBenchOptions(int& argc, char** argv) {
    BenchOptions options;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--quick") {
            options.quick = true;
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    argv[argc] = nullptr;
    return options;
}

}  // namespace bench
