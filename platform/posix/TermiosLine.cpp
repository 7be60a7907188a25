#include "platform/posix/TermiosLine.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace vexa::platform {

namespace {

bool Get(int fd, termios2& line) {
  return ::ioctl(fd, TCGETS2, &line) == 0;
}

}  // namespace

bool MakeRawLine(int fd) {
  termios2 line{};
  if (!Get(fd, line)) return false;
  line.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON |
                                         IXOFF | IXANY | IUCLC | IMAXBEL);
  line.c_oflag &= ~static_cast<tcflag_t>(OPOST);
  line.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ECHOE | ECHOK | ICANON | ISIG | IEXTEN);
  line.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CRTSCTS);
  line.c_cflag |= CS8 | CREAD | CLOCAL;
  line.c_cc[VMIN] = 1;
  line.c_cc[VTIME] = 0;
  return ::ioctl(fd, TCSETS2, &line) == 0;
}

std::optional<SerialSettings> GetLineSettings(int fd) {
  termios2 line{};
  if (!Get(fd, line)) return std::nullopt;
  SerialSettings settings;
  settings.baud = line.c_ospeed;
  switch (line.c_cflag & CSIZE) {
    case CS5: settings.byteSize = 5; break;
    case CS6: settings.byteSize = 6; break;
    case CS7: settings.byteSize = 7; break;
    default: settings.byteSize = 8; break;
  }
  if ((line.c_cflag & PARENB) == 0) {
    settings.parity = Parity::kNone;
  } else if ((line.c_cflag & CMSPAR) != 0) {
    settings.parity = (line.c_cflag & PARODD) != 0 ? Parity::kMark : Parity::kSpace;
  } else {
    settings.parity = (line.c_cflag & PARODD) != 0 ? Parity::kOdd : Parity::kEven;
  }
  if ((line.c_cflag & CSTOPB) == 0) {
    settings.stopBits = StopBits::kOne;
  } else {
    // On a UART the second stop bit of a 5-bit character is half a bit long.
    settings.stopBits = settings.byteSize == 5 ? StopBits::kOneAndHalf : StopBits::kTwo;
  }
  settings.parityCheck = (line.c_iflag & INPCK) != 0;
  settings.flowControl = (line.c_cflag & CRTSCTS) != 0 || (line.c_iflag & (IXON | IXOFF)) != 0;
  return settings;
}

bool SetLineSettings(int fd, const SerialSettings& settings) {
  if (settings.byteSize < 5 || settings.byteSize > 8 || settings.baud == 0) return false;
  if (settings.stopBits == StopBits::kOneAndHalf && settings.byteSize != 5) return false;
  if (settings.stopBits == StopBits::kTwo && settings.byteSize == 5) return false;
  termios2 line{};
  if (!Get(fd, line)) return false;

  // Every rate as a number of its own: BOTHER for both directions.
  line.c_cflag &= ~static_cast<tcflag_t>(CBAUD | (CBAUD << IBSHIFT));
  line.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
  line.c_ospeed = settings.baud;
  line.c_ispeed = settings.baud;

  static constexpr tcflag_t kSizes[] = {CS5, CS6, CS7, CS8};
  line.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
  line.c_cflag |= kSizes[settings.byteSize - 5] | CREAD | CLOCAL;
  switch (settings.parity) {
    case Parity::kNone: break;
    case Parity::kOdd: line.c_cflag |= PARENB | PARODD; break;
    case Parity::kEven: line.c_cflag |= PARENB; break;
    case Parity::kMark: line.c_cflag |= PARENB | CMSPAR | PARODD; break;
    case Parity::kSpace: line.c_cflag |= PARENB | CMSPAR; break;
  }
  if (settings.stopBits != StopBits::kOne) line.c_cflag |= CSTOPB;

  // A byte with a parity error is dropped when checking is on (the device's default reaction is to
  // report it, which a byte stream cannot carry).
  line.c_iflag &= ~static_cast<tcflag_t>(INPCK | IGNPAR | PARMRK | IXON | IXOFF | IXANY);
  if (settings.parityCheck) line.c_iflag |= INPCK | IGNPAR;
  if (settings.flowControl) line.c_cflag |= CRTSCTS;
  return ::ioctl(fd, TCSETS2, &line) == 0;
}

}  // namespace vexa::platform
