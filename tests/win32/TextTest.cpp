// Texts at the edges of the Win32 backend: the service library's ANSI bytes, UTF-8 and UTF-16,
// the file dialogs' filters and the buttons' accelerators.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/LibraryText.h"
#include "platform/win32/FileFilterText.h"
#include "platform/win32/Mnemonic.h"
#include "platform/win32/WideText.h"

namespace {

struct AnsiCase {
    const char* description;
    std::string bytes;  // as the library writes them in code page 1252
    const char* utf8;
};

const AnsiCase kAnsiCases[] = {
    {"degree sign", "-273.00 \xB0" "C", "-273.00 \u00B0C"},
    {"accented model name", "Simphone S2 Plus \xE9\xE8\xFC", "Simphone S2 Plus \u00E9\u00E8\u00FC"},
    {"port error in German", "Anschlu\xDF nicht ge\xF6" "ffnet", "Anschlu\u00DF nicht ge\u00F6ffnet"},
    {"euro sign, above Latin-1", "\x80", "\u20AC"},
    {"plain ASCII", "COM1 57600", "COM1 57600"},
    {"empty", "", ""},
};

class AnsiText : public ::testing::TestWithParam<AnsiCase> {};

TEST_P(AnsiText, BytesOfCodePage1252BecomeUtf8) {
    EXPECT_EQ(platform::win32::CodePageToUtf8(1252, GetParam().bytes), GetParam().utf8)
        << GetParam().description;
}

TEST_P(AnsiText, LibraryTextIsReadInTheSystemsAnsiCodePage) {
    // The test runs with a Western European system code page, as the tool's users have.
    ASSERT_EQ(GetACP(), 1252u) << "the test needs code page 1252 (Wine: LANG=en_US.UTF-8)";
    EXPECT_EQ(platform::LibraryTextToUtf8(GetParam().bytes), GetParam().utf8)
        << GetParam().description;
}

INSTANTIATE_TEST_SUITE_P(Texts, AnsiText, ::testing::ValuesIn(kAnsiCases));

TEST(LibraryText, IsNeverReadAsUtf8) {
    // 0xC3 0xA9 is "é" in UTF-8 but two characters in the ANSI code page.
    EXPECT_EQ(platform::win32::CodePageToUtf8(1252, "\xC3\xA9"), "\u00C3\u00A9");
}

TEST(WideText, RoundTripsEveryPlane) {
    for (const char* text : {"", "Müller", "\u00B0C", "\u4E2D", "\U0001F4F1"}) {
        EXPECT_EQ(platform::win32::Narrow(platform::win32::Widen(text)), text);
    }
    EXPECT_EQ(platform::win32::Widen("M\u00FCller"), L"M\u00FCller");
    EXPECT_EQ(platform::win32::Widen("\U0001F4F1").size(), 2u);  // a surrogate pair
}

TEST(WideText, MalformedUtf8BecomesTheReplacementCharacter) {
    EXPECT_EQ(platform::win32::Widen("a\xFF" "b"), L"a\uFFFDb");
}

struct FilterCase {
    const char* filter;
    std::wstring expected;
};

class FilterText : public ::testing::TestWithParam<FilterCase> {};

TEST_P(FilterText, PairsEndEachWithAZero) {
    const std::wstring text = platform::win32::FileFilterText(GetParam().filter);
    EXPECT_EQ(text, GetParam().expected);
    // The system reads up to two zeros in a row: the one that c_str() adds is the second.
    EXPECT_EQ(text.c_str()[text.size()], L'\0');
}

INSTANTIATE_TEST_SUITE_P(
    Filters, FilterText,
    ::testing::Values(FilterCase{"Block files|*.blk", std::wstring(L"Block files\0*.blk\0", 18)},
                      FilterCase{"Block files|*.blk|All|*.*",
                                 std::wstring(L"Block files\0*.blk\0All\0*.*\0", 26)},
                      FilterCase{"Everything", std::wstring(L"Everything\0*.*\0", 15)},
                      FilterCase{"", L""}));

struct MnemonicCase {
    const wchar_t* caption;
    wchar_t key;
    bool matches;
};

class Mnemonic : public ::testing::TestWithParam<MnemonicCase> {};

TEST_P(Mnemonic, MatchesTheLetterAfterASingleAmpersandInAnyCase) {
    EXPECT_EQ(platform::win32::MatchesMnemonic(GetParam().caption, GetParam().key),
              GetParam().matches)
        << GetParam().caption;
}

INSTANTIATE_TEST_SUITE_P(
    Captions, Mnemonic,
    ::testing::Values(MnemonicCase{L"&Read File", L'r', true},
                      MnemonicCase{L"&Read File", L'R', true},
                      MnemonicCase{L"&Read File", L'e', false},
                      MnemonicCase{L"Save && &Quit", L'q', true},
                      MnemonicCase{L"Save && Quit", L'q', false},
                      MnemonicCase{L"Save && Quit", L'&', false},
                      MnemonicCase{L"No accelerator&", L'&', false},
                      MnemonicCase{L"&\u00C4nderung", L'\u00E4', true}));

}  // namespace
