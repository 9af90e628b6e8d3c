#include "controller/Units.h"

QString UnitText(const char* unit)
{
    return QCoreApplication::translate("Unit", unit);
}

QString WithUnit(long long value, const char* unit)
{
    return QString::number(value) + UnitText(unit);
}
