#if !defined(_WIN32)
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "block/BlockFile.h"
#include "block/BlockFolderFixture.h"

namespace block {
namespace {

using BlockFileWriterTest = BlockFolderFixture;
using Names = std::set<std::string>;

bool Save(const std::string& path, const BlockBytes& block) {
    std::optional<BlockFileWriter> writer = BlockFileWriter::Open(path);
    return writer && writer->Commit(block);
}

#if !defined(_WIN32)
mode_t PermissionBits(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 0777;
}
#endif

TEST_F(BlockFileWriterTest, SavesANewFileThatLoadsBack) {
    const std::string path = PathOf("Current.blk");
    ASSERT_TRUE(Save(path, PatternBlock(3)));
    EXPECT_EQ(ReadFile(path), ToVector(PatternBlock(3)));
    EXPECT_EQ(ReadBlockFile(path), PatternBlock(3));
    EXPECT_EQ(Listing(), Names{"Current.blk"});

#if !defined(_WIN32)
    // A new file gets what fopen would give it, not the temporary file's 0600.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(PermissionBits(path), 0666 & ~mask);
#endif
}

TEST_F(BlockFileWriterTest, ReplacesAnExistingFileKeepingItsPermissions) {
    const std::string path = PathOf("old.blk");
    WriteFile(path, Pattern(100, 9));
#if !defined(_WIN32)
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
#endif

    std::optional<BlockFileWriter> writer = BlockFileWriter::Open(path);
    ASSERT_TRUE(writer);
    EXPECT_EQ(ReadFile(path), Pattern(100, 9));  // untouched until the commit
    ASSERT_TRUE(writer->Commit(PatternBlock(1)));

    EXPECT_EQ(ReadFile(path), ToVector(PatternBlock(1)));  // exactly twenty bytes now
#if !defined(_WIN32)
    EXPECT_EQ(PermissionBits(path), 0640u);
#endif
    EXPECT_EQ(Listing(), Names{"old.blk"});
    EXPECT_FALSE(writer->Commit(PatternBlock(2)));  // one commit per writer
    EXPECT_EQ(ReadFile(path), ToVector(PatternBlock(1)));
}

#if !defined(_WIN32)
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
#endif

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
    std::vector<std::string> refused = {
        "",
        PathOf("missing/x.blk"),
        FolderPath(),
        PathOf("sub/"),
    };
    Names left;
#if defined(_WIN32)
    // Devices that are not there: no file may be made under their names.
    refused.push_back("\\\\.\\COM250");
    refused.push_back(PathOf("COM9"));
    refused.push_back(PathOf("lpt8.blk"));
#else
    ASSERT_EQ(::mkfifo(PathOf("fifo").c_str(), 0600), 0);
    std::filesystem::create_symlink(PathOf("nowhere/x.blk"), PathOf("dangling.blk"));
    refused.push_back(PathOf("fifo"));  // no reader: refused instead of waiting
    refused.push_back(PathOf("dangling.blk"));
    left = {"dangling.blk", "fifo"};
#endif
    for (const std::string& path : refused) {
        EXPECT_FALSE(BlockFileWriter::Open(path)) << "path: " << path;
    }
    EXPECT_EQ(Listing(), left);
}

#if defined(_WIN32)
TEST_F(BlockFileWriterTest, RefusesAReadOnlyFile) {
    const std::string path = PathOf("readonly.blk");
    WriteFile(path, Pattern(20, 8));
    std::filesystem::permissions(FromUtf8(path),
                                 std::filesystem::perms::owner_write |
                                     std::filesystem::perms::group_write |
                                     std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);  // the attribute
    EXPECT_FALSE(BlockFileWriter::Open(path));
    EXPECT_EQ(ReadFile(path), Pattern(20, 8));
    EXPECT_EQ(Listing(), Names{"readonly.blk"});
}

TEST_F(BlockFileWriterTest, SavesUnderNamesBeyondTheCodePage) {
    std::filesystem::create_directory(FromUtf8(PathOf("M\u00fcller")));
    for (const std::string name : {"M\u00fcller/Current.blk", "\u65e5\u672c\u8a9e.blk"}) {
        ASSERT_TRUE(Save(PathOf(name), PatternBlock(4))) << name;
        ASSERT_TRUE(Save(PathOf(name), PatternBlock(5))) << name;  // and replaces what it saved
        EXPECT_EQ(ReadBlockFile(PathOf(name)), PatternBlock(5)) << name;
    }
    EXPECT_EQ(Listing(), (Names{"M\u00fcller", "\u65e5\u672c\u8a9e.blk"}));
    EXPECT_EQ(Listing(folder_ / FromUtf8("M\u00fcller")), Names{"Current.blk"});
}

TEST_F(BlockFileWriterTest, WritesADeviceInPlace) {
    // NUL in any folder is the device: written, never replaced by a file of that name.
    for (const std::string& path : {std::string("NUL"), std::string("\\\\.\\NUL"), PathOf("nul")}) {
        std::optional<BlockFileWriter> writer = BlockFileWriter::Open(path);
        ASSERT_TRUE(writer) << path;
        EXPECT_TRUE(writer->Commit(PatternBlock(0))) << path;
    }
    EXPECT_EQ(Listing(), Names{});
}
#else
TEST_F(BlockFileWriterTest, RefusesWhatPermissionsForbid) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root writes regardless of permission bits";
    }
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
}
#endif

TEST_F(BlockFileWriterTest, FailedCommitRemovesTheTemporaryFile) {
    // The target turns into a non-empty folder between Open and Commit: the rename must fail.
    const std::string path = PathOf("later.blk");
    std::optional<BlockFileWriter> writer = BlockFileWriter::Open(path);
    ASSERT_TRUE(writer);
    std::filesystem::create_directory(FromUtf8(path));
    WriteFile(PathOf("later.blk/inside"), Pattern(1));

    EXPECT_FALSE(writer->Commit(PatternBlock(0)));
    EXPECT_EQ(Listing(), Names{"later.blk"});
    EXPECT_TRUE(std::filesystem::is_directory(FromUtf8(path)));
    EXPECT_EQ(Listing(FromUtf8(path)), Names{"inside"});
}

#if !defined(_WIN32)
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
#endif

}  // namespace
}  // namespace block
