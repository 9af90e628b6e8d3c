// A real full disk for a test: a small tmpfs mounted over a folder in a
// mount namespace of a forked child, so nothing of it is seen outside the
// child and it goes with it.  Root gets the namespace directly; anyone else
// through a user namespace where the kernel allows one.  Where neither
// works (a container without the privilege), the test says so and skips.
#pragma once

#include <functional>
#include <string>

// What RunOnSmallDisk returns when the child could not have its own disk.
inline constexpr int SmallDiskUnavailable = -2;

// Runs body in a forked child that sees a tmpfs of `size` (as mount takes
// it, "64k") at mountPoint, an existing folder, and returns what body
// returned (0 to 252), SmallDiskUnavailable, or -1 when the child did not
// exit normally.  The body must not use GoogleTest's assertions: the parent
// judges the result.
int RunOnSmallDisk(const std::string& mountPoint, const std::string& size, const std::function<int()>& body);

// Fills the file system of folder to the last byte with a file of its
// own; false if it could not.
bool FillUp(const std::string& folder);
