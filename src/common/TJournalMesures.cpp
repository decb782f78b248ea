#include "common/TJournalMesures.h"

#include "common/Vecteur.h"

#include <QDateTime>
#include <QDir>
#include <QList>
#include <QtDebug>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray signature = QByteArrayLiteral("LUMKO-JOURNAL\t1");
constexpr int valeursMax = 8;

// The installed program's title: its journals stay where they always were.
const QString titrePrincipal = QStringLiteral("Lumko");

QString& titreProgramme()
{
    static QString titre = titrePrincipal;
    return titre;
}

// Whether the descriptor still names the file at this path: between opening
// a journal and getting its lock, the holder may have renamed it aside or
// removed it, and the name may now be another file's, or nobody's.
bool memeFichier(int fd, const QByteArray& chemin)
{
    struct stat ouvert {};
    struct stat surDisque {};
    return ::fstat(fd, &ouvert) == 0 && ::stat(chemin.constData(), &surDisque) == 0
        && ouvert.st_dev == surDisque.st_dev && ouvert.st_ino == surDisque.st_ino;
}

QByteArray nombre(double x)
{
    return QByteArray::number(x, 'g', 17);
}

QByteArray echappe(const QString& texte)
{
    QByteArray sortie;
    for (const char c : texte.toUtf8()) {
        if (c == '\\') sortie += "\\\\";
        else if (c == '\t') sortie += "\\t";
        else if (c == '\n') sortie += "\\n";
        else if (c == '\r') sortie += "\\r";
        else sortie += c;
    }
    return sortie;
}

QString desechappe(const QByteArray& texte)
{
    QByteArray sortie;
    for (qsizetype i = 0; i < texte.size(); ++i) {
        if (texte[i] != '\\' || i + 1 == texte.size()) {
            sortie += texte[i];
            continue;
        }
        const char c = texte[++i];
        sortie += c == 't' ? '\t' : c == 'n' ? '\n' : c == 'r' ? '\r' : c;
    }
    return QString::fromUtf8(sortie);
}

bool litNombre(const QByteArray& texte, double& x)
{
    bool lu = false;
    x = texte.toDouble(&lu);
    return lu && std::isfinite(x);
}

bool litLigne(const QByteArray& ligne, TCourbeJournal& c)
{
    const QList<QByteArray> champs = ligne.split('\t');
    const QByteArray& genre = champs[0];
    if (genre == "en-tete" && champs.size() == 3) {
        c.entete.insert(QString::fromUtf8(champs[1]), desechappe(champs[2]));
        return true;
    }
    if (genre == "p" && champs.size() >= 3 && champs.size() <= 2 + valeursMax) {
        bool lu = false;
        const int indice = champs[1].toInt(&lu);
        if (!lu || indice < 0 || indice > indiceMaxVecteur) return false;
        TCourbeJournal::TEvenement e{TCourbeJournal::TEvenement::Genre::point, {indice, {}}, {}};
        for (qsizetype k = 2; k < champs.size(); ++k) {
            double x = 0;
            if (!litNombre(champs[k], x)) return false;
            e.point.valeurs.push_back(x);
        }
        c.evenements.push_back(std::move(e));
        return true;
    }
    if (genre == "r" && champs.size() == 3) {
        double x = 0;
        if (!litNombre(champs[1], x)) return false;
        c.evenements.push_back({TCourbeJournal::TEvenement::Genre::repere, {}, {x, desechappe(champs[2])}});
        return true;
    }
    if (genre == "e" && champs.size() == 1) {
        c.evenements.push_back({TCourbeJournal::TEvenement::Genre::eclaircissement, {}, {}});
        return true;
    }
    return false;
}

} // namespace

QString TJournalMesures::dossierParDefaut()
{
    return dossierDuTitre(titreProgramme());
}

QString TJournalMesures::dossierDuTitre(const QString& titre)
{
    QString etat = qEnvironmentVariable("XDG_STATE_HOME");
    if (!QDir::isAbsolutePath(etat)) etat = QDir::homePath() + QStringLiteral("/.local/state");
    const QString dossier = etat + QStringLiteral("/lumko");
    if (titre.isEmpty() || titre == titrePrincipal) return dossier;
    return dossier + u'/' + titre;
}

void TJournalMesures::fixeTitre(const QString& titre)
{
    titreProgramme() = titre;
}

TJournalMesures::TJournalMesures(QString dossier, QString nom) : dossier_(std::move(dossier)), nom_(std::move(nom)) {}

TJournalMesures::~TJournalMesures()
{
    synchronise();
}

QString TJournalMesures::chemin() const
{
    return dossier_ + u'/' + nom_ + suffixe;
}

bool TJournalMesures::tientLeSien() const
{
    return fichier_.isOpen() && memeFichier(fichier_.handle(), QFile::encodeName(chemin()));
}

// Opens the journal for appending and takes its lock, keeping the file this
// object already holds when it is still the one on disk.
TJournalMesures::Prise TJournalMesures::tiens(bool creer)
{
    if (tientLeSien()) return Prise::tenu;
    fichier_.close();
    const QByteArray nom = QFile::encodeName(chemin());
    // Close-on-exec: a program started from here (the analysis program) must
    // not inherit the lock and keep it after Lumko has gone.
    const int drapeaux = O_WRONLY | O_APPEND | O_CLOEXEC | (creer ? O_CREAT : 0);
    for (int essai = 0; essai < 3; ++essai) {
        const int fd = ::open(nom.constData(), drapeaux, 0666);
        if (fd < 0) return Prise::impossible;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const bool occupe = errno == EWOULDBLOCK;
            ::close(fd);
            return occupe ? Prise::tenuAilleurs : Prise::impossible;
        }
        if (memeFichier(fd, nom)) {
            fichier_.setFileName(chemin());
            if (fichier_.open(fd, QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered,
                              QFileDevice::AutoCloseHandle))
                return Prise::tenu;
        }
        ::close(fd);
    }
    return Prise::impossible;
}

void TJournalMesures::signaleTenuAilleurs() const
{
    qWarning().noquote() << QStringLiteral("Le journal %1 est tenu par un autre processus : il est laissé tel quel.")
                                .arg(chemin());
}

// A journal with points that this object did not write was left by a session
// whose start-up question got no answer: the next start would have offered
// it. It is renamed while held, and a new file is started.
bool TJournalMesures::prendPourCommencer()
{
    const bool leSien = tientLeSien();
    Prise prise = tiens(true);
    if (prise == Prise::tenu && !leSien && rejoue(lisJournalFichier(chemin())).nombre > 0) {
        if (!metDeCote(chemin())) {
            fichier_.close();
            return false;
        }
        prise = tiens(true);
    }
    tenuAilleurs_ = prise == Prise::tenuAilleurs;
    if (tenuAilleurs_) signaleTenuAilleurs();
    return prise == Prise::tenu;
}

bool TJournalMesures::commence(const QMap<QString, QString>& entete)
{
    tenuAilleurs_ = false;
    if (!QDir().mkpath(dossier_) || !prendPourCommencer()) return false;
    if (::ftruncate(fichier_.handle(), 0) != 0) {
        fichier_.close();
        return false;
    }
    ecrit(signature);
    for (auto it = entete.cbegin(); it != entete.cend(); ++it)
        ecrit("en-tete\t" + echappe(it.key()) + '\t' + echappe(it.value()));
    synchronise();
    return true;
}

bool TJournalMesures::reprend()
{
    const Prise prise = tiens(false);
    tenuAilleurs_ = prise == Prise::tenuAilleurs;
    return prise == Prise::tenu;
}

void TJournalMesures::ajoutePoint(int indice, std::initializer_list<double> valeurs)
{
    QByteArray ligne = "p\t" + QByteArray::number(indice);
    for (const double v : valeurs) ligne += '\t' + nombre(v);
    ecrit(ligne);
}

void TJournalMesures::ajouteRepere(double valeur, const QString& texte)
{
    ecrit("r\t" + nombre(valeur) + '\t' + echappe(texte));
}

void TJournalMesures::ajouteEclaircissement()
{
    ecrit("e");
}

// One write per record: once it returns, the record is the kernel's and
// survives the program being killed.
void TJournalMesures::ecrit(const QByteArray& ligne)
{
    if (!fichier_.isOpen()) return;
    fichier_.write(ligne + '\n');
    aSynchroniser_ = true;
}

void TJournalMesures::synchronise()
{
    if (!fichier_.isOpen() || !aSynchroniser_) return;
    ::fdatasync(fichier_.handle());
    aSynchroniser_ = false;
}

// Removed while held, so that nobody takes it over in between.
void TJournalMesures::abandonne()
{
    const Prise prise = tiens(false);
    tenuAilleurs_ = prise == Prise::tenuAilleurs;
    if (tenuAilleurs_) signaleTenuAilleurs();
    if (prise == Prise::tenu) ::unlink(QFile::encodeName(chemin()).constData());
    fichier_.close();
}

// Kept under another name: another look at it is always possible.
bool TJournalMesures::metDeCote(const QString& chemin)
{
    const QString horodatage = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString cible = chemin + u'.' + horodatage + suffixeEcarte;
    for (int k = 2; QFile::exists(cible); ++k)
        cible = chemin + u'.' + horodatage + u'-' + QString::number(k) + suffixeEcarte;
    return QFile::rename(chemin, cible);
}

TCourbeRejouee rejoue(const TCourbeJournal& journal)
{
    TCourbeRejouee c;
    using Genre = TCourbeJournal::TEvenement::Genre;
    for (const TCourbeJournal::TEvenement& e : journal.evenements) {
        if (e.genre == Genre::point) {
            const auto k = static_cast<std::size_t>(e.point.indice);
            for (std::size_t j = 0; j < c.colonnes.size() && j < e.point.valeurs.size(); ++j)
                c.colonnes[j][k] = e.point.valeurs[j];
            c.nombre = std::max(c.nombre, e.point.indice + 1);
        } else if (e.genre == Genre::repere) {
            c.reperes.push_back(e.repere);
        } else {
            const int n = c.nombre / 2;
            for (auto& colonne : c.colonnes)
                for (int i = 1; i < n; ++i)
                    colonne[static_cast<std::size_t>(i)] = colonne[static_cast<std::size_t>(2 * i)];
            c.nombre = n;
        }
    }
    return c;
}

TCourbeJournal lisJournal(const QByteArray& contenu)
{
    TCourbeJournal c;
    QList<QByteArray> lignes = contenu.split('\n');
    // The last piece has no line end: a record cut short, or nothing.
    if (!lignes.isEmpty()) {
        if (!lignes.last().isEmpty()) ++c.lignesIgnorees;
        lignes.removeLast();
    }
    if (lignes.isEmpty() || lignes.first() != signature) return c;
    c.valide = true;
    for (qsizetype i = 1; i < lignes.size(); ++i)
        if (lignes[i].isEmpty() || !litLigne(lignes[i], c)) ++c.lignesIgnorees;
    return c;
}

TCourbeJournal lisJournalFichier(const QString& chemin)
{
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return lisJournal(f.read(8 * 1024 * 1024));
}
