// Finding ports, refusing ports that another program holds, and coming back
// after an adapter was pulled out.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "tests/support/FakePort.h"
#include "link/PortEnumeration.h"
#include "link/Serial.h"
#include "link/Transaction.h"
#include "tests/support/SimProcess.h"
#include "tests/support/Unprivileged.h"

namespace {

namespace fs = std::filesystem;
using Reason = Serial::OpenFailure::Reason;

class TempTree {
public:
    TempTree()
    {
        std::string pattern = (fs::temp_directory_path() / "vesk-ports-XXXXXX").string();
        root_ = ::mkdtemp(pattern.data()) ? pattern : std::string();
    }
    ~TempTree() { fs::remove_all(root_); }
    fs::path operator/(const std::string& rel) const { return fs::path(root_) / rel; }
    const std::string& Root() const { return root_; }

    void File(const std::string& rel, const std::string& contents = {}) const
    {
        fs::create_directories((*this / rel).parent_path());
        std::ofstream(*this / rel) << contents;
    }
    void Link(const std::string& rel, const std::string& target) const
    {
        fs::create_directories((*this / rel).parent_path());
        fs::create_symlink(target, *this / rel);
    }

private:
    std::string root_;
};

// A process of our own making that holds something and waits to be killed.
class Child {
public:
    // With a path: the child opens it first, as a terminal program would.
    explicit Child(const std::string& holdOpen = {})
    {
        int ready[2];
        if (::pipe(ready) != 0)
            return;
        pid_ = ::fork();
        if (pid_ == 0) {
            if (!holdOpen.empty() && ::open(holdOpen.c_str(), O_RDWR | O_NOCTTY) < 0)
                ::_exit(1);
            const char ok = 1;
            (void)!::write(ready[1], &ok, 1);
            for (;;)
                ::pause();
        }
        char ok = 0;
        (void)!::read(ready[0], &ok, 1);
        ::close(ready[0]);
        ::close(ready[1]);
    }
    ~Child()
    {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    pid_t Pid() const { return pid_; }

private:
    pid_t pid_ = -1;
};

pid_t DeadPid()
{
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(0);
    ::waitpid(pid, nullptr, 0);
    return pid;
}

class PtyLine {
public:
    PtyLine()
    {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0)
            slave_ = ::ptsname(master_);
    }
    ~PtyLine() { ::close(master_); }
    const std::string& Slave() const { return slave_; }

private:
    int master_ = -1;
    std::string slave_;
};

std::vector<std::string> Names(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

std::string ReadAll(const fs::path& path)
{
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// ---------------------------------------------------------------------------

TEST(PortEnumeration, AdaptersWithTheirProductAndStableName)
{
    TempTree t;
    // A USB adapter with a by-id link, one without a product or a link,
    // a built-in port with a UART, one without, and a virtual console.
    t.File("sys/devices/pci0/usb1/1-1/product", "FT232R USB UART\n");
    t.File("sys/devices/pci0/usb1/1-1/1-1:1.0/ttyUSB0/dev", "188:0");
    t.Link("sys/class/tty/ttyUSB0/device", "../../../devices/pci0/usb1/1-1/1-1:1.0");
    t.File("sys/devices/pci0/usb1/1-2/1-2:1.0/x", "");
    t.Link("sys/class/tty/ttyUSB10/device", "../../../devices/pci0/usb1/1-2/1-2:1.0");
    t.File("sys/devices/platform/serial8250/a", "");
    t.Link("sys/class/tty/ttyS0/device", "../../../devices/platform/serial8250");
    t.File("sys/class/tty/ttyS0/type", "4\n");
    t.Link("sys/class/tty/ttyS1/device", "../../../devices/platform/serial8250");
    t.File("sys/class/tty/ttyS1/type", "0\n");
    t.File("sys/class/tty/tty0/dev", "4:0");
    t.File("sys/class/tty/ttyUSB2/type", "");  // a tty with no device behind it
    for (const char* dev : {"ttyUSB0", "ttyUSB10", "ttyUSB2", "ttyS0", "ttyS1", "tty0"})
        t.File(std::string("dev/") + dev);
    t.Link("dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A1B2-if00-port0", "../../ttyUSB0");

    const auto ports = Serial::EnumeratePorts((t / "sys").string(), (t / "dev").string());
    ASSERT_EQ(ports.size(), 3u);
    EXPECT_EQ(ports[0].name, "ttyS0");
    EXPECT_EQ(ports[0].path, (t / "dev/ttyS0").string());
    EXPECT_EQ(ports[1].label, "ttyUSB0 – FT232R USB UART");
    EXPECT_EQ(ports[1].path, (t / "dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A1B2-if00-port0").string());
    EXPECT_EQ(ports[2].label, "ttyUSB10");
    EXPECT_EQ(ports[2].path, (t / "dev/ttyUSB10").string());
}

TEST(PortEnumeration, TheStableNameFollowsTheAdapterToItsNewNumber)
{
    TempTree t;
    t.File("sys/devices/usb/1-1/product", "USB-Serial Controller");
    t.File("sys/devices/usb/1-1/1-1:1.0/x");
    t.Link("sys/class/tty/ttyUSB1/device", "../../../devices/usb/1-1/1-1:1.0");
    t.File("dev/ttyUSB1");
    t.Link("dev/serial/by-id/usb-Prolific-if00-port0", "../../ttyUSB1");
    const auto ports = Serial::EnumeratePorts((t / "sys").string(), (t / "dev").string());
    ASSERT_EQ(ports.size(), 1u);
    EXPECT_EQ(ports[0].path, (t / "dev/serial/by-id/usb-Prolific-if00-port0").string());
    EXPECT_EQ(ports[0].label, "ttyUSB1 – USB-Serial Controller");
}

TEST(PortEnumeration, NoTreeNoPorts)
{
    TempTree t;
    EXPECT_TRUE(Serial::EnumeratePorts((t / "sys").string(), (t / "dev").string()).empty());
}

// ---------------------------------------------------------------------------

class PortLocks : public ::testing::Test {
protected:
    void SetUp() override
    {
        Serial::SetDeviceOpener(&opener);
        ASSERT_FALSE(line.Slave().empty());
    }
    void TearDown() override
    {
        Serial::ClosePort();
        Serial::SetDeviceOpener(nullptr);
    }
    fs::path LockFile() const { return locks / Serial::LockFileName(line.Slave()); }
    void WriteLock(const std::string& contents) const { std::ofstream(LockFile(), std::ios::binary) << contents; }

    TempTree locks;
    Serial::PosixOpener opener{{"/proc", locks.Root()}};
    PtyLine line;
};

TEST_F(PortLocks, ALockHeldByALiveProgramRefusesThePort)
{
    Child holder;
    // The holder's own handle, in exclusive mode (which root may open past).
    const int held = ::open(line.Slave().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::ioctl(held, TIOCEXCL), 0);
    for (const std::string& form : {std::to_string(holder.Pid()), std::string(4, '\0')}) {
        if (form.size() == 4) {  // the old binary form of the same PID
            const std::int32_t pid = holder.Pid();
            WriteLock(std::string(reinterpret_cast<const char*>(&pid), 4));
        } else {
            char text[16];
            std::snprintf(text, sizeof text, "%10s\n", form.c_str());
            WriteLock(text);
        }
        EXPECT_FALSE(Serial::OpenPort(line.Slave(), 9600));
        EXPECT_EQ(Serial::LastOpenFailure().reason, Reason::InUse);
        EXPECT_EQ(Serial::LastOpenFailure().holderPid, holder.Pid());
        EXPECT_TRUE(fs::exists(LockFile())) << "someone else's lock is left alone";
        int exclusive = 0;
        EXPECT_EQ(::ioctl(held, TIOCGEXCL, &exclusive), 0);
        EXPECT_EQ(exclusive, 1) << "and so is its exclusive mode";
    }
    ::close(held);
}

TEST_F(PortLocks, AStaleLockIsTakenOverAndOursGoesWithThePort)
{
    WriteLock("     " + std::to_string(DeadPid()) + "\n");
    ASSERT_TRUE(Serial::OpenPort(line.Slave(), 9600));
    EXPECT_EQ(std::stol(ReadAll(LockFile())), ::getpid());
    EXPECT_EQ(ReadAll(LockFile()).size(), 11u);
    Serial::ClosePort();
    EXPECT_FALSE(fs::exists(LockFile()));
}

TEST_F(PortLocks, AProgramThatOpenedTheDeviceFirstIsNamed)
{
    Child holder(line.Slave());
    EXPECT_FALSE(Serial::OpenPort(line.Slave(), 9600));
    const auto& why = Serial::LastOpenFailure();
    EXPECT_EQ(why.reason, Reason::InUse);
    EXPECT_EQ(why.holderPid, holder.Pid());
    EXPECT_FALSE(why.holder.empty());
    EXPECT_FALSE(fs::exists(LockFile())) << "a refused open leaves no lock behind";
}

TEST_F(PortLocks, AMissingDeviceIsNamed)
{
    EXPECT_FALSE(Serial::OpenPort("/nonexistent/ttyUSB0", 9600));
    EXPECT_EQ(Serial::LastOpenFailure().reason, Reason::Missing);
    EXPECT_EQ(Serial::LastOpenFailure().path, "/nonexistent/ttyUSB0");
    EXPECT_FALSE(Serial::OpenPort("COM9", 9600));
    EXPECT_EQ(Serial::LastOpenFailure().reason, Reason::NoSuchPort);
}

// Opened through a link, as /dev/serial/by-id names an adapter: once the
// device is gone the link leads nowhere, but our lock goes all the same.
TEST_F(PortLocks, AHangUpReleasesTheLockAndTheReopenTakesItAgain)
{
    TempTree t;
    const std::string port = (t / "ttyAdapter").string();
    auto first = std::make_unique<SimProcess>(VESK_SIM_PATH);
    fs::create_symlink(first->LinkPath(), port);
    ControllerLink link{WindowServices{}};
    ASSERT_TRUE(Serial::OpenPort(port, 9600));
    ASSERT_EQ(Names(locks.Root()), std::vector<std::string>{Serial::LockFileName(first->SlavePath())});

    first->Stop();
    PageBuffer page{};
    EXPECT_FALSE(link.ReadPage(0, page));
    EXPECT_FALSE(Serial::IsOpen());
    EXPECT_TRUE(Names(locks.Root()).empty()) << "released with the hung-up device";
    EXPECT_FALSE(link.ReadPage(0, page));
    EXPECT_TRUE(Names(locks.Root()).empty()) << "a failed reopen takes no lock";

    SimProcess second(VESK_SIM_PATH);
    fs::remove(port);
    fs::create_symlink(second.LinkPath(), port);
    EXPECT_TRUE(link.ReadPage(0, page));
    const std::string lock = Serial::LockFileName(second.SlavePath());
    EXPECT_EQ(Names(locks.Root()), std::vector<std::string>{lock});
    EXPECT_EQ(std::stol(ReadAll(locks / lock)), ::getpid());
    Serial::ClosePort();
    EXPECT_TRUE(Names(locks.Root()).empty());
}

// Some program always has /dev/null open: it is no serial port, and nobody
// is to be blamed for holding it.
TEST_F(PortLocks, AnythingButATerminalIsNoSerialPort)
{
    TempTree t;
    t.File("file", "ATZ\r");
    ASSERT_EQ(::mkfifo((t / "fifo").c_str(), 0600), 0);
    fs::create_directories(t / "folder");
    Child holder("/dev/null");
    for (const std::string& path : {std::string("/dev/null"), std::string("/dev/zero"), (t / "file").string(),
                                   (t / "fifo").string(), (t / "folder").string()}) {
        EXPECT_FALSE(Serial::OpenPort(path, 9600)) << path;
        EXPECT_EQ(Serial::LastOpenFailure().reason, Reason::NotSerial) << path;
        EXPECT_EQ(Serial::LastOpenFailure().path, path);
    }
    EXPECT_TRUE(Names(locks.Root()).empty());
}

// Who may be told to join the device's group: only a named group, not
// root's, that may both read and write the device.
TEST(PortAccess, OnlyAGroupThatWouldHelpIsOffered)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "giving files other groups needs root";
    const group* dialout = ::getgrnam("dialout");
    ASSERT_NE(dialout, nullptr) << "Debian's base group dialout";
    const gid_t named = dialout->gr_gid;
    gid_t unnamed = 54321;
    while (::getgrgid(unnamed))
        ++unnamed;
    const struct {
        gid_t gid;
        mode_t mode;
        const char* offered;
    } cases[] = {
        {named, 0660, "dialout"}, {0, 0660, ""},   {0, 0600, ""},
        {named, 0620, ""},  // a terminal's group may only write to it
        {named, 0640, ""},        {unnamed, 0660, ""},
    };
    TempTree t;
    for (const auto& c : cases) {
        const std::string path = (t / "ttyX").string();
        t.File("ttyX");
        ASSERT_EQ(::chown(path.c_str(), 0, c.gid), 0);
        ASSERT_EQ(::chmod(path.c_str(), c.mode), 0);
        EXPECT_EQ(Serial::JoinableGroup(path), c.offered) << c.gid << " " << std::oct << c.mode;
    }
}

TEST(PortAccess, AnOrdinaryUserDeniedADeviceOfRootsGroupIsOfferedNoGroup)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to hand the device to root:root and to drop to an ordinary user";
    PtyLine line;
    ASSERT_EQ(::chmod(line.Slave().c_str(), 0600), 0);
    ASSERT_EQ(::chown(line.Slave().c_str(), 0, 0), 0);
    Serial::SetDeviceOpener(nullptr);
    EXPECT_EQ(RunUnprivileged([&] {
                  const bool opened = Serial::OpenPort(line.Slave(), 9600);
                  const Serial::OpenFailure& why = Serial::LastOpenFailure();
                  return !opened && why.reason == Reason::AccessDenied && why.group.empty() ? 0 : 1;
              }),
              0);
}

// Looking through /proc for a holder reads every open file of every
// process: bounded by a count and by time.
TEST(HolderScan, FindsTheHolderButStopsAtItsBounds)
{
    TempTree t;
    t.File("dev/ttyFake");
    const std::string device = (t / "dev/ttyFake").string();
    // PIDs above any the kernel hands out, so never our own.
    constexpr int processes = 1500;
    for (int pid = 9000000; pid < 9000000 + processes; ++pid)
        for (int fd = 0; fd < 4; ++fd)
            t.Link("proc/" + std::to_string(pid) + "/fd/" + std::to_string(fd), "/dev/null");
    t.Link("proc/9000777/fd/9", device);
    t.File("proc/9000777/comm", "minicom\n");
    const Serial::SystemPaths paths{(t / "proc").string(), (t / "lock").string()};

    Serial::OpenFailure why;
    EXPECT_TRUE(Serial::HeldByProcess(device, why, paths));
    EXPECT_EQ(why.holderPid, 9000777);
    EXPECT_EQ(why.holder, "minicom");

    fs::remove(t / "proc/9000777/fd/9");
    const auto whole = Serial::ScanForHolder(device, paths, {1 << 30, std::chrono::hours(1)});
    EXPECT_FALSE(whole.cutShort);
    EXPECT_GE(whole.entries, processes * 5);
    const auto counted = Serial::ScanForHolder(device, paths, {500, std::chrono::hours(1)});
    EXPECT_TRUE(counted.cutShort);
    EXPECT_EQ(counted.entries, 500);
    const auto timed = Serial::ScanForHolder(device, paths, {1 << 30, std::chrono::milliseconds(0)});
    EXPECT_TRUE(timed.cutShort);
    EXPECT_LE(timed.entries, 64);
}

// ---------------------------------------------------------------------------

class Replug : public ::testing::Test {
protected:
    void TearDown() override
    {
        Serial::ClosePort();
        UninstallFake();
    }
};

TEST_F(Replug, AHungUpDeviceIsClosedAndOpenedAgainByTheNextExchange)
{
    InstallFake();
    ASSERT_TRUE(Serial::OpenPort("/dev/ttyUSB0", 9600));
    Fake().hangUp = true;
    std::uint8_t reply[4];
    EXPECT_FALSE(Serial::ReadBytes(reply, 4));
    EXPECT_FALSE(Serial::IsOpen());
    EXPECT_EQ(Fake().closes, 1);

    Fake().hangUp = false;
    Serial::FlushInput();
    EXPECT_TRUE(Serial::IsOpen());
    EXPECT_EQ(Fake().opens, 2);
    EXPECT_EQ(Fake().openedPaths.back(), "/dev/ttyUSB0");

    // A port closed on purpose stays closed.
    Serial::ClosePort();
    Serial::FlushInput();
    EXPECT_FALSE(Serial::IsOpen());
    EXPECT_EQ(Fake().opens, 2);
}

// The adapter is pulled during a page read and plugged in again: the read
// fails once, the next one works without anyone choosing the port again.
TEST_F(Replug, ThePortComesBackWithTheSimulator)
{
    TempTree t;
    const std::string port = (t / "ttyAdapter").string();
    // The first Controller answers late, so the plug is pulled while the
    // reply is awaited.
    auto first = std::make_unique<SimProcess>(VESK_SIM_PATH, std::vector<std::string>{"--delay", "600"});
    fs::create_symlink(first->LinkPath(), port);
    int failures = 0;
    ControllerLink link{WindowServices{nullptr, {}, [&] { ++failures; }}};
    ASSERT_TRUE(Serial::OpenPort(port, 9600));

    PageBuffer page{};
    std::thread pull([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        first->Stop();
    });
    EXPECT_FALSE(link.ReadPage(1, page));
    pull.join();
    EXPECT_EQ(failures, 1);
    EXPECT_FALSE(Serial::IsOpen());

    SimProcess second(VESK_SIM_PATH);
    fs::remove(port);
    fs::create_symlink(second.LinkPath(), port);
    EXPECT_TRUE(link.ReadPage(1, page));
    EXPECT_EQ(failures, 1);
    EXPECT_TRUE(Serial::IsOpen());
}

}  // namespace
