// A scripted stand-in for the platform port: what the program writes is
// recorded, and each write may queue a reply, as a Controller would.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "link/Serial.h"

struct FakePortState {
    std::vector<std::uint8_t> written;                  // everything the program sent
    std::deque<std::uint8_t> input;                      // bytes waiting to be read
    std::vector<std::size_t> readSizes;                  // count asked by every Read
    std::vector<int> readTimeouts;                       // time-out handed to every Read
    int waitingCalls = 0;
    bool failWaiting = false;
    // Called after each write with the bytes just written; may queue input.
    std::function<void(const std::vector<std::uint8_t>&)> onWrite;
    int opens = 0;
    int closes = 0;
    std::vector<std::string> openedPaths;
    // Every read and write fails as on a device that went away.
    bool hangUp = false;
    // Writes fail while the device stays (a driver's error).
    bool failWrite = false;
    // A device that never stops sending: 128 bytes are always waiting.
    bool stream = false;
};

// The one fake the opener hands out; tests reset it in SetUp.
FakePortState& Fake();
void ResetFake();
// Installs the fake opener (and restores the real one in UninstallFake).
void InstallFake();
void UninstallFake();
