#include "block/BlockFile.h"

#if !defined(_WIN32)
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <optional>

#include "block/BlockFolderFixture.h"

namespace block {
namespace {

using ReadBlockFileTest = BlockFolderFixture;

TEST_F(ReadBlockFileTest, TakesTheFirstTwentyBytesOfALongEnoughFile) {
    struct Case {
        std::size_t fileBytes;
        bool loads;
    };
    const Case cases[] = {{20, true}, {25, true}, {19, false}, {0, false}};
    for (const Case& c : cases) {
        const std::string path = PathOf("size" + std::to_string(c.fileBytes) + ".blk");
        WriteFile(path, Pattern(c.fileBytes, 7));
        const std::optional<BlockBytes> block = ReadBlockFile(path);
        ASSERT_EQ(block.has_value(), c.loads) << c.fileBytes << " bytes";
        if (c.loads) {
            EXPECT_EQ(*block, PatternBlock(7)) << c.fileBytes << " bytes";
        }
    }
}

TEST_F(ReadBlockFileTest, RefusesWhatIsNoBlockFile) {
    EXPECT_EQ(ReadBlockFile(""), std::nullopt);
    EXPECT_EQ(ReadBlockFile(PathOf("missing.blk")), std::nullopt);
    EXPECT_EQ(ReadBlockFile(FolderPath()), std::nullopt);
#if defined(_WIN32)
    EXPECT_EQ(ReadBlockFile("NUL"), std::nullopt);  // a device that ends at once
#else
    ASSERT_EQ(::mkfifo(PathOf("fifo").c_str(), 0600), 0);
    EXPECT_EQ(ReadBlockFile(PathOf("fifo")), std::nullopt);  // and does not wait for a writer
#endif
}

#if defined(_WIN32)
TEST_F(ReadBlockFileTest, ReadsNamesBeyondTheCodePage) {
    // The wide functions open any name; the ANSI ones would fail on these, or open another file.
    std::filesystem::create_directory(FromUtf8(PathOf("M\u00fcller")));
    for (const std::string name : {"M\u00fcller/Current.blk", "\u65e5\u672c\u8a9e.blk"}) {
        WriteFile(PathOf(name), Pattern(20, 2));
        EXPECT_EQ(ReadBlockFile(PathOf(name)), PatternBlock(2)) << name;
    }
}
#else
TEST_F(ReadBlockFileTest, RefusesAFileItMayNotRead) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root reads files regardless of their permission bits";
    }
    const std::string path = PathOf("locked.blk");
    WriteFile(path, Pattern(20));
    ASSERT_EQ(::chmod(path.c_str(), 0200), 0);
    EXPECT_EQ(ReadBlockFile(path), std::nullopt);
}
#endif

}  // namespace
}  // namespace block
