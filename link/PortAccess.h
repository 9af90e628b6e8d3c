// Who else holds a serial device, and why opening one failed.
//
// A serial port is opened exclusively, but the kernel's exclusive mode only
// keeps out programs that open the device after us.  A terminal program or
// a modem manager that opened it first would go on reading our replies.
// So the UUCP lock file that such programs keep (/run/lock/LCK..ttyUSB0)
// and the open files that /proc shows are consulted, and while the port is
// open we keep a lock file of our own.
#pragma once

#include <chrono>
#include <string>
#include <sys/types.h>

namespace Serial {

// Why the last OpenPort failed; the window turns it into a sentence.
struct OpenFailure {
    enum class Reason {
        None,
        NoSuchPort,    // the name maps to no device at all
        Missing,       // the device path does not exist
        NotSerial,     // it exists, but is no terminal device (/dev/null, a file, a FIFO)
        AccessDenied,  // no permission; `group` is one to join, or empty
        InUse,         // another program holds it: `holder`, `holderPid` where known
        Other,         // anything else: `detail` is the system's description
    };
    Reason reason = Reason::None;
    std::string path;
    // Only for AccessDenied: the group whose members may read and write the
    // device, when joining it would help; empty when only an administrator
    // can grant access (see JoinableGroup).
    std::string group;
    std::string holder;
    pid_t holderPid = 0;
    std::string detail;
};

// Where the system keeps what this module looks at.  Handed to every
// operation that looks there, so that a test can give folders of its own.
struct SystemPaths {
    std::string proc = "/proc";
    std::string lockDir = "/run/lock";
};

// "LCK..ttyUSB0" for /dev/ttyUSB0, "LCK..pts_5" for /dev/pts/5: the name
// under /dev of the device a path leads to, with "/" turned into "_".
std::string LockFileName(const std::string& devicePath);

// Another live process whose lock file names the device.  Our own process
// never counts; a lock file whose process is gone is removed.  Fills holder
// and holderPid.
bool LockedByOther(const std::string& devicePath, OpenFailure& failure, const SystemPaths& paths);

// The look through /proc/*/fd for another process with the device open.
// It reads every open file of every process, so it is bounded: a machine
// with thousands of processes, or a /proc that is slow to read, must not
// hold the window.  Past a bound the scan gives up and reports nobody; the
// lock files, flock and the kernel's exclusive mode still keep out every
// program that asks for the port after us.
struct ScanBounds {
    // Directory entries and links read in all; a desktop has a few tens of
    // thousands.
    int entries = 200000;
    // Far below the half second the user waits for any reply.
    std::chrono::milliseconds time{250};
};
struct HolderScan {
    pid_t pid = 0;         // the holder found, 0 for none
    int entries = 0;       // entries read
    bool cutShort = false;  // a bound ended it before every process was seen
};
HolderScan ScanForHolder(const std::string& devicePath, const SystemPaths& paths = {}, ScanBounds bounds = {});
// The scan with its bounds, as a failure the window can report.
bool HeldByProcess(const std::string& devicePath, OpenFailure& failure, const SystemPaths& paths);

// Takes the lock file for the device and returns its path, the one that
// ReleaseLock needs: after a hang-up the device (or the link to it) may be
// gone, and with it the name the lock was taken under.  Returns an empty
// path where the lock folder cannot be written (no such folder, no
// permission): we go on without a lock file.  False only when another live
// process holds the lock.
bool TakeLock(const std::string& devicePath, OpenFailure& failure, std::string& lockPath, const SystemPaths& paths);
// Removes the lock file taken by TakeLock, if it is still ours.
void ReleaseLock(const std::string& lockPath);

// What opening the device would meet, found without opening it: opening a
// serial device raises its modem lines, which resets some of what hangs on
// it, and a look at the list of ports must change nothing.  Reason None:
// the device is there and free.  A character device that no terminal
// driver serves (/dev/null) is NotSerial, as far as sysfs under `sysRoot`
// tells; where it tells nothing the device counts as serial.
OpenFailure ProbePort(const std::string& devicePath, const SystemPaths& paths = {},
                      const std::string& sysRoot = "/sys");

// The group to join for read and write access to the device, or empty when
// joining a group would not help.  The rule: the device's group exists in
// the group database (a number without a name is no group anyone can be
// added to), is not GID 0 (root's group is not for users: joining it would
// open far more than a serial port), and the device's mode gives the group
// both read and write (otherwise membership changes nothing, as with a
// terminal's group "tty" that may only write).
std::string JoinableGroup(const std::string& devicePath);

}  // namespace Serial
