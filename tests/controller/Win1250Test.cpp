#include "controller/Win1250.h"

#include <gtest/gtest.h>

#include <QStringEncoder>

namespace {

QByteArray AllBytes()
{
    QByteArray bytes;
    for (int b = 0; b < 256; ++b)
        bytes.append(char(b));
    return bytes;
}

TEST(Win1250, EveryByteSurvivesDecodeThenEncode)
{
    const QByteArray all = AllBytes();
    const QString text = Win1250::Decode(all);
    ASSERT_EQ(text.size(), 256) << "one character per byte";
    EXPECT_EQ(Win1250::Encode(text), all);
}

TEST(Win1250, KnownCharacters)
{
    struct Case {
        unsigned char byte;
        char16_t character;
    };
    const Case cases[] = {
        {0x41, u'A'},    {0xE8, u'č'}, {0xF8, u'ř'}, {0x9E, u'ž'},     {0xFD, u'ý'},
        {0x8A, u'Š'},    {0xCC, u'Ě'}, {0xF9, u'ů'}, {0x80, u'\u20AC'}, {0xA0, u'\u00A0'},
        {0xEF, u'ď'},    {0xFF, u'\u02D9'},
        // Undefined in the code page: carried as the C1 control of that number.
        {0x81, u'\u0081'}, {0x83, u'\u0083'}, {0x88, u'\u0088'}, {0x90, u'\u0090'},
        {0x98, u'\u0098'},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Win1250::Decode(&c.byte, 1), QString(QChar(c.character))) << int(c.byte);
        EXPECT_EQ(Win1250::Encode(QString(QChar(c.character))), QByteArray(1, char(c.byte)))
            << int(c.byte);
    }
}

// The table is derived from Qt's decoder; this checks the other direction
// against Qt's encoder for every character of the Basic Multilingual Plane.
// Where Qt's encoder drops a character altogether (the invisible "default
// ignorable" ones), ours must still give one substitute byte.
TEST(Win1250, EncodeAgreesWithQtForTheWholeBasicPlane)
{
    int dropped = 0;
    for (int c = 0; c <= 0xFFFF; ++c) {
        if (QChar::isSurrogate(char32_t(c)))
            continue;
        const QString text{QChar(char16_t(c))};
        QStringEncoder qt("windows-1250");
        ASSERT_TRUE(qt.isValid());
        const QByteArray expected = qt.encode(text);
        const QByteArray actual = Win1250::Encode(text);
        ASSERT_EQ(actual.size(), 1) << "U+" << std::hex << c;
        if (expected.isEmpty()) {
            ++dropped;
            EXPECT_EQ(actual.at(0), '\x1A') << "U+" << std::hex << c;
        } else {
            ASSERT_EQ(expected.size(), 1) << "U+" << std::hex << c;
            EXPECT_EQ(actual.at(0), expected.at(0)) << "U+" << std::hex << c;
        }
    }
    EXPECT_LT(dropped, 200);  // a handful of invisible characters, not whole blocks
}

TEST(Win1250, MissingCharacterBecomesOneSubstituteByte)
{
    struct Case {
        QString text;
        QByteArray bytes;
    };
    const Case cases[] = {
        {QString::fromUtf8("a\u4E2Db"), QByteArray("a\x1A" "b")},
        {QString::fromUtf8("a\U0001F600b"), QByteArray("a\x1A" "b")},  // outside the BMP: one byte
        {QString(QChar(0xD800)), QByteArray("\x1A")},                  // stray surrogate half
        {QString::fromUtf8("\u00C0"), QByteArray("\x1A")},             // À is not in the code page
        {QString::fromUtf8("a\u200Db"), QByteArray("a\x1A" "b")},       // invisible, yet a character
        {QString::fromUtf8("Zeď"), QByteArray("Ze\xEF")},
        {QString(), QByteArray()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Win1250::Encode(c.text).toHex(), c.bytes.toHex()) << c.text.toStdString();
}

TEST(Win1250, EmptyOrNegativeCountDecodesToEmpty)
{
    const unsigned char byte = 'x';
    EXPECT_TRUE(Win1250::Decode(&byte, 0).isEmpty());
    EXPECT_TRUE(Win1250::Decode(&byte, -3).isEmpty());
    EXPECT_TRUE(Win1250::Decode(nullptr, 4).isEmpty());
}

}  // namespace
