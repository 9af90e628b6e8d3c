// "Načíst" and "Zapsat" of the constants tab against the simulator: what the
// Controller ends up holding, and that nothing is written when a step fails.
#include <gtest/gtest.h>

#include <memory>

#include "controller/RegulationConstants.h"
#include "tests/support/FailureCallback.h"
#include "tests/support/SimLinkTest.h"

namespace {

class ConstantsTransferSim : public SimLinkTest {
protected:
    // The bytes the simulator received after the first `skip`, once it has
    // logged `skip + count` of them: the last byte of a page write is not
    // acknowledged, so the link returns before the simulator has seen it.
    std::vector<std::uint8_t> ReceivedAfter(std::size_t skip, std::size_t count) const
    {
        sim->WaitForTraceCount(skip + count, 2000);
        const auto all = sim->Received();
        return {all.begin() + std::ptrdiff_t(std::min(skip, all.size())), all.end()};
    }

    int failures = 0;
    FailureCallback counter{[this](const LinkFailure&) { ++failures; }};
    ControllerLink link{&counter};
};

PageBuffer ValidPage()
{
    PageBuffer p{};
    for (int i = 0; i < 256; ++i)
        p[i] = std::uint8_t(i * 7 + 3);
    for (int offset : {1, 3, 19, 41, 42, 43, 44})  // list entries the tab can show
        p[offset] = std::uint8_t(offset % 6);
    return p;
}

TEST_F(ConstantsTransferSim, WriteKeepsWhatTheControllerChangedSinceTheRead)
{
    Start();
    const PageBuffer original = ValidPage();
    ASSERT_TRUE(link.WritePage(0, original));

    RegulationConstants model;
    ASSERT_EQ(ReadConstants(link, model), Transfer::Done);
    EXPECT_EQ(model, DecodeConstantsPage(original));
    model.Shift = -10;
    model.SensName[3] = QStringLiteral("Kotel");

    // Meanwhile the Controller moved its log index and counted run time.
    PageBuffer meanwhile = original;
    meanwhile[6] ^= 0xFF;
    meanwhile[11] += 1;
    ASSERT_TRUE(link.WritePage(0, meanwhile));
    const std::size_t setUp = 257 + 1 + 257;

    ASSERT_EQ(WriteConstants(link, model), Transfer::Done);
    const auto expected = EncodeConstantsPage(model, meanwhile);
    ASSERT_TRUE(expected);
    EXPECT_EQ((*expected)[0], 0xF6);

    // A fresh read, then the command and the whole page.
    std::vector<std::uint8_t> wanted{0x20, 0x30};
    wanted.insert(wanted.end(), expected->begin(), expected->end());
    EXPECT_EQ(ReceivedAfter(setUp, wanted.size()), wanted);

    PageBuffer now{};
    ASSERT_TRUE(link.ReadPage(0, now));
    EXPECT_EQ(now, *expected);
    EXPECT_EQ(failures, 0);
}

TEST_F(ConstantsTransferSim, NothingIsWrittenWhenAStepFails)
{
    Start();
    ASSERT_TRUE(link.WritePage(0, ValidPage()));
    RegulationConstants model;
    ASSERT_EQ(ReadConstants(link, model), Transfer::Done);

    model.Log2 = -1;
    EXPECT_EQ(WriteConstants(link, model), Transfer::RangeCheckError);
    EXPECT_EQ(ReceivedAfter(257 + 1, 1), std::vector<std::uint8_t>{0x20});
    EXPECT_EQ(failures, 0);

    sim.reset();  // the Controller goes away
    model.Log2 = 0;
    const RegulationConstants before = model;
    EXPECT_EQ(ReadConstants(link, model), Transfer::LinkFailed);
    EXPECT_EQ(model, before);
    EXPECT_EQ(WriteConstants(link, model), Transfer::LinkFailed);
    EXPECT_EQ(failures, 2);  // one report per failed transfer
}

}  // namespace
