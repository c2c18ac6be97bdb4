// Only the kernel's own termios definitions here: <termios.h> declares a
// different struct termios and cannot be included beside them.
#include <asm/ioctls.h>
#include <asm/termbits.h>

#include "printing/device/detail/serial_custom_speed.h"

extern "C" int ioctl(int fd, unsigned long request, ...);

namespace serial_detail {

bool setCustomSpeed(int fd, int baud)
{
    struct termios2 settings {};
    if (ioctl(fd, TCGETS2, &settings) != 0)
        return false;
    settings.c_cflag &= ~CBAUD;
    settings.c_cflag |= BOTHER;
    settings.c_cflag &= ~(CBAUD << IBSHIFT);
    settings.c_cflag |= BOTHER << IBSHIFT;
    settings.c_ispeed = static_cast<speed_t>(baud);
    settings.c_ospeed = static_cast<speed_t>(baud);
    return ioctl(fd, TCSETS2, &settings) == 0;
}

} // namespace serial_detail
