#include "app/TAboutBox.h"
#include "app/TApplicationLumko.h"
#include "app/TInstanceUnique.h"
#include "app/TSignauxArret.h"
#include "common/NomFichierIni.h"
#include "kinetics/TCinetiqueForm.h"
#include "spectrum/TFormMain.h"

int main(int argc, char** argv)
{
    TApplicationLumko app(argc, argv);

    // Before any window: a second start only brings the first copy forward.
    const auto instance = TInstanceUnique::duProgramme();
    if (instance->autreCopieRestauree()) return 0;

    fixeNomFichierIni();
    TFormMain fenetre(NomFichierIni());
    TCinetiqueForm::branche(fenetre, NomFichierIni());

    TAboutBox AboutBox;

    // Closing the window ends the event loop; its destructor then writes the
    // settings, and reports a failure to do so itself.
    TSignauxArret signaux([&fenetre] { fenetre.close(); });
    instance->ecoute([&fenetre] { fenetre.restaure(); });
    fenetre.show();
    return app.exec();
}
