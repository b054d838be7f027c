#include "settings/LineRules.h"

#include <gtest/gtest.h>

#include <optional>
#include <string_view>

namespace settings {
namespace {

TEST(LineRules, CommentAndHeaderAreDecidedByTheFirstCharacterOnly) {
    EXPECT_TRUE(IsCommentLine(";ComNumber=3\n"));
    EXPECT_TRUE(IsCommentLine("#x"));
    EXPECT_FALSE(IsCommentLine(" ;x"));
    EXPECT_FALSE(IsCommentLine(""));
    EXPECT_TRUE(IsSectionHeader("[x"));
    EXPECT_FALSE(IsSectionHeader(" [Common]"));
    EXPECT_FALSE(IsSectionHeader(""));
}

TEST(LineRules, SectionNameOfHeader) {
    struct Case {
        std::string_view line;
        std::optional<std::string_view> name;
    };
    const Case cases[] = {
        {"[Common]\n", "Common"},
        {"[Common]junk]\n", "Common"},  // text after the closing bracket is ignored
        {"[]]Common]\n", "Common"},     // brackets right after the opening one are skipped
        {"[ Common ]\n", " Common "},   // nothing trimmed
        {"[Common\n", "Common\n"},      // no closing bracket: the line feed joins the name
        {"[Common", "Common"},          // ... which only a last line without one escapes
        {"[]\n", "\n"},
        {"[]", std::nullopt},  // empty names name no section
        {"[]]]", std::nullopt},
        {"[", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SectionNameOf(c.line), c.name) << "line: " << c.line;
    }
}

TEST(LineRules, SplitKeyLine) {
    struct Case {
        std::string_view line;
        std::string_view key;
        std::optional<std::string_view> value;
    };
    const Case cases[] = {
        {"ComNumber=3\n", "ComNumber", "3"},
        {"ComNumber=3", "ComNumber", "3"},
        {"TraceFile=a=b.log\n", "TraceFile", "a=b.log"},
        {"==ComNumber=3\n", "ComNumber", "3"},  // leading '=' skipped
        {" ComNumber = 3\n", " ComNumber ", " 3"},
        {"ComNumber=\n", "ComNumber", std::nullopt},
        {"ComNumber=", "ComNumber", std::nullopt},
        {"ComNumber\n", "ComNumber\n", std::nullopt},  // no '=': the whole line is the key
        {"ComNumber", "ComNumber", std::nullopt},
        {"===\n", "\n", std::nullopt},
        {"===", "", std::nullopt},
        {"", "", std::nullopt},
    };
    for (const Case& c : cases) {
        const KeyLine split = SplitKeyLine(c.line);
        EXPECT_EQ(split.key, c.key) << "line: " << c.line;
        EXPECT_EQ(split.value, c.value) << "line: " << c.line;
    }
}

}  // namespace
}  // namespace settings
