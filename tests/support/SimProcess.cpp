#include "tests/support/SimProcess.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <stdexcept>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kStartTimeout = std::chrono::seconds(5);
constexpr auto kStopTimeout = std::chrono::seconds(5);

int Remaining(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

std::string MakeTempDir()
{
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/vesk-sim-XXXXXX";
    if (!::mkdtemp(pattern.data())) throw std::runtime_error(std::string("mkdtemp: ") + std::strerror(errno));
    return pattern;
}

bool IsSymlink(const std::string& path)
{
    struct stat st{};
    return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

}  // namespace

SimProcess::SimProcess(const std::string& simPath, std::vector<std::string> extraArgs)
    : dir_(MakeTempDir()), link_(dir_ + "/ttyVESK"), trace_(dir_ + "/trace.txt")
{
    std::vector<std::string> args = {simPath, "--link", link_, "--trace", trace_};
    args.insert(args.end(), extraArgs.begin(), extraArgs.end());
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0) {
        std::filesystem::remove_all(dir_);
        throw std::runtime_error("pipe failed");
    }
    const pid_t parent = ::getpid();
    pid_ = ::fork();
    if (pid_ == 0) {
        // Only async-signal-safe calls between fork and exec.  The simulator
        // dies with the test process, even when the test crashes.
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != parent) ::_exit(127);
        ::dup2(out[1], STDOUT_FILENO);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(out[1]);
    if (pid_ < 0) {
        ::close(out[0]);
        std::filesystem::remove_all(dir_);
        throw std::runtime_error("fork failed");
    }

    // The slave path line comes after the link was made.
    const auto deadline = Clock::now() + kStartTimeout;
    std::string printed;
    bool eof = false;
    while (printed.find('\n') == std::string::npos && !eof && Remaining(deadline) > 0) {
        pollfd p{out[0], POLLIN, 0};
        if (::poll(&p, 1, Remaining(deadline)) <= 0) continue;
        char buffer[256];
        const ssize_t n = ::read(out[0], buffer, sizeof buffer);
        if (n > 0) printed.append(buffer, static_cast<std::size_t>(n));
        else if (n == 0 || errno != EINTR) eof = true;
    }
    ::close(out[0]);
    const auto newline = printed.find('\n');
    if (newline == std::string::npos || !IsSymlink(link_)) {
        Kill();
        std::filesystem::remove_all(dir_);
        throw std::runtime_error("vesk-sim did not start (exit status " + std::to_string(status_) + ")");
    }
    slave_ = printed.substr(0, newline);
}

SimProcess::~SimProcess()
{
    Stop();
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
}

int SimProcess::Stop()
{
    if (pid_ <= 0) return status_;
    ::kill(pid_, SIGTERM);
    const auto deadline = Clock::now() + kStopTimeout;
    int raw = 0;
    pid_t done = 0;
    while ((done = ::waitpid(pid_, &raw, WNOHANG)) == 0 && Clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    if (done == 0) {
        ::kill(pid_, SIGKILL);
        done = ::waitpid(pid_, &raw, 0);
    }
    status_ = done != pid_ ? -1 : WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    pid_ = -1;
    return status_;
}

void SimProcess::Kill()
{
    if (pid_ <= 0) return;
    ::kill(pid_, SIGKILL);
    int raw = 0;
    if (::waitpid(pid_, &raw, 0) == pid_) status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    pid_ = -1;
}

std::vector<std::string> SimProcess::TraceLines() const
{
    std::ifstream in(trace_);
    std::vector<std::string> lines;
    std::string line;
    // A line without its newline is still being written: leave it out.
    while (std::getline(in, line)) {
        if (!in.eof()) lines.push_back(line);
    }
    return lines;
}

std::vector<TraceEntry> SimProcess::Trace() const
{
    std::vector<TraceEntry> entries;
    for (const auto& line : TraceLines()) {
        std::istringstream fields(line);
        std::string micros, direction, role, hex;
        if (!(fields >> micros >> direction >> role >> hex) || direction != "rx") continue;
        entries.push_back({role, static_cast<std::uint8_t>(std::stoul(hex, nullptr, 16))});
    }
    return entries;
}

std::vector<std::uint8_t> SimProcess::Received() const
{
    std::vector<std::uint8_t> bytes;
    for (const auto& e : Trace()) bytes.push_back(e.byte);
    return bytes;
}

std::vector<std::string> SimProcess::TxLines() const
{
    std::vector<std::string> lines;
    for (const auto& line : TraceLines()) {
        std::istringstream fields(line);
        std::string micros, direction;
        if (fields >> micros >> direction && direction == "tx") lines.push_back(line);
    }
    return lines;
}

bool SimProcess::WaitForTraceCount(std::size_t n, int timeoutMs) const
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (Trace().size() >= n) return true;
        if (Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}
