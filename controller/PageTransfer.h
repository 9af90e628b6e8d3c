// Moving a model between the Controller and the program, page by page.
//
// Reading takes the codec's pages into a scratch buffer and decodes only
// when every page has arrived, so a failed read leaves the model as it was.
// Writing builds the pages first (from the Controller's current pages where
// the model owns only part of them) and sends nothing when a value does not
// fit.  A transfer of several pages stops at the first failed page; pages
// already written keep their new contents.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "controller/FieldTable.h"
#include "link/PageMap.h"
#include "link/Transaction.h"

enum class Transfer {
    Done,
    LinkFailed,       // the link has reported it
    RangeCheckError,  // a value does not fit its bytes; nothing was sent
};

// A model kept in the consecutive pages from firstPage, described by its
// block's field table.
template <typename Model, std::size_t N, std::size_t Size>
struct PageCodec {
    static_assert(Size % Page::Size == 0, "a codec moves whole pages");

    int firstPage;
    // Read the Controller's pages before encoding into them, so the bytes
    // the model does not own go back exactly as the Controller holds them
    // now.  Otherwise encoding starts from zeros.
    bool mergesIntoCurrent;
    const BlockTable<Model, N, Size>& table;
};

// Reads bytes.size() / 256 pages from firstPage into bytes, in order,
// stopping at the first failure.
bool ReadPages(ControllerLink& link, int firstPage, std::span<std::uint8_t> bytes);
bool WritePages(ControllerLink& link, int firstPage, std::span<const std::uint8_t> bytes);

template <typename Model, std::size_t N, std::size_t Size>
Transfer ReadBlock(ControllerLink& link, const PageCodec<Model, N, Size>& codec, Model& model)
{
    std::array<std::uint8_t, Size> pages{};
    if (!ReadPages(link, codec.firstPage, pages))
        return Transfer::LinkFailed;
    model = DecodeFields(codec.table, pages);
    return Transfer::Done;
}

template <typename Model, std::size_t N, std::size_t Size>
Transfer WriteBlock(ControllerLink& link, const PageCodec<Model, N, Size>& codec, const Model& model)
{
    std::array<std::uint8_t, Size> pages{};
    if (codec.mergesIntoCurrent && !ReadPages(link, codec.firstPage, pages))
        return Transfer::LinkFailed;
    if (!EncodeFields(codec.table, model, pages))
        return Transfer::RangeCheckError;
    return WritePages(link, codec.firstPage, pages) ? Transfer::Done : Transfer::LinkFailed;
}
