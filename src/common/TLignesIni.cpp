#include "common/TLignesIni.h"

namespace {

bool estBlanc(char c) { return c == ' ' || c == '\t'; }

bool memeNom(const QString& a, const QString& b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

QString nomDecode(const QByteArray& octets)
{
    return QString::fromUtf8(octets.trimmed());
}

} // namespace

TLignesIni::TLignesIni(const QByteArray& contenu)
{
    qsizetype debut = 0;
    while (debut < contenu.size()) {
        qsizetype fin = contenu.indexOf('\n', debut);
        const bool derniere = fin < 0;
        if (derniere) fin = contenu.size();
        qsizetype longueur = fin - debut;
        // Only the CR of a CR LF pair is a line end; a CR anywhere else is content.
        if (!derniere && longueur > 0 && contenu[fin - 1] == '\r') --longueur;
        lignes_.push_back(analyse(contenu.sliced(debut, longueur)));
        debut = fin + 1;
    }
}

TLignesIni::Ligne TLignesIni::analyse(QByteArray brut)
{
    Ligne ligne;
    ligne.brut = std::move(brut);
    const QByteArray net = ligne.brut.trimmed();
    if (net.isEmpty() || net.front() == ';' || net.front() == '#') return ligne;
    if (net.front() == '[') {
        const qsizetype fin = net.indexOf(']');
        // A header without "]" still opens a section, one that no name can
        // reach: the keys under it must not fall into the section before.
        if (fin < 0) {
            ligne.genre = Genre::SectionSansNom;
        } else {
            ligne.genre = Genre::Section;
            ligne.nom = nomDecode(net.sliced(1, fin - 1));
        }
        return ligne;
    }
    const qsizetype egal = ligne.brut.indexOf('=');
    if (egal < 0) return ligne;
    ligne.nom = nomDecode(ligne.brut.first(egal));
    if (ligne.nom.isEmpty()) return ligne;
    ligne.genre = Genre::Cle;
    // The blanks after "=" belong to the name part, so that a new value keeps
    // the spacing the file had ("Debut = 500" becomes "Debut = 650").
    ligne.debutValeur = egal + 1;
    while (ligne.debutValeur < ligne.brut.size() && estBlanc(ligne.brut[ligne.debutValeur]))
        ++ligne.debutValeur;
    return ligne;
}

std::optional<std::size_t> TLignesIni::trouveSection(const QString& section) const
{
    for (std::size_t i = 0; i < lignes_.size(); ++i)
        if (lignes_[i].genre == Genre::Section && memeNom(lignes_[i].nom, section)) return i;
    return std::nullopt;
}

std::size_t TLignesIni::finSection(std::size_t entete) const
{
    std::size_t i = entete + 1;
    while (i < lignes_.size() && lignes_[i].genre != Genre::Section
           && lignes_[i].genre != Genre::SectionSansNom)
        ++i;
    return i;
}

std::optional<std::size_t> TLignesIni::trouveCle(std::size_t entete, const QString& cle) const
{
    const std::size_t fin = finSection(entete);
    for (std::size_t i = entete + 1; i < fin; ++i)
        if (lignes_[i].genre == Genre::Cle && memeNom(lignes_[i].nom, cle)) return i;
    return std::nullopt;
}

std::size_t TLignesIni::placeNouvelleCle(std::size_t entete) const
{
    std::size_t place = entete + 1;
    const std::size_t fin = finSection(entete);
    for (std::size_t i = entete + 1; i < fin; ++i)
        if (lignes_[i].genre == Genre::Cle) place = i + 1;
    return place;
}

std::optional<QString> TLignesIni::valeur(const QString& section, const QString& cle) const
{
    const auto entete = trouveSection(section.trimmed());
    if (!entete) return std::nullopt;
    const auto i = trouveCle(*entete, cle.trimmed());
    if (!i) return std::nullopt;
    const Ligne& ligne = lignes_[*i];
    return nomDecode(ligne.brut.sliced(ligne.debutValeur));
}

void TLignesIni::fixe(const QString& section, const QString& cle, const QString& valeur)
{
    const QByteArray octetsValeur = valeur.toUtf8();
    const auto entete = trouveSection(section.trimmed());
    if (!entete) {
        lignes_.push_back(analyse('[' + section.trimmed().toUtf8() + ']'));
        lignes_.push_back(analyse(cle.trimmed().toUtf8() + '=' + octetsValeur));
        return;
    }
    if (const auto i = trouveCle(*entete, cle.trimmed())) {
        // The name part stays as the file spells it; only the value changes.
        Ligne& ligne = lignes_[*i];
        ligne = analyse(ligne.brut.first(ligne.debutValeur) + octetsValeur);
        return;
    }
    const auto place = static_cast<std::ptrdiff_t>(placeNouvelleCle(*entete));
    lignes_.insert(lignes_.begin() + place, analyse(cle.trimmed().toUtf8() + '=' + octetsValeur));
}

QByteArray TLignesIni::contenu() const
{
    qsizetype taille = 0;
    for (const Ligne& ligne : lignes_) taille += ligne.brut.size() + 2;
    QByteArray resultat;
    resultat.reserve(taille);
    for (const Ligne& ligne : lignes_) {
        resultat += ligne.brut;
        resultat += "\r\n";
    }
    return resultat;
}
