#include "app/TAboutBox.h"
#include "app/TApplicationLumko.h"
#include "app/TInstanceUnique.h"
#include "app/TRecuperation.h"
#include "app/TSignauxArret.h"
#include "common/NomFichierIni.h"
#include "common/TJournalMesures.h"
#include "export/TConstanteDlg.h"
#include "export/TFormDDE.h"
#include "export/TSauvegarde.h"
#include "kinetics/TCinetiqueForm.h"
#include "spectrum/TFormMain.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>

int main(int argc, char** argv)
{
    TApplicationLumko app(argc, argv);

    // Before any window: a second start only brings the first copy forward.
    const auto instance = TInstanceUnique::duProgramme();
    if (instance->autreCopieRestauree()) return 0;

    fixeNomFichierIni();
    TFormMain fenetre(NomFichierIni());
    TFormDDE FormDDE;
    TConstanteDlg ConstanteDlg;
    FormDDE.setConstantes(&ConstanteDlg);
    TAboutBox AboutBox;

    TSauvegarde sauvegarde(FormDDE, ConstanteDlg);
    sauvegarde.brancheSpectre(fenetre);
    TCinetiqueForm::branche(fenetre, NomFichierIni(),
                            [&sauvegarde](TCinetiqueForm& cinetique) { sauvegarde.brancheCinetique(cinetique); });

    // Another program (the analysis program) may ask for the main window,
    // unless a modal box is up.
    FormDDE.ecouteServeur(QFileInfo(QCoreApplication::applicationFilePath()).fileName().section(u'.', 0, 0));
    QObject::connect(&FormDDE, &TFormDDE::activationDemandee, &fenetre, [&fenetre] {
        if (QApplication::activeModalWidget() != nullptr) return;
        fenetre.raise();
        fenetre.activateWindow();
    });

    // Closing the window ends the event loop; its destructor then writes the
    // settings, and reports a failure to do so itself.
    TSignauxArret signaux([&fenetre] { fenetre.close(); });
    instance->ecoute([&fenetre] { fenetre.restaure(); });
    fenetre.show();

    // Once the window is up: measurements that a crash, or a session ended
    // without saving, left in their journals.
    QTimer::singleShot(0, &fenetre, [&fenetre] {
        TRecuperation(TJournalMesures::dossierParDefaut())
            .propose(
                fenetre,
                [&fenetre]() -> TCinetiqueForm& {
                    fenetre.CinetiqueBtnClick();
                    return *dynamic_cast<TCinetiqueForm*>(fenetre.cinetique());
                },
                TRecuperation::demande);
    });
    return app.exec();
}
