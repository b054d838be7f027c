// Read Phone and Write Phone against the simulator: which library calls are made, the run-log
// line and the message of every failure, and what the editor fields show.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "block/CalibrationState.h"
#include "platform/Types.h"
#include "support/PhoneFixture.h"

namespace {

using Names = std::vector<std::string>;

// Words 1234, ABCD, 0, FF, 1, 8000, 7FFF, 10, A0B, FFFF, low byte first.
constexpr const char* kBlock = "block=3412CDAB0000FF0001000080FF7F10000B0AFFFF\n";
const std::vector<std::string> kBlockTexts = {"1234", "ABCD", "0",   "FF",  "1",
                                              "8000", "7FFF", "10",  "A0B", "FFFF"};
const std::vector<std::string> kZeros(10, "0");

class BlockTransferTest : public testsupport::PhoneFixture {
protected:
    // While a failure's box is open, the status line still shows the operation's caption in lime.
    void ExpectStatusDuringBox(const char* caption) {
        responder_.whileMessageOpen = [this, caption](const std::string&) {
            EXPECT_TRUE(Form().ConnectLabel->Visible());
            EXPECT_EQ(Form().ConnectLabel->Caption(), caption);
            EXPECT_EQ(Form().ConnectLabel->Font().color, platform::clLime);
        };
    }
};

TEST_F(BlockTransferTest, ASuccessfulReadReplacesAllTenFieldsSilently) {
    Start(kBlock);
    EnterServiceMode();
    MarkJournal();
    Form().ReadPhone();
    EXPECT_EQ(FieldTexts(), kBlockTexts);
    EXPECT_EQ(CallNamesSinceMark(), (Names{"WGiveEeliteBlockVersionAndSize", "WReadEeliteBlock"}));
    EXPECT_TRUE(responder_.messages.empty());
    EXPECT_EQ(RunLog(), "");
    EXPECT_FALSE(Form().ConnectLabel->Visible());
    EXPECT_EQ(Form().ConnectLabel->Caption(), "Reading Eelite Block...");
}

struct FailureRow {
    const char* name;
    const char* scenario;
    bool write;            // WritePhone instead of ReadPhone
    Names calls;           // the library calls made, in order
    const char* logLine;
    const char* message;   // nullptr: only its beginning is checked below
};

class BlockFailureTest : public BlockTransferTest,
                         public ::testing::WithParamInterface<FailureRow> {};

TEST_P(BlockFailureTest, LogsThenShowsTheMessageThenHidesTheStatusAndChangesNoField) {
    const FailureRow& row = GetParam();
    Start(std::string(kBlock) + row.scenario);
    EnterServiceMode();
    SetFieldTexts({"1", "2", "3", "4", "5", "6", "7", "8", "9", "0x001a"});
    const auto fieldsBefore = FieldTexts();
    ExpectStatusDuringBox(row.write ? "Writing Eelite Block..." : "Reading Eelite Block...");
    MarkJournal();

    row.write ? Form().WritePhone() : Form().ReadPhone();

    EXPECT_EQ(CallNamesSinceMark(), row.calls);
    EXPECT_EQ(RunLog(), row.logLine);
    ASSERT_EQ(responder_.messages.size(), 1u);
    if (row.message != nullptr) {
        EXPECT_EQ(responder_.messages[0], row.message);
    }
    EXPECT_EQ(responder_.messages[0].rfind("Error: ", 0), 0u);
    EXPECT_FALSE(Form().ConnectLabel->Visible());
    EXPECT_EQ(FieldTexts(), fieldsBefore);
}

const Names kInfo = {"WGiveEeliteBlockVersionAndSize"};
const Names kInfoRead = {"WGiveEeliteBlockVersionAndSize", "WReadEeliteBlock"};
const Names kInfoErase = {"WGiveEeliteBlockVersionAndSize", "WDeleteEeliteDataBlock"};
const Names kInfoEraseWrite = {"WGiveEeliteBlockVersionAndSize", "WDeleteEeliteDataBlock",
                               "WWriteEeliteBlock"};

INSTANTIATE_TEST_SUITE_P(
    EveryFailureRow, BlockFailureTest,
    ::testing::Values(
        FailureRow{"ReadVersionRead", "fail.WGiveEeliteBlockVersionAndSize=1\n", false, kInfo,
                   "Eelite BlockId=67 version read Error!!!\n",
                   "Error: Unable to read Eelite BlockId=67 info"},
        FailureRow{"WriteVersionRead", "fail.WGiveEeliteBlockVersionAndSize=1\n", true, kInfo,
                   "Eelite BlockId=67 version read Error!!!\n",
                   "Error: Unable to read Eelite BlockId=67 info"},
        FailureRow{"ReadSize24", "block_size=24\n", false, kInfo, " punBlockSize!=20 !!!\n",
                   "Error: punBlockSize!=20"},
        FailureRow{"WriteSize24", "block_size=24\n", true, kInfo, " punBlockSize!=20 !!!\n",
                   "Error: punBlockSize!=20"},
        FailureRow{"ReadVersion2", "block_version=2\n", false, kInfo, " pucVersion!=1 !!!\n",
                   "Error: pucVersion!=1"},
        FailureRow{"WriteSize24Version2", "block_size=24\nblock_version=2\n", true, kInfo,
                   " punBlockSize!=20 !!!\n", "Error: punBlockSize!=20"},
        FailureRow{"ReadBlockRead", "fail.WReadEeliteBlock=1\n", false, kInfoRead,
                   "Eelite BlockId=67 read Error!!!\n", "Error: Unable to read Eelite BlockId=67"},
        FailureRow{"WriteErase", "fail.WDeleteEeliteDataBlock=1\n", true, kInfoErase,
                   "Eelite erase error!!!\n", "Error: Unable to erase Eelite block"},
        FailureRow{"WriteWrite", "fail.WWriteEeliteBlock=1\n", true, kInfoEraseWrite,
                   "Eelite block write error!!!\n", nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(BlockTransferTest, AFailedWriteTellsThatTheBlockIsGoneAndHowToRetry) {
    Start(std::string(kBlock) + "fail.WWriteEeliteBlock=1\n");
    EnterServiceMode();
    Form().WritePhone();
    ASSERT_EQ(responder_.messages.size(), 1u);
    const std::string& message = responder_.messages[0];
    EXPECT_NE(message.find("no longer holds"), std::string::npos) << message;
    EXPECT_NE(message.find("Write Phone"), std::string::npos) << message;
}

TEST_F(BlockTransferTest, AWriteSendsTheFieldTextsAsTheyStandAndReadsThemBackUnchanged) {
    Start(kBlock);
    EnterServiceMode();
    SetFieldTexts({"0x001a", "  7f", "1c4a", "0X12", "ffff ", "0", "00FA", "abcd", "0", "FFFF"});
    Form().WritePhone();
    EXPECT_TRUE(responder_.messages.empty());
    EXPECT_FALSE(Form().ConnectLabel->Visible());
    SetFieldTexts(kZeros);
    Form().ReadPhone();
    EXPECT_EQ(FieldTexts(), (Names{"1A", "7F", "1C4A", "12", "FFFF", "0", "FA", "ABCD", "0", "FFFF"}));
    const auto writes = testsupport::CallsOf(Journal(), "WWriteEeliteBlock");
    ASSERT_EQ(writes.size(), 1u);
    // Block 67 with the size and version the phone reported.
    EXPECT_NE(writes[0].arguments.find(" 67 20 1 "), std::string::npos) << writes[0].line;
}

// A field that holds no clean word stops Write Phone before its first library call and Write File
// before its dialog: the phone's block and every file stay as they were, the run log is not
// touched, and the fields keep the texts so that the user can correct them.
struct UncleanRow {
    const char* name;
    std::vector<std::string> texts;
    const char* message;
};

class UncleanFieldsTest : public BlockTransferTest,
                          public ::testing::WithParamInterface<UncleanRow> {};

TEST_P(UncleanFieldsTest, NothingIsErasedWrittenOrSaved) {
    const UncleanRow& row = GetParam();
    Start(kBlock);
    EnterServiceMode();
    SetFieldTexts(row.texts);
    MarkJournal();

    Form().WritePhone();
    responder_.fileAnswers.push_back((dir_ / "out.blk").string());
    Form().WriteFileBtn(Form().WriteFileButton);

    EXPECT_EQ(CallNamesSinceMark(), Names{});
    EXPECT_EQ(responder_.messages, (Names{row.message, row.message}));
    EXPECT_TRUE(responder_.dialogs.empty());
    EXPECT_FALSE(std::filesystem::exists(dir_ / "out.blk"));
    EXPECT_EQ(RunLog(), "");
    EXPECT_EQ(FieldTexts(), row.texts);
    EXPECT_FALSE(Form().ConnectLabel->Visible());
}

std::vector<std::string> With(std::vector<std::pair<int, std::string>> edits) {
    std::vector<std::string> texts(10, "0");
    for (auto& [word, text] : edits) {
        texts[static_cast<std::size_t>(word)] = text;
    }
    return texts;
}

#define CORVANE_RULE                                                                            \
    " no 16-bit hexadecimal word, so nothing was written; a field may hold only one to four " \
    "hexadecimal digits (0-9, A-F), optionally after 0x."

INSTANTIATE_TEST_SUITE_P(
    TypingMistakes, UncleanFieldsTest,
    ::testing::Values(
        UncleanRow{"Letters", With({{2, "xyz"}}), "Error: 0004: \"xyz\" holds" CORVANE_RULE},
        UncleanRow{"SixDigits", With({{0, "123456"}}), "Error: 0000: \"123456\" holds" CORVANE_RULE},
        UncleanRow{"Sign", With({{9, "-1"}}), "Error: 0012: \"-1\" holds" CORVANE_RULE},
        UncleanRow{"TrailingLetter", With({{5, "12G4"}}), "Error: 000A: \"12G4\" holds" CORVANE_RULE},
        UncleanRow{"Empty", With({{7, ""}}), "Error: 000E: \"\" holds" CORVANE_RULE},
        UncleanRow{"Several",
                   {"xyz", "123456", "-1", "12G4", "", "1", "2", "3", "4", "5"},
                   "Error: 0000: \"xyz\", 0002: \"123456\", 0004: \"-1\", 0006: \"12G4\" and "
                   "0008: \"\" hold" CORVANE_RULE}),
    [](const auto& info) { return std::string(info.param.name); });

#undef CORVANE_RULE

TEST_F(BlockTransferTest, AWriteWhoseChecksFailDoesNotReadTheFields) {
    Start(std::string(kBlock) + "block_version=2\n");
    EnterServiceMode();
    Form().ReadPhone();  // fails too: fills nothing
    SetFieldTexts({"1", "1", "1", "1", "1", "1", "1", "1", "1", "1"});
    Form().WritePhone();
    // Still the zero block: the fields were not taken into it.
    EXPECT_EQ(block::CalibrationBlock, block::BlockBytes{});
}

}  // namespace
