// Moving a model between the Controller and the program, page by page.
//
// Reading takes the codec's pages into a scratch buffer and decodes only
// when every page has arrived, so a failed read leaves the model as it was.
// Writing builds the pages first (from the Controller's current pages where
// the model owns only part of them) and sends nothing when a value does not
// fit.  A transfer of several pages stops at the first failed page; pages
// already written keep their new contents.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "link/PageMap.h"
#include "link/Transaction.h"

enum class Transfer {
    Done,
    LinkFailed,       // the link has reported it
    RangeCheckError,  // a value does not fit its bytes; nothing was sent
};

template <typename Model>
struct PageCodec {
    int firstPage;
    int pageCount;
    // Read the Controller's pages before encoding into them, so the bytes
    // the model does not own go back exactly as the Controller holds them
    // now.  Otherwise encoding starts from zeros.
    bool mergesIntoCurrent;
    Model (*decode)(std::span<const std::uint8_t> pages);
    // False when a value does not fit: nothing is sent.
    bool (*encode)(const Model& model, std::span<std::uint8_t> pages);
};

// Reads pageCount pages from firstPage into bytes (pageCount × 256 long),
// in order, stopping at the first failure.
bool ReadPages(ControllerLink& link, int firstPage, std::span<std::uint8_t> bytes);
bool WritePages(ControllerLink& link, int firstPage, std::span<const std::uint8_t> bytes);

template <typename Model>
Transfer ReadBlock(ControllerLink& link, const PageCodec<Model>& codec, Model& model)
{
    std::vector<std::uint8_t> pages(std::size_t(codec.pageCount) * Page::Size);
    if (!ReadPages(link, codec.firstPage, pages))
        return Transfer::LinkFailed;
    model = codec.decode(pages);
    return Transfer::Done;
}

template <typename Model>
Transfer WriteBlock(ControllerLink& link, const PageCodec<Model>& codec, const Model& model)
{
    std::vector<std::uint8_t> pages(std::size_t(codec.pageCount) * Page::Size);
    if (codec.mergesIntoCurrent && !ReadPages(link, codec.firstPage, pages))
        return Transfer::LinkFailed;
    if (!codec.encode(model, pages))
        return Transfer::RangeCheckError;
    return WritePages(link, codec.firstPage, pages) ? Transfer::Done : Transfer::LinkFailed;
}
