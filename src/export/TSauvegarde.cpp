#include "export/TSauvegarde.h"

#include "export/EchangeCinetique.h"
#include "export/EchangeJcamp.h"
#include "export/EchangeSpectre.h"
#include "export/FichierExport.h"
#include "export/TConstanteDlg.h"
#include "common/TTransfertEnCours.h"
#include "export/TFormDDE.h"
#include "graph/TVueGraphe.h"
#include "kinetics/TBarreCinetique.h"
#include "kinetics/TCinetiqueForm.h"
#include "spectrum/TBarreSpectre.h"
#include "spectrum/TFormMain.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace {

QString choisitFichier(QWidget* parent, const QString& titre, const QString& suffixe)
{
    QFileDialog dialogue(parent, titre);
    dialogue.setAcceptMode(QFileDialog::AcceptSave);
    dialogue.setFileMode(QFileDialog::AnyFile);
    dialogue.setNameFilters(TSauvegarde::filtres.split(QStringLiteral(";;")));
    if (!suffixe.isEmpty()) dialogue.setDefaultSuffix(suffixe);
    if (dialogue.exec() != QDialog::Accepted || dialogue.selectedFiles().isEmpty()) return {};
    return dialogue.selectedFiles().constFirst();
}

void montreErreur(QWidget* parent, const QString& texte, const QString& detail)
{
    QMessageBox boite(QMessageBox::Warning, QStringLiteral("Lumko"), texte, QMessageBox::Ok, parent);
    boite.setInformativeText(detail);
    boite.exec();
}

} // namespace

QString proprietaireFichiers()
{
    const QString utilisateur = qEnvironmentVariable("USER");
    return utilisateur.isEmpty() ? qEnvironmentVariable("LOGNAME") : utilisateur;
}

bool estFormatTB3(const QString& chemin)
{
    return QFileInfo(chemin).suffix().toUpper() == QStringLiteral("TB3");
}

TSauvegarde::TSauvegarde(TFormDDE& dde, TConstanteDlg& constantes, QObject* parent)
    : QObject(parent), dialogueFichier(choisitFichier), boiteErreur(montreErreur), dde_(dde), constantes_(constantes)
{
}

void TSauvegarde::brancheSpectre(TFormMain& fenetre)
{
    fenetre.exporte = [this, &fenetre] { return SaveBtnClick(fenetre); };
}

void TSauvegarde::brancheCinetique(TCinetiqueForm& fenetre)
{
    fenetre.exporte = [this, &fenetre] { return SaveBtnClick(fenetre); };
}

bool TSauvegarde::SaveBtnClick(TFormMain& fenetre)
{
    return seulTransfert([this, &fenetre] { return exporteSpectre(fenetre); });
}

bool TSauvegarde::SaveBtnClick(TCinetiqueForm& fenetre)
{
    return seulTransfert([this, &fenetre] { return exporteCinetique(fenetre); });
}

// A second "Sauver" inside the first would put its own text on the
// clipboard while the analysis program is still reading the first one's.
bool TSauvegarde::seulTransfert(const std::function<bool()>& exporte)
{
    if (TTransfertEnCours::actif()) return false;
    const TTransfertEnCours enCours;
    return exporte();
}

// The clipboard carries the current curve only: the kept spectra stay.
bool TSauvegarde::exporteSpectre(TFormMain& fenetre)
{
    const TBarreSpectre& b = fenetre.barre();
    if (b.TabrelixM->isChecked()) return versTabrelix(fenetre);
    if (b.ClipM->isChecked()) return dde_.EnvoieDonneesSpectre(fenetre.graphe(), false);
    if (b.FileM->isChecked()) return versFichier(fenetre);
    return false;
}

bool TSauvegarde::exporteCinetique(TCinetiqueForm& fenetre)
{
    const TBarreCinetique& b = fenetre.barre();
    if (b.TabrelixM->isChecked()) return versTabrelix(fenetre);
    if (b.ClipM->isChecked()) return dde_.EnvoieDonneesCinetique(fenetre.Graphe(), false);
    if (b.FileM->isChecked()) return sauveFichierCinet(fenetre);
    return false;
}

// Kept spectra are not journaled: removed before the analysis program has
// every one of them, or before their file is written, they would be lost.
bool TSauvegarde::versTabrelix(TFormMain& fenetre)
{
    if (!constantes_.confirme() || !dde_.EnvoieDonneesSpectre(fenetre.graphe(), true)) return false;
    constantes_.setNouvellePage();
    retireConservees(fenetre);
    return true;
}

bool TSauvegarde::versTabrelix(TCinetiqueForm& fenetre)
{
    if (!constantes_.confirme() || !dde_.EnvoieDonneesCinetique(fenetre.Graphe(), true)) return false;
    constantes_.setNouvellePage();
    return true;
}

bool TSauvegarde::versFichier(TFormMain& fenetre)
{
    if (!sauveFichier(fenetre)) return false;
    retireConservees(fenetre);
    return true;
}

void TSauvegarde::retireConservees(TFormMain& fenetre)
{
    fenetre.graphe().listeDonnees.clear();
    fenetre.PaintBox1().redessine();
}

bool TSauvegarde::sauveFichier(TFormMain& fenetre)
{
    const QString chemin = dialogueFichier(&fenetre, QString(), QString());
    if (chemin.isEmpty()) return false;
    const TContexteExport contexte = TContexteExport::maintenant(constantes_.commentaire());
    const Tgraphe& g = fenetre.graphe();
    const TFichierJcamp fichier = estFormatJcamp(chemin) ? fichierJcampSpectre(g, contexte, proprietaireFichiers())
                                  : estFormatTB3(chemin) ? TFichierJcamp{fichierEchangeSpectre(g, contexte)}
                                                         : TFichierJcamp{ecritTableur(g, contexte)};
    const QString raison = ecritFichierExport(chemin, fichier.lignes);
    if (!raison.isEmpty()) {
        boiteErreur(&fenetre, messageEchecFichier(chemin, raison), QString());
        return false;
    }
    if (fichier.pointsEcartes > 0)
        boiteErreur(&fenetre, messagePointsEcartes(chemin, fichier.pointsEcartes), QString());
    return true;
}

// The run counts as saved only once the file is whole in place.
bool TSauvegarde::sauveFichierCinet(TCinetiqueForm& fenetre)
{
    const QString chemin = dialogueFichier(&fenetre, titreCinetique, QStringLiteral("TB3"));
    if (chemin.isEmpty()) return false;
    fenetre.FormatTB3 = estFormatTB3(chemin);
    fenetre.NomFichierData = chemin;
    const Tgraphe& g = fenetre.Graphe();
    const TContexteExport contexte = TContexteExport::maintenant(constantes_.commentaire());
    const TFichierJcamp fichier = estFormatJcamp(chemin) ? fichierJcampCinetique(g, contexte, proprietaireFichiers())
                                  : fenetre.FormatTB3    ? TFichierJcamp{fichierEchangeCinetique(g, contexte)}
                                                         : TFichierJcamp{fichierTableurCinetique(g)};
    const QString raison = ecritFichierExport(chemin, fichier.lignes);
    if (!raison.isEmpty()) {
        boiteErreur(&fenetre, texteErreurCinetique, messageEchecFichier(chemin, raison));
        return false;
    }
    if (fichier.pointsEcartes > 0)
        boiteErreur(&fenetre, messagePointsEcartes(chemin, fichier.pointsEcartes), QString());
    return true;
}
