#include "spectrum/TBarreSpectre.h"

#include "spectrum/BoutonsBarre.h"

#include <QMenu>
#include <QSignalBlocker>
#include <QToolButton>

TBarreSpectre::TBarreSpectre(QWidget* parent) : QToolBar(QStringLiteral("Barre d'outils"), parent)
{
    prepareBarre(*this);

    ConnectBtn = ajoute(QStringLiteral("Connect."), QStringLiteral("connecter"),
                        QStringLiteral("Ouvrir ou fermer la liaison avec le spectrophotomètre"), true);
    ConnectBtn->setCheckable(true);
    BlancBtn = ajoute(QStringLiteral("Blanc"), QStringLiteral("blanc"),
                      QStringLiteral("Mettre la cuve avec le solvant puis cliquer ici"), false);
    SpectreBtn = ajoute(QStringLiteral("Spectre"), QStringLiteral("spectre"),
                        QStringLiteral("Mettre la cuve avec l'échantillon puis cliquer ici"), false);
    AddBtn = ajoute(QStringLiteral("Conserver"), QStringLiteral("conserver"),
                    QStringLiteral("Conserver la courbe courante"), true);
    StopBtn = ajoute(QStringLiteral("Stop"), QStringLiteral("stop"),
                     QStringLiteral("Arrêt de l'acquisition"), false);
    PrintBtn = ajoute(QStringLiteral("Imprimer"), QStringLiteral("imprimer"),
                      QStringLiteral("Impression du graphe"), false);
    SaveBtn = ajoute(QStringLiteral("Sauver"), QStringLiteral("sauver"),
                     QStringLiteral("Supprimer tous les spectres"), false);
    CinetiqueBtn = ajoute(QStringLiteral("Cinétique"), QStringLiteral("cinetique"),
                          QStringLiteral("Ouvrir la fenêtre de cinétique"), true);
    ExitBtn = ajoute(QStringLiteral("Quitter"), QStringLiteral("quitter"),
                     QStringLiteral("Quitter le programme"), false);
    construitMenuSauver();
}

QToolButton* TBarreSpectre::ajoute(const QString& texte, const QString& nomIcone,
                                   const QString& aide, bool large)
{
    return ajouteBoutonBarre(*this, texte, nomIcone, aide, hauteur, large ? largeurLarge : 0);
}

void TBarreSpectre::construitMenuSauver()
{
    const TMenuSauver m = ::construitMenuSauver(*SaveBtn);
    SavePopupMenu = m.menu;
    TabrelixM = m.TabrelixM;
    ClipM = m.ClipM;
    FileM = m.FileM;
}

QList<QToolButton*> TBarreSpectre::boutons() const
{
    return {ConnectBtn, BlancBtn,  SpectreBtn,   AddBtn, StopBtn,
            PrintBtn,   SaveBtn,   CinetiqueBtn, ExitBtn};
}

void TBarreSpectre::applique(const TBoutonsSpectre& etat)
{
    BlancBtn->setEnabled(etat.blanc);
    SpectreBtn->setEnabled(etat.spectre);
    StopBtn->setEnabled(etat.stop);
    ConnectBtn->setText(etat.texteConnexion);
    {
        // The toggle shows whether the port is open, also after a failed opening.
        const QSignalBlocker bloque(ConnectBtn);
        ConnectBtn->setChecked(etat.connecte);
    }
    SaveBtn->setEnabled(etat.sauver);
    PrintBtn->setEnabled(etat.sauver);
    AddBtn->setEnabled(etat.conserver);
}
