// The phone's handshake, its pings, and its going away and coming back.
#include <sstream>
#include <thread>

#include "SimulatorFixture.h"

namespace simtest {
namespace {

// A script of calls and the result each must give, e.g. "S0 S1 P1":
// S = WInitServiceMode, P = WPingMobile, I = WGetHardwareIdentification, then 1 (nonzero) or 0;
// R = close the port and open it again.
struct PhoneCase {
    const char* name;
    const char* scenario;
    const char* script;
};

class PhoneScriptTest : public SimulatorTest, public ::testing::WithParamInterface<PhoneCase> {};

TEST_P(PhoneScriptTest, AnswersAsScripted) {
    UseScenario(std::string("service_mode_ms_per_unit=0\n") + GetParam().scenario);
    ASSERT_NE(Open(), -1) << LastErrorText();
    std::istringstream script(GetParam().script);
    int step = 0;
    for (std::string call; script >> call; ++step) {
        if (call == "R") {
            Close();
            ASSERT_NE(Open(), -1);
            continue;
        }
        int32_t id = 0;
        const int32_t result = call[0] == 'S'   ? Sim().WInitServiceMode(handle_, 1, 10)
                               : call[0] == 'P' ? Sim().WPingMobile(handle_)
                                                : Sim().WGetHardwareIdentification(handle_, &id);
        EXPECT_EQ(result != 0, call[1] == '1') << "step " << step << " (" << call << ")";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, PhoneScriptTest,
    ::testing::Values(
        PhoneCase{"DefaultPhone", "", "P0 S0 S0 S1 P1 P1 P1 S1"},
        PhoneCase{"CountersStartOverAtOpen", "", "S0 S0 S1 P1 R P0 S0 S0 S1 P1"},
        PhoneCase{"AnswersThirdPing", "service_mode_failures=0\npings_before_answer=2\n",
                  "S1 P0 P0 P1 P1"},
        PhoneCase{"NeverAnswers", "service_mode_failures=0\npings_before_answer=never\n",
                  "S1 P0 P0 P0 P0 P0 I1"},
        PhoneCase{"NoPhone", "present=0\n", "S0 S0 S0 S0 P0 I0"},
        PhoneCase{"GoneForGoodAfterThreeMore", "service_mode_failures=0\npings_after_connect=3\n",
                  "S1 P1 P1 P1 P1 P0 I0 P0 S0 S0 S0 P0"},
        PhoneCase{"BackAfterTwoAttempts",
                  "service_mode_failures=1\npings_after_connect=0\ngone_for_attempts=2\n",
                  "S0 S1 P1 P0 S0 S0 S0 S1 P1 P0"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SimulatorTest, PhoneComesBackAfterItsTimeAway) {
    UseScenario(
        "service_mode_ms_per_unit=0\nservice_mode_failures=0\npings_after_connect=0\n"
        "gone_for_ms=300\n");
    ASSERT_NE(Open(), -1);
    ASSERT_NE(Sim().WInitServiceMode(handle_, 1, 10), 0);
    ASSERT_NE(Sim().WPingMobile(handle_), 0);
    EXPECT_EQ(Sim().WPingMobile(handle_), 0);
    EXPECT_EQ(Sim().WInitServiceMode(handle_, 1, 10), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(350));
    EXPECT_NE(Sim().WInitServiceMode(handle_, 1, 10), 0);
    EXPECT_NE(Sim().WPingMobile(handle_), 0);
}

TEST_F(SimulatorTest, FlakyPhoneIsSometimesThereAndSometimesNot) {
    UseScenario(
        "service_mode_ms_per_unit=0\nservice_mode_failures=0\nflaky_seed=7\n"
        "flaky_mean_up_ms=40\nflaky_mean_down_ms=40\n");
    ASSERT_NE(Open(), -1);
    int answered = 0;
    int unanswered = 0;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(1500);
    while (std::chrono::steady_clock::now() < end && (answered == 0 || unanswered == 0)) {
        Sim().WInitServiceMode(handle_, 1, 10);
        (Sim().WPingMobile(handle_) != 0 ? answered : unanswered)++;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_GT(answered, 0);
    EXPECT_GT(unanswered, 0);
}

TEST_F(SimulatorTest, ServiceModeNeedsTheOpenHandleAndModeOne) {
    UseScenario("service_mode_ms_per_unit=0\nservice_mode_failures=0\n");
    ASSERT_NE(Open(), -1);
    EXPECT_EQ(Sim().WInitServiceMode(handle_ + 1, 1, 10), 0);
    EXPECT_EQ(Sim().WInitServiceMode(handle_, 2, 10), 0);
    EXPECT_NE(Sim().WInitServiceMode(handle_, 1, 10), 0);
}

}  // namespace
}  // namespace simtest
