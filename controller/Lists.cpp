#include "controller/Lists.h"

namespace RegulationMode {
const QStringList& Items()
{
    static const QStringList items{
        QStringLiteral("Vypnuto"),
        QStringLiteral("Ekvitermní"),
        QStringLiteral("Termostat"),
        QStringLiteral("Režim A - silný"),
        QStringLiteral("Režim B - slabý"),
        QStringLiteral("Režim C - stálý"),
    };
    return items;
}
}  // namespace RegulationMode

namespace SensorId {
const QStringList& Items()
{
    static const QStringList items{
        QStringLiteral("Výst. voda"),
        QStringLiteral("Vrat. voda"),
        QStringLiteral("Uživ. 1"),
        QStringLiteral("Vnitřní"),
        QStringLiteral("Venkovní"),
        QStringLiteral("Zeď"),
        QStringLiteral("Uživ. 2"),
        QStringLiteral("Uživ. 3"),
    };
    return items;
}
}  // namespace SensorId
