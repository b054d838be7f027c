#include "block/UncleanFields.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace block {
namespace {

TEST(UncleanFields, OffsetLabelsAreTheLabelsBesideTheFields) {
    const char* labels[] = {"0000:", "0002:", "0004:", "0006:", "0008:",
                            "000A:", "000C:", "000E:", "0010:", "0012:"};
    for (std::size_t word = 0; word < std::size(labels); ++word) {
        EXPECT_EQ(OffsetLabel(word), labels[word]);
    }
}

TEST(UncleanFields, FindsEveryFieldWithoutACleanWordInWordOrder) {
    const std::vector<std::string> texts = {"1c4a", "xyz", "0x12", "123456", "  7f",
                                            "-1",   "FFFF", "12G4", "0",      ""};
    const std::vector<UncleanField> expected = {
        {1, "xyz"}, {3, "123456"}, {5, "-1"}, {7, "12G4"}, {9, ""}};
    EXPECT_EQ(FindUncleanFields(texts), expected);
    EXPECT_TRUE(FindUncleanFields(std::vector<std::string>(10, "0")).empty());
}

TEST(UncleanFields, TheMessageNamesEachFieldAndSaysWhatAFieldMayHold) {
    const std::string rule =
        " no 16-bit hexadecimal word, so nothing was written; a field may hold only one to four "
        "hexadecimal digits (0-9, A-F), optionally after 0x.";
    struct Case {
        std::vector<UncleanField> fields;
        std::string message;
    };
    const Case cases[] = {
        {{{2, "xyz"}}, "Error: 0004: \"xyz\" holds" + rule},
        {{{0, ""}, {9, "-1"}}, "Error: 0000: \"\" and 0012: \"-1\" hold" + rule},
        {{{1, "a"}, {5, "b"}, {7, "c"}},
         "Error: 0002: \"a\", 000A: \"b\" and 000E: \"c\" hold" + rule},
        // A long text is cut so that the box stays readable, never inside a UTF-8 character.
        {{{4, std::string(40, 'G')}}, "Error: 0008: \"" + std::string(24, 'G') + "...\" holds" + rule},
        {{{4, std::string(23, 'G') + "\u00B0C"}},
         "Error: 0008: \"" + std::string(23, 'G') + "...\" holds" + rule},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(UncleanFieldsMessage(c.fields), c.message);
    }
}

}  // namespace
}  // namespace block
