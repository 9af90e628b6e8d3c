// Permission tests as an ordinary user would meet them.  Root reads and
// writes whatever the file modes say, so a test of an unreadable file or a
// read-only folder runs its body in a child process that has given up root
// (it becomes the user and group "nobody", 65534).  Anyone else runs the
// body as they are, in a child all the same.
#pragma once

#include <functional>

// Runs body in a forked child and returns what it returned (0 to 254), or
// -1 when the child could not drop root or did not exit normally.  The
// body must not use GoogleTest's assertions: the parent judges the result.
// Whatever the body touches must be reachable for "nobody".
int RunUnprivileged(const std::function<int()>& body);
