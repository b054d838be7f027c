// Message boxes and file dialogs through the responder, and the platform's own message box.
#include <gtest/gtest.h>

#include <unistd.h>
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>

#include "ModalAnswer.h"
#include "RecordingResponder.h"
#include "SmallForm.h"
#include "platform/Application.h"
#include "platform/FileFilter.h"

namespace {

using platform_test::RecordingResponder;

class Dialogs : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { platform::Application.Initialize(); }
    platform_test::SmallForm form;
};

TEST_F(Dialogs, InstalledResponderAnswersUntilRemoved) {
    {
        RecordingResponder responder;
        EXPECT_EQ(&platform::CurrentResponder(), &responder);
        platform::ShowMessage("Error: no answer");
        platform::Application.ShowException(std::runtime_error("Error: broken"));
        EXPECT_EQ(responder.messages,
                  (std::vector<std::string>{"Error: no answer", "Error: broken"}));
    }
    EXPECT_EQ(dynamic_cast<RecordingResponder*>(&platform::CurrentResponder()), nullptr);
}

TEST_F(Dialogs, FileDialogAsksWithItsSettingsAndKeepsTheChosenName) {
    RecordingResponder responder;
    auto* save = form.Find<platform::TSaveDialog>("Save");
    ASSERT_NE(save, nullptr);
    responder.fileAnswer = "/tmp/chosen.blk";
    EXPECT_TRUE(save->Execute());
    EXPECT_EQ(save->FileName, "/tmp/chosen.blk");
    ASSERT_EQ(responder.requests.size(), 1u);
    const platform::FileDialogRequest& asked = responder.requests[0];
    EXPECT_EQ(asked.kind, platform::FileDialogKind::Save);
    EXPECT_EQ(asked.title, "Save a block");
    EXPECT_EQ(asked.filter, "Block files|*.blk");
    EXPECT_EQ(asked.defaultExtension, "blk");
    EXPECT_EQ(asked.fileName, "Current.blk");

    // The next run proposes the name chosen; a cancel keeps it.
    responder.fileAnswer.reset();
    EXPECT_FALSE(save->Execute());
    EXPECT_EQ(responder.requests[1].fileName, "/tmp/chosen.blk");
    EXPECT_EQ(save->FileName, "/tmp/chosen.blk");
}

TEST_F(Dialogs, OpenDialogIsAskedAsOpen) {
    RecordingResponder responder;
    auto* open = form.Find<platform::TOpenDialog>("Open");
    ASSERT_NE(open, nullptr);
    open->Execute();
    ASSERT_EQ(responder.requests.size(), 1u);
    EXPECT_EQ(responder.requests[0].kind, platform::FileDialogKind::Open);
    EXPECT_EQ(responder.requests[0].fileName, "");
}

TEST_F(Dialogs, PlatformMessageBoxHasOneOkButtonNoIconAndTheApplicationsTitle) {
    platform::Application.SetTitle("Tool title");
    // The box runs a nested loop: inspect and close it from inside that loop.
    QString title = "unset";
    QString text;
    QMessageBox::Icon icon = QMessageBox::Critical;
    qsizetype buttons = 0;
    Qt::WindowModality modality = Qt::NonModal;
    platform_test::AnswerWhenShown<QMessageBox>([&](QMessageBox& box) {
        title = box.windowTitle();
        text = box.text();
        icon = box.icon();
        buttons = box.buttons().size();
        modality = box.windowModality();
        box.button(QMessageBox::Ok)->click();
    });
    platform::ShowMessage("Error: <b>not</b> bold \u00B0C");
    platform::Application.SetTitle("");
    EXPECT_EQ(title, "Tool title");
    EXPECT_EQ(text, QString::fromUtf8("Error: <b>not</b> bold \u00B0C"));
    EXPECT_EQ(icon, QMessageBox::NoIcon);
    EXPECT_EQ(buttons, 1);
    EXPECT_EQ(modality, Qt::ApplicationModal);
}

struct RealDialogCase {
    const char* component;
    QFileDialog::AcceptMode mode;
    bool confirmsOverwrite;
    const char* proposedName;  // the end of the first selected file when the dialog opens
    bool confirm;
};

class RealFileDialog : public Dialogs, public ::testing::WithParamInterface<RealDialogCase> {};

TEST_P(RealFileDialog, ShowsItsSettingsAndReturnsTheChosenName) {
    const RealDialogCase& c = GetParam();
    auto* dialog = dynamic_cast<platform::TFileDialog*>(form.FindComponent(c.component));
    ASSERT_NE(dialog, nullptr);
    const std::string before = dialog->FileName;
    // A name that does not exist yet: both dialogs must accept it.
    const QString chosen =
        QDir::temp().filePath(QString("corvane-%1-%2.blk").arg(c.component).arg(getpid()));
    QString title;
    QStringList filters;
    QString suffix;
    QString proposed;
    QFileDialog::AcceptMode mode = QFileDialog::AcceptOpen;
    bool confirmsOverwrite = true;
    bool found = false;
    platform_test::AnswerWhenShown<QFileDialog>([&](QFileDialog& shown) {
        found = true;
        title = shown.windowTitle();
        filters = shown.nameFilters();
        suffix = shown.defaultSuffix();
        proposed = shown.selectedFiles().value(0);
        mode = shown.acceptMode();
        confirmsOverwrite = !shown.testOption(QFileDialog::DontConfirmOverwrite);
        auto* nameField = shown.findChild<QLineEdit*>("fileNameEdit");
        if (!c.confirm || nameField == nullptr) {
            shown.reject();
            return;
        }
        // Typed into the name field and confirmed, as the user would.
        nameField->setText(chosen);
        static_cast<QDialog&>(shown).accept();
    });
    EXPECT_EQ(dialog->Execute(), c.confirm);
    ASSERT_TRUE(found);
    EXPECT_EQ(title.toStdString(), dialog->Title);
    EXPECT_EQ(filters, QStringList{"Block files (*.blk)"});
    EXPECT_EQ(suffix, "blk");
    EXPECT_TRUE(proposed.endsWith(c.proposedName)) << proposed.toStdString();
    EXPECT_EQ(mode, c.mode);
    EXPECT_EQ(confirmsOverwrite, c.confirmsOverwrite);
    EXPECT_EQ(dialog->FileName, c.confirm ? chosen.toStdString() : before);
}

INSTANTIATE_TEST_SUITE_P(
    OpenAndSave, RealFileDialog,
    ::testing::Values(RealDialogCase{"Open", QFileDialog::AcceptOpen, true, "", true},
                      RealDialogCase{"Save", QFileDialog::AcceptSave, false, "Current.blk", true},
                      RealDialogCase{"Save", QFileDialog::AcceptSave, false, "Current.blk",
                                     false}));

struct FilterCase {
    const char* filter;
    std::vector<std::string> expected;
};

class NameFilters : public ::testing::TestWithParam<FilterCase> {};

TEST_P(NameFilters, DescriptionAndPatternPairsBecomeNameFilters) {
    EXPECT_EQ(platform::detail::NameFilters(GetParam().filter), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Filters, NameFilters,
                         ::testing::Values(FilterCase{"Block files|*.blk", {"Block files (*.blk)"}},
                                           FilterCase{"Block files|*.blk|All|*.*;*",
                                                      {"Block files (*.blk)", "All (*.* *)"}},
                                           FilterCase{"Everything", {"Everything (*)"}},
                                           FilterCase{"", {}}));

}  // namespace
