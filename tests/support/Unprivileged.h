// Running part of a test as an ordinary user. The super-user reads and writes files whatever their
// permission bits say, so a test of "a file you may not read or write" proves nothing as root,
// which is how CI runs the suite.
#pragma once

#include <filesystem>
#include <functional>
#include <vector>

namespace testsupport {

// Runs `body` so that permission bits bind it, and reports its assertion failures in the calling
// test:
// - not root: `body` runs here;
// - root: `body` runs in a forked child that has given the folders in `handOver` (not their
//   contents) to the user "nobody" and then become that user, with its group and no supplementary
//   groups. The child's failures are printed as they happen; a child that fails, throws or dies
//   adds one failure here naming its end.
// When the machine has no such user, or the kernel refuses the change (a user namespace that
// does not map it), the calling test is skipped with the reason.
// Contract: called from a test body on a process with one thread, since fork copies only the
// calling thread; a second thread is reported as a failure, not risked.
void RunUnprivileged(const std::vector<std::filesystem::path>& handOver,
                     const std::function<void()>& body);

}  // namespace testsupport
