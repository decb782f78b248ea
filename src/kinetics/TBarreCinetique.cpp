#include "kinetics/TBarreCinetique.h"

#include "spectrum/BoutonsBarre.h"

#include <QMenu>
#include <QToolButton>

TBarreCinetique::TBarreCinetique(QWidget* parent) : QToolBar(QStringLiteral("Barre d'outils"), parent)
{
    prepareBarre(*this);
    const auto ajoute = [this](const QString& texte, const QString& icone, const QString& aide) {
        return ajouteBoutonBarre(*this, texte, icone, aide, hauteur);
    };
    ZeroBtn = ajoute(QStringLiteral("Blanc"), QStringLiteral("blanc"),
                     QStringLiteral("Mettre la cuve avec le solvant puis cliquer ici"));
    StartBtn = ajoute(QStringLiteral("Lancer"), QStringLiteral("lancer"), QStringLiteral("Lancer l'acquisition"));
    RepereBtn = ajoute(QStringLiteral("Repère"), QStringLiteral("repere"),
                       QStringLiteral("Placer un repère temporel"));
    StopBtn = ajoute(QStringLiteral("Stop"), QStringLiteral("stop"), QStringLiteral("Arrêt de l'acquisition"));
    ResetBtn = ajoute(QStringLiteral("RàZ"), QStringLiteral("raz"), QStringLiteral("Remise à zéro de l'acquisition"));
    SaveBtn = ajoute(QStringLiteral("Sauver"), QStringLiteral("sauver"),
                     QStringLiteral("Sauvegarder les mesures (la flèche choisit la destination)"));
    PrintBtn = ajoute(QStringLiteral("Imprimer"), QStringLiteral("imprimer"), QStringLiteral("Impression du graphe"));
    ExitBtn = ajoute(QStringLiteral("Quitter"), QStringLiteral("quitter"),
                     QStringLiteral("Fermer la fenêtre de cinétique"));
    const TMenuSauver m = construitMenuSauver(*SaveBtn);
    SavePopupMenu = m.menu;
    TabrelixM = m.TabrelixM;
    ClipM = m.ClipM;
    FileM = m.FileM;
}

QList<QToolButton*> TBarreCinetique::boutons() const
{
    return {ZeroBtn, StartBtn, RepereBtn, StopBtn, ResetBtn, SaveBtn, PrintBtn, ExitBtn};
}

void TBarreCinetique::applique(const TBoutonsCinetique& etat)
{
    StartBtn->setEnabled(etat.lancer);
    ResetBtn->setEnabled(etat.raz);
    StopBtn->setEnabled(etat.stop);
    RepereBtn->setEnabled(etat.repere);
    ExitBtn->setEnabled(etat.reglages);
    ZeroBtn->setEnabled(etat.instrument);
    SaveBtn->setEnabled(etat.sauver);
}
