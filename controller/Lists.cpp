#include "controller/Lists.h"

namespace {

template <std::size_t N>
QStringList ListOf(const std::array<const char*, N>& texts)
{
    QStringList items;
    for (const char* text : texts)
        items.push_back(QString::fromUtf8(text));
    return items;
}

}  // namespace

const QStringList& RegulationMode::Items()
{
    static const QStringList items = ListOf(Texts);
    return items;
}

const QStringList& SensorId::Items()
{
    static const QStringList items = ListOf(Texts);
    return items;
}
