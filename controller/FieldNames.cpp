#include "controller/FieldNames.h"

#include "controller/RegulationConstants.h"

namespace {

QString ValueText(const FieldSpec& field, FieldRef value)
{
    if (int* const* number = std::get_if<int*>(&value)) {
        const int n = **number;
        if (field.kind == FieldKind::List && field.items && n >= 0 && n < field.items->size())
            return field.items->at(n);
        return QString::number(n);
    }
    if (bool* const* flag = std::get_if<bool*>(&value))
        return **flag ? QStringLiteral("1") : QStringLiteral("0");
    if (QString* const* text = std::get_if<QString*>(&value))
        return QStringLiteral("„%1“").arg(**text);
    return FormatRunTime(**std::get_if<std::uint32_t*>(&value));
}

}  // namespace

QStringList ConstantsChanges(const PageBuffer& before, const PageBuffer& after)
{
    RegulationConstants a = DecodeConstantsPage(before);
    RegulationConstants b = DecodeConstantsPage(after);
    QStringList lines;
    for (const auto& field : ConstantsFields()) {
        const QString was = ValueText(field, field.Of(a));
        const QString is = ValueText(field, field.Of(b));
        if (was != is)
            lines << QStringLiteral("%1: %2 → %3").arg(field.key, was, is);
    }
    return lines;
}

FieldNamer TableFieldNamer()
{
    return [](int page, const Snapshot& before, const Snapshot& after) -> QStringList {
        if (page == Page::Constants)
            return ConstantsChanges(before.pages[Page::Constants], after.pages[Page::Constants]);
        return {};
    };
}
