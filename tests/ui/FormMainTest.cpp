// The main window as the user first sees it, its tab order, its timer and Exit.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "link/LinkState.h"
#include "platform/Application.h"
#include "process/ProcessState.h"
#include "ui/CorvaneInitThread.h"
#include "ui/FormMain.h"

namespace {

using platform::TButton;
using platform::TEdit;
using platform::TLabel;
using platform::TStaticText;

class FormMainTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { platform::Application.Initialize(); }

    void SetUp() override { process::Config = settings::Settings{}; }
    void TearDown() override { ui::FormMain = nullptr; }

    ui::TFormMain& MakeForm() {
        form_ = std::make_unique<ui::TFormMain>(&platform::Application);
        ui::FormMain = form_.get();
        return *form_;
    }

    std::unique_ptr<ui::TFormMain> form_;
};

enum class Kind { Label, StaticText, Edit, Button, ProgressBar, Timer, OpenDialog, SaveDialog };

// What the user sees first. Labels and static texts size themselves to their text, so only their
// place (and a static text's height) is fixed.
struct Expected {
    const char* name;
    Kind kind;
    int left, top, width, height;  // width/height 0: sized by the text
    const char* text;              // caption, field text or button caption; nullptr: not checked
    bool visible;
    bool enabled;
};

const std::vector<Expected> kFirstSight = {
    {"ConnectLabel", Kind::Label, 16, 440, 0, 0,
     "Trying to connect to mobile with Boot-Strap-Loader", false, true},
    {"ConnectProgressBar", Kind::ProgressBar, 16, 472, 521, 13, nullptr, false, true},
    {"ReadButton", Kind::Button, 464, 216, 75, 25, "&Read Phone", true, false},
    {"ExitButton", Kind::Button, 464, 400, 75, 25, "&Exit", true, true},
    {"Sensors", Kind::Label, 16, 120, 0, 0, "Sensors", true, true},
    {"WriteButton", Kind::Button, 464, 272, 75, 25, "&Write Phone", true, false},
    {"WriteFileButton", Kind::Button, 464, 80, 75, 25, "&Write File", true, true},
    {"Button5", Kind::Button, 464, 24, 75, 25, "&Read File", true, true},
    {"Label4", Kind::Label, 16, 144, 0, 0, "VBattMiddle", true, true},
    {"Label6", Kind::Label, 96, 144, 0, 0, "VBattMax", true, true},
    {"Label8", Kind::Label, 168, 144, 0, 0, "VBattMin", true, true},
    {"Label10", Kind::Label, 232, 144, 0, 0, "BattTemp", true, true},
    {"Label12", Kind::Label, 304, 144, 0, 0, "EnvTemp", true, true},
    {"Label14", Kind::Label, 384, 144, 0, 0, "VCXOTemp", true, true},
    {"ActiveLabel", Kind::Label, 472, 152, 0, 0, "Active", false, true},
    {"Eelite", Kind::Label, 16, 200, 0, 0, "Eelite BlockId=67", true, true},
    {"Label23", Kind::Label, 112, 328, 0, 0, "000A:", true, true},
    {"Label25", Kind::Label, 16, 328, 0, 0, "0008:", true, true},
    {"Label19", Kind::Label, 16, 256, 0, 0, "0000:", true, true},
    {"Label33", Kind::Label, 112, 256, 0, 0, "0002:", true, true},
    {"Label35", Kind::Label, 240, 256, 0, 0, "0004:", true, true},
    {"Label37", Kind::Label, 336, 256, 0, 0, "0006:", true, true},
    {"Edit1", Kind::Edit, 56, 256, 49, 21, "0", true, true},
    {"Edit2", Kind::Edit, 152, 256, 49, 21, "0", true, true},
    {"Edit3", Kind::Edit, 280, 256, 49, 21, "0", true, true},
    {"Edit4", Kind::Edit, 376, 256, 49, 21, "0", true, true},
    {"Edit5", Kind::Edit, 56, 328, 49, 21, "0", true, true},
    {"Edit6", Kind::Edit, 152, 328, 49, 21, "0", true, true},
    {"Edit7", Kind::Edit, 280, 328, 49, 21, "0", true, true},
    {"Label20", Kind::Label, 336, 328, 0, 0, "000E:", true, true},
    {"Edit8", Kind::Edit, 376, 328, 49, 21, "0", true, true},
    {"Label21", Kind::Label, 240, 328, 0, 0, "000C:", true, true},
    {"Edit9", Kind::Edit, 56, 400, 49, 21, "0", true, true},
    {"Label22", Kind::Label, 112, 400, 0, 0, "0012:", true, true},
    {"Edit10", Kind::Edit, 152, 400, 49, 21, "0", true, true},
    {"Label24", Kind::Label, 16, 400, 0, 0, "0010:", true, true},
    {"Label26", Kind::Label, 72, 376, 0, 0, "VCXOTemp Data", true, true},
    {"Label27", Kind::Label, 72, 304, 0, 0, "BattTemp Data", true, true},
    {"Label28", Kind::Label, 304, 304, 0, 0, "EnvTemp Data", true, true},
    {"Label29", Kind::Label, 304, 232, 0, 0, "BattMax Data", true, true},
    {"Label30", Kind::Label, 80, 232, 0, 0, "BattMin Data", true, true},
    {"MobileInformationLabel", Kind::Label, 16, 24, 0, 0, "MobileInformation", true, true},
    {"MobileHWIdLabel", Kind::Label, 16, 48, 0, 0, "FlashSerialNumber:", true, true},
    {"MobileSWVerLabel", Kind::Label, 216, 48, 0, 0, "MobileSWVersion:", true, true},
    {"LanguageGroupLabel", Kind::Label, 16, 72, 0, 0, "LanguageGroup:", true, true},
    {"ProductNameLabel", Kind::Label, 216, 72, 0, 0, "ProductName:", true, true},
    {"MobileSWVerStText", Kind::StaticText, 328, 48, 0, 19, "--", true, true},
    {"ProductNameStText", Kind::StaticText, 328, 72, 0, 19, "--", true, true},
    {"LanguageGroupStText", Kind::StaticText, 136, 72, 0, 19, "--", true, true},
    {"MobileHWIdStText", Kind::StaticText, 136, 48, 0, 19, "--", true, true},
    {"DescriptionStText", Kind::StaticText, 136, 96, 0, 19, "--", true, true},
    {"DescriptionLabel", Kind::Label, 16, 96, 0, 0, "MobileHWId:", true, true},
    {"VBattMiddleStText", Kind::StaticText, 16, 160, 0, 19, "--", true, true},
    {"VBattMaxStText", Kind::StaticText, 96, 160, 0, 19, "--", true, true},
    {"VBattMinStText", Kind::StaticText, 168, 160, 0, 19, "--", true, true},
    {"BattTempStText", Kind::StaticText, 232, 160, 0, 19, "--", true, true},
    {"EnvTempStText", Kind::StaticText, 304, 160, 0, 19, "--", true, true},
    {"VCXOTempStText", Kind::StaticText, 384, 160, 0, 19, "--", true, true},
    {"AllTimer", Kind::Timer, 0, 0, 0, 0, nullptr, true, true},
    {"ReadFileDialog", Kind::OpenDialog, 0, 0, 0, 0, nullptr, true, true},
    {"WriteFileDialog", Kind::SaveDialog, 0, 0, 0, 0, nullptr, true, true},
    {"Label1", Kind::Label, 456, 488, 0, 0, nullptr, true, true},
};

bool HasKind(platform::TComponent* c, Kind kind) {
    switch (kind) {
        case Kind::Label:
            return dynamic_cast<TLabel*>(c) != nullptr;
        case Kind::StaticText:
            return dynamic_cast<TStaticText*>(c) != nullptr;
        case Kind::Edit:
            return dynamic_cast<TEdit*>(c) != nullptr;
        case Kind::Button:
            return dynamic_cast<TButton*>(c) != nullptr;
        case Kind::ProgressBar:
            return dynamic_cast<platform::TProgressBar*>(c) != nullptr;
        case Kind::Timer:
            return dynamic_cast<platform::TTimer*>(c) != nullptr;
        case Kind::OpenDialog:
            return dynamic_cast<platform::TOpenDialog*>(c) != nullptr;
        case Kind::SaveDialog:
            return dynamic_cast<platform::TSaveDialog*>(c) != nullptr;
    }
    return false;
}

std::string TextOf(platform::TComponent* c) {
    if (auto* label = dynamic_cast<TLabel*>(c))
        return label->Caption();
    if (auto* text = dynamic_cast<TStaticText*>(c))
        return text->Caption();
    if (auto* edit = dynamic_cast<TEdit*>(c))
        return edit->Text();
    if (auto* button = dynamic_cast<TButton*>(c))
        return button->Caption();
    return {};
}

TEST_F(FormMainTest, FirstSightShowsEveryComponentInItsStartingState) {
    ui::TFormMain& form = MakeForm();
    ASSERT_EQ(form.Components().size(), kFirstSight.size());
    for (std::size_t i = 0; i < kFirstSight.size(); ++i) {
        const Expected& e = kFirstSight[i];
        SCOPED_TRACE(e.name);
        platform::TComponent* c = form.Components()[i].get();
        EXPECT_EQ(c->Name(), e.name) << "declaration order";
        EXPECT_TRUE(HasKind(c, e.kind));
        if (e.text != nullptr) {
            EXPECT_EQ(TextOf(c), e.text);
        }
        auto* control = dynamic_cast<platform::TControl*>(c);
        if (control == nullptr) {
            continue;
        }
        const platform::TRect r = control->BoundsRect();
        EXPECT_EQ(r.left, e.left);
        EXPECT_EQ(r.top, e.top);
        if (e.width != 0) {
            EXPECT_EQ(r.width, e.width);
        }
        if (e.height != 0) {
            EXPECT_EQ(r.height, e.height);
        }
        EXPECT_EQ(control->Visible(), e.visible);
        EXPECT_EQ(control->Enabled(), e.enabled);
    }
    EXPECT_EQ(form.Caption(), "Corvane Sensors Tool");
    EXPECT_EQ(form.ConnectProgressBar->Position(), 0);
    EXPECT_EQ(form.ConnectProgressBar->Max(), 60);
    EXPECT_EQ(form.ReadFileDialog->Title, "Block File To Read");
    EXPECT_EQ(form.WriteFileDialog->Title, "Block File To Write");
    EXPECT_EQ(form.ReadFileDialog->FileName, "");
    EXPECT_EQ(form.WriteFileDialog->FileName, "Current.blk");
    for (platform::TFileDialog* dialog :
         {static_cast<platform::TFileDialog*>(form.ReadFileDialog),
          static_cast<platform::TFileDialog*>(form.WriteFileDialog)}) {
        EXPECT_EQ(dialog->Filter, "Block files|*.blk");
        EXPECT_EQ(dialog->DefaultExt, "blk");
    }
}

TEST_F(FormMainTest, LabelsSizeThemselvesToTheirText) {
    ui::TFormMain& form = MakeForm();
    const int before = form.VBattMiddleStText->BoundsRect().width;
    form.VBattMiddleStText->SetCaption("3.92 V and a good deal more text");
    EXPECT_GT(form.VBattMiddleStText->BoundsRect().width, before);
    const int labelBefore = form.ConnectLabel->BoundsRect().width;
    form.ConnectLabel->SetCaption("Reading info...");
    EXPECT_LT(form.ConnectLabel->BoundsRect().width, labelBefore);
}

TEST_F(FormMainTest, TabVisitsButtonsAndFieldsOnlyAndPassesOverDisabledPhoneButtons) {
    ui::TFormMain& form = MakeForm();
    const std::vector<std::string> fields = {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5",
                                             "Edit6", "Edit7", "Edit8", "Edit9", "Edit10"};
    std::vector<std::string> disconnected = {"Button5", "WriteFileButton", "ExitButton"};
    disconnected.insert(disconnected.end(), fields.begin(), fields.end());
    EXPECT_EQ(form.FocusChain(), disconnected);

    form.ReadButton->Enable();
    form.WriteButton->Enable();
    std::vector<std::string> connected = {"Button5", "WriteFileButton", "ReadButton", "WriteButton",
                                          "ExitButton"};
    connected.insert(connected.end(), fields.begin(), fields.end());
    EXPECT_EQ(form.FocusChain(), connected);

    for (platform::TStaticText* text : form.PhoneTexts()) {
        EXPECT_FALSE(text->TabStop()) << text->Name();
    }
    EXPECT_FALSE(form.ConnectProgressBar->TabStop());
}

TEST_F(FormMainTest, TimerPeriodFollowsTheUpdateDelayAndZeroOrNonsenseNeverTicks) {
    struct Case {
        int32_t seconds;
        int32_t interval;
    };
    const Case cases[] = {{5, 5000},    {1, 1000},     {0, 0}, {-1, 0}, {2147483, 2147483000},
                          {2147484, 0}, {INT32_MIN, 0}};
    for (const Case& c : cases) {
        process::Config.SensorsUpdateDelay = c.seconds;
        ui::TFormMain& form = MakeForm();
        EXPECT_EQ(form.AllTimer->Interval(), c.interval) << c.seconds;
        EXPECT_EQ(form.AllTimer->Enabled(), c.interval != 0) << c.seconds;
    }
}

TEST_F(FormMainTest, ExitWithoutAWorkerEndsTheLoopAndASecondExitIsHarmless) {
    ui::TFormMain& form = MakeForm();
    ASSERT_FALSE(ui::InitThread);
    form.ExitButton->Click();
    EXPECT_TRUE(platform::Application.Terminated());
    form.Exit(nullptr);
    EXPECT_TRUE(platform::Application.Terminated());
    EXPECT_FALSE(ui::InitThread);
}

}  // namespace
