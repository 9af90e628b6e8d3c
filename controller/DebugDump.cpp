#include "controller/DebugDump.h"

#include <QCoreApplication>
#include <vector>

#include "controller/HexPage.h"

namespace DebugDump {
namespace {

struct Tr {
    Q_DECLARE_TR_FUNCTIONS(DebugDump)
};

const QString Separator = QStringLiteral("       ");
constexpr int BytesPerDumpLine = 16;
constexpr int FirstVariable = 0x20;
constexpr int VariableCount = 0x30;

QString Hex(std::uint8_t byte)
{
    return HexGrid::ByteText(byte);
}

// Memory bytes only: every address the view reads goes through here.
std::uint8_t Memory(const DebugSnapshot& r, int address)
{
    Q_ASSERT(address >= 0 && address < MemorySize);
    return r[std::size_t(address)];
}

QString Field(const char* label, QString hex)
{
    return QString::fromLatin1(label) + hex;
}

QString Row(std::initializer_list<QString> fields)
{
    QStringList parts(fields);
    return parts.join(Separator);
}

// Sixteen bytes to a line, each line " *" and the bytes' groups.  With
// closeAlways a last line is given even when it holds no byte, so that a
// list ends with one such line however many bytes it has.
void AppendDumpLines(QStringList& lines, const std::vector<std::uint8_t>& bytes, bool closeAlways)
{
    QString line;
    int inLine = 0;
    for (std::uint8_t byte : bytes) {
        line += QLatin1Char(' ') + Hex(byte);
        if (++inLine == BytesPerDumpLine) {
            lines << QStringLiteral(" *") + line;
            line.clear();
            inLine = 0;
        }
    }
    if (inLine > 0 || closeAlways)
        lines << QStringLiteral(" *") + line;
}

void AppendRegisters(QStringList& lines, const DebugSnapshot& r)
{
    const int s = r[StackPointer];
    const auto at = [&](int below) { return Hex(Memory(r, s - below)); };
    lines << Row({Field("SP:  $", Hex(r[StackPointer])), Field("IE:  $", Hex(r[InterruptEnable])),
                  Field("IP:  $", Hex(r[InterruptPriority])), Field("PC:   $", at(9) + at(10))});
    lines << Row({Field("PSW: $", at(8)), Field("ACC: $", at(7)), Field("B:   $", at(4)),
                  Field("DPTR: $", at(6) + at(5))});
    lines << Row({Field("R0:  $", at(3)), Field("R1:  $", at(2)), Field("R2:  $", Hex(Memory(r, 2))),
                  Field("R3:   $", Hex(Memory(r, 3)))});
    lines << Row({Field("R4:  $", Hex(Memory(r, 4))), Field("R5:  $", Hex(Memory(r, 5))),
                  Field("R6:  $", Hex(Memory(r, 6))), Field("R7:   $", Hex(Memory(r, 7)))});
}

}  // namespace

QStringList RegisterLines(const DebugSnapshot& r)
{
    return {QStringLiteral("SP: $") + Hex(r[StackPointer]), QStringLiteral("IE: $") + Hex(r[InterruptEnable]),
            QStringLiteral("IP: $") + Hex(r[InterruptPriority])};
}

QStringList ProcessedView(const DebugSnapshot& r)
{
    const int s = r[StackPointer];
    QStringList lines;
    if (s >= SavedBytes) {
        AppendRegisters(lines, r);
    } else {
        lines << Tr::tr("SP = $%1: zásobník příliš nízko, registry nelze dekódovat").arg(Hex(std::uint8_t(s)));
    }

    // What lies below the saved bytes, from S − 11 down to the stack's
    // bottom; none when S − 11 is below it (always so for S < 10).
    std::vector<std::uint8_t> stack;
    for (int address = s - SavedBytes - 1; address >= StackBottom; --address)
        stack.push_back(Memory(r, address));
    lines << QString() << Tr::tr("Výpis zásobníku");
    AppendDumpLines(lines, stack, true);

    std::vector<std::uint8_t> variables;
    for (int address = FirstVariable; address < FirstVariable + VariableCount; ++address)
        variables.push_back(Memory(r, address));
    lines << QString() << Tr::tr("Výpis paměti $20 - $4F");
    AppendDumpLines(lines, variables, false);
    return lines;
}

}  // namespace DebugDump
