#pragma once
// The numbers of the Windows Internet client that the program speaks: status
// codes handed to the status callback, error numbers left in the Windows
// error number, and the flags and options the program passes.
#include <cstdint>

#include "platform/base/errors.h"

namespace vl::net {

// Status codes delivered to the status callback.
inline constexpr std::uint32_t kStatusResolvingName = 10;       // text: host name
inline constexpr std::uint32_t kStatusNameResolved = 11;        // text: address
inline constexpr std::uint32_t kStatusConnectingToServer = 20;  // text: address
inline constexpr std::uint32_t kStatusConnectedToServer = 21;   // text: address
inline constexpr std::uint32_t kStatusSendingRequest = 30;
inline constexpr std::uint32_t kStatusRequestSent = 31;        // value: bytes sent
inline constexpr std::uint32_t kStatusReceivingResponse = 40;
inline constexpr std::uint32_t kStatusResponseReceived = 41;   // value: bytes received
inline constexpr std::uint32_t kStatusClosingConnection = 50;
inline constexpr std::uint32_t kStatusConnectionClosed = 51;
inline constexpr std::uint32_t kStatusHandleClosing = 70;
inline constexpr std::uint32_t kStatusDetectingProxy = 80;
inline constexpr std::uint32_t kStatusRequestComplete = 100;   // value: 1
inline constexpr std::uint32_t kStatusRedirect = 110;
inline constexpr std::uint32_t kStatusIntermediateResponse = 120;
inline constexpr std::uint32_t kStatusUserInputRequired = 140;
inline constexpr std::uint32_t kStatusStateChange = 200;       // value: state

// Error numbers (set as the Windows error number and returned).
inline constexpr std::uint32_t kErrorNoMoreFiles = vl::platform::kErrorNoMoreFiles;
inline constexpr std::uint32_t kErrorInvalidHandle = vl::platform::kErrorInvalidHandle;
inline constexpr std::uint32_t kErrorInternetTimeout = 12002;
inline constexpr std::uint32_t kErrorInternetExtendedError = 12003;
inline constexpr std::uint32_t kErrorInternetInternalError = 12004;
inline constexpr std::uint32_t kErrorInternetInvalidUrl = 12005;
inline constexpr std::uint32_t kErrorInternetNameNotResolved = 12007;
inline constexpr std::uint32_t kErrorInternetInvalidOption = 12009;
inline constexpr std::uint32_t kErrorInternetIncorrectPassword = 12014;
inline constexpr std::uint32_t kErrorInternetIncorrectHandleState = 12019;
inline constexpr std::uint32_t kErrorInternetCannotConnect = 12029;
inline constexpr std::uint32_t kErrorInternetConnectionAborted = 12030;
inline constexpr std::uint32_t kErrorInternetConnectionReset = 12031;
inline constexpr std::uint32_t kErrorInternetSecCertDateInvalid = 12037;
inline constexpr std::uint32_t kErrorInternetSecCertCnInvalid = 12038;
inline constexpr std::uint32_t kErrorInternetInvalidCa = 12045;
inline constexpr std::uint32_t kErrorHttpInvalidServerResponse = 12152;
inline constexpr std::uint32_t kErrorInternetDisconnected = 12163;
inline constexpr std::uint32_t kErrorInternetSecurityChannelError = 12175;

// Connect and request flags.
inline constexpr std::uint32_t kFlagPassive = 0x08000000;
inline constexpr std::uint32_t kFlagSecure = 0x00800000;
inline constexpr std::uint32_t kFlagReload = 0x80000000;
inline constexpr std::uint32_t kFlagNoCacheWrite = 0x04000000;

// Options for Session::setOption.
inline constexpr std::uint32_t kOptionConnectTimeout = 2;  // milliseconds
inline constexpr std::uint32_t kOptionReceiveTimeout = 6;  // milliseconds

// Connected-state flags and the autodial flag.
inline constexpr std::uint32_t kConnectionModem = 0x01;
inline constexpr std::uint32_t kConnectionLan = 0x02;
inline constexpr std::uint32_t kConnectionProxy = 0x04;
inline constexpr std::uint32_t kConnectionModemBusy = 0x08;
inline constexpr std::uint32_t kConnectionRasInstalled = 0x10;
inline constexpr std::uint32_t kConnectionOffline = 0x20;
inline constexpr std::uint32_t kConnectionConfigured = 0x40;
inline constexpr std::uint32_t kAutodialForceOnline = 1;

// Connected-state values of kStatusStateChange.
inline constexpr std::uint32_t kStateConnected = 0x001;
inline constexpr std::uint32_t kStateDisconnected = 0x002;
inline constexpr std::uint32_t kStateDisconnectedByUser = 0x010;
inline constexpr std::uint32_t kStateIdle = 0x100;
inline constexpr std::uint32_t kStateBusy = 0x200;

// File attributes of a listed entry.
inline constexpr std::uint32_t kAttributeDirectory = 0x10;
inline constexpr std::uint32_t kAttributeNormal = 0x80;

}  // namespace vl::net
