#include "tests/support/FakeController.h"

#include "link/Commands.h"
#include "tests/support/FakePort.h"

void FakeController::Install()
{
    Fake().onWrite = [this](const std::vector<std::uint8_t>& bytes) {
        for (std::uint8_t b : bytes)
            Receive(b);
    };
}

std::vector<std::uint8_t> FakeController::TakeSent()
{
    const auto& written = Fake().written;
    std::vector<std::uint8_t> sent(written.begin() + std::ptrdiff_t(std::min(taken_, written.size())), written.end());
    taken_ = written.size();
    return sent;
}

void FakeController::Receive(std::uint8_t byte)
{
    auto answer = [](const auto& block) { Fake().input.insert(Fake().input.end(), block.begin(), block.end()); };
    if (clockBytes_ >= 0) {
        const int index = clockBytes_++;
        if (index == silentClockByte || index == 3)
            clockBytes_ = -1;
        else
            Fake().input.push_back(0x06);
        return;
    }
    if (silentCommand == byte)
        return;
    switch (byte) {
    case Command::ReadClock: answer(clock); break;
    case Command::Status: answer(status); break;
    case Command::SensorsAd: answer(ad); break;
    case Command::SensorsTemp: answer(temperatures); break;
    case Command::SensorsCurrent: answer(current); break;
    case Command::ReadPage(Page::Constants): answer(page0); break;
    case Command::SetClock:
        Fake().input.push_back(0x06);
        clockBytes_ = 0;
        break;
    default: break;
    }
}
