#include "files/ImageFile.h"

#include <algorithm>

#include "files/BoundedRead.h"

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

ImageRead ReadImageFile(const QString& path, FileSystem& fs)
{
    const BoundedRead read = ReadBounded(path, HeadLength, BeyondBound::Head, fs);
    if (!read.Ok())
        return {std::nullopt, read.reason};
    return {ImageFromHead(read.bytes), {}};
}

QByteArray ImageFileBytes(const PageBuffer& page)
{
    return QByteArray(reinterpret_cast<const char*>(page.data()), qsizetype(page.size()));
}
