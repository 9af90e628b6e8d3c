// The snapshot of the microcontroller that the request 0x45 brings: its 256
// bytes of internal memory, then SP, IE and IP.  Two ways of showing it,
// both pure functions of the snapshot: the processed view, which decodes
// the registers the Controller's debug routine saved on its stack and lists
// the rest of the stack and the firmware's variables, and the three
// register lines beside the memory-only view.
#pragma once

#include <QStringList>
#include <array>
#include <cstdint>

#include "link/Commands.h"

using DebugSnapshot = std::array<std::uint8_t, Command::DebugDumpLength>;

namespace DebugDump {

constexpr int MemorySize = 256;
constexpr int StackPointer = 256;  // positions of the registers in the snapshot
constexpr int InterruptEnable = 257;
constexpr int InterruptPriority = 258;

// The stack grows upward from here; below it lie the firmware's variables.
constexpr int StackBottom = 0x80;
// The debug routine leaves ten bytes directly below the stack top (PC, PSW,
// ACC, DPTR, B, R0, R1 and its own return address).  A stack pointer lower
// than this would put some of them below address 0.
constexpr int SavedBytes = 10;

// "SP: $93", "IE: $92", "IP: $10".
QStringList RegisterLines(const DebugSnapshot& snapshot);

// Four register lines, an empty line, "Výpis zásobníku" and the stack
// below the saved registers down to 0x80 (newest first), an empty line,
// "Výpis paměti $20 - $4F" and three lines of those 48 bytes.  A dump line
// is " *" and up to 16 groups of a blank and two hex digits.
//
// A stack pointer below 10 leaves the saved registers undecodable: one line
// says so in place of the four register lines, and the dump lines follow as
// usual.  Nothing outside the snapshot is read for any stack pointer.
QStringList ProcessedView(const DebugSnapshot& snapshot);

}  // namespace DebugDump
