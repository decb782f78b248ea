#include "common/TFichierIni.h"

#include "common/TLignesIni.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <utility>

namespace {

bool estChiffre(QChar c) { return c >= u'0' && c <= u'9'; }

std::optional<int> chiffreHexa(QChar c)
{
    if (estChiffre(c)) return c.unicode() - u'0';
    if (c >= u'a' && c <= u'f') return c.unicode() - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c.unicode() - u'A' + 10;
    return std::nullopt;
}

// Up to eight hexadecimal digits, taken as the 32 bits of an int ("0xFFFFFFFF" is -1).
std::optional<int> litHexa(QStringView chiffres)
{
    if (chiffres.isEmpty() || chiffres.size() > 8) return std::nullopt;
    std::uint32_t n = 0;
    for (QChar c : chiffres) {
        const auto chiffre = chiffreHexa(c);
        if (!chiffre) return std::nullopt;
        n = n * 16 + static_cast<std::uint32_t>(*chiffre);
    }
    return static_cast<std::int32_t>(n);
}

// Optional sign then decimal digits only, within the range of an int.
std::optional<int> litDecimal(QStringView texte)
{
    const bool negatif = texte.startsWith(u'-');
    if (negatif || texte.startsWith(u'+')) texte = texte.sliced(1);
    if (texte.isEmpty()) return std::nullopt;
    const std::int64_t limite = negatif ? -std::int64_t{INT32_MIN} : INT32_MAX;
    std::int64_t n = 0;
    for (QChar c : texte) {
        if (!estChiffre(c)) return std::nullopt;
        n = n * 10 + (c.unicode() - u'0');
        if (n > limite) return std::nullopt;
    }
    return static_cast<int>(negatif ? -n : n);
}

std::optional<int> litEntierIni(const QString& texte)
{
    if (texte.size() > 2 && texte[0] == u'0' && (texte[1] == u'x' || texte[1] == u'X'))
        return litHexa(QStringView(texte).sliced(2));
    return litDecimal(texte);
}

bool contientFinDeLigne(const QString& texte)
{
    return texte.contains(u'\n') || texte.contains(u'\r');
}

// A name or value that would change the meaning of the lines around it is a
// fault of the caller, refused before anything is written.
void verifieEcriture(const QString& section, const QString& cle, const QString& valeur)
{
    const QString s = section.trimmed();
    const QString k = cle.trimmed();
    const bool sectionValide = !s.isEmpty() && !s.contains(u']') && !contientFinDeLigne(s);
    const bool cleValide = !k.isEmpty() && !k.contains(u'=') && !contientFinDeLigne(k)
                           && !k.startsWith(u'[') && !k.startsWith(u';') && !k.startsWith(u'#');
    if (!sectionValide || !cleValide || contientFinDeLigne(valeur))
        throw std::invalid_argument("TFichierIni: section, clé ou valeur impossible à écrire");
}

// The file's bytes; empty when it does not exist, nothing when it exists but
// cannot be read.
std::optional<QByteArray> litContenu(const QString& chemin)
{
    if (!QFileInfo::exists(chemin)) return QByteArray();
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly)) return std::nullopt;
    QByteArray contenu = fichier.readAll();
    if (fichier.error() != QFileDevice::NoError) return std::nullopt;
    return contenu;
}

// The new content goes to a temporary file of the same folder that is renamed
// over the old one only once it is complete: a failure at any point leaves the
// old file as it was (the temporary file is removed with the QSaveFile).
bool remplaceContenu(const QString& chemin, const QByteArray& contenu)
{
    QSaveFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly)) return false;
    if (fichier.write(contenu) != contenu.size()) return false;
    return fichier.commit();
}

} // namespace

EEcritureIni::EEcritureIni(const QString& chemin)
    : std::runtime_error(QStringLiteral("Impossible d'écrire dans %1").arg(chemin).toStdString())
{
}

QString EEcritureIni::texte() const
{
    return QString::fromUtf8(what());
}

TFichierIni::TFichierIni(TCheminsIni chemins) : chemins_(std::move(chemins)) {}

// A file that cannot be read holds nothing: the next one, or the default, counts.
QString TFichierIni::litChaine(const QString& section, const QString& cle, const QString& defaut) const
{
    for (const QString* chemin : {&chemins_.personnel, &chemins_.commun}) {
        if (chemin->isEmpty()) continue;
        const auto contenu = litContenu(*chemin);
        if (!contenu) continue;
        if (auto valeur = TLignesIni(*contenu).valeur(section, cle)) return *valeur;
    }
    return defaut;
}

int TFichierIni::litEntier(const QString& section, const QString& cle, int defaut) const
{
    return litEntierIni(litChaine(section, cle, QString())).value_or(defaut);
}

bool TFichierIni::litBooleen(const QString& section, const QString& cle, bool defaut) const
{
    return litEntier(section, cle, defaut ? 1 : 0) != 0;
}

void TFichierIni::ecritChaine(const QString& section, const QString& cle, const QString& valeur) const
{
    verifieEcriture(section, cle, valeur);
    // A file that exists but cannot be read is not replaced: its other lines would be lost.
    const QString& chemin = chemins_.personnel;
    const auto contenu = litContenu(chemin);
    if (!contenu) throw EEcritureIni(chemin);
    TLignesIni lignes(*contenu);
    lignes.fixe(section, cle, valeur);
    if (!remplaceContenu(chemin, lignes.contenu())) throw EEcritureIni(chemin);
}

void TFichierIni::ecritEntier(const QString& section, const QString& cle, int valeur) const
{
    ecritChaine(section, cle, QString::number(valeur));
}

void TFichierIni::ecritBooleen(const QString& section, const QString& cle, bool valeur) const
{
    ecritChaine(section, cle, valeur ? QStringLiteral("1") : QStringLiteral("0"));
}
