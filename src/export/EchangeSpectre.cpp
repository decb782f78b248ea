#include "export/EchangeSpectre.h"

#include "export/MarquesEchange.h"

#include "common/Conversions.h"
#include "graph/Couleurs.h"
#include "graph/Tgraphe.h"

namespace {

const QString tab = QStringLiteral("\t");
const QString enteteFichier = QStringLiteral("MORVALEN TABRELIX WINDOWS 1.0");

QString nombre(double x)
{
    return reelVersTexte(x);
}

QString ligneXAT(double x, double a, double t, const QString& separateur)
{
    return nombre(x) + separateur + nombre(a) + separateur + nombre(t);
}

// Rows by increasing wavelength: a curve scanned downwards is read backwards.
void ajouteLignesCroissantes(const Tvecteur& x, const Tvecteur& a, const Tvecteur& t, int n,
                             QStringList& lignes)
{
    const bool descendant = n >= 2 && x[0] > x[1];
    for (int j = 0; j < n; ++j) {
        const auto k = static_cast<std::size_t>(descendant ? n - 1 - j : j);
        lignes << ligneXAT(x[k], a[k], t[k], tab);
    }
}

// The colour as the analysis program reads it: blue x 65536 + green x 256 + red.
QString couleurDecimale(const QColor& c)
{
    return QString::number(c.blue() * 65536 + c.green() * 256 + c.red());
}

} // namespace

QStringList ecritEntete()
{
    return {enteteFichier,
            marqueEntete + QStringLiteral("3 NOM VAR"),
            QStringLiteral("λ"),
            QStringLiteral("A"),
            QStringLiteral("T"),
            marqueEntete + QStringLiteral("3 UNITE VAR"),
            QStringLiteral("nm"),
            QString(),
            QStringLiteral("%"),
            marqueEntete + QStringLiteral("3 SIGNIF VAR"),
            QStringLiteral("Longueur d'onde"),
            QStringLiteral("Absorbance"),
            QStringLiteral("Transmittance")};
}

QStringList ecritPage(const Tgraphe& graphe, const TContexteExport& contexte)
{
    const int n = pointsCourbe(graphe);
    const QString commentaire = texteUtilisateur(contexte.commentaire);
    QStringList lignes{marqueEntete + QStringLiteral("1 ACQUISITION"), contexte.executable,
                       marqueEntete + QStringLiteral("1 PAGE COMMENT"),
                       commentaire.isEmpty() ? contexte.dateHeure : commentaire,
                       marqueValeurs + QString::number(n) + QStringLiteral(" VALEUR VAR")};
    for (int k = 0; k < n; ++k) {
        const auto i = static_cast<std::size_t>(k);
        lignes << ligneXAT(graphe.mondeX->valeur[i], graphe.mondeAbs->valeur[i], graphe.MondeTrans->valeur[i],
                           QStringLiteral(" "));
    }
    return lignes;
}

QStringList fichierEchangeSpectre(const Tgraphe& graphe, const TContexteExport& contexte)
{
    return ecritEntete() + ecritPage(graphe, contexte);
}

QStringList ecritTableur(const Tgraphe& graphe, const TContexteExport& contexte)
{
    QStringList lignes{QStringLiteral("Spectre Orvanne ") + contexte.dateHeure, QStringLiteral("λ\tA\tT"),
                       QStringLiteral("nm\t \t%"), texteUtilisateur(contexte.commentaire)};
    const int n = pointsCourbe(graphe);
    for (int k = 0; k < n; ++k) {
        const auto i = static_cast<std::size_t>(k);
        lignes << ligneXAT(graphe.mondeX->valeur[i], graphe.mondeAbs->valeur[i], graphe.MondeTrans->valeur[i], tab);
    }
    return lignes;
}

QStringList texteTransfertSpectre(const Tgraphe& graphe, const TContexteExport& contexte, bool nouveauFichier)
{
    const Tmonde& a = *graphe.mondeAbs;
    const Tmonde& t = *graphe.MondeTrans;
    QStringList lignes{contexte.executable,
                       QStringLiteral("Spectre  ") + contexte.dateHeure,
                       texteUtilisateur(contexte.commentaire),
                       QStringLiteral("λ") + tab + a.nom + tab + t.nom,
                       QStringLiteral("nm") + tab + a.unite + tab + t.unite,
                       QStringLiteral("Longueur d'onde") + tab + a.signif + tab + t.signif};
    ajouteLignesCroissantes(graphe.mondeX->valeur, a.valeur, t.valeur, pointsCourbe(graphe), lignes);
    if (nouveauFichier) AjouteOptionGr(graphe, lignes);
    return lignes;
}

void AjouteOptionGr(const Tgraphe& Agraphe, QStringList& donnees)
{
    donnees << marqueValeurs + QStringLiteral("1 NOMX") << Agraphe.mondeX->nom
            << marqueValeurs + QStringLiteral("1 NOMY") << Agraphe.mondeY->nom
            << marqueValeurs + QStringLiteral("1 COULEUR") << couleurDecimale(couleurCourbe)
            << marqueValeurs + QStringLiteral("1 LIGNE") << QStringLiteral("2");
}

QStringList texteCourbeConservee(const Tgraphe& graphe, int i, const TContexteExport& contexte)
{
    const Tdonnees& c = graphe.listeDonnees.at(static_cast<std::size_t>(i));
    QStringList lignes{contexte.executable,
                       QStringLiteral("Spectre  ") + contexte.dateHeure,
                       texteUtilisateur(contexte.commentaire),
                       QStringLiteral("λ") + tab + graphe.mondeAbs->nom + tab + graphe.MondeTrans->nom,
                       QStringLiteral("nm\t\t%"),
                       QStringLiteral("Longueur d'onde") + tab + texteUtilisateur(graphe.Titre)};
    ajouteLignesCroissantes(c.X, c.A, c.T, std::clamp(c.nombre, 0, tailleVecteur), lignes);
    return lignes;
}
