// Message texts of the component's error codes.
#include "wiretalk/socket_layer.h"

namespace wiretalk {

const char *ErrorMessage(int code)
{
    switch (code) {
    case kErrNetworkInit:
        return "Network subsystem failed to initialize";
    case kErrNoHandles:
        return "No handles available to this process";
    case kErrInvalidHandleOld:
    case kErrInvalidHandle:
        return "Invalid handle passed to function";
    case kErrMemory:
        return "Memory allocation failed";
    case kErrInvalidParameter:
        return "Invalid parameter passed to function";
    case kErrInvalidHost:
        return "Invalid host name specified";
    case kErrInvalidSocket:
        return "Invalid socket descriptor passed to function";
    case kErrTimedOut:
        return "Operation timed out waiting for response from server";
    case kErrInvalidResponse:
        return "Invalid response from server";
    case kErrReadFailed:
        return "Failed to read data from server";
    case kErrWriteFailed:
        return "Failed to write data to server";
    case kErrRetry:
        return "Operation should be retried";
    case kErrBufferOverflow:
        return "Internal buffer overflow";
    case kErrClosed:
        return "Connection to server is closed";
    case kErrInProgress:
        return "Blocking operation in progress";
    case kErrCanceled:
        return "Operation canceled by client";
    case kErrSync:
        return "Unable to synchronize with server";
    case kErrUnsupportedOption:
        return "Unsupported option";
    default:
        return nullptr; // 27510 has no text, and nothing outside the range has one
    }
}

} // namespace wiretalk
