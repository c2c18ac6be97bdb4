#pragma once

// Speeds that have no B constant. Kept apart because the kernel's termios2
// header cannot share a source with <termios.h>. Implemented in
// serial_custom_speed.cpp.

namespace serial_detail {
// Sets the input and output speed through termios2 (BOTHER); false with errno
// set when the driver refuses it.
bool setCustomSpeed(int fd, int baud);
} // namespace serial_detail
