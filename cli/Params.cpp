// params save and params load: one settings tab's section of a parameter
// file, to and from the Controller, by the tab's rules.
#include <functional>

#include "cli/Console.h"
#include "cli/Verbs.h"
#include "controller/IntegerText.h"
#include "controller/ModeProgram.h"
#include "controller/OutdoorTable.h"
#include "controller/RegulationConstants.h"
#include "files/ParameterFile.h"
#include "files/ParameterSections.h"
#include "shell/CommandLineTexts.h"
#include "shell/StoredSettings.h"
#include "shell/Texts.h"

namespace {

using Bytes = std::span<std::uint8_t>;

// What loading a section into the pages came to.
enum class Built { Ok, OutOfRange, BadData };

// One settings tab's section: its pages, how the Controller's pages become
// the file's section, and how the file's section becomes the pages written.
struct Section {
    QString name;         // as --section takes it
    QString fileSection;  // the file's section
    int firstPage = 0;
    int pageCount = 0;
    bool readsCurrent = false;  // the bytes no row writes come from a fresh read
    std::function<std::optional<QString>(const QString& path, Bytes pages)> save;
    // `pages` holds the Controller's pages where readsCurrent, else zeros.
    std::function<Built(const ParameterFile& file, Bytes pages)> build;

    PageSet Pages() const
    {
        PageSet pages;
        for (int page = firstPage; page < firstPage + pageCount; ++page)
            pages.set(std::size_t(page));
        return pages;
    }
};

// A section from its block's codec: `save` writes the model read from the
// pages, `load` reads the file's values into the model (false when they
// cannot be).
template <typename Model, std::size_t N, std::size_t Size>
Section Make(const char* name, const QString& fileSection, const PageCodec<Model, N, Size>& codec,
             std::function<std::optional<QString>(const QString&, const Model&)> save,
             std::function<bool(const ParameterFile&, Model&)> load)
{
    using Block = std::span<std::uint8_t, Size>;
    Section section;
    section.name = QString::fromLatin1(name);
    section.fileSection = fileSection;
    section.firstPage = codec.firstPage;
    section.pageCount = int(Size / Page::Size);
    section.readsCurrent = codec.mergesIntoCurrent;
    section.save = [codec, save](const QString& path, Bytes pages) {
        return save(path, DecodeFields(codec.table, Block(pages.data(), Size)));
    };
    section.build = [codec, load](const ParameterFile& file, Bytes pages) {
        // The counters, which no file holds, as the Controller has them now.
        Model model = codec.mergesIntoCurrent ? DecodeFields(codec.table, Block(pages.data(), Size)) : Model{};
        if (!load(file, model))
            return Built::BadData;
        return EncodeFields(codec.table, model, Block(pages.data(), Size)) ? Built::Ok : Built::OutOfRange;
    };
    return section;
}

// The fill inputs of an outdoor tab as the window shows them at start:
// from the settings file.
InputValues StoredInputs(int page)
{
    const StoredSettings stored = ReadStoredSettings();
    InputValues inputs;
    for (const FillInput* input : SectionInputs(page)) {
        const QString text = stored.Input(input->StoredKey());
        inputs[input->Key()] = input->form == InputForm::Integer
                                   ? FieldValue((long long)ParseIntegerText(text).value_or(0))
                                   : FieldValue(text);
    }
    return inputs;
}

Section Outdoor(const char* name, const OutdoorPage& page)
{
    return Make<OutdoorTable>(
        name, QString::fromLatin1(page.fields.section), OutdoorCodec(page),
        [&page](const QString& path, const OutdoorTable& table) {
            return SaveOutdoorSection(path, page, {table, StoredInputs(page.page)});
        },
        [&page](const ParameterFile& file, OutdoorTable& table) {
            table = LoadOutdoorSection(file, page).table;
            return true;
        });
}

Section Mode(const char* name, ModeProgramId id)
{
    return Make<ModeProgram>(
        name, ModeSectionName(id), ModeProgramCodec(id),
        [id](const QString& path, const ModeProgram& program) { return SaveModeSection(path, id, program); },
        [id](const ParameterFile& file, ModeProgram& program) { return LoadModeSection(file, id, program); });
}

const std::vector<Section>& Sections()
{
    static const std::vector<Section> sections = {
        Make<RegulationConstants>(
            "const", QString::fromLatin1(ConstantsTable.section), ConstantsCodec,
            [](const QString& path, const RegulationConstants& model) { return SaveConstSection(path, model); },
            [](const ParameterFile& file, RegulationConstants& model) {
                LoadConstSection(file, model);
                return true;
            }),
        Outdoor("ekvith", EkvithPage),
        Outdoor("wall", WallPage),
        Mode("mode-a", ModeProgramId::A),
        Mode("mode-b", ModeProgramId::B),
        Mode("mode-c", ModeProgramId::C),
    };
    return sections;
}

// The section --section names, or nothing once the error is said.
const Section* ChosenSection(Invocation& invocation)
{
    const QString name = invocation.Value("section");
    if (name.isEmpty()) {
        invocation.console.Error(Text::SectionMissing());
        return nullptr;
    }
    for (const Section& section : Sections())
        if (section.name == name)
            return &section;
    invocation.console.Error(Text::UnknownSection(name, SectionNames()));
    return nullptr;
}

QByteArray Joined(const Snapshot& snapshot, const Section& section)
{
    QByteArray bytes;
    for (int page = section.firstPage; page < section.firstPage + section.pageCount; ++page)
        bytes.append(reinterpret_cast<const char*>(snapshot.pages[std::size_t(page)].data()), Page::Size);
    return bytes;
}

Bytes Span(QByteArray& bytes)
{
    return {reinterpret_cast<std::uint8_t*>(bytes.data()), std::size_t(bytes.size())};
}

// Says why the file's section cannot be written; the exit code.
int Refused(Invocation& invocation, const Section& section, Built built)
{
    const QString& path = invocation.arguments[0];
    invocation.console.Error(built == Built::BadData ? Text::BadModeData(path, section.fileSection)
                                                     : Text::ValueOutOfRange(path, section.fileSection));
    return ExitFile;
}

}  // namespace

QStringList SectionNames()
{
    QStringList names;
    for (const Section& section : Sections())
        names << section.name;
    return names;
}

int RunParamsSave(Invocation& invocation)
{
    const Section* section = ChosenSection(invocation);
    if (!section)
        return ExitUsage;
    if (!invocation.OpenPort())
        return ExitPort;
    int exit = ExitDone;
    const auto read = invocation.ReadPages(section->Pages(), exit);
    if (!read)
        return exit;
    QByteArray pages = Joined(*read, *section);
    const QString& path = invocation.arguments[0];
    if (const auto failed = section->save(path, Span(pages))) {
        invocation.console.Error(Text::UnableToWrite(path) + u'\n' + *failed);
        return ExitFile;
    }
    return ExitDone;
}

int RunParamsLoad(Invocation& invocation)
{
    const Section* section = ChosenSection(invocation);
    if (!section)
        return ExitUsage;
    const QString& path = invocation.arguments[0];
    // The window loads defaults from a file it cannot read; here they would
    // go to the Controller.
    const ParameterFile file(path);
    if (const auto& failure = file.ReadFailure()) {
        invocation.console.Error(Text::CannotOpenFile(path, *failure));
        return ExitFile;
    }
    if (!file.HasSection(section->fileSection)) {
        invocation.console.Error(Text::NoSectionInFile(path, section->fileSection));
        return ExitFile;
    }
    // Checked before anything is asked or sent; the Controller's own bytes
    // change nothing of what the file holds.
    QByteArray pages(section->pageCount * Page::Size, '\0');
    if (const Built built = section->build(file, Span(pages)); built != Built::Ok)
        return Refused(invocation, *section, built);
    if (!invocation.dialogs.Question(Text::ConfirmWrite()))
        return invocation.Declined();
    if (!invocation.OpenPort())
        return ExitPort;
    if (section->readsCurrent) {
        int exit = ExitDone;
        const auto read = invocation.ReadPages(section->Pages(), exit);
        if (!read)
            return exit;
        pages = Joined(*read, *section);
        if (const Built built = section->build(file, Span(pages)); built != Built::Ok)
            return Refused(invocation, *section, built);
    }
    return invocation.WritePages(section->firstPage, Span(pages));
}
