// The proof that a test program really ran, for runs under an emulator (Wine) that can end with
// exit code 0 without having started the program at all.
//
// The runner (cmake/wine/run-under-wine.sh) names a file in CORVANE_RUN_PROOF; the program writes
// one line "<what>=<count>" into it when it has done its work, and the runner fails a run whose
// count is missing or 0. Without the variable nothing is written. Thread: the main thread, at the
// end of main.
#pragma once

#include <cstddef>
#include <cstdio>
#include <cstdlib>

namespace testsupport {

// `what` names what was counted ("tests", "inputs"); false when the proof cannot be written.
inline bool WriteRunProof(const char* what, std::size_t count) {
    const char* path = std::getenv("CORVANE_RUN_PROOF");
    if (path == nullptr || *path == '\0') {
        return true;
    }
    std::FILE* file = std::fopen(path, "wb");  // no CR: the runner reads it on Unix
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fprintf(file, "%s=%zu\n", what, count) > 0;
    return std::fclose(file) == 0 && written;
}

}  // namespace testsupport
