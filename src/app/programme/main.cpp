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
#include <QDialog>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>

namespace {

// A stop signal ends the program as closing its window does, even with a box
// up: a box left open would keep the program alive. It is dismissed without
// an answer, which leaves the start-up question's journals for the next start.
void arrete(TFormMain& fenetre)
{
    for (int k = 0; k < 8; ++k) {
        auto* boite = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (boite == nullptr) break;
        boite->reject();
    }
    fenetre.close();
}

} // namespace

int main(int argc, char** argv)
{
    TApplicationLumko app(argc, argv);

    // Before anything else: of the copies of one executable only the one that
    // holds the lock goes on, and it listens at once; a later start brings it
    // forward and ends.
    const auto instance = TInstanceUnique::duProgramme();
    switch (instance->demarre()) {
    case TInstanceUnique::Demarrage::seule:
        break;
    case TInstanceUnique::Demarrage::restauree:
        return 0;
    case TInstanceUnique::Demarrage::sansReponse:
        std::fprintf(stderr, "%s\n", TInstanceUnique::texteSansReponse(instance->titre()).toLocal8Bit().constData());
        return 1;
    }
    // A copy renamed on disk runs beside the program: its journals are its own.
    TJournalMesures::fixeTitre(instance->titre());

    fixeNomFichierIni();
    TFormMain fenetre(CheminsIni());
    TFormDDE FormDDE;
    TConstanteDlg ConstanteDlg;
    FormDDE.setConstantes(&ConstanteDlg);
    TAboutBox AboutBox;

    TSauvegarde sauvegarde(FormDDE, ConstanteDlg);
    sauvegarde.brancheSpectre(fenetre);
    TCinetiqueForm::branche(fenetre, CheminsIni(),
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
    TSignauxArret signaux([&fenetre] { arrete(fenetre); });
    instance->surRestauration([&fenetre] { fenetre.restaure(); });
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
