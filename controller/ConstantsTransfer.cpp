#include "controller/ConstantsTransfer.h"

namespace {
constexpr int ConstantsPage = 0;
}

bool ReadConstants(ControllerLink& link, RegulationConstants& model)
{
    PageBuffer page{};
    if (!link.ReadPage(ConstantsPage, page))
        return false;
    model = DecodeConstantsPage(page);
    return true;
}

WriteOutcome WriteConstants(ControllerLink& link, const RegulationConstants& model)
{
    PageBuffer current{};
    if (!link.ReadPage(ConstantsPage, current))
        return WriteOutcome::LinkFailed;
    const std::optional<PageBuffer> encoded = EncodeConstantsPage(model, current);
    if (!encoded)
        return WriteOutcome::RangeCheckError;
    if (!link.WritePage(ConstantsPage, *encoded))
        return WriteOutcome::LinkFailed;
    return WriteOutcome::Written;
}
