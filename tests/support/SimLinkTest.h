// A test fixture whose link talks to a simulator of its own: the port "COM1"
// is mapped to the simulator's pty and opened.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
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
    // A Controller whose EEPROM holds these 4096 bytes, with its clock far
    // from an hour's end, so that it logs nothing while the test runs.
    void StartWithImage(const std::vector<std::uint8_t>& eeprom, std::vector<std::string> args = {})
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "vesk-image-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        imageDir_ = pattern;
        const std::string file = imageDir_ + "/eeprom.bin";
        std::ofstream(file, std::ios::binary)
            .write(reinterpret_cast<const char*>(eeprom.data()), std::streamsize(eeprom.size()));
        args.insert(args.end(), {"--eeprom", file, "--clock", "10:20:00:2"});
        Start(std::move(args));
    }
    void TearDown() override
    {
        Serial::ClosePort();
        Serial::SetPortMap({});
        if (!imageDir_.empty()) {
            sim.reset();  // it saves its image at exit
            std::filesystem::remove_all(imageDir_);
        }
    }

    // The command bytes the simulator received, in order.
    std::vector<int> Commands() const
    {
        std::vector<int> commands;
        for (const TraceEntry& entry : sim->Trace())
            if (entry.role == "cmd")
                commands.push_back(entry.byte);
        return commands;
    }

    std::unique_ptr<SimProcess> sim;

private:
    std::string imageDir_;
};
