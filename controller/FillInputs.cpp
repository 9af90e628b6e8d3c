#include "controller/FillInputs.h"

#include <algorithm>

namespace {

// Widget names are a two-letter kind and the subject.
constexpr int PrefixLength = 2;

}  // namespace

QString FillInput::Key() const
{
    return QString::fromLatin1(widget + PrefixLength);
}

QString FillInput::StoredKey() const
{
    return showsStored ? QString::fromLatin1(showsStored) : stored != StoredAs::None ? Key() : QString();
}

std::vector<const FillInput*> SectionInputs(int page)
{
    std::vector<const FillInput*> inputs;
    for (const FillInput& input : FillInputs)
        if (input.page == page)
            inputs.push_back(&input);
    std::sort(inputs.begin(), inputs.end(), [](const FillInput* a, const FillInput* b) { return a->place < b->place; });
    return inputs;
}
