// Start-up under an X server (DISPLAY; scripts/bench runs it under Xvfb):
// the program against the simulator, and a bare Qt window of the same size
// (bare_window.cpp), each started Runs times, alternately, after one start
// of each that only warms the caches.  Measured is the time from the exec
// to the first window exposed, as both report it through the same probe
// (ui/StartupProbe.h), and the program's resident memory at that moment.
// The program must start within RatioTarget of the bare window's median
// time and stay under MemoryTargetMB.
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <optional>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "tests/support/SimProcess.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int Runs = 31;
constexpr double RatioTarget = 1.15;
constexpr double MemoryTargetMB = 45.0;  // 10^6 bytes
constexpr int ReportTimeoutMs = 20000;

struct Start {
    double seconds = 0;  // exec to the first window exposed
    long rssKiB = 0;     // VmRSS then
    long hwmKiB = 0;     // VmHWM then: the peak so far
};

long long Microseconds(Clock::time_point t)
{
    return std::chrono::duration_cast<std::chrono::microseconds>(t.time_since_epoch()).count();
}

// "VmRSS:     40960 kB" and its like, in KiB; 0 where the process is gone.
long StatusKiB(pid_t pid, const std::string& key)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(key + ":", 0) == 0)
            return std::atol(line.c_str() + key.size() + 1);
    return 0;
}

// Reads what the child writes to fd until `done` says so or the deadline
// passes; false on the deadline or the end of the output.
template <typename Done>
bool ReadUntil(int fd, std::string& output, Clock::time_point deadline, Done done)
{
    char buffer[4096];
    while (!done(output)) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            return false;
        pollfd p{fd, POLLIN, 0};
        const int r = ::poll(&p, 1, int(left));
        if (r < 0 && errno == EINTR)
            continue;
        if (r <= 0)
            return false;
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        output.append(buffer, std::size_t(n));
    }
    return true;
}

// The reported moment, from the probe's line "... exposed <µs>".
std::optional<long long> ExposedAt(const std::string& output)
{
    const auto at = output.find("exposed ");
    if (at == std::string::npos)
        return std::nullopt;
    const auto end = output.find('\n', at);
    if (end == std::string::npos)
        return std::nullopt;  // the line is not whole yet
    return std::atoll(output.c_str() + at + 8);
}

// One start of the program at `path`: spawned with its standard error on a
// pipe, measured, then ended with SIGTERM as a log-out would end it.
std::optional<Start> StartOnce(const std::string& path)
{
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0)
        return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDERR_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    char* argv[] = {const_cast<char*>(path.c_str()), nullptr};

    pid_t pid = -1;
    const Clock::time_point exec = Clock::now();
    const int spawned = ::posix_spawn(&pid, path.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    if (spawned != 0) {
        ::close(pipeFds[0]);
        std::fprintf(stderr, "cannot start %s: %s\n", path.c_str(), std::strerror(spawned));
        return std::nullopt;
    }

    std::string output;
    std::optional<Start> start;
    if (ReadUntil(pipeFds[0], output, exec + std::chrono::milliseconds(ReportTimeoutMs),
                  [](const std::string& text) { return ExposedAt(text).has_value(); })) {
        start = Start{double(*ExposedAt(output) - Microseconds(exec)) / 1e6, StatusKiB(pid, "VmRSS"),
                      StatusKiB(pid, "VmHWM")};
    } else {
        std::fprintf(stderr, "%s reported no window:\n%s\n", path.c_str(), output.c_str());
    }

    // Drained to its end, so that nothing the program says while closing
    // blocks it; killed if it does not close within a few seconds.
    ::kill(pid, SIGTERM);
    if (!ReadUntil(pipeFds[0], output, Clock::now() + std::chrono::seconds(5),
                   [](const std::string&) { return false; }))
        ::kill(pid, SIGKILL);
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return start;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double MB(long kib)
{
    return double(kib) * 1024 / 1e6;
}

// The program's settings folder, with COM1 on the simulator's link; it
// stores its values there when it closes, as at a technician's desk.
std::optional<std::string> SettingsFolder(const std::string& link)
{
    std::string pattern = (std::filesystem::temp_directory_path() / "vesk-startup-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        return std::nullopt;
    std::filesystem::create_directories(pattern + "/VESK");
    std::ofstream ini(pattern + "/VESK/VESK.ini");
    ini << "[Ports]\nCOM1=" << link << "\n";
    if (!ini.flush())
        return std::nullopt;
    return pattern;
}

}  // namespace

int main()
{
    if (!std::getenv("DISPLAY")) {
        std::fprintf(stderr, "bench_startup needs an X server: xvfb-run -a -s \"-screen 0 1024x768x24\" %s\n",
                     "bench_startup");
        return 2;
    }
    SimProcess sim(VESK_SIM_PATH, {"--line-speed", "9600"});
    const auto settings = SettingsFolder(sim.LinkPath());
    if (!settings) {
        std::fprintf(stderr, "cannot write the settings file\n");
        return 2;
    }
    // Both children get the same environment: the probe on, its line on
    // standard error (not the journal), the X server of DISPLAY.
    ::setenv("XDG_CONFIG_DIRS", settings->c_str(), 1);
    ::setenv("QT_LOGGING_RULES", "vesk.startup.debug=true", 1);
    ::setenv("QT_FORCE_STDERR_LOGGING", "1", 1);
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);
    ::unsetenv("QT_MESSAGE_PATTERN");

    const std::string programs[2] = {VESK_PATH, BARE_WINDOW_PATH};
    std::vector<Start> starts[2];
    int status = 0;
    for (int run = -1; run < Runs && status == 0; ++run) {
        for (int which = 0; which < 2; ++which) {
            const auto start = StartOnce(programs[which]);
            if (!start) {
                status = 2;
                break;
            }
            if (run >= 0)  // the first start of each only warms the caches
                starts[which].push_back(*start);
        }
    }
    std::filesystem::remove_all(*settings);
    if (status != 0)
        return status;

    auto seconds = [&](int which) {
        std::vector<double> values;
        for (const Start& s : starts[which])
            values.push_back(s.seconds);
        return values;
    };
    auto largest = [&](int which, long Start::*field) {
        long most = 0;
        for (const Start& s : starts[which])
            most = std::max(most, s.*field);
        return most;
    };
    const double program = Median(seconds(0)), bare = Median(seconds(1));
    const double ratio = program / bare;
    const double rss = MB(largest(0, &Start::rssKiB)), hwm = MB(largest(0, &Start::hwmKiB));
    std::printf("start-up to the first window exposed, median of %d starts each:\n", Runs);
    std::printf("  vesk %.1f ms, bare window %.1f ms: ratio %.2f (target <= %.2f)\n", program * 1e3, bare * 1e3,
                ratio, RatioTarget);
    std::printf("  vesk resident memory then, largest of the starts: VmRSS %.1f MB, VmHWM %.1f MB (target < %.0f MB);"
                " bare window VmRSS %.1f MB\n",
                rss, hwm, MemoryTargetMB, MB(largest(1, &Start::rssKiB)));
    const bool ok = ratio <= RatioTarget && rss < MemoryTargetMB;
    std::printf("%s\n", ok ? "ok" : "TARGET MISSED");
    return ok ? 0 : 1;
}
