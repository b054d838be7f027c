// The calibration block on the window: the editor fields, the transfer with the phone and block
// files. The rules live in src/block; these methods move texts between them and the controls.
#include <optional>
#include <string>
#include <vector>

#include "block/BlockFile.h"
#include "block/CalibrationState.h"
#include "block/HexWord.h"
#include "block/PhoneTransfer.h"
#include "block/UncleanFields.h"
#include "platform/Dialogs.h"
#include "process/ProcessState.h"
#include "servicelib/ServiceLibrary.h"
#include "ui/FormMain.h"

namespace ui {
namespace {

// The editor field's text as the conversion sees it: a buffer of 256 characters.
constexpr std::size_t kFieldBufferSize = 256;

void ReportTransferFailure(TFormMain& form, block::TransferFailure failure) {
    const block::FailureTexts texts = block::DescribeFailure(failure);
    process::WriteRunLog(texts.runLogLine);
    platform::ShowMessage(texts.message);
    form.ConnectLabel->Hide();
}

}  // namespace

std::vector<std::string> TFormMain::FieldTexts() const {
    std::vector<std::string> texts;
    for (platform::TEdit* field : EditFields()) {
        texts.push_back(field->Text());
    }
    return texts;
}

bool TFormMain::RefuseUncleanFields() {
    const std::vector<block::UncleanField> unclean = block::FindUncleanFields(FieldTexts());
    if (unclean.empty()) {
        return false;
    }
    platform::ShowMessage(block::UncleanFieldsMessage(unclean));
    return true;
}

void TFormMain::Form2PucWas() {
    const auto fields = EditFields();
    for (std::size_t word = 0; word < fields.size(); ++word) {
        char text[kFieldBufferSize];
        fields[word]->GetTextBuf(text, sizeof text);
        block::SetWordAt(block::CalibrationBlock, word, block::HexTextToWord(text));
    }
}

void TFormMain::PucWas2Form() {
    const auto fields = EditFields();
    for (std::size_t word = 0; word < fields.size(); ++word) {
        fields[word]->SetText(block::WordToHexText(block::WordAt(block::CalibrationBlock, word)));
    }
}

void TFormMain::ShowTransferStatus(const char* caption) {
    ConnectLabel->SetCaption(caption);
    ConnectLabel->SetFontColor(platform::clLime);
    ConnectLabel->Show();
    // On the screen before the library calls block this thread.
    Repaint();
}

void TFormMain::ReadPhoneBtn(TObject* /*sender*/) {
    ReadPhone();
}

void TFormMain::WritePhoneBtn(TObject* /*sender*/) {
    WritePhone();
}

void TFormMain::ReadPhone() {
    ShowTransferStatus("Reading Eelite Block...");
    const auto& lib = servicelib::Lib();
    auto failure =
        block::CheckBlockInfo(lib, process::ComHandle, block::BlockSize, block::BlockVersion);
    if (failure == block::TransferFailure::None) {
        failure = block::ReadBlock(lib, process::ComHandle, block::BlockSize, block::BlockVersion,
                                   block::CalibrationBlock);
    }
    if (failure != block::TransferFailure::None) {
        ReportTransferFailure(*this, failure);
        return;
    }
    PucWas2Form();
    ConnectLabel->Hide();
}

void TFormMain::WritePhone() {
    // Before anything else: a typo must not erase the phone's block.
    if (RefuseUncleanFields()) {
        return;
    }
    ShowTransferStatus("Writing Eelite Block...");
    const auto& lib = servicelib::Lib();
    auto failure =
        block::CheckBlockInfo(lib, process::ComHandle, block::BlockSize, block::BlockVersion);
    if (failure == block::TransferFailure::None) {
        // The fields are read now, after the checks, as they stand at this moment.
        Form2PucWas();
        failure = block::EraseAndWriteBlock(lib, process::ComHandle, block::BlockSize,
                                            block::BlockVersion, block::CalibrationBlock);
    }
    if (failure != block::TransferFailure::None) {
        ReportTransferFailure(*this, failure);
        return;
    }
    ConnectLabel->Hide();
}

void TFormMain::ReadFileBtn(TObject* /*sender*/) {
    if (!ReadFileDialog->Execute()) {
        return;
    }
    const std::optional<block::BlockBytes> bytes = block::ReadBlockFile(ReadFileDialog->FileName);
    if (!bytes) {
        platform::ShowMessage("Error: Read file error");
        return;
    }
    block::CalibrationBlock = *bytes;
    PucWas2Form();
}

void TFormMain::WriteFileBtn(TObject* /*sender*/) {
    if (RefuseUncleanFields()) {
        return;
    }
    if (!WriteFileDialog->Execute()) {
        return;
    }
    // A target that cannot be written is refused before the fields are read; an existing file
    // stays as it was until the new one has been written completely.
    std::optional<block::BlockFileWriter> writer =
        block::BlockFileWriter::Open(WriteFileDialog->FileName);
    if (!writer) {
        platform::ShowMessage("Error: Write file error");
        return;
    }
    Form2PucWas();
    if (!writer->Commit(block::CalibrationBlock)) {
        platform::ShowMessage("Error: Write file error");
    }
}

}  // namespace ui
