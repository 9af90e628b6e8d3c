// A test fixture whose link talks to a simulator of its own: the port "COM1"
// is mapped to the simulator's pty and opened.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "link/Serial.h"
#include "tests/support/SimProcess.h"

class SimLinkTest : public ::testing::Test {
protected:
    void Start(std::vector<std::string> args = {})
    {
        sim = std::make_unique<SimProcess>(VESK_SIM_PATH, std::move(args));
        Serial::SetDeviceOpener(nullptr);
        Serial::SetPortMap({{"COM1", sim->LinkPath()}});
        ASSERT_TRUE(Serial::OpenPort("COM1", 9600));
    }
    void TearDown() override
    {
        Serial::ClosePort();
        Serial::SetPortMap({});
    }

    std::unique_ptr<SimProcess> sim;
};
