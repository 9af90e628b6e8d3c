#include "controller/FieldNames.h"

#include "controller/FieldCompare.h"
#include "controller/Lists.h"

namespace {

// The program's entry in the mode list, "" for a page of no program.
QString ProgramOfPage(int page)
{
    if (page < Page::ModeA || page >= Page::FirstLog)
        return {};
    const int program = (page - Page::ModeA) / Page::ModePages;
    return FieldWord(RegulationMode::Texts[std::size_t(RegulationMode::FirstProgram + program)]);
}

}  // namespace

FieldNamer TableFieldNamer()
{
    return [](int page, const Snapshot& before, const Snapshot& after) -> QStringList {
        const QString program = ProgramOfPage(page);
        QStringList lines;
        for (const FieldChange& change : ChangedFieldsOfPage(page, before.pages[std::size_t(page)],
                                                             after.pages[std::size_t(page)]))
            lines << (program.isEmpty() ? change.Text() : program + QStringLiteral(", ") + change.Text());
        return lines;
    };
}
