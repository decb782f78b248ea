#include "TPtyBrut.h"

#include "Attente.h"

#include <QFile>

#include <utility>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

TPtyBrut::TPtyBrut(QString lien)
    : lien_(std::move(lien))
{
    const int fd = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return;
    if (::grantpt(fd) != 0 || ::unlockpt(fd) != 0) {
        ::close(fd);
        return;
    }
    // Raw from the start: no echo, no line editing, whatever the program does.
    termios t{};
    ::tcgetattr(fd, &t);
    ::cfmakeraw(&t);
    ::tcsetattr(fd, TCSANOW, &t);
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    esclave_ = QString::fromLocal8Bit(::ptsname(fd));
    maitre_ = fd;
    if (!lien_.isEmpty()) {
        QFile::remove(lien_);
        if (!QFile::link(esclave_, lien_)) raccroche();
        esclave_ = lien_;
    }
}

TPtyBrut::~TPtyBrut()
{
    raccroche();
}

void TPtyBrut::ecrit(const QByteArray& octets) const
{
    qsizetype fait = 0;
    while (fait < octets.size()) {
        const auto n = ::write(maitre_, octets.constData() + fait,
                               static_cast<std::size_t>(octets.size() - fait));
        if (n < 0 && errno != EAGAIN && errno != EINTR) return;
        if (n > 0) fait += n;
    }
}

QByteArray TPtyBrut::lit() const
{
    QByteArray recu;
    char tampon[512];
    for (;;) {
        const auto n = ::read(maitre_, tampon, sizeof tampon);
        if (n <= 0) break;
        recu.append(tampon, n);
    }
    return recu;
}

QByteArray TPtyBrut::litAuMoins(qsizetype n) const
{
    QByteArray recu;
    attendQue([&] {
        recu += lit();
        return recu.size() >= n;
    });
    return recu;
}

bool TPtyBrut::reglages(unsigned* vitesse, unsigned* cflag, unsigned* iflag) const
{
    termios t{};
    if (::tcgetattr(maitre_, &t) != 0) return false;
    *vitesse = ::cfgetospeed(&t);
    *cflag = t.c_cflag;
    *iflag = t.c_iflag;
    return true;
}

void TPtyBrut::raccroche()
{
    if (!lien_.isEmpty()) QFile::remove(lien_);
    if (maitre_ < 0) return;
    ::close(maitre_);
    maitre_ = -1;
}
