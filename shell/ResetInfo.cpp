#include "shell/ResetInfo.h"

#include <algorithm>
#include <array>

#include "controller/Win1250.h"
#include "link/Commands.h"
#include "link/Transaction.h"

bool SendReset(ControllerLink& link)
{
    return link.Transact(Command::Reset, nullptr, 0);
}

std::optional<QString> ReadInfo(ControllerLink& link)
{
    std::array<std::uint8_t, Command::InfoReplyLength> reply{};
    if (!link.Transact(Command::Info, reply.data(), Command::InfoReplyLength))
        return std::nullopt;
    return InfoText(reply.data(), reply.size());
}

QString InfoText(const std::uint8_t* reply, std::size_t length)
{
    const std::size_t limit = std::min<std::size_t>(length, Command::InfoReplyLength);
    const std::uint8_t* end = std::find(reply, reply + limit, std::uint8_t{0});
    return Win1250::Decode(reply, static_cast<int>(end - reply));
}
