#include "TBoutProgramme.h"

#include <cerrno>
#include <charconv>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr std::uint8_t NUL = 0x00;
constexpr std::uint8_t EOT = 0x04;
constexpr std::uint8_t ENQ = 0x05;
constexpr std::uint8_t ACK = 0x06;

} // namespace

TBoutProgramme::~TBoutProgramme()
{
    ferme();
}

void TBoutProgramme::ferme()
{
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

bool TBoutProgramme::ouvre(const std::string& chemin)
{
    ferme();
    fd_ = ::open(chemin.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd_ < 0) return false;
    termios tio {};
    if (::tcgetattr(fd_, &tio) != 0) return false;
    ::cfmakeraw(&tio);
    return ::tcsetattr(fd_, TCSANOW, &tio) == 0;
}

void TBoutProgramme::envoie(std::string_view octets)
{
    while (!octets.empty()) {
        const ssize_t n = ::write(fd_, octets.data(), octets.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        octets.remove_prefix(static_cast<std::size_t>(n));
    }
}

std::optional<std::uint8_t> TBoutProgramme::lit(int delaiMs)
{
    pollfd p {fd_, POLLIN, 0};
    if (::poll(&p, 1, delaiMs) <= 0 || !(p.revents & POLLIN)) return std::nullopt;
    std::uint8_t octet = 0;
    if (::read(fd_, &octet, 1) != 1) return std::nullopt;
    return octet;
}

std::string TBoutProgramme::recoitJusquAuSilence(int delaiMs)
{
    std::string recu;
    while (const std::optional<std::uint8_t> o = lit(delaiMs)) recu += static_cast<char>(*o);
    return recu;
}

bool TBoutProgramme::raccrochee(int delaiMs)
{
    pollfd p {fd_, POLLIN, 0};
    if (::poll(&p, 1, delaiMs) <= 0) return false;
    std::uint8_t octet = 0;
    const ssize_t n = ::read(fd_, &octet, 1);
    return n == 0 || (n < 0 && errno == EIO);
}

bool TBoutProgramme::transmet(const std::string& commande)
{
    envoie(std::string(1, static_cast<char>(ENQ)));
    if (lit() != ACK) return false;
    envoie(commande + '\0');
    return lit() == ACK;
}

bool TBoutProgramme::attend(std::uint8_t attendu)
{
    for (;;) {
        const std::optional<std::uint8_t> o = lit();
        if (o == attendu) return true;
        // Stray control bytes (CR, LF, STX, ETX, BEL) are skipped as the
        // program skips them; anything else is out of turn.
        if (!o || (*o != '\r' && *o != '\n' && *o != 0x02 && *o != 0x03 && *o != 0x07))
            return false;
    }
}

bool TBoutProgramme::opere(const std::string& commande)
{
    if (!transmet(commande) || !attend(EOT)) return false;
    envoie(std::string(1, static_cast<char>(ACK)));
    return true;
}

TBoutProgramme::TResultat TBoutProgramme::mesure(const std::string& commande, int delaiMs)
{
    TResultat r;
    if (!transmet(commande)) return r;
    std::string ligne;
    while (const std::optional<std::uint8_t> o = lit(delaiMs)) {
        if (*o >= 32) {
            ligne += static_cast<char>(*o);
        } else if (*o == ENQ && !r.annonce) {
            r.annonce = true;
            envoie(std::string(1, static_cast<char>(ACK)));
        } else if (*o == NUL) {
            r.lignes.push_back(ligne);
            ligne.clear();
            envoie(std::string(1, static_cast<char>(ACK)));
        } else if (*o == EOT) {
            r.fini = true;
            envoie(std::string(1, static_cast<char>(ACK)));
            return r;
        } else {
            r.controles += static_cast<char>(*o);
        }
    }
    return r;
}

std::optional<double> lisNombre(std::string_view texte)
{
    while (!texte.empty() && texte.front() == ' ') texte.remove_prefix(1);
    double valeur = 0.0;
    const auto [p, ec] = std::from_chars(texte.data(), texte.data() + texte.size(), valeur);
    if (texte.empty() || ec != std::errc {}) return std::nullopt;
    return valeur;
}

std::optional<std::pair<double, double>> lisPoint(const std::string& ligne)
{
    const std::size_t debut = ligne.find_first_not_of(' ');
    const std::size_t blanc = ligne.find(' ', debut);
    if (debut == std::string::npos || blanc == std::string::npos) return std::nullopt;
    const std::optional<double> lambda = lisNombre(std::string_view(ligne).substr(debut, blanc - debut));
    const std::optional<double> a = lisNombre(std::string_view(ligne).substr(blanc));
    if (!lambda || !a) return std::nullopt;
    return std::pair {*lambda, *a};
}
