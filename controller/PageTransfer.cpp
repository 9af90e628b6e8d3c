#include "controller/PageTransfer.h"

#include <algorithm>
#include <vector>

bool ReadPages(ControllerLink& link, int firstPage, std::span<std::uint8_t> bytes)
{
    // Each page into a scratch buffer of its own: the caller's bytes are
    // only touched once all pages have arrived.
    std::vector<std::uint8_t> scratch(bytes.size());
    for (std::size_t done = 0; done < bytes.size(); done += Page::Size) {
        PageBuffer page;
        if (!link.ReadPage(firstPage + int(done / Page::Size), page))
            return false;
        std::copy(page.begin(), page.end(), scratch.begin() + std::ptrdiff_t(done));
    }
    std::copy(scratch.begin(), scratch.end(), bytes.begin());
    return true;
}

bool WritePages(ControllerLink& link, int firstPage, std::span<const std::uint8_t> bytes)
{
    for (std::size_t done = 0; done < bytes.size(); done += Page::Size) {
        PageBuffer page;
        std::copy_n(bytes.begin() + std::ptrdiff_t(done), Page::Size, page.begin());
        if (!link.WritePage(firstPage + int(done / Page::Size), page))
            return false;
    }
    return true;
}
