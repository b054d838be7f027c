#include "settings/SettingsFileScanner.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "support/MemoryFile.h"

namespace settings {
namespace {

using testsupport::MemoryFile;

std::vector<std::string> AllPieces(std::string contents, std::size_t pieceSize) {
    MemoryFile file(contents);
    std::vector<std::string> pieces;
    while (std::optional<std::string> piece = ReadLinePiece(file.get(), pieceSize)) {
        pieces.push_back(*piece);
    }
    return pieces;
}

TEST(SettingsFileScanner, PiecesEndAfterTheLineFeedOrAtTheirSize) {
    using Pieces = std::vector<std::string>;
    EXPECT_EQ(AllPieces("abc\ndefgh\n", 3), (Pieces{"abc", "\n", "def", "gh\n"}));
    EXPECT_EQ(AllPieces("ab\n\ncd", 1023), (Pieces{"ab\n", "\n", "cd"}));
    EXPECT_EQ(AllPieces("ab", 0), (Pieces{"a", "b"}));  // a size below 1 counts as 1
    EXPECT_EQ(AllPieces("", 8), Pieces{});
    // Only a carriage return directly before a line feed is dropped, and the pair counts as one
    // character of the piece.
    EXPECT_EQ(AllPieces("a\r\nb\rc\r\r\nd\r", 1023), (Pieces{"a\n", "b\rc\r\n", "d\r"}));
    EXPECT_EQ(AllPieces("ab\r\ncd", 3), (Pieces{"ab\n", "cd"}));
}

TEST(SettingsFileScanner, FindsValuesPieceByPiece) {
    using namespace std::string_literals;  // "..."s keeps zero bytes
    struct Case {
        const char* what;
        std::string contents;
        std::size_t pieceSize;
        std::optional<std::string> value;
    };
    const Case cases[] = {
        {"plain", "[Sec]\nK=v\n", 1023, "v"},
        {"header and its line feed in separate pieces", "[Sec]\nK=v\n", 5, "v"},
        {"a header cut before its bracket names the section", "[Sec]\nK=v\n", 4, "v"},
        {"a header without bracket names the section up to the piece end", "[SecK=1\n", 4, "1"},
        {"the same header at full length carries its line feed", "[Sec\nK=1\n", 1023, std::nullopt},
        {"the value stops at the piece end", "[Sec]\nK=12345\n", 6, "1234"},
        {"the rest of a long line is a line of its own", "[Sec]\nxxxxxxK=7\n", 6, "7"},
        {"the rest of a long line can end the section", "[Sec]\nxxxxxx[T]\nK=7\n", 6, std::nullopt},
        {"a line feed alone is a key line that matches nothing", "[Sec]\n\nK=7\n", 1023, "7"},
        {"carriage return before line feed dropped", "[Sec]\r\nK=ab\r\n", 1023, "ab"},
        {"carriage return before line feed takes no room in the piece", "[Sec]\nK=ab\r\n", 5, "ab"},
        {"a lone carriage return stays", "[Sec]\nK=a\rb\n", 1023, "a\rb"},
        {"a carriage return at the end of the file stays", "[Sec]\nK=ab\r", 1023, "ab\r"},
        {"a zero byte ends what is seen of the line", "[Sec]\nK=a\0b\n"s, 1023, "a"},
        {"a zero byte ends a header without bracket", "[Sec\0]\nK=1\n"s, 1023, "1"},
        {"a line starting with a zero byte is nothing", "[Sec]\n\0K=1\nK=2\n"s, 1023, "2"},
    };
    for (const Case& c : cases) {
        std::string contents = c.contents;
        MemoryFile file(contents);
        ASSERT_NE(file.get(), nullptr);
        EXPECT_EQ(FindSettingValue(file.get(), "Sec", "K", c.pieceSize), c.value) << c.what;
    }
}

}  // namespace
}  // namespace settings
