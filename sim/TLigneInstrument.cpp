#include "sim/TLigneInstrument.h"

#include <algorithm>
#include <cerrno>
#include <poll.h>
#include <unistd.h>

namespace {

constexpr auto dureeOctet = std::chrono::duration_cast<std::chrono::nanoseconds>(
    std::chrono::duration<double>(1.0 / TLigneInstrument::octetsParSeconde));

// While the line reports a hang-up or an error, it is looked at again only
// after this pause, so that a dead line never spins the processor.
constexpr auto pauseLigneMorte = std::chrono::milliseconds(50);

timespec versTimespec(std::chrono::nanoseconds d)
{
    d = std::max(d, std::chrono::nanoseconds::zero());
    const auto s = std::chrono::duration_cast<std::chrono::seconds>(d);
    return {static_cast<time_t>(s.count()), static_cast<long>((d - s).count())};
}

} // namespace

TLigneInstrument::TLigneInstrument(int maitre, int reveil, const std::atomic<bool>& arret,
                                   TJournalFil& journal, std::function<void()> raccrocher)
    : maitre_(maitre), reveil_(reveil), arret_(arret), journal_(journal),
      raccrocher_(std::move(raccrocher))
{
}

void TLigneInstrument::verifieArret() const
{
    if (arret_.load()) throw Fin {};
}

// Waits until fd is ready for the events or the moment has passed; false on
// time-out. Throws Fin as soon as a stop is asked.
bool TLigneInstrument::attend(int fd, short evenements, std::optional<Instant> echeance)
{
    for (;;) {
        verifieArret();
        pollfd fds[2] = {{reveil_, POLLIN, 0}, {fd, evenements, 0}};
        const nfds_t n = fd >= 0 ? 2 : 1;
        timespec delai {};
        const timespec* pDelai = nullptr;
        if (echeance) {
            delai = versTimespec(*echeance - Horloge::now());
            pDelai = &delai;
        }
        const int r = ::ppoll(fds, n, pDelai, nullptr);
        if (r < 0 && errno == EINTR) continue;
        if (r < 0) throw Fin {};
        verifieArret();
        if (r == 0) return false;
        if (n == 2 && (fds[1].revents & evenements)) return true;
        if (n == 2 && fds[1].revents) {
            // Hang-up or error on the line without data: pause, then look again.
            const Instant reprise = Horloge::now() + pauseLigneMorte;
            patiente(echeance ? std::min(*echeance, reprise) : reprise);
            if (echeance && Horloge::now() >= *echeance) return false;
        }
    }
}

void TLigneInstrument::patiente(Instant jusqua)
{
    while (Horloge::now() < jusqua) attend(-1, 0, jusqua);
    verifieArret();
}

bool TLigneInstrument::remplit(std::optional<Instant> echeance)
{
    for (;;) {
        if (!attend(maitre_, POLLIN, echeance)) return false;
        std::uint8_t tampon[256];
        const ssize_t n = ::read(maitre_, tampon, sizeof tampon);
        if (n > 0) {
            for (ssize_t i = 0; i < n; ++i) {
                journal_.ajoute(false, tampon[i]);
                recus_.push_back(tampon[i]);
            }
            return true;
        }
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
        // Nobody on the other side for now (EIO): wait a little and retry.
        const Instant reprise = Horloge::now() + pauseLigneMorte;
        patiente(echeance ? std::min(*echeance, reprise) : reprise);
        if (echeance && Horloge::now() >= *echeance) return false;
    }
}

std::optional<std::uint8_t> TLigneInstrument::lit(std::optional<Instant> echeance)
{
    verifieArret();
    if (recus_.empty() && !remplit(echeance)) return std::nullopt;
    const std::uint8_t octet = recus_.front();
    recus_.pop_front();
    return octet;
}

void TLigneInstrument::remet(std::uint8_t octet)
{
    recus_.push_front(octet);
}

void TLigneInstrument::ecrit(std::string_view octets)
{
    while (!octets.empty()) {
        attend(maitre_, POLLOUT, std::nullopt);
        const ssize_t n = ::write(maitre_, octets.data(), octets.size());
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
        if (n < 0) throw Fin {};
        for (ssize_t i = 0; i < n; ++i)
            journal_.ajoute(true, static_cast<std::uint8_t>(octets[static_cast<std::size_t>(i)]));
        octets.remove_prefix(static_cast<std::size_t>(n));
    }
}

void TLigneInstrument::envoie(std::string_view octets)
{
    if (rapide_) {
        ecrit(octets);
        return;
    }
    // One byte per character time, as a real UART lets them go; a late byte
    // does not make the next ones hurry.
    for (std::size_t i = 0; i < octets.size(); ++i) {
        const Instant depart = std::max(prochainDepart_, Horloge::now());
        patiente(depart);
        ecrit(octets.substr(i, 1));
        prochainDepart_ = depart + dureeOctet;
    }
}

void TLigneInstrument::raccroche()
{
    raccrocher_();
    throw Fin {};
}
