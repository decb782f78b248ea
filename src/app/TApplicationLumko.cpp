#include "app/TApplicationLumko.h"

#include "app/TAccessibleBouton.h"
#include "app/TitreApplication.h"

#include <QFile>
#include <QLibraryInfo>
#include <QTranslator>
#include <QIcon>
#include <QMessageBox>

#include <exception>

namespace {

const QString cheminIcone = QStringLiteral(":/icones/lumko.svg");

} // namespace

TApplicationLumko::TApplicationLumko(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("lumko"));
    setDesktopFileName(QStringLiteral("lumko"));
    if (QFile::exists(cheminIcone)) setWindowIcon(QIcon(cheminIcone));
    traduitQt();
    TAccessibleBouton::installe();
}

// Qt's own dialogs (files, standard buttons, input boxes) speak French, as
// the rest of the program does, whatever the desktop's language.
void TApplicationLumko::traduitQt()
{
    auto* traduction = new QTranslator(this);
    if (traduction->load(QStringLiteral("qtbase_fr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(traduction);
    else
        delete traduction;
}

QString TApplicationLumko::titre()
{
    const QString titre = titreApplication(applicationFilePath());
    return titre.isEmpty() ? QStringLiteral("Lumko") : titre;
}

bool TApplicationLumko::notify(QObject* destinataire, QEvent* evenement)
{
    try {
        return QApplication::notify(destinataire, evenement);
    } catch (const std::exception& erreur) {
        signale(QString::fromUtf8(erreur.what()));
    } catch (...) {
        signale(QStringLiteral("Erreur inconnue"));
    }
    return false;
}

void TApplicationLumko::signale(const QString& texte)
{
    if (signaleErreur)
        signaleErreur(texte);
    else
        QMessageBox::critical(activeWindow(), titre(), texte);
}
