#include "files/ImageFile.h"

#include <QFile>
#include <algorithm>

namespace {

constexpr qint64 HeadLength = Page::Size + 1;

}  // namespace

Image ImageFromHead(QByteArrayView head)
{
    Image image;
    const qsizetype taken = std::min<qsizetype>(head.size(), Page::Size);
    std::copy_n(reinterpret_cast<const std::uint8_t*>(head.data()), taken, image.bytes.begin());
    if (head.size() < Page::Size)
        image.fit = ImageFit::TooShort;
    else if (head.size() > Page::Size)
        image.fit = ImageFit::TooLong;
    return image;
}

ImageRead ReadImageFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {std::nullopt, file.errorString()};
    // A pipe or a device may hand its bytes over in pieces.
    QByteArray head;
    while (head.size() < HeadLength) {
        const QByteArray piece = file.read(HeadLength - head.size());
        if (piece.isEmpty()) {
            if (file.error() != QFileDevice::NoError)
                return {std::nullopt, file.errorString()};
            break;  // end of file
        }
        head += piece;
    }
    return {ImageFromHead(head), {}};
}

QByteArray ImageFileBytes(const PageBuffer& page)
{
    return QByteArray(reinterpret_cast<const char*>(page.data()), qsizetype(page.size()));
}
