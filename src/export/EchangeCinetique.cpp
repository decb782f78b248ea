#include "export/EchangeCinetique.h"

#include "common/Conversions.h"
#include "export/MarquesEchange.h"
#include "graph/Tgraphe.h"

#include <algorithm>

namespace {

const QString tab = QStringLiteral("\t");

QString ligneTA(const Tgraphe& g, int k, const QString& separateur)
{
    const auto i = static_cast<std::size_t>(k);
    return reelVersTexte(g.mondeX->valeur[i]) + separateur + reelVersTexte(g.mondeY->valeur[i]);
}

} // namespace

QStringList ecritEnteteCinet()
{
    return {QStringLiteral("MORVALEN TABRELIX WINDOWS 1.0"),
            marqueEntete + QStringLiteral("2 NOM VAR"),
            QStringLiteral("t"),
            QStringLiteral("A"),
            marqueEntete + QStringLiteral("2 UNITE VAR"),
            QStringLiteral("s"),
            QString(),
            marqueEntete + QStringLiteral("2 SIGNIF VAR"),
            QStringLiteral("durée"),
            QStringLiteral("Absorbance")};
}

QStringList ecritPageCinet(const Tgraphe& graphe, const TContexteExport& contexte)
{
    const QString commentaire = texteUtilisateur(contexte.commentaire);
    const int n = pointsCourbe(graphe);
    QStringList lignes{marqueEntete + QStringLiteral("1 ACQUISITION"), contexte.executable,
                       marqueEntete + QStringLiteral("1 PAGE COMMENT"),
                       commentaire.isEmpty()
                           ? QStringLiteral("Suivi de cinétique par spectro orvanne ") + contexte.dateHeure
                           : commentaire,
                       marqueValeurs + QString::number(n) + QStringLiteral(" VALEUR VAR")};
    for (int k = 0; k < n; ++k) lignes << ligneTA(graphe, k, QStringLiteral(" "));
    if (!graphe.listeRepere.empty()) {
        lignes << marqueValeurs + QString::number(graphe.listeRepere.size()) + QStringLiteral(" REPERE");
        for (const Trepere& r : graphe.listeRepere)
            lignes << reelVersTexte(r.Valeur) + tab + texteUtilisateur(r.Text);
    }
    return lignes;
}

QStringList fichierEchangeCinetique(const Tgraphe& graphe, const TContexteExport& contexte)
{
    return ecritEnteteCinet() + ecritPageCinet(graphe, contexte);
}

QStringList ecritEnteteTableurCinet()
{
    return {QStringLiteral("Cinétique avec orvanne"), QStringLiteral("t\tA"), QStringLiteral("s\t")};
}

QStringList ecritTableurCinet(const Tgraphe& graphe)
{
    QStringList lignes;
    for (int k = 0; k < pointsCourbe(graphe); ++k) lignes << ligneTA(graphe, k, tab);
    return lignes;
}

QStringList fichierTableurCinetique(const Tgraphe& graphe)
{
    return ecritEnteteTableurCinet() + ecritTableurCinet(graphe);
}

QStringList texteTransfertCinetique(const Tgraphe& graphe, const TContexteExport& contexte)
{
    const Tmonde& x = *graphe.mondeX;
    const Tmonde& y = *graphe.mondeY;
    QStringList lignes{contexte.executable, QStringLiteral("Cinétique ") + contexte.dateHeure,
                       texteUtilisateur(contexte.commentaire), x.nom + tab + y.nom, x.unite + tab + y.unite};
    for (int k = 0; k < pointsCourbe(graphe); ++k) lignes << ligneTA(graphe, k, tab);
    return lignes;
}
