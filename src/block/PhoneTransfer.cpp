#include "block/PhoneTransfer.h"

#include "block/CalibrationState.h"

namespace block {

BlockBytes CalibrationBlock{};
uint32_t BlockSize = 20;
uint32_t BlockVersion = 1;

FailureTexts DescribeFailure(TransferFailure failure) {
    switch (failure) {
        case TransferFailure::None:
            break;
        case TransferFailure::VersionRead:
            return {"Eelite BlockId=67 version read Error!!!\n",
                    "Error: Unable to read Eelite BlockId=67 info"};
        case TransferFailure::Size:
            return {" punBlockSize!=20 !!!\n", "Error: punBlockSize!=20"};
        case TransferFailure::Version:
            return {" pucVersion!=1 !!!\n", "Error: pucVersion!=1"};
        case TransferFailure::BlockRead:
            return {"Eelite BlockId=67 read Error!!!\n", "Error: Unable to read Eelite BlockId=67"};
        case TransferFailure::Erase:
            return {"Eelite erase error!!!\n", "Error: Unable to erase Eelite block"};
        case TransferFailure::Write:
            return {"Eelite block write error!!!\n",
                    "Error: Unable to write Eelite BlockId=67. The block was erased, so the phone "
                    "no longer holds it. The editor fields still hold the values: press Write "
                    "Phone to try again."};
    }
    return {"", ""};
}

TransferFailure CheckBlockInfo(const servicelib::LibraryEntryPoints& lib, int32_t comHandle,
                               uint32_t& size, uint32_t& version) {
    if (lib.WGiveEeliteBlockVersionAndSize(comHandle, CalibrationBlockId, &size, &version) == 0) {
        return TransferFailure::VersionRead;
    }
    if (size != kBlockBytes) {
        return TransferFailure::Size;
    }
    if (version != 1) {
        return TransferFailure::Version;
    }
    return TransferFailure::None;
}

TransferFailure ReadBlock(const servicelib::LibraryEntryPoints& lib, int32_t comHandle,
                          uint32_t& size, uint32_t& version, BlockBytes& block) {
    // Read into a zeroed copy, so a failed read cannot leave half a block behind.
    BlockBytes received{};
    if (lib.WReadEeliteBlock(comHandle, CalibrationBlockId, &size, &version, received.data()) ==
        0) {
        return TransferFailure::BlockRead;
    }
    block = received;
    return TransferFailure::None;
}

TransferFailure EraseAndWriteBlock(const servicelib::LibraryEntryPoints& lib, int32_t comHandle,
                                   uint32_t size, uint32_t version, const BlockBytes& block) {
    if (lib.WDeleteEeliteDataBlock(comHandle, CalibrationBlockId) == 0) {
        return TransferFailure::Erase;
    }
    if (lib.WWriteEeliteBlock(comHandle, CalibrationBlockId, size, version, block.data()) == 0) {
        return TransferFailure::Write;
    }
    return TransferFailure::None;
}

}  // namespace block
