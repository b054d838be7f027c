// Message boxes and file dialogs on the Win32 backend: answered through the test responder, and
// the system's own, looked at and answered from inside their loops by a timer of the form.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>

#include "RecordingResponder.h"
#include "SmallForm.h"
#include "Win32Test.h"
#include "platform/win32/WideText.h"

namespace {

using platform_test::RecordingResponder;
using platform_test::SmallForm;

class Dialogs : public win32_test::ApplicationTest {
  protected:
    void TearDown() override { platform::Application.DestroyForms(); }

    SmallForm& MainForm() {
        SmallForm* form = nullptr;
        platform::Application.CreateForm(form);
        form->Show();
        return *form;
    }

    // Calls `answer` with the dialog open on this thread from a tick of the form's timer, which
    // the dialog's own loop dispatches; `answer` returns true once it has ended the dialog. After
    // 10 s every open dialog is cancelled, so that a failing test fails instead of hanging.
    static void AnswerFromInside(SmallForm& form, std::function<bool(HWND)> answer) {
        auto* timer = form.Find<platform::TTimer>("Tick");
        auto ticks = std::make_shared<int>(0);
        timer->SetOnTimer([timer, ticks, answer = std::move(answer)](platform::TObject*) {
            const std::vector<HWND> dialogs = win32_test::OpenDialogs();
            if (++*ticks > 200) {
                timer->SetInterval(0);
                for (HWND dialog : dialogs) {
                    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
                }
                return;
            }
            if (!dialogs.empty() && answer(dialogs.front())) {
                timer->SetInterval(0);
            }
        });
        timer->SetInterval(50);
    }
};

TEST_F(Dialogs, InstalledResponderAnswersUntilRemoved) {
    {
        RecordingResponder responder;
        platform::ShowMessage("Error: no answer");
        platform::Application.ShowException(std::runtime_error("Error: broken"));
        EXPECT_TRUE(platform::ShowStartupFailure("Error: failure to load Bfb95eg.dll"));
        EXPECT_EQ(responder.messages,
                  (std::vector<std::string>{"Error: no answer", "Error: broken",
                                            "Error: failure to load Bfb95eg.dll"}));
    }
    EXPECT_EQ(dynamic_cast<RecordingResponder*>(&platform::CurrentResponder()), nullptr);
}

TEST_F(Dialogs, FileDialogAsksTheResponderWithItsSettingsAndKeepsTheChosenName) {
    SmallForm& form = MainForm();
    RecordingResponder responder;
    auto* save = form.Find<platform::TSaveDialog>("Save");
    responder.fileAnswer = "C:\\M\u00FCller\\chosen.blk";
    EXPECT_TRUE(save->Execute());
    EXPECT_EQ(save->FileName, "C:\\M\u00FCller\\chosen.blk");
    ASSERT_EQ(responder.requests.size(), 1u);
    EXPECT_EQ(responder.requests[0].kind, platform::FileDialogKind::Save);
    EXPECT_EQ(responder.requests[0].title, "Save a block");
    EXPECT_EQ(responder.requests[0].filter, "Block files|*.blk");
    EXPECT_EQ(responder.requests[0].defaultExtension, "blk");
    EXPECT_EQ(responder.requests[0].fileName, "Current.blk");
    responder.fileAnswer.reset();
    EXPECT_FALSE(save->Execute());
    EXPECT_EQ(responder.requests[1].fileName, "C:\\M\u00FCller\\chosen.blk");
    EXPECT_EQ(save->FileName, "C:\\M\u00FCller\\chosen.blk");
}

// The child windows of a dialog that are visible buttons, and those that show an icon.
int CountChildren(HWND dialog, const std::function<bool(HWND)>& which) {
    int count = 0;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsWindowVisible(child) && which(child)) {
            ++count;
        }
    }
    return count;
}

TEST_F(Dialogs, MessageBoxIsApplicationModalWithOneOkButtonNoIconAndNoTitleOfItsOwn) {
    SmallForm& form = MainForm();
    std::wstring title = L"unset";
    std::wstring text;
    int buttons = -1;
    int icons = -1;
    bool ownerDisabled = false;
    AnswerFromInside(form, [&](HWND box) {
        title = win32_test::TextOf(box);
        text = win32_test::TextOf(GetDlgItem(box, 0xFFFF));
        buttons = CountChildren(box, [](HWND child) { return win32_test::ClassOf(child) == L"Button"; });
        icons = CountChildren(box, [](HWND child) {
            return win32_test::ClassOf(child) == L"Static" &&
                   (GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
                   SendMessageW(child, STM_GETICON, 0, 0) != 0;
        });
        ownerDisabled = !IsWindowEnabled(win32_test::WindowOf(form));
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        return true;
    });
    platform::ShowMessage("Error: M\u00FCller & <b>not</b> bold \u00B0C");
    EXPECT_EQ(title, L"Error");  // the system's default title
    EXPECT_EQ(text, L"Error: M\u00FCller & <b>not</b> bold \u00B0C");
    EXPECT_EQ(buttons, 1);
    EXPECT_EQ(icons, 0);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(IsWindowEnabled(win32_test::WindowOf(form)));
}

// The file name field of the system's file dialog.
HWND NameField(HWND dialog) {
    for (int id : {0x47C /* cmb13 */, 0x480 /* edt1 */}) {
        if (HWND field = GetDlgItem(dialog, id); field != nullptr && IsWindowVisible(field)) {
            return field;
        }
    }
    return nullptr;
}

struct RealDialogCase {
    const char* description;
    const char* component;
    const wchar_t* title;
    const wchar_t* proposed;  // in the name field when the dialog opens
    const char* typed;        // typed into the name field, relative to a fresh folder
    const char* existing;     // a file made in that folder before, or nullptr
    const char* chosen;       // the end of the chosen path, or nullptr: cancelled
};

class RealFileDialog : public Dialogs, public ::testing::WithParamInterface<RealDialogCase> {};

TEST_P(RealFileDialog, ShowsItsSettingsAndTakesTheNameAsTyped) {
    const RealDialogCase& c = GetParam();
    SmallForm& form = MainForm();
    auto* dialog = dynamic_cast<platform::TFileDialog*>(form.FindComponent(c.component));
    ASSERT_NE(dialog, nullptr);
    // In the test's working folder: a fresh Wine prefix may have no temporary folder yet.
    const std::filesystem::path folder =
        std::filesystem::current_path() /
        (L"corvane-dialog-M\u00FCller-" + std::to_wstring(GetCurrentProcessId()));
    std::filesystem::create_directories(folder);
    const std::filesystem::path typed = folder / c.typed;
    if (c.existing != nullptr) {
        std::FILE* file = _wfopen((folder / c.existing).c_str(), L"wb");
        ASSERT_NE(file, nullptr);
        std::fclose(file);
    }
    const std::filesystem::path before = std::filesystem::current_path();
    std::wstring title;
    std::wstring proposed;
    bool readOnlyBoxShown = true;
    bool resizable = false;
    int dialogsSeen = 0;
    enum class Step { Look, Confirmed } step = Step::Look;
    AnswerFromInside(form, [&](HWND shown) {
        const int open = static_cast<int>(win32_test::OpenDialogs().size());
        dialogsSeen = std::max(dialogsSeen, open);
        if (step == Step::Confirmed) {
            // Still open a tick after OK: a question stands over it, or the name was refused.
            for (HWND left : win32_test::OpenDialogs()) {
                PostMessageW(left, WM_COMMAND, IDCANCEL, 0);
            }
            return true;
        }
        HWND field = NameField(shown);
        if (field == nullptr) {
            return false;  // not yet built
        }
        title = win32_test::TextOf(shown);
        proposed = win32_test::TextOf(field);
        HWND readOnly = GetDlgItem(shown, 0x410 /* chx1 */);
        readOnlyBoxShown = readOnly != nullptr && IsWindowVisible(readOnly);
        resizable = (GetWindowLongPtrW(shown, GWL_STYLE) & WS_THICKFRAME) != 0;
        if (c.chosen == nullptr) {
            PostMessageW(shown, WM_COMMAND, IDCANCEL, 0);
            return true;
        }
        SetWindowTextW(field, typed.c_str());
        PostMessageW(shown, WM_COMMAND, IDOK, 0);
        step = Step::Confirmed;
        return false;
    });
    const bool confirmed = dialog->Execute();
    EXPECT_EQ(title, c.title) << c.description;
    EXPECT_EQ(proposed, c.proposed) << c.description;
    EXPECT_FALSE(readOnlyBoxShown) << c.description;
    EXPECT_TRUE(resizable) << c.description;
    EXPECT_EQ(dialogsSeen, 1) << c.description << ": a question stood over the dialog";
    EXPECT_EQ(confirmed, c.chosen != nullptr) << c.description;
    if (c.chosen != nullptr) {
        EXPECT_EQ(std::filesystem::path(platform::win32::Widen(dialog->FileName)),
                  folder / c.chosen)
            << c.description;
    }
    // The program's files are named relative to its folder: the dialog leaves it as it was.
    EXPECT_EQ(std::filesystem::current_path(), before) << c.description;
    std::filesystem::remove_all(folder);
}

INSTANTIATE_TEST_SUITE_P(
    OpenAndSave, RealFileDialog,
    ::testing::Values(
        RealDialogCase{"open: a file that does not exist is accepted", "Open", L"Open a block", L"",
                       "missing.blk", nullptr, "missing.blk"},
        RealDialogCase{"open: the default extension finds the block file", "Open", L"Open a block",
                       L"", "typed", "typed.blk", "typed.blk"},
        RealDialogCase{"save: the default extension is added", "Save", L"Save a block",
                       L"Current.blk", "typed", nullptr, "typed.blk"},
        RealDialogCase{"save: an existing file, replaced without a question", "Save",
                       L"Save a block", L"Current.blk", "existing.blk", "existing.blk",
                       "existing.blk"},
        RealDialogCase{"save: cancelled", "Save", L"Save a block", L"Current.blk", "unused.blk",
                       nullptr, nullptr}));

}  // namespace
