#include "tests/support/FakePort.h"

#include <algorithm>

namespace {

FakePortState state;

class FakeDevice final : public Serial::PortDevice {
public:
    FakeDevice() { ++state.opens; }
    ~FakeDevice() override { ++state.closes; }

    bool Gone() const override { return state.hangUp; }

    bool Write(const std::uint8_t* buffer, std::size_t count) override
    {
        if (state.hangUp)
            return false;
        std::vector<std::uint8_t> chunk(buffer, buffer + count);
        state.written.insert(state.written.end(), chunk.begin(), chunk.end());
        if (state.onWrite)
            state.onWrite(chunk);
        return true;
    }

    std::size_t Read(std::uint8_t* buffer, std::size_t count, int timeoutMs) override
    {
        state.readSizes.push_back(count);
        state.readTimeouts.push_back(timeoutMs);
        if (state.hangUp)
            return 0;
        if (state.stream) {
            std::fill(buffer, buffer + count, 0x55);
            return count;
        }
        std::size_t n = std::min(count, state.input.size());
        for (std::size_t i = 0; i < n; ++i) {
            buffer[i] = state.input.front();
            state.input.pop_front();
        }
        return n;
    }

    int Waiting() override
    {
        ++state.waitingCalls;
        if (state.stream)
            return 128;
        return state.failWaiting ? -1 : static_cast<int>(state.input.size());
    }
};

class FakeOpener final : public Serial::DeviceOpener {
public:
    std::unique_ptr<Serial::PortDevice> Open(const std::string& path, int, Serial::OpenKind,
                                             Serial::OpenFailure&) override
    {
        state.openedPaths.push_back(path);
        return std::make_unique<FakeDevice>();
    }
} fakeOpener;

}  // namespace

FakePortState& Fake() { return state; }

void ResetFake() { state = FakePortState{}; }

void InstallFake()
{
    ResetFake();
    Serial::SetDeviceOpener(&fakeOpener);
    Serial::SetPortMap({});
}

void UninstallFake()
{
    Serial::SetDeviceOpener(nullptr);
    Serial::SetPortMap({});
}
