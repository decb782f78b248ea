#include "app/TApplicationLumko.h"

#include "app/TitreApplication.h"

#include <QFile>
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
