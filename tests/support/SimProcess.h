// Starts a vesk-sim for one test and cleans up after it: a private folder,
// the link to the simulator's pty, and its trace of received bytes.
#pragma once

#include <cstdint>
#include <string>
#include <sys/types.h>
#include <vector>

struct TraceEntry {
    std::string role;  // "cmd" or "data"
    std::uint8_t byte;
};

class SimProcess {
public:
    // Starts simPath (the tests have it as VESK_SIM_PATH) with
    // --link <dir>/ttyVESK --trace <dir>/trace.txt plus extraArgs, and waits
    // up to 5 s until the link exists and the simulator printed its slave
    // path.  Throws std::runtime_error (after killing the simulator) if it
    // does not come up.
    explicit SimProcess(const std::string& simPath, std::vector<std::string> extraArgs = {});
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    const std::string& LinkPath() const { return link_; }
    const std::string& Dir() const { return dir_; }
    const std::string& SlavePath() const { return slave_; }
    pid_t Pid() const { return pid_; }

    std::vector<TraceEntry> Trace() const;         // the rx lines, in order
    std::vector<std::uint8_t> Received() const;    // every received byte
    std::vector<std::string> TxLines() const;      // the tx lines as written

    // SIGTERM and wait (SIGKILL after 5 s); returns the exit status, or
    // 128 + signal if the simulator was killed.  Later calls return the
    // same value.
    int Stop();
    bool WaitForTraceCount(std::size_t n, int timeoutMs) const;

private:
    std::vector<std::string> TraceLines() const;
    void Kill();

    std::string dir_;
    std::string link_;
    std::string trace_;
    std::string slave_;
    pid_t pid_ = -1;
    int status_ = -1;
};
