#include "app/TSignauxArret.h"

#include <QSocketNotifier>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

// A signal handler may do almost nothing: it writes one byte into this pipe,
// and the event loop, which watches the other end, does the rest.
int tube[2] = {-1, -1};

} // namespace

TSignauxArret::TSignauxArret(std::function<void()> arret, QObject* parent)
    : QObject(parent), arret_(std::move(arret))
{
    Q_ASSERT(tube[0] < 0);
    if (::pipe2(tube, O_CLOEXEC | O_NONBLOCK) != 0) {
        tube[0] = tube[1] = -1;
        return;
    }
    notificateur_ = new QSocketNotifier(tube[0], QSocketNotifier::Read, this);
    connect(notificateur_, &QSocketNotifier::activated, this, &TSignauxArret::vide);

    struct sigaction action {};
    action.sa_handler = &TSignauxArret::recoit;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < std::size(signaux); ++i)
        ::sigaction(signaux[i], &action, &anciens_[i]);
}

TSignauxArret::~TSignauxArret()
{
    if (tube[0] < 0) return;
    for (std::size_t i = 0; i < std::size(signaux); ++i)
        ::sigaction(signaux[i], &anciens_[i], nullptr);
    delete notificateur_;
    ::close(tube[0]);
    ::close(tube[1]);
    tube[0] = tube[1] = -1;
}

void TSignauxArret::recoit(int)
{
    const int erreur = errno;
    const char octet = 1;
    // A full pipe already holds a request that has not been served yet.
    [[maybe_unused]] const ssize_t ecrit = ::write(tube[1], &octet, 1);
    errno = erreur;
}

void TSignauxArret::vide()
{
    char octets[64];
    bool recu = false;
    while (::read(tube[0], octets, sizeof octets) > 0) recu = true;
    if (recu && arret_) arret_();
}
