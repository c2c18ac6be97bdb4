#pragma once

#include <chrono>
#include <functional>
#include <string>

#include "printing/device/device_errors.h"

// Helpers of the printer-device tests. Header only.
namespace device_test {

// The message of the device error the action raises; "(no error)" when it
// raises none.
inline std::string messageOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const EQuibDeviceError &error) {
        return error.what();
    }
    return "(no error)";
}

// How long the action took.
inline std::chrono::milliseconds elapsedOf(const std::function<void()> &action)
{
    const auto start = std::chrono::steady_clock::now();
    action();
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
}

} // namespace device_test
