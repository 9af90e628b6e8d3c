// page read and page write: one EEPROM page as an image file.
#include "cli/Console.h"
#include "cli/Verbs.h"
#include "controller/HexPage.h"
#include "files/ImageFile.h"
#include "shell/CommandLineTexts.h"
#include "shell/Texts.h"

namespace {

// The page as the direct tab's grid shows it: a label and 16 bytes a row.
QByteArray HexLines(const PageBuffer& page)
{
    QString text;
    for (int row = 0; row < HexGrid::Rows; ++row) {
        text += HexGrid::RowLabel(row);
        for (int i = 0; i < HexGrid::BytesPerRow; ++i)
            text += u' ' + HexGrid::ByteText(page[std::size_t(row * HexGrid::BytesPerRow + i)]);
        text += u'\n';
    }
    return text.toUtf8();
}

std::optional<int> PageArgument(Invocation& invocation)
{
    const auto page = PageNumber(invocation.arguments[0]);
    if (!page)
        invocation.console.Error(Text::BadPageNumber(invocation.arguments[0]));
    return page;
}

}  // namespace

int RunPageRead(Invocation& invocation)
{
    const auto page = PageArgument(invocation);
    if (!page)
        return ExitUsage;
    if (!invocation.OpenPort())
        return ExitPort;
    int exit = ExitDone;
    PageSet pages;
    pages.set(std::size_t(*page));
    const auto read = invocation.ReadPages(pages, exit);
    if (!read)
        return exit;
    const PageBuffer& bytes = read->pages[std::size_t(*page)];
    // A person at a terminal reads it as the grid shows it; a pipe gets the image.
    if (invocation.Value("output").isEmpty() && invocation.console.OutputIsTerminal())
        return invocation.console.Out(HexLines(bytes)) ? ExitDone : ExitFile;
    return invocation.WriteResult(ImageFileBytes(bytes));
}

int RunPageWrite(Invocation& invocation)
{
    const auto page = PageArgument(invocation);
    if (!page)
        return ExitUsage;
    const QString& path = invocation.arguments[1];
    const ImageRead read = ReadImageFile(path);
    if (!read.image) {
        invocation.console.Error(Text::CannotOpenFile(path, read.error));
        return ExitFile;
    }
    // Unlike the window, which warns and goes on, nothing is padded or cut.
    if (read.image->fit != ImageFit::Exact) {
        invocation.console.Error(Text::ImageNotOnePage(path, read.image->fit == ImageFit::TooShort));
        return ExitFile;
    }
    if (!invocation.dialogs.Question(Text::ConfirmWrite()))
        return invocation.Declined();
    if (!invocation.OpenPort())
        return ExitPort;
    return invocation.WritePages(*page, read.image->bytes);
}
