// The 55 entry points of Bfb95eg.dll, in the order in which they are looked up.
//
// Each row is X(name, result type, parameter list). The binding (ServiceLibrary.h) and the
// simulator both expand this one table, so a name is written exactly once. Entry points that this
// program never calls are bound all the same (the library must export them all) and carry an empty
// parameter list; nothing calls them.
#pragma once

#include <cstdint>

#include "servicelib/LibraryTypes.h"

#define CORVANE_ENTRY_POINTS(X)                                                                   \
    X(WLibraryVersion, int32_t, (char* text))                                                     \
    X(WLibraryCopyright, int32_t, (char* text))                                                   \
    X(WLibraryCompileDate, int32_t, (char* text))                                                 \
    X(WLibraryCompileTime, int32_t, (char* text))                                                 \
    X(WGetSupportedMobiles, const servicelib::SupportedMobile*, ())                              \
    X(WComGetLastError, int32_t, ())                                                              \
    X(WComGetErrorString, int32_t, (int32_t errorCode, char* text))                               \
    X(WComOpen, int32_t, (int32_t portIndex, int32_t baudRate))                                   \
    X(WComClose, int32_t, (int32_t comHandle))                                                    \
    X(WConfigLibrary, int32_t, (int32_t config))                                                  \
    X(WInitServiceMode, int32_t, (int32_t comHandle, int32_t mode, int32_t delay))                \
    X(WInitServiceModeFast, int32_t, ())                                                          \
    X(WGetHardwareIdentification, int32_t, (int32_t comHandle, int32_t* hardwareId))              \
    X(WGetMobileInformation, int32_t, (int32_t comHandle, servicelib::MobileInformation* info))  \
    X(WGetSensorData, int32_t, (int32_t comHandle, servicelib::SensorData* data))                \
    X(WMobileOff, int32_t, ())                                                                    \
    X(WGetFlashSerialNumber, int32_t,                                                             \
      (int32_t comHandle, uint32_t* serialNumber, uint32_t* unused))                              \
    X(WPingMobile, int32_t, (int32_t comHandle))                                                  \
    X(WComStartDebugging, int32_t, (int32_t comHandle, const char* traceFile))                    \
    X(WComSopDebugging, int32_t, (int32_t comHandle))                                             \
    X(WInitBurnInMode, int32_t, ())                                                               \
    X(WStartNFControl, int32_t, ())                                                               \
    X(WStopNFControl, int32_t, ())                                                                \
    X(WActivateNFDebugger, int32_t, ())                                                           \
    X(WStartShortCycleMeasure, int32_t, ())                                                       \
    X(WEndShortCycleMeasure, int32_t, ())                                                         \
    X(WPeekByte, int32_t, ())                                                                     \
    X(WPeekMemory, int32_t, ())                                                                   \
    X(WSetBFBMode, int32_t, ())                                                                   \
    X(WSimulateEnvTemp, int32_t, ())                                                              \
    X(WSendBootBlock, int32_t, ())                                                                \
    X(WComConfigure, int32_t, (int32_t comHandle, int32_t baudRate))                              \
    X(WComParity, int32_t, (int32_t comHandle, int32_t parity))                                   \
    X(WSendTriggerAndWaitForAck, int32_t, ())                                                     \
    X(WGiveEefullBlockVersionAndSize, int32_t, ())                                                \
    X(WGiveEefullMaxBlockId, int32_t, ())                                                         \
    X(WGiveEeliteBlockVersionAndSize, int32_t,                                                    \
      (int32_t comHandle, int32_t blockId, uint32_t* blockSize, uint32_t* blockVersion))          \
    X(WGiveEeliteMaxBlockId, int32_t, ())                                                         \
    X(WGiveSpaceInfoEelite, int32_t, ())                                                          \
    X(WGiveSpaceInfoEefull, int32_t, ())                                                          \
    X(WWriteEefull, int32_t, ())                                                                  \
    X(WWriteEefullBlock, int32_t, ())                                                             \
    X(WWriteEelite, int32_t, ())                                                                  \
    X(WWriteEeliteBlock, int32_t,                                                                 \
      (int32_t comHandle, int32_t blockId, uint32_t blockSize, uint32_t blockVersion,             \
       const uint8_t* block))                                                                     \
    X(WReadEefull, int32_t, ())                                                                   \
    X(WReadEefullBlock, int32_t, ())                                                              \
    X(WReadEelite, int32_t, ())                                                                   \
    X(WReadEeliteBlock, int32_t,                                                                  \
      (int32_t comHandle, int32_t blockId, uint32_t* blockSize, uint32_t* blockVersion,           \
       uint8_t* block))                                                                           \
    X(WDeleteEefullDataBlock, int32_t, ())                                                        \
    X(WDeleteEeliteDataBlock, int32_t, (int32_t comHandle, int32_t blockId))                      \
    X(WEraseCompleteEefull, int32_t, ())                                                          \
    X(WEraseCompleteEelite, int32_t, ())                                                          \
    X(WForceGarbageCollectionEefull, int32_t, ())                                                 \
    X(WGenerateEmptyEefullBlock, int32_t, ())                                                     \
    X(WGenerateEmptyEeliteBlock, int32_t, ())
