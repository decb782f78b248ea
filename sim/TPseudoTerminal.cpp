#include "sim/TPseudoTerminal.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {

void fermeDescripteur(int& fd)
{
    if (fd >= 0) ::close(fd);
    fd = -1;
}

} // namespace

TPseudoTerminal::~TPseudoTerminal()
{
    ferme();
}

bool TPseudoTerminal::echoue(std::string& erreur, const std::string& etape)
{
    erreur = etape + " : " + std::strerror(errno);
    ferme();
    return false;
}

bool TPseudoTerminal::ouvre(std::string& erreur)
{
    ferme();
    maitre_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (maitre_ < 0) return echoue(erreur, "Ouverture d'un pseudo-terminal impossible");
    if (::grantpt(maitre_) != 0 || ::unlockpt(maitre_) != 0)
        return echoue(erreur, "Pseudo-terminal inutilisable");
    char nom[128] = {};
    if (::ptsname_r(maitre_, nom, sizeof nom) != 0)
        return echoue(erreur, "Nom du pseudo-terminal introuvable");
    esclave_ = nom;
    // Raw from the start: no echo of the program's bytes, no line editing,
    // nothing translated, until the program sets the line its own way.
    esclaveGarde_ = ::open(nom, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (esclaveGarde_ < 0) return echoue(erreur, "Ouverture de " + esclave_ + " impossible");
    termios tio {};
    if (::tcgetattr(esclaveGarde_, &tio) != 0) return echoue(erreur, "Réglage de " + esclave_);
    ::cfmakeraw(&tio);
    if (::tcsetattr(esclaveGarde_, TCSANOW, &tio) != 0) return echoue(erreur, "Réglage de " + esclave_);
    const int drapeaux = ::fcntl(maitre_, F_GETFL);
    if (drapeaux < 0 || ::fcntl(maitre_, F_SETFL, drapeaux | O_NONBLOCK) != 0)
        return echoue(erreur, "Réglage du pseudo-terminal");
    return true;
}

void TPseudoTerminal::ferme()
{
    fermeDescripteur(maitre_);
    fermeDescripteur(esclaveGarde_);
}
