// The EEPROM image file: the 256 bytes of one page, in order, and nothing
// else.  It does not say which page it came from, so it can go to any page.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

#include "files/FileSystem.h"
#include "link/PageMap.h"

enum class ImageFit { Exact, TooShort, TooLong };

struct Image {
    PageBuffer bytes{};  // a short file's bytes, then zeros
    ImageFit fit = ImageFit::Exact;
};

// The image that a file starting with these bytes gives.  Only the first
// 257 bytes matter: 256 fill the page, one more tells that the file is too
// long.
Image ImageFromHead(QByteArrayView head);

struct ImageRead {
    std::optional<Image> image;
    QString error;  // the system's reason when the file could not be read
};

// Reads no more of the file than ImageFromHead needs, so a huge file costs
// nothing; anything but a regular file (a FIFO, a device that never ends)
// is refused unread (files/BoundedRead.h).
ImageRead ReadImageFile(const QString& path, FileSystem& fs = RealFileSystem());

// Exactly the 256 bytes of the page.
QByteArray ImageFileBytes(const PageBuffer& page);
