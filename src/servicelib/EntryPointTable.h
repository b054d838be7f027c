// The 55 entry points of Bfb95eg.dll, in the order in which they are looked up.
//
// A row X(name, result type, parameter list) is an entry point that this program calls; every
// argument and the result are 32-bit integers or addresses. A row U(name) is one that it never
// calls: it is bound all the same (the library must export them all), and its parameters are not
// known (on 32-bit Windows its decorated export name, Name@N, may carry any N). The binding
// (ServiceLibrary.h), the simulator and its export lists all expand this one table, so a name and
// a signature are written exactly once.
#pragma once

#include <cstdint>

#include "servicelib/LibraryTypes.h"

#define CORVANE_ENTRY_POINTS(X, U)                                                               \
    X(WLibraryVersion, int32_t, (char* text))                                                    \
    X(WLibraryCopyright, int32_t, (char* text))                                                  \
    X(WLibraryCompileDate, int32_t, (char* text))                                                \
    X(WLibraryCompileTime, int32_t, (char* text))                                                \
    X(WGetSupportedMobiles, const servicelib::SupportedMobile*, ())                              \
    X(WComGetLastError, int32_t, ())                                                             \
    X(WComGetErrorString, int32_t, (int32_t errorCode, char* text))                              \
    X(WComOpen, int32_t, (int32_t portIndex, int32_t baudRate))                                  \
    X(WComClose, int32_t, (int32_t comHandle))                                                   \
    X(WConfigLibrary, int32_t, (int32_t config))                                                 \
    X(WInitServiceMode, int32_t, (int32_t comHandle, int32_t mode, int32_t delay))               \
    U(WInitServiceModeFast)                                                                      \
    X(WGetHardwareIdentification, int32_t, (int32_t comHandle, int32_t* hardwareId))            \
    X(WGetMobileInformation, int32_t, (int32_t comHandle, servicelib::MobileInformation* info)) \
    X(WGetSensorData, int32_t, (int32_t comHandle, servicelib::SensorData* data))               \
    U(WMobileOff)                                                                                \
    X(WGetFlashSerialNumber, int32_t,                                                            \
      (int32_t comHandle, uint32_t* serialNumber, uint32_t* unused))                           \
    X(WPingMobile, int32_t, (int32_t comHandle))                                                 \
    X(WComStartDebugging, int32_t, (int32_t comHandle, const char* traceFile))                   \
    X(WComSopDebugging, int32_t, (int32_t comHandle))                                            \
    U(WInitBurnInMode)                                                                           \
    U(WStartNFControl)                                                                           \
    U(WStopNFControl)                                                                            \
    U(WActivateNFDebugger)                                                                       \
    U(WStartShortCycleMeasure)                                                                   \
    U(WEndShortCycleMeasure)                                                                     \
    U(WPeekByte)                                                                                 \
    U(WPeekMemory)                                                                               \
    U(WSetBFBMode)                                                                               \
    U(WSimulateEnvTemp)                                                                          \
    U(WSendBootBlock)                                                                            \
    X(WComConfigure, int32_t, (int32_t comHandle, int32_t baudRate))                             \
    X(WComParity, int32_t, (int32_t comHandle, int32_t parity))                                  \
    U(WSendTriggerAndWaitForAck)                                                                 \
    U(WGiveEefullBlockVersionAndSize)                                                            \
    U(WGiveEefullMaxBlockId)                                                                     \
    X(WGiveEeliteBlockVersionAndSize, int32_t,                                                   \
      (int32_t comHandle, int32_t blockId, uint32_t* blockSize, uint32_t* blockVersion))       \
    U(WGiveEeliteMaxBlockId)                                                                     \
    U(WGiveSpaceInfoEelite)                                                                      \
    U(WGiveSpaceInfoEefull)                                                                      \
    U(WWriteEefull)                                                                              \
    U(WWriteEefullBlock)                                                                         \
    U(WWriteEelite)                                                                              \
    X(WWriteEeliteBlock, int32_t,                                                                \
      (int32_t comHandle, int32_t blockId, uint32_t blockSize, uint32_t blockVersion,            \
       const uint8_t* block))                                                                    \
    U(WReadEefull)                                                                               \
    U(WReadEefullBlock)                                                                          \
    U(WReadEelite)                                                                               \
    X(WReadEeliteBlock, int32_t,                                                                 \
      (int32_t comHandle, int32_t blockId, uint32_t* blockSize, uint32_t* blockVersion,        \
       uint8_t* block))                                                                         \
    U(WDeleteEefullDataBlock)                                                                    \
    X(WDeleteEeliteDataBlock, int32_t, (int32_t comHandle, int32_t blockId))                     \
    U(WEraseCompleteEefull)                                                                      \
    U(WEraseCompleteEelite)                                                                      \
    U(WForceGarbageCollectionEefull)                                                             \
    U(WGenerateEmptyEefullBlock)                                                                 \
    U(WGenerateEmptyEeliteBlock)
