#include "sim/LienSymbolique.h"

#include <cerrno>
#include <cstring>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::optional<std::string> cibleDuLien(const std::string& lien)
{
    char tampon[4096];
    const ssize_t n = ::readlink(lien.c_str(), tampon, sizeof tampon);
    if (n < 0 || static_cast<std::size_t>(n) >= sizeof tampon) return std::nullopt;
    return std::string(tampon, static_cast<std::size_t>(n));
}

bool cibleExiste(const std::string& lien)
{
    struct stat infos {};
    return ::stat(lien.c_str(), &infos) == 0;
}

bool lie(const std::string& lien, const std::string& cible, std::string& erreur)
{
    if (::symlink(cible.c_str(), lien.c_str()) == 0) return true;
    erreur = "Création du lien " + lien + " impossible : " + std::strerror(errno);
    return false;
}

} // namespace

bool creeLienSymbolique(const std::string& lien, const std::string& cible, std::string& erreur)
{
    struct stat infos {};
    if (::lstat(lien.c_str(), &infos) != 0) {
        if (errno == ENOENT) return lie(lien, cible, erreur);
        erreur = "Accès à " + lien + " impossible : " + std::strerror(errno);
        return false;
    }
    if (!S_ISLNK(infos.st_mode)) {
        erreur = lien + " existe et n'est pas un lien symbolique : il n'est pas remplacé.";
        return false;
    }
    const std::optional<std::string> ancienne = cibleDuLien(lien);
    if (cibleExiste(lien) && ancienne != cible) {
        erreur = "Le lien " + lien + " désigne " + ancienne.value_or("?")
                 + ", qui existe : un autre simulateur l'utilise peut-être."
                   " Supprimez-le s'il est périmé.";
        return false;
    }
    if (::unlink(lien.c_str()) != 0 && errno != ENOENT) {
        erreur = "Remplacement du lien " + lien + " impossible : " + std::strerror(errno);
        return false;
    }
    return lie(lien, cible, erreur);
}

void retireLienSymbolique(const std::string& lien, const std::string& cible)
{
    if (cibleDuLien(lien) == cible) ::unlink(lien.c_str());
}
