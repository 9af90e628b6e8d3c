#include "controller/Win1250.h"

#include <QHash>
#include <QStringDecoder>
#include <array>

namespace Win1250 {
namespace {

constexpr char Substitute = 0x1A;

// The code page is taken from Qt (ICU) once, as a table of 256 characters,
// and both directions use that table.  This keeps two promises the rest of
// the program relies on:
//  * one character per byte and one byte per character, so the 16-byte name
//    slots and column widths can be counted in characters;
//  * Decode followed by Encode gives back every byte.  Windows-1250 leaves
//    0x81, 0x83, 0x88, 0x90 and 0x98 undefined; such a byte (and any byte the
//    decoder would not turn into exactly one proper character) stands for the
//    C1 control character of the same number, U+0081 and so on, and that
//    character is encoded back to its byte.  ICU 72 already does exactly this;
//    the fallback keeps the promise should a different ICU report the byte as
//    invalid instead.
// Encoding goes through the same table rather than QStringEncoder, because
// ICU's encoder silently drops the invisible "default ignorable" characters
// (zero-width joiners, variation selectors, U+FEFF …): a pasted name would
// lose characters without notice.  Here they become 0x1A like every other
// character the code page lacks.  For all other characters the result is
// byte for byte what QStringEncoder gives (the unit tests check the whole
// Basic Multilingual Plane).  The text is walked by code points, so a
// character outside that plane becomes one 0x1A, not two, and a stray
// surrogate half becomes 0x1A as well.
struct CodePage {
    std::array<char16_t, 256> toUnicode{};
    QHash<char16_t, char> fromUnicode;

    CodePage()
    {
        for (int byte = 0; byte < 256; ++byte) {
            QStringDecoder decoder("windows-1250");
            const QString text = decoder.decode(QByteArray(1, char(byte)));
            const bool proper = decoder.isValid() && !decoder.hasError() && text.size() == 1 &&
                                text.at(0) != QChar::ReplacementCharacter &&
                                !text.at(0).isSurrogate();
            toUnicode[byte] = proper ? text.at(0).unicode() : char16_t(byte);
        }
        fromUnicode.reserve(256);
        for (int byte = 0; byte < 256; ++byte)
            fromUnicode.insert(toUnicode[byte], char(byte));
    }
};

const CodePage& Table()
{
    static const CodePage table;
    return table;
}

}  // namespace

QString Decode(const unsigned char* bytes, int count)
{
    QString text;
    if (bytes == nullptr || count <= 0)
        return text;
    const auto& table = Table().toUnicode;
    text.resize(count);
    QChar* out = text.data();
    for (int i = 0; i < count; ++i)
        out[i] = QChar(table[bytes[i]]);
    return text;
}

QString Decode(const QByteArray& bytes)
{
    return Decode(reinterpret_cast<const unsigned char*>(bytes.constData()), int(bytes.size()));
}

QByteArray Encode(const QString& text)
{
    const auto& table = Table().fromUnicode;
    QByteArray bytes;
    bytes.reserve(text.size());
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar ch = text.at(i);
        if (ch.isHighSurrogate() && i + 1 < size && text.at(i + 1).isLowSurrogate()) {
            ++i;  // a whole supplementary character: never in the code page
            bytes.append(Substitute);
            continue;
        }
        const auto found = table.constFind(ch.unicode());
        bytes.append(found != table.constEnd() ? found.value() : Substitute);
    }
    return bytes;
}

}  // namespace Win1250
