// Who else holds a serial device, and why opening one failed.
//
// A serial port is opened exclusively, but the kernel's exclusive mode only
// keeps out programs that open the device after us.  A terminal program or
// a modem manager that opened it first would go on reading our replies.
// So before opening, the UUCP lock file that such programs keep
// (/run/lock/LCK..ttyUSB0) and the open files that /proc shows are
// consulted, and while the port is open we keep a lock file of our own.
#pragma once

#include <string>
#include <sys/types.h>

namespace Serial {

// Why the last OpenPort failed; the window turns it into a sentence.
struct OpenFailure {
    enum class Reason {
        None,
        NoSuchPort,    // the name maps to no device at all
        Missing,       // the device path does not exist
        AccessDenied,  // no permission: `group` owns the device
        InUse,         // another program holds it: `holder`, `holderPid` where known
        Other,         // anything else: `detail` is the system's description
    };
    Reason reason = Reason::None;
    std::string path;
    std::string group;
    std::string holder;
    pid_t holderPid = 0;
    std::string detail;
};

// Where the system keeps what this module looks at; tests use their own.
struct SystemPaths {
    std::string proc = "/proc";
    std::string lockDir = "/run/lock";
};
void SetSystemPaths(SystemPaths paths);
const SystemPaths& CurrentSystemPaths();

// "LCK..ttyUSB0" for /dev/ttyUSB0, "LCK..pts_5" for /dev/pts/5: the name
// under /dev of the device a path leads to, with "/" turned into "_".
std::string LockFileName(const std::string& devicePath);

// Another process that holds the device, through a live lock file or an
// open file in /proc.  Our own process never counts.  A lock file whose
// process is gone is removed.  Fills holder and holderPid; false when
// nobody else holds it.
bool FindOtherHolder(const std::string& devicePath, OpenFailure& failure);

// Takes the lock file for the device.  Fails only when another live
// process holds one; where the lock folder cannot be written (no such
// folder, no permission) we go on without a lock file.
bool TakeLock(const std::string& devicePath, OpenFailure& failure);
// Removes our lock file, if it is still ours.
void ReleaseLock(const std::string& devicePath);

// The name of the group that owns the device, or its number.
std::string OwningGroup(const std::string& devicePath);

}  // namespace Serial
