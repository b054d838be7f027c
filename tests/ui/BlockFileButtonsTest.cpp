// Read File and Write File through their dialogs, answered by the scripted responder.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "block/CalibrationState.h"
#include "support/PhoneFixture.h"

namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

// Words 1234, ABCD, 0, FF, 1, 8000, 7FFF, 10, A0B, FFFF, low byte first.
const std::string kTwentyBytes("\x34\x12\xCD\xAB\x00\x00\xFF\x00\x01\x00\x00\x80\xFF\x7F\x10\x00\x0B\x0A\xFF\xFF", 20);
const Names kTwentyBytesTexts = {"1234", "ABCD", "0", "FF", "1", "8000", "7FFF", "10", "A0B", "FFFF"};
const Names kEdited = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "0x001a"};

class BlockFileButtonsTest : public testsupport::PhoneFixture {
protected:
    void SetUp() override {
        Start("");
        EnterServiceMode();
    }

    std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }
    void ReadFile(std::optional<std::string> answer) {
        responder_.fileAnswers.push_back(std::move(answer));
        Form().ReadFileBtn(Form().Button5);
    }
    void WriteFile(std::optional<std::string> answer) {
        responder_.fileAnswers.push_back(std::move(answer));
        Form().WriteFileBtn(Form().WriteFileButton);
    }
};

TEST_F(BlockFileButtonsTest, TheDialogsAskWithTheirTitlesAndRememberTheChosenName) {
    ReadFile(std::nullopt);
    WriteFile(std::nullopt);
    ASSERT_EQ(responder_.dialogs.size(), 2u);
    EXPECT_EQ(responder_.dialogs[0].kind, platform::FileDialogKind::Open);
    EXPECT_EQ(responder_.dialogs[0].title, "Block File To Read");
    EXPECT_EQ(responder_.dialogs[0].fileName, "");
    EXPECT_EQ(responder_.dialogs[1].kind, platform::FileDialogKind::Save);
    EXPECT_EQ(responder_.dialogs[1].title, "Block File To Write");
    EXPECT_EQ(responder_.dialogs[1].fileName, "Current.blk");
    for (const auto& request : responder_.dialogs) {
        EXPECT_EQ(request.filter, "Block files|*.blk");
        EXPECT_EQ(request.defaultExtension, "blk");
    }

    WriteFile(PathOf("kept.blk"));
    WriteFile(std::nullopt);
    EXPECT_EQ(responder_.dialogs.back().fileName, PathOf("kept.blk"));
}

TEST_F(BlockFileButtonsTest, CancelTouchesNoFileAndNoField) {
    SetFieldTexts(kEdited);
    ReadFile(std::nullopt);
    WriteFile(std::nullopt);
    EXPECT_EQ(FieldTexts(), kEdited);
    EXPECT_TRUE(responder_.messages.empty());
    EXPECT_FALSE(fs::exists(dir_ / "Current.blk"));
}

TEST_F(BlockFileButtonsTest, ReadingLoadsTwentyBytesOrMoreAndRefusesAnythingElse) {
    struct Case {
        const char* name;
        std::string contents;  // written to the file first; "<dir>" makes a folder, "<none>" nothing
        bool loads;
    };
    const Case cases[] = {
        {"exact.blk", kTwentyBytes, true},
        {"long.blk", kTwentyBytes + "extra", true},
        {"short.blk", kTwentyBytes.substr(0, 19), false},
        {"empty.blk", "", false},
        {"missing.blk", "<none>", false},
        {"folder.blk", "<dir>", false},
        {"", "<none>", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        responder_.messages.clear();
        SetFieldTexts(kEdited);
        std::string path = c.name[0] != '\0' ? PathOf(c.name) : "";
        if (c.contents == "<dir>") {
            fs::create_directory(path);
        } else if (c.contents != "<none>") {
            dir_.Write(c.name, c.contents);
        }
        ReadFile(path);
        if (c.loads) {
            EXPECT_TRUE(responder_.messages.empty());
            EXPECT_EQ(FieldTexts(), kTwentyBytesTexts);
        } else {
            EXPECT_EQ(responder_.messages, Names{"Error: Read file error"});
            EXPECT_EQ(FieldTexts(), kEdited);
        }
    }
}

TEST_F(BlockFileButtonsTest, SavingReplacesALongerFileWithTwentyBytesThatLoadBackInTheirOwnForm) {
    dir_.Write("old.blk", std::string(100, 'x'));
    SetFieldTexts(kEdited);
    WriteFile(PathOf("old.blk"));
    EXPECT_TRUE(responder_.messages.empty());
    EXPECT_EQ(fs::file_size(dir_ / "old.blk"), 20u);
    SetFieldTexts(Names(10, "0"));
    ReadFile(PathOf("old.blk"));
    EXPECT_EQ(FieldTexts(), (Names{"1", "2", "3", "4", "5", "6", "7", "8", "9", "1A"}));
}

TEST_F(BlockFileButtonsTest, ATargetThatCannotBeOpenedIsRefusedBeforeTheFieldsAreRead) {
    SetFieldTexts(kEdited);
    WriteFile(PathOf("no-such-folder/x.blk"));
    EXPECT_EQ(responder_.messages, Names{"Error: Write file error"});
    EXPECT_EQ(block::CalibrationBlock, block::BlockBytes{}) << "the fields were read";
    EXPECT_FALSE(fs::exists(dir_ / "no-such-folder"));
}

TEST_F(BlockFileButtonsTest, AFullDeviceReportsTheFailedWrite) {
    if (!fs::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full";
    }
    WriteFile("/dev/full");
    EXPECT_EQ(responder_.messages, Names{"Error: Write file error"});
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

TEST_F(BlockFileButtonsTest, ABlockTravelsPhoneToFileToPhoneByteForByte) {
    Form().ReadPhone();
    const Names fromPhone = FieldTexts();
    WriteFile(PathOf("phone.blk"));
    SetFieldTexts(Names(10, "0"));
    Form().WritePhone();  // the phone now holds zeros
    ReadFile(PathOf("phone.blk"));
    EXPECT_EQ(FieldTexts(), fromPhone);
    Form().WritePhone();
    SetFieldTexts(Names(10, "0"));
    Form().ReadPhone();
    EXPECT_EQ(FieldTexts(), fromPhone);
    EXPECT_TRUE(responder_.messages.empty());
}

}  // namespace
