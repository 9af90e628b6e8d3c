// The EEPROM image file and the debug text file.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "files/DebugTextFile.h"
#include "files/ImageFile.h"

namespace {

TEST(ImageFile, EverySizeGivesOnePageZeroFilled)
{
    QTemporaryDir dir;
    const std::pair<int, ImageFit> cases[] = {{0, ImageFit::TooShort},   {100, ImageFit::TooShort},
                                              {255, ImageFit::TooShort}, {256, ImageFit::Exact},
                                              {257, ImageFit::TooLong},  {100000, ImageFit::TooLong}};
    for (const auto& [size, fit] : cases) {
        SCOPED_TRACE(size);
        QByteArray contents(size, '\0');
        for (int i = 0; i < size; ++i)
            contents[i] = char(i * 7 + 1);  // no zeros in the first 256: the fill shows
        const QString path = dir.filePath(QStringLiteral("%1.bin").arg(size));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(contents) == size);
        file.close();
        const ImageRead read = ReadImageFile(path);
        ASSERT_TRUE(read.image.has_value()) << read.error.toStdString();
        EXPECT_EQ(read.image->fit, fit);
        for (int i = 0; i < 256; ++i)
            ASSERT_EQ(read.image->bytes[std::size_t(i)], i < size ? std::uint8_t(contents[i]) : 0) << i;
    }
    // A device without end is no image: refused unread.
    const ImageRead endless = ReadImageFile(QStringLiteral("/dev/zero"));
    EXPECT_FALSE(endless.image.has_value());
    EXPECT_EQ(endless.error, QStringLiteral("Not a regular file"));
}

TEST(DebugTextFile, LinesAsTheFieldShowsThem)
{
    const std::pair<QString, QStringList> cases[] = {
        {QString(), {}},
        {QStringLiteral("a\n"), {QStringLiteral("a")}},
        {QStringLiteral("a\n\n"), {QStringLiteral("a"), QString()}},
        {QStringLiteral("a\r\nb\rc\u2029d\u2028e"),
         {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d"), QStringLiteral("e")}},
    };
    for (const auto& [text, lines] : cases)
        EXPECT_EQ(TextLines(text), lines) << text.toStdString();
}

TEST(DebugTextFile, CrLfAfterEveryLineInWindows1250)
{
    const QStringList lines{QStringLiteral("Výpis zásobníku"), QString(), QStringLiteral(" * 12 Č€"),
                            QStringLiteral("日")};
    EXPECT_EQ(DebugTextFileBytes(lines), QByteArray("V\xFDpis z\xE1sobn\xEDku\r\n\r\n * 12 \xC8\x80\r\n\x1A\r\n"));
}

}  // namespace
