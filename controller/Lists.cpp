#include "controller/Lists.h"

#include "controller/FieldTable.h"

namespace {

template <std::size_t N>
QStringList ListOf(const std::array<const char*, N>& texts)
{
    QStringList items;
    for (const char* text : texts)
        items.push_back(FieldWord(text));
    return items;
}

}  // namespace

QStringList RegulationMode::Items()
{
    return ListOf(Texts);
}

QStringList SensorId::Items()
{
    return ListOf(Texts);
}
