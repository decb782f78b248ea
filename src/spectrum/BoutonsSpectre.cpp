#include "spectrum/BoutonsSpectre.h"

TBoutonsSpectre boutonsSpectre(const TFaitsSpectre& f)
{
    const bool repos = f.etat == TEtatSpectre::esAttente && !f.occupe;
    const bool balayage = f.etat == TEtatSpectre::esSpectreEnCours;
    TBoutonsSpectre b;
    b.blanc = f.ouvert && repos;
    b.spectre = f.ouvert && f.blancFait && repos;
    b.stop = !repos;
    b.sauver = f.spectreFait && f.nbrePoints > 100 && !balayage;
    b.conserver = f.spectreFait;
    b.verification = f.ouvert && repos;
    b.connecte = f.ouvert;
    b.texteConnexion = f.ouvert ? QStringLiteral("Déconnecter") : QStringLiteral("Connecter");
    if (!f.ouvert) b.invite = QStringLiteral("Cliquer sur connecter");
    if (b.sauver) b.etat = QStringLiteral("Cliquer sur sauver");
    if (f.etat == TEtatSpectre::esBlancEnCours) b.etat = QStringLiteral("Blanc en cours");
    if (balayage) b.etat = QStringLiteral("Spectre en cours");
    return b;
}
