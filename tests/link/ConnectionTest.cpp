// The connection worker and the link supervisor against the simulator, the journal as the witness.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/LinkState.h"
#include "platform/Types.h"
#include "process/ProcessState.h"
#include "support/PhoneFixture.h"
#include "ui/CorvaneInitThread.h"

namespace {

using namespace std::chrono_literals;
using Names = std::vector<std::string>;
using testsupport::CallsOf;

// Service-mode attempts of 1 ms; the default phone otherwise.
constexpr const char* kFast = "service_mode_ms_per_unit=0\n";

bool Connected() {
    return phonelink::MobileConnected.load() == 1;
}
bool WorkerEnded() {
    return phonelink::InitThreadActive.load() == 0;
}

class ConnectionTest : public testsupport::PhoneFixture {};

TEST_F(ConnectionTest, AWholeConnectionCallsTheLibraryInOrderAndShowsThePhone) {
    Start(std::string(kFast) +
          "service_mode_failures=2\nhardware_id=28\nsupported_mobiles=21:Simphone S1;28:Simphone "
          "S2 Plus\nsoftware_version=0x21\nlanguage_group=EU-WEST\nproduct_name=SIMPHONE S2P\n"
          "flash_serial=0x5F3\nblock=3412CDAB0000FF0001000080FF7F10000B0AFFFF\n"
          "vbatt_middle=3.92\nvbatt_max=4.1\nvbatt_min=0\nbatt_temp=-273\nenv_temp=25\n"
          "vcxo_temp=nan\n");
    MarkJournal();
    ASSERT_TRUE(Connect());
    EXPECT_EQ(CallNamesSinceMark(),
              (Names{"WInitServiceMode", "WInitServiceMode", "WInitServiceMode", "WComParity",
                     "WComConfigure", "WPingMobile", "WGetHardwareIdentification",
                     "WGetMobileInformation", "WGetFlashSerialNumber",
                     "WGiveEeliteBlockVersionAndSize", "WReadEeliteBlock"}));
    auto& form = Form();
    EXPECT_EQ(form.DescriptionStText->Caption(), "28, Simphone S2 Plus");
    EXPECT_EQ(form.MobileSWVerStText->Caption(), "21");
    EXPECT_EQ(form.LanguageGroupStText->Caption(), "EU-WEST");
    EXPECT_EQ(form.ProductNameStText->Caption(), "SIMPHONE S2P");
    EXPECT_EQ(form.MobileHWIdStText->Caption(), "0x5f3");
    EXPECT_EQ(form.Edit1->Text(), "1234");
    EXPECT_EQ(form.Edit10->Text(), "FFFF");
    EXPECT_TRUE(form.ActiveLabel->Visible());
    EXPECT_FALSE(form.ConnectLabel->Visible());
    EXPECT_FALSE(form.ConnectProgressBar->Visible());
    EXPECT_TRUE(form.ReadButton->Enabled());
    EXPECT_TRUE(form.WriteButton->Enabled());
    EXPECT_EQ(form.ConnectProgressBar->Position(), 2);

    MarkJournal();
    Tick();
    EXPECT_EQ(CallNamesSinceMark(), (Names{"WPingMobile", "WGetSensorData"}));
    EXPECT_EQ(form.VBattMiddleStText->Caption(), "3.92 V");
    EXPECT_EQ(form.VBattMaxStText->Caption(), "4.10 V");
    EXPECT_EQ(form.VBattMinStText->Caption(), "0.00 V");
    EXPECT_EQ(form.BattTempStText->Caption(), "-273.00 \u00B0C");
    EXPECT_EQ(form.EnvTempStText->Caption(), "25.00 \u00B0C");
    EXPECT_EQ(form.VCXOTempStText->Caption(), "--");
}

TEST_F(ConnectionTest, TicksWhileAWorkerRunsDoNothing) {
    Start("service_mode_failures=1000000\nservice_mode_ms_per_unit=1\n");
    Tick();
    // One bar step per failed attempt.
    ASSERT_TRUE(PumpUntil([&] { return Form().ConnectProgressBar->Position() > 0; }));
    const auto before = CallsOf(Journal(), "WPingMobile").size();
    Tick();
    Tick();
    EXPECT_EQ(CallsOf(Journal(), "WPingMobile").size(), before);
    EXPECT_TRUE(Form().ConnectLabel->Visible());
    EXPECT_EQ(Form().ConnectLabel->Caption(), "Trying to connect to mobile with Boot-Strap-Loader");
}

TEST_F(ConnectionTest, APhoneThatNeverAnswersGetsFivePingsHalfASecondApartThenANewWorker) {
    Start(std::string(kFast) + "pings_before_answer=never\n");
    Tick();
    // The pause follows the fifth ping too: the worker is still there a while after it.
    ASSERT_TRUE(PumpUntil([&] { return CallsOf(Journal(), "WPingMobile").size() == 5; }, 10s));
    PumpFor(300ms);
    EXPECT_FALSE(WorkerEnded()) << "no pause after the fifth ping";
    ASSERT_TRUE(PumpUntil([] { return WorkerEnded(); }, 10s));
    EXPECT_FALSE(Connected());
    const auto pings = CallsOf(Journal(), "WPingMobile");
    ASSERT_EQ(pings.size(), 5u);
    for (std::size_t i = 1; i < pings.size(); ++i) {
        EXPECT_GE(pings[i].timeMs - pings[i - 1].timeMs, 490) << i;
    }
    EXPECT_TRUE(Form().ConnectLabel->Visible());
    EXPECT_EQ(Form().ConnectLabel->Caption(), "Trying to connect to mobile with Boot-Strap-Loader");
    EXPECT_TRUE(CallsOf(Journal(), "WGetHardwareIdentification").empty());

    const auto attempts = CallsOf(Journal(), "WInitServiceMode").size();
    Tick();  // destroys the ended worker and starts the next one
    ASSERT_TRUE(
        PumpUntil([&] { return CallsOf(Journal(), "WInitServiceMode").size() > attempts; }));
}

TEST_F(ConnectionTest, APhoneThatAnswersTheThirdPingIsIdentifiedAfterTwoPauses) {
    Start(std::string(kFast) + "pings_before_answer=2\n");
    ASSERT_TRUE(Connect());
    const auto journal = Journal();
    const auto pings = CallsOf(journal, "WPingMobile");
    ASSERT_EQ(pings.size(), 3u);
    EXPECT_GE(pings[2].timeMs - pings[0].timeMs, 980);
    EXPECT_EQ(CallsOf(journal, "WGetHardwareIdentification").size(), 1u);
}

TEST_F(ConnectionTest, TheLinkCountsAsConnectedOnlyOnceTheFinalUpdateHasReturned) {
    // The block read inside the worker's final update fails, and its box stays open until the
    // responder returns: the worker is held inside that update.
    Start(std::string(kFast) + "fail.WReadEeliteBlock=1\n");
    bool held = false;
    responder_.whileMessageOpen = [&](const std::string&) {
        held = true;
        EXPECT_FALSE(Connected()) << "connected before the final update returned";
        EXPECT_FALSE(WorkerEnded());
        // Ticks in this moment find a worker busy: no ping, no sensor read, no second worker,
        // so the library is never entered from two threads.
        MarkJournal();
        Tick();
        Tick();
        EXPECT_EQ(CallNamesSinceMark(), Names{});
    };
    Tick();
    ASSERT_TRUE(PumpUntil([] { return Connected() && WorkerEnded(); }));
    ASSERT_TRUE(held);
    MarkJournal();
    Tick();
    EXPECT_EQ(CallNamesSinceMark(), (Names{"WPingMobile", "WGetSensorData"}));
}

TEST_F(ConnectionTest, ALostLinkClearsTheDisplayAndTheNextTickStartsOverInBlack) {
    // Attempts take InitServiceModeDelay x 20 ms: none while connecting, 1 s once the phone is
    // gone, so the new worker's bar stays where its first update put it while the test looks.
    Start("service_mode_ms_per_unit=20\npings_after_connect=1\ngone_for_attempts=1000000\n");
    process::Config.InitServiceModeDelay = 0;
    ASSERT_TRUE(Connect());
    Tick();  // answered: sensor values
    auto& form = Form();
    EXPECT_NE(form.VBattMiddleStText->Caption(), "--");
    form.ConnectProgressBar->SetPosition(30);

    Tick();  // unanswered
    EXPECT_FALSE(Connected());
    for (platform::TStaticText* text : form.PhoneTexts()) {
        EXPECT_EQ(text->Caption(), "--") << text->Name();
    }
    EXPECT_FALSE(form.ActiveLabel->Visible());
    EXPECT_FALSE(form.ReadButton->Enabled());
    EXPECT_FALSE(form.WriteButton->Enabled());
    EXPECT_NE(form.Edit1->Text(), "") << "the editor keeps the block";

    MarkJournal();
    process::Config.InitServiceModeDelay = 50;
    Tick();  // a new worker
    ASSERT_TRUE(PumpUntil([&] { return form.ConnectLabel->Visible(); }));
    EXPECT_EQ(form.ConnectLabel->Caption(), "Trying to connect to mobile with Boot-Strap-Loader");
    EXPECT_EQ(form.ConnectLabel->Font().color, platform::clBlack);
    EXPECT_EQ(form.ConnectProgressBar->Position(), 0) << "the bar starts over";
    ASSERT_TRUE(PumpUntil([&] { return !CallNamesSinceMark().empty(); }));
    EXPECT_EQ(CallNamesSinceMark().front(), "WInitServiceMode");
}

TEST_F(ConnectionTest, AHardwareIdOutsideTheListShowsUnknownModel) {
    Start(std::string(kFast) + "hardware_id=99\nsupported_mobiles=21:Simphone S1\n");
    ASSERT_TRUE(Connect());
    EXPECT_EQ(Form().DescriptionStText->Caption(), "99, unknown model");
}

TEST_F(ConnectionTest, AFailedBlockReadDuringIdentificationIsReportedAndStillConnects) {
    Start(std::string(kFast) + "fail.WReadEeliteBlock=1\n");
    ASSERT_TRUE(Connect());
    EXPECT_EQ(responder_.messages, Names{"Error: Unable to read Eelite BlockId=67"});
    EXPECT_EQ(RunLog(), "Eelite BlockId=67 read Error!!!\n");
    EXPECT_EQ(Form().Edit1->Text(), "0");
}

TEST_F(ConnectionTest, UnterminatedRecordTextsStopAtTheirFields) {
    Start(std::string(kFast) + "mobile_info_unterminated=1\n");
    ASSERT_TRUE(Connect());
    EXPECT_EQ(Form().LanguageGroupStText->Caption().size(), 16u);
    EXPECT_EQ(Form().ProductNameStText->Caption().size(), 19u);
}

TEST_F(ConnectionTest, AFailedSensorReadShowsDashesRatherThanUnwrittenMemory) {
    Start(std::string(kFast) + "fail.WGetSensorData=1\n");
    ASSERT_TRUE(Connect());
    Tick();
    EXPECT_EQ(Form().VBattMiddleStText->Caption(), "--");
    EXPECT_EQ(Form().VCXOTempStText->Caption(), "--");
}

// Exit in each state of the worker: it must end without a hang, and no library call may follow.
struct ExitCase {
    const char* name;
    const char* scenario;
    // Waits until the worker is in the state to interrupt.
    bool (*reached)(const std::vector<testsupport::JournalCall>&);
};

class ExitTest : public ConnectionTest, public ::testing::WithParamInterface<ExitCase> {};

TEST_P(ExitTest, StopsTheWorkerPromptlyAndLeavesNoWorkerBehind) {
    const ExitCase& c = GetParam();
    Start(c.scenario);
    Tick();
    ASSERT_TRUE(PumpUntil([&] { return c.reached(Journal()); }, 10s));
    // The close had to wait: its status stays on the window whatever updates the worker ran
    // meanwhile, and the buttons stay disabled.
    const auto start = std::chrono::steady_clock::now();
    Form().Exit(Form().ExitButton);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_FALSE(ui::InitThread);
    EXPECT_TRUE(WorkerEnded());
    EXPECT_LT(took, 2s);
    auto& form = Form();
    EXPECT_TRUE(form.ConnectLabel->Visible());
    EXPECT_EQ(form.ConnectLabel->Caption(), ui::TFormMain::kClosingStatus);
    EXPECT_EQ(form.ConnectLabel->Font().color, platform::clBlack);
    for (platform::TButton* button : {form.Button5, form.WriteFileButton, form.ReadButton,
                                      form.WriteButton, form.ExitButton}) {
        EXPECT_FALSE(button->Enabled()) << button->Name();
    }
    Form().Exit(Form().ExitButton);  // a second Exit finds no worker
    // Nothing may reach the library once the worker has been stopped.
    const auto calls = Journal().size();
    PumpFor(100ms);
    EXPECT_EQ(Journal().size(), calls);
}

INSTANTIATE_TEST_SUITE_P(
    EveryWorkerState, ExitTest,
    ::testing::Values(
        ExitCase{"InServiceModeAttempt",
                 "service_mode_failures=1000000\nservice_mode_ms_per_unit=20\n",
                 [](const auto& j) { return CallsOf(j, "WInitServiceMode").size() >= 2; }},
        ExitCase{"InPingPause", "service_mode_ms_per_unit=0\npings_before_answer=never\n",
                 [](const auto& j) { return CallsOf(j, "WPingMobile").size() >= 2; }},
        ExitCase{"WaitingInUpdate", "service_mode_ms_per_unit=0\nservice_mode_failures=1000000\n",
                 // The worker blocks in its first bar step while nothing serves it.
                 [](const auto& j) { return !CallsOf(j, "WInitServiceMode").empty(); }},
        ExitCase{"InIdentification",
                 "service_mode_ms_per_unit=0\nlatency.WGetMobileInformation=300\n",
                 [](const auto& j) { return !CallsOf(j, "WGetHardwareIdentification").empty(); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ConnectionTest, ExitAfterTheWorkerHasEndedNeedsNoClosingStatus) {
    Start(kFast);
    ASSERT_TRUE(Connect());
    ASSERT_TRUE(PumpUntil([&] { return ui::InitThread->Finished(); }));
    Form().Exit(Form().ExitButton);
    EXPECT_FALSE(Form().ConnectLabel->Visible());
    EXPECT_TRUE(Form().ExitButton->Enabled());
}

TEST_F(ConnectionTest, ExitDuringIdentificationStillFinishesTheBlockReadAndConnects) {
    Start("service_mode_ms_per_unit=0\nlatency.WGetMobileInformation=200\n");
    Tick();
    ASSERT_TRUE(
        PumpUntil([&] { return !CallsOf(Journal(), "WGetHardwareIdentification").empty(); }));
    Form().Exit(Form().ExitButton);
    EXPECT_EQ(CallsOf(Journal(), "WReadEeliteBlock").size(), 1u);
    EXPECT_TRUE(Connected());
}

TEST_F(ConnectionTest, ClosingInsideTheFailureBoxOfTheIdentificationWaitsForTheUpdateToReturn) {
    Start(std::string(kFast) + "fail.WReadEeliteBlock=1\n");
    bool closed = false;
    // The box is open inside the worker's final update: a close asked for now must not wait for
    // the worker there, which would wait for this very update.
    responder_.whileMessageOpen = [&](const std::string&) {
        Form().Close();
        closed = true;
    };
    Tick();
    ASSERT_TRUE(PumpUntil([&] { return closed && WorkerEnded() && !ui::InitThread; }, 10s));
    EXPECT_TRUE(Connected());
}

}  // namespace
