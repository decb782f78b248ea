#include "link/Peripheriques.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

struct TPlage {
    int premier;
    const char* prefixe;
};

constexpr TPlage plages[] = {{1, "/dev/ttyS"}, {17, "/dev/ttyUSB"}, {33, "/dev/ttyACM"}};
constexpr int portsParPlage = 16;

// The serial driver answers TIOCGSERIAL for the nodes it created; ptys and
// most USB adapters do not, and those are real lines.
bool sansUart(int fd)
{
    serial_struct infos{};
    if (::ioctl(fd, TIOCGSERIAL, &infos) != 0) return false;
    return infos.type == PORT_UNKNOWN;
}

} // namespace

QString peripheriqueParDefaut(int numero)
{
    for (const TPlage& plage : plages) {
        const int rang = numero - plage.premier;
        if (rang >= 0 && rang < portsParPlage)
            return QLatin1String(plage.prefixe) + QString::number(rang);
    }
    return {};
}

bool erreurSignalePortPresent(int erreur)
{
    return erreur == EBUSY || erreur == EACCES || erreur == EPERM;
}

bool peripheriqueUtilisable(const QString& chemin)
{
    if (chemin.isEmpty()) return false;
    const QByteArray nom = QFile::encodeName(chemin);
    const int fd = ::open(nom.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return erreurSignalePortPresent(errno);
    const bool utilisable = ::isatty(fd) == 1 && !sansUart(fd);
    ::close(fd);
    return utilisable;
}
