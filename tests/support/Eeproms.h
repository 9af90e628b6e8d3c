// Whole EEPROM images for the tests of backups: a recognisable pattern per
// seed, and the snapshot of some of its pages.
#pragma once

#include <cstdint>
#include <vector>

#include "controller/Snapshot.h"
#include "link/Transaction.h"

inline PageSet PageSetOf(std::initializer_list<int> pages)
{
    PageSet set;
    for (int page : pages)
        set.set(std::size_t(page));
    return set;
}

inline std::vector<std::uint8_t> EepromImage(int seed)
{
    std::vector<std::uint8_t> image(Page::Count * Page::Size);
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = std::uint8_t(i * 7 + i / 256 * 31 + seed * 13 + 1);
    return image;
}

inline Snapshot SnapshotOf(const std::vector<std::uint8_t>& image, const PageSet& pages = AllPages())
{
    Snapshot snapshot;
    for (int page : PageList(pages)) {
        PageBuffer bytes;
        std::copy_n(image.begin() + page * Page::Size, Page::Size, bytes.begin());
        snapshot.Put(page, bytes);
    }
    return snapshot;
}

inline std::uint8_t& ImageByte(std::vector<std::uint8_t>& image, int page, int offset)
{
    return image[std::size_t(page * Page::Size + offset)];
}

inline std::uint8_t ImageByte(const std::vector<std::uint8_t>& image, int page, int offset)
{
    return image[std::size_t(page * Page::Size + offset)];
}

// The Controller's whole EEPROM, read through a link of the test's own.
inline std::vector<std::uint8_t> ReadEeprom(ControllerLink& probe)
{
    std::vector<std::uint8_t> image;
    for (int page = 0; page < Page::Count; ++page) {
        PageBuffer bytes{};
        probe.ReadPage(page, bytes);
        image.insert(image.end(), bytes.begin(), bytes.end());
    }
    return image;
}
