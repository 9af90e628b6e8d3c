#include "controller/Units.h"

QString WithUnit(long long value, const char* unit)
{
    return QString::number(value) + QString::fromUtf8(unit);
}
