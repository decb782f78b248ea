#include "export/EchangeJcamp.h"

#include "common/Conversions.h"
#include "export/MarquesEchange.h"
#include "graph/Tgraphe.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {

constexpr int longueurLigne = 80;

struct TBloc {
    QString titre;
    QString typeDonnees;
    QString uniteX;
    // Private labels written after OWNER ("$KINETICS" and its value).
    std::vector<std::pair<const char*, QString>> notes;
    const Tvecteur* x;
    const Tvecteur* y;
    int n;
};

// The points whose X and Y are finite, by increasing X; equal abscissae
// keep their order.
std::vector<int> ordreCroissant(const Tvecteur& x, const Tvecteur& y, int n)
{
    std::vector<int> ordre;
    ordre.reserve(static_cast<std::size_t>(n));
    for (int k = 0; k < n; ++k) {
        const auto i = static_cast<std::size_t>(k);
        if (std::isfinite(x[i]) && std::isfinite(y[i])) ordre.push_back(k);
    }
    std::stable_sort(ordre.begin(), ordre.end(), [&x](int a, int b) {
        return x[static_cast<std::size_t>(a)] < x[static_cast<std::size_t>(b)];
    });
    return ordre;
}

QString etiquette(const char* nom, const QString& valeur)
{
    const QString debut = QStringLiteral("##") + QLatin1String(nom) + u'=';
    return debut + texteJcamp(valeur, longueurLigne - static_cast<int>(debut.size()));
}

TFichierJcamp fichier(const TBloc& b, const QString& proprietaire)
{
    const std::vector<int> ordre = ordreCroissant(*b.x, *b.y, b.n);
    const int n = static_cast<int>(ordre.size());
    const auto valeurX = [&](int j) { return (*b.x)[static_cast<std::size_t>(ordre[static_cast<std::size_t>(j)])]; };
    const auto valeurY = [&](int j) { return (*b.y)[static_cast<std::size_t>(ordre[static_cast<std::size_t>(j)])]; };
    QStringList l{etiquette("TITLE", b.titre),
                  etiquette("JCAMP-DX", QStringLiteral("5.01")),
                  etiquette("DATA TYPE", b.typeDonnees),
                  etiquette("DATA CLASS", QStringLiteral("XYPOINTS")),
                  etiquette("ORIGIN", QStringLiteral("Lumko, spectrophotometre UV-visible Orvanne")),
                  etiquette("OWNER", proprietaire.isEmpty() ? QStringLiteral("PUBLIC DOMAIN") : proprietaire)};
    for (const auto& [nom, valeur] : b.notes) l << etiquette(nom, valeur);
    l << etiquette("XUNITS", b.uniteX) << etiquette("YUNITS", QStringLiteral("ABSORBANCE"))
      << etiquette("XFACTOR", QStringLiteral("1")) << etiquette("YFACTOR", QStringLiteral("1"));
    if (n > 0) {
        l << etiquette("FIRSTX", reelVersTexte(valeurX(0))) << etiquette("LASTX", reelVersTexte(valeurX(n - 1)));
    }
    l << etiquette("NPOINTS", QString::number(n));
    if (n > 0) l << etiquette("FIRSTY", reelVersTexte(valeurY(0)));
    l << QStringLiteral("##XYPOINTS=(XY..XY)");
    for (int j = 0; j < n; ++j) l << reelVersTexte(valeurX(j)) + QStringLiteral(", ") + reelVersTexte(valeurY(j));
    l << QStringLiteral("##END=");
    return {l, std::max(0, b.n) - n};
}

QString titre(const TContexteExport& contexte, const QString& parDefaut)
{
    const QString commentaire = surUneLigne(contexte.commentaire).trimmed();
    return commentaire.isEmpty() ? parDefaut + contexte.dateHeure : commentaire;
}

} // namespace

QString texteJcamp(const QString& texte, int longueurMax)
{
    QString resultat;
    for (const QChar c : surUneLigne(texte).normalized(QString::NormalizationForm_D)) {
        if (c.category() == QChar::Mark_NonSpacing) continue;
        const QChar ascii = (c.unicode() >= 0x20 && c.unicode() < 0x7F) ? c : QChar(u'?');
        // After the accents are dropped: "#\u0301#" is "##" too.
        if ((ascii == u'$' || ascii == u'#') && resultat.endsWith(ascii)) resultat += u' ';
        resultat += ascii;
    }
    return resultat.left(std::max(0, longueurMax));
}

bool estFormatJcamp(const QString& chemin)
{
    return QFileInfo(chemin).suffix().toUpper() == QStringLiteral("JDX");
}

TFichierJcamp fichierJcampSpectre(const Tgraphe& graphe, const TContexteExport& contexte,
                                  const QString& proprietaire)
{
    return fichier({titre(contexte, QStringLiteral("Spectre Orvanne ")), QStringLiteral("UV/VIS SPECTRUM"),
                    QStringLiteral("NANOMETERS"), {}, &graphe.mondeX->valeur, &graphe.mondeAbs->valeur,
                    pointsCourbe(graphe)},
                   proprietaire);
}

// JCAMP-DX names no data type for a kinetics run; readers know "UV/VIS
// SPECTRUM", and the standard lists SECONDS among the units of XUNITS. The
// private label (its name starts with "$", as JCAMP-DX reserves for them)
// tells a person or a program that knows it that X is time.
TFichierJcamp fichierJcampCinetique(const Tgraphe& graphe, const TContexteExport& contexte,
                                    const QString& proprietaire)
{
    return fichier({titre(contexte, QStringLiteral("Cinetique Orvanne ")), QStringLiteral("UV/VIS SPECTRUM"),
                    QStringLiteral("SECONDS"),
                    {{"$KINETICS", QStringLiteral("ABSORBANCE AGAINST TIME AT ONE WAVELENGTH")}},
                    &graphe.mondeX->valeur, &graphe.mondeY->valeur,
                    pointsCourbe(graphe)},
                   proprietaire);
}
