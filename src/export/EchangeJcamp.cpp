#include "export/EchangeJcamp.h"

#include "common/Conversions.h"
#include "export/EchangeSpectre.h"
#include "graph/Tgraphe.h"

#include <QFileInfo>

#include <algorithm>
#include <numeric>
#include <vector>

namespace {

constexpr int longueurLigne = 80;

struct TBloc {
    QString titre;
    QString typeDonnees;
    QString uniteX;
    const Tvecteur* x;
    const Tvecteur* y;
    int n;
};

// The points by increasing X; equal abscissae keep their order.
std::vector<int> ordreCroissant(const Tvecteur& x, int n)
{
    std::vector<int> ordre(static_cast<std::size_t>(n));
    std::iota(ordre.begin(), ordre.end(), 0);
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

QStringList fichier(const TBloc& b, const QString& proprietaire)
{
    const std::vector<int> ordre = ordreCroissant(*b.x, b.n);
    const auto valeurX = [&](int j) { return (*b.x)[static_cast<std::size_t>(ordre[static_cast<std::size_t>(j)])]; };
    const auto valeurY = [&](int j) { return (*b.y)[static_cast<std::size_t>(ordre[static_cast<std::size_t>(j)])]; };
    QStringList l{etiquette("TITLE", b.titre),
                  etiquette("JCAMP-DX", QStringLiteral("5.01")),
                  etiquette("DATA TYPE", b.typeDonnees),
                  etiquette("DATA CLASS", QStringLiteral("XYPOINTS")),
                  etiquette("ORIGIN", QStringLiteral("Lumko, spectrophotometre UV-visible Orvanne")),
                  etiquette("OWNER", proprietaire.isEmpty() ? QStringLiteral("PUBLIC DOMAIN") : proprietaire),
                  etiquette("XUNITS", b.uniteX),
                  etiquette("YUNITS", QStringLiteral("ABSORBANCE")),
                  etiquette("XFACTOR", QStringLiteral("1")),
                  etiquette("YFACTOR", QStringLiteral("1"))};
    if (b.n > 0) {
        l << etiquette("FIRSTX", reelVersTexte(valeurX(0))) << etiquette("LASTX", reelVersTexte(valeurX(b.n - 1)));
    }
    l << etiquette("NPOINTS", QString::number(b.n));
    if (b.n > 0) l << etiquette("FIRSTY", reelVersTexte(valeurY(0)));
    l << QStringLiteral("##XYPOINTS=(XY..XY)");
    for (int j = 0; j < b.n; ++j) l << reelVersTexte(valeurX(j)) + QStringLiteral(", ") + reelVersTexte(valeurY(j));
    l << QStringLiteral("##END=");
    return l;
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
        resultat += (c.unicode() >= 0x20 && c.unicode() < 0x7F) ? c : QChar(u'?');
    }
    return resultat.left(std::max(0, longueurMax));
}

bool estFormatJcamp(const QString& chemin)
{
    return QFileInfo(chemin).suffix().toUpper() == QStringLiteral("JDX");
}

QStringList fichierJcampSpectre(const Tgraphe& graphe, const TContexteExport& contexte, const QString& proprietaire)
{
    return fichier({titre(contexte, QStringLiteral("Spectre Orvanne ")), QStringLiteral("UV/VIS SPECTRUM"),
                    QStringLiteral("NANOMETERS"), &graphe.mondeX->valeur, &graphe.mondeAbs->valeur,
                    std::min<int>(graphe.nbrePoints, tailleVecteur)},
                   proprietaire);
}

QStringList fichierJcampCinetique(const Tgraphe& graphe, const TContexteExport& contexte, const QString& proprietaire)
{
    return fichier({titre(contexte, QStringLiteral("Cinetique Orvanne ")), QStringLiteral("UV/VIS KINETICS"),
                    QStringLiteral("SECONDS"), &graphe.mondeX->valeur, &graphe.mondeY->valeur,
                    std::min<int>(graphe.nbrePoints, tailleVecteur)},
                   proprietaire);
}
