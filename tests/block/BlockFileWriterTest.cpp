#include <sys/stat.h>

#include <filesystem>
#include <optional>
#include <set>
#include <utility>

#include "block/BlockFile.h"
#include "block/BlockFolderFixture.h"
#include "support/Unprivileged.h"

namespace block {
namespace {

using BlockFileWriterTest = BlockFolderFixture;
using Names = std::set<std::string>;

bool Save(const std::string& path, const BlockBytes& block) {
    std::optional<BlockFileWriter> writer = BlockFileWriter::Open(path);
    return writer && writer->Commit(block);
}

mode_t PermissionBits(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 0777;
}

TEST_F(BlockFileWriterTest, SavesANewFileThatLoadsBack) {
    const std::string path = PathOf("Current.blk");
    ASSERT_TRUE(Save(path, PatternBlock(3)));
    EXPECT_EQ(ReadFile(path), ToVector(PatternBlock(3)));
    EXPECT_EQ(ReadBlockFile(path), PatternBlock(3));
    EXPECT_EQ(Listing(), Names{"Current.blk"});

    // A new file gets what fopen would give it, not the temporary file's 0600.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(PermissionBits(path), 0666 & ~mask);
}

TEST_F(BlockFileWriterTest, ReplacesAnExistingFileKeepingItsPermissions) {
    const std::string path = PathOf("old.blk");
    WriteFile(path, Pattern(100, 9));
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);

    std::optional<BlockFileWriter> writer = BlockFileWriter::Open(path);
    ASSERT_TRUE(writer);
    EXPECT_EQ(ReadFile(path), Pattern(100, 9));  // untouched until the commit
    ASSERT_TRUE(writer->Commit(PatternBlock(1)));

    EXPECT_EQ(ReadFile(path), ToVector(PatternBlock(1)));  // exactly twenty bytes now
    EXPECT_EQ(PermissionBits(path), 0640u);
    EXPECT_EQ(Listing(), Names{"old.blk"});
    EXPECT_FALSE(writer->Commit(PatternBlock(2)));  // one commit per writer
    EXPECT_EQ(ReadFile(path), ToVector(PatternBlock(1)));
}

TEST_F(BlockFileWriterTest, ReplacesTheTargetOfASymlinkAndKeepsTheLink) {
    std::filesystem::create_directory(folder_ / "real");
    const std::string target = PathOf("real/target.blk");
    const std::string link = PathOf("link.blk");
    WriteFile(target, Pattern(30));
    std::filesystem::create_symlink(target, link);

    ASSERT_TRUE(Save(link, PatternBlock(5)));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadFile(target), ToVector(PatternBlock(5)));
    EXPECT_EQ(Listing(), (Names{"link.blk", "real"}));
    EXPECT_EQ(Listing(folder_ / "real"), Names{"target.blk"});
}

TEST_F(BlockFileWriterTest, UncommittedWriterLeavesNoTraceAndMovesCleanly) {
    const std::string path = PathOf("keep.blk");
    WriteFile(path, Pattern(20, 4));
    {
        std::optional<BlockFileWriter> writer = BlockFileWriter::Open(path);
        ASSERT_TRUE(writer);
        EXPECT_EQ(Listing().size(), 2u);  // the target and the temporary file
    }
    EXPECT_EQ(Listing(), Names{"keep.blk"});
    EXPECT_EQ(ReadFile(path), Pattern(20, 4));

    std::optional<BlockFileWriter> opened = BlockFileWriter::Open(PathOf("moved.blk"));
    ASSERT_TRUE(opened);
    BlockFileWriter moved = std::move(*opened);
    opened.reset();  // the moved-from writer owns nothing any more
    ASSERT_TRUE(moved.Commit(PatternBlock(6)));
    EXPECT_EQ(ReadFile(PathOf("moved.blk")), ToVector(PatternBlock(6)));
    EXPECT_EQ(Listing(), (Names{"keep.blk", "moved.blk"}));
}

TEST_F(BlockFileWriterTest, RefusedTargetsCreateNothing) {
    ASSERT_EQ(::mkfifo(PathOf("fifo").c_str(), 0600), 0);
    std::filesystem::create_symlink(PathOf("nowhere/x.blk"), PathOf("dangling.blk"));
    const std::string refused[] = {
        "",
        PathOf("missing/x.blk"),
        folder_.string(),
        PathOf("sub/"),
        PathOf("fifo"),  // no reader: refused instead of waiting
        PathOf("dangling.blk"),
    };
    for (const std::string& path : refused) {
        EXPECT_FALSE(BlockFileWriter::Open(path)) << "path: " << path;
    }
    EXPECT_EQ(Listing(), (Names{"dangling.blk", "fifo"}));
}

TEST_F(BlockFileWriterTest, RefusesWhatPermissionsForbid) {
    // Root writes whatever the permission bits say: as root this runs as an ordinary user.
    testsupport::RunUnprivileged({folder_}, [&] {
        const std::string readOnlyFile = PathOf("readonly.blk");
        WriteFile(readOnlyFile, Pattern(20, 8));
        ASSERT_EQ(::chmod(readOnlyFile.c_str(), 0444), 0);
        EXPECT_FALSE(BlockFileWriter::Open(readOnlyFile));
        EXPECT_EQ(ReadFile(readOnlyFile), Pattern(20, 8));
        EXPECT_EQ(Listing(), Names{"readonly.blk"});

        const std::filesystem::path lockedFolder = folder_ / "locked";
        std::filesystem::create_directory(lockedFolder);
        ASSERT_EQ(::chmod(lockedFolder.c_str(), 0555), 0);
        EXPECT_FALSE(BlockFileWriter::Open((lockedFolder / "x.blk").string()));
        EXPECT_EQ(Listing(lockedFolder), Names{});
    });
}

TEST_F(BlockFileWriterTest, FailedCommitRemovesTheTemporaryFile) {
    // The target turns into a non-empty folder between Open and Commit: the rename must fail.
    const std::string path = PathOf("later.blk");
    std::optional<BlockFileWriter> writer = BlockFileWriter::Open(path);
    ASSERT_TRUE(writer);
    std::filesystem::create_directory(path);
    WriteFile(PathOf("later.blk/inside"), Pattern(1));

    EXPECT_FALSE(writer->Commit(PatternBlock(0)));
    EXPECT_EQ(Listing(), Names{"later.blk"});
    EXPECT_TRUE(std::filesystem::is_directory(path));
    EXPECT_EQ(Listing(path), Names{"inside"});
}

TEST_F(BlockFileWriterTest, WritesADeviceInPlaceAndReportsItsFailure) {
    if (!std::filesystem::is_character_file("/dev/full")) {
        GTEST_SKIP() << "no /dev/full here";
    }
    std::optional<BlockFileWriter> full = BlockFileWriter::Open("/dev/full");
    ASSERT_TRUE(full);
    EXPECT_FALSE(full->Commit(PatternBlock(0)));  // ENOSPC
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));

    EXPECT_TRUE(Save("/dev/null", PatternBlock(0)));
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
}

}  // namespace
}  // namespace block
