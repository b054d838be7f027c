// Block 67: the store's round trip, its forced failures and its image file.
#include <array>
#include <filesystem>

#include "SimulatorFixture.h"

namespace simtest {
namespace {

using Block = std::array<uint8_t, 20>;

constexpr Block kWritten = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20};
constexpr Block kSentinel = {0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE,
                             0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE};

class BlockTest : public SimulatorTest {
  protected:
    void Connect(const std::string& scenario) {
        UseScenario("service_mode_ms_per_unit=0\nservice_mode_failures=0\n" + scenario);
        ASSERT_NE(Open(), -1) << LastErrorText();
        Reconnect();
    }
    void Reconnect() { ASSERT_NE(Sim().WInitServiceMode(handle_, 1, 10), 0); }
    int32_t Read(Block& block) {
        uint32_t size = 0;
        uint32_t version = 0;
        return Sim().WReadEeliteBlock(handle_, 67, &size, &version, block.data());
    }
    int32_t Write(const Block& block) {
        return Sim().WWriteEeliteBlock(handle_, 67, 20, 1, block.data());
    }
    int32_t VersionAndSize(uint32_t& size, uint32_t& version) {
        return Sim().WGiveEeliteBlockVersionAndSize(handle_, 67, &size, &version);
    }
};

TEST_F(BlockTest, EraseWriteReadRoundTrip) {
    Connect("");
    Block block = kSentinel;
    ASSERT_NE(Read(block), 0);
    EXPECT_NE(block, kSentinel);

    ASSERT_NE(Sim().WDeleteEeliteDataBlock(handle_, 67), 0);
    uint32_t size = 0;
    uint32_t version = 0;
    block = kSentinel;
    EXPECT_EQ(Read(block), 0);
    EXPECT_EQ(block, kSentinel);
    EXPECT_EQ(VersionAndSize(size, version), 0);

    ASSERT_NE(Write(kWritten), 0);
    ASSERT_NE(Read(block), 0);
    EXPECT_EQ(block, kWritten);
    ASSERT_NE(VersionAndSize(size, version), 0);
    EXPECT_EQ(size, 20u);
    EXPECT_EQ(version, 1u);
}

TEST_F(BlockTest, ScenarioGivesSizeVersionAndContents) {
    Connect("block_size=24\nblock_version=2\nblock=0102030405060708090a0b0c0d0e0f1011121314\n");
    uint32_t size = 0;
    uint32_t version = 0;
    ASSERT_NE(VersionAndSize(size, version), 0);
    EXPECT_EQ(size, 24u);
    EXPECT_EQ(version, 2u);
    Block block{};
    ASSERT_NE(Read(block), 0);
    EXPECT_EQ(block, kWritten);
}

TEST_F(BlockTest, RefusesOtherBlocksAndSizes) {
    Connect("");
    uint32_t size = 0;
    uint32_t version = 0;
    EXPECT_EQ(Sim().WGiveEeliteBlockVersionAndSize(handle_, 66, &size, &version), 0);
    EXPECT_EQ(Sim().WDeleteEeliteDataBlock(handle_, 68), 0);
    EXPECT_EQ(Sim().WWriteEeliteBlock(handle_, 67, 24, 1, kWritten.data()), 0);
    EXPECT_EQ(Sim().WWriteEeliteBlock(handle_, 67, 20, 1, nullptr), 0);
}

// The four block operations in the tool's order. Each entry is true when the operation
// succeeded; a failed one must also have left every address it was given as it was.
std::array<bool, 4> RunBlockOperations(int32_t handle) {
    uint32_t size = 99;
    uint32_t version = 99;
    Block block = kSentinel;
    std::array<bool, 4> succeeded{};
    succeeded[0] = Sim().WGiveEeliteBlockVersionAndSize(handle, 67, &size, &version) != 0;
    EXPECT_TRUE(succeeded[0] || (size == 99 && version == 99));
    size = version = 99;
    succeeded[1] = Sim().WReadEeliteBlock(handle, 67, &size, &version, block.data()) != 0;
    EXPECT_TRUE(succeeded[1] || (size == 99 && version == 99 && block == kSentinel));
    succeeded[2] = Sim().WDeleteEeliteDataBlock(handle, 67) != 0;
    succeeded[3] = Sim().WWriteEeliteBlock(handle, 67, 20, 1, kWritten.data()) != 0;
    return succeeded;
}

struct ForcedFailure {
    const char* entryPoint;
    std::size_t index;  // in RunBlockOperations' order
};

class BlockFailureTest : public BlockTest, public ::testing::WithParamInterface<ForcedFailure> {};

TEST_P(BlockFailureTest, OnlyTheNamedOperationFails) {
    Connect(std::string("fail.") + GetParam().entryPoint + "=1\n");
    const std::array<bool, 4> succeeded = RunBlockOperations(handle_);
    for (std::size_t i = 0; i < succeeded.size(); ++i) {
        EXPECT_EQ(succeeded[i], i != GetParam().index) << "operation " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Keys, BlockFailureTest,
                         ::testing::Values(ForcedFailure{"WGiveEeliteBlockVersionAndSize", 0},
                                           ForcedFailure{"WReadEeliteBlock", 1},
                                           ForcedFailure{"WDeleteEeliteDataBlock", 2},
                                           ForcedFailure{"WWriteEeliteBlock", 3}),
                         [](const auto& info) { return std::string(info.param.entryPoint); });

TEST_F(BlockTest, BlockOutlivesThePhoneGoingAwayAndThePortClosing) {
    Connect("pings_after_connect=0\ngone_for_attempts=1\n");
    ASSERT_NE(Write(kWritten), 0);
    ASSERT_NE(Sim().WPingMobile(handle_), 0);
    ASSERT_EQ(Sim().WPingMobile(handle_), 0);  // gone
    Block block{};
    EXPECT_EQ(Read(block), 0);
    EXPECT_EQ(Sim().WInitServiceMode(handle_, 1, 10), 0);
    Reconnect();
    ASSERT_NE(Read(block), 0);
    EXPECT_EQ(block, kWritten);

    Close();
    ASSERT_NE(Open(), -1);  // same scenario: same phone
    Reconnect();
    ASSERT_NE(Read(block), 0);
    EXPECT_EQ(block, kWritten);
}

TEST_F(BlockTest, ImageFileKeepsTheBlockAcrossScenarios) {
    const std::string image = Folder() + "/block67.img";
    Connect("eelite_image=" + image + "\n");
    EXPECT_FALSE(Exists(image));  // nothing written yet
    ASSERT_NE(Write(kWritten), 0);
    EXPECT_EQ(ReadFile(image),
              "# Simulated EELITE block 67\nsize=20\nversion=1\n"
              "block=0102030405060708090a0b0c0d0e0f1011121314\n");
    EXPECT_FALSE(Exists(image + ".tmp"));

    Close();
    Connect("# another scenario, another phone, the same image\neelite_image=" + image + "\n");
    Block block{};
    ASSERT_NE(Read(block), 0);
    EXPECT_EQ(block, kWritten);

    ASSERT_NE(Sim().WDeleteEeliteDataBlock(handle_, 67), 0);
    Close();
    Connect("# a third phone\neelite_image=" + image + "\n");
    EXPECT_EQ(Read(block), 0);
}

TEST_F(BlockTest, UnsavableImageFailsTheWriteAndKeepsTheBlock) {
    Connect("eelite_image=" + Folder() + "/no-such-folder/block67.img\n");
    Block before{};
    ASSERT_NE(Read(before), 0);
    EXPECT_EQ(Write(kWritten), 0);
    EXPECT_EQ(Sim().WDeleteEeliteDataBlock(handle_, 67), 0);
    Block after{};
    ASSERT_NE(Read(after), 0);
    EXPECT_EQ(after, before);
}

TEST_F(BlockTest, MalformedImageFailsTheOpen) {
    const std::string image = Folder() + "/block67.img";
    WriteFile(image, "size=20\nversion=1\nblock=12\n");
    UseScenario("eelite_image=" + image + "\n");
    EXPECT_EQ(Open(), -1);
    EXPECT_EQ(Sim().WComGetLastError(), 9002);
    EXPECT_NE(LastErrorText().find("line 3"), std::string::npos) << LastErrorText();
}

}  // namespace
}  // namespace simtest
