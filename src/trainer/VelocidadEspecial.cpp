// Speeds without a Bnnn constant (14400, 56000) need the kernel's termios2, whose header
// cannot live beside <termios.h>.
#include <asm/termbits.h>
#include <sys/ioctl.h>

bool FijarVelocidadEspecial(int fd, int baudios) {
    struct termios2 t {};
    if (::ioctl(fd, TCGETS2, &t) != 0) return false;
    t.c_cflag &= ~CBAUD;
    t.c_cflag |= BOTHER;
    t.c_cflag &= ~(CBAUD << IBSHIFT);
    t.c_cflag |= BOTHER << IBSHIFT;
    t.c_ispeed = static_cast<speed_t>(baudios);
    t.c_ospeed = static_cast<speed_t>(baudios);
    return ::ioctl(fd, TCSETS2, &t) == 0;
}
