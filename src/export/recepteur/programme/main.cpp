// lumko-recepteur: plays the analysis program Tabrelix on its channel, so
// that Lumko's transfers can be seen without it. Prints every request it
// receives, each macro with the clipboard text present at that moment.
#include "common/DossierExecution.h"
#include "export/recepteur/TRecepteur.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTextStream>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("lumko-recepteur"));
    QCommandLineParser options;
    options.setApplicationDescription(
        QStringLiteral("Joue le programme d'analyse Tabrelix pour Lumko : affiche chaque demande reçue "
                       "et, pour chaque macro, le texte du presse-papiers à cet instant."));
    options.addHelpOption();
    options.addOption({QStringLiteral("refuse-advise"), QStringLiteral("refuse le lien sur « ServeurItem »")});
    options.addOption({QStringLiteral("silent"), QStringLiteral("lit les demandes sans jamais répondre")});
    options.addOption({QStringLiteral("service"), QStringLiteral("nom du service (TABRELIX par défaut)"),
                       QStringLiteral("nom"), QStringLiteral("TABRELIX")});
    options.process(app);

    TRecepteur::TOptions reglage;
    reglage.services = {options.value(QStringLiteral("service"))};
    reglage.refuseAvis = options.isSet(QStringLiteral("refuse-advise"));
    reglage.muet = options.isSet(QStringLiteral("silent"));
    TRecepteur recepteur(reglage);
    QTextStream sortie(stdout);
    QObject::connect(&recepteur, &TRecepteur::recu, [&sortie](const TRecepteur::TEvenement& e) {
        sortie << e.genre << ' ' << e.contenu << '\n';
        if (e.genre == u"macro") {
            sortie << "--- presse-papiers ---\n" << e.pressePapiers;
            if (!e.pressePapiers.endsWith(u'\n')) sortie << '\n';
            sortie << "--- fin ---\n";
        }
        sortie.flush();
    });
    if (!recepteur.demarre(dossierLumko())) {
        std::fprintf(stderr, "lumko-recepteur : %s\n", qPrintable(recepteur.erreur()));
        return 1;
    }
    sortie << "lumko-recepteur : en attente sur " << reglage.services.join(QStringLiteral(", ")) << '\n';
    sortie.flush();
    return app.exec();
}
