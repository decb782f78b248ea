#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QLocalServer;
class QLocalSocket;

// Keeps one copy of the program per user and per title. The copy that runs
// holds a lock file named after its title ("Lumko.lock") for its whole life;
// the kernel drops the lock when the process ends, however it ends. It
// listens, as soon as it has the lock, on a local socket of the same title, so
// that a later start of the same executable asks it to come forward instead
// of opening a second window. A copy renamed on disk has another title, hence
// its own lock, and runs beside it.
class TInstanceUnique : public QObject {
    Q_OBJECT

public:
    enum class Demarrage {
        seule,        // this copy runs (it holds the lock, or no lock can be had at all)
        restauree,    // the running copy came forward: this one ends, with code 0
        sansReponse,  // a live copy holds the lock and never answered: this one ends
    };

    // dossier: where the locks and the sockets live, Lumko's private folder
    // (see dossierLumko); titre: names this copy's lock and socket (see
    // titreApplication). A lock file or a socket that is a symbolic link or
    // another account's is refused, never followed.
    TInstanceUnique(const QString& dossier, const QString& titre, QObject* parent = nullptr);
    ~TInstanceUnique() override;

    // The guard of the running program: Lumko's private folder and the title
    // of its executable.
    static std::unique_ptr<TInstanceUnique> duProgramme();

    // Takes the title's lock and starts listening at once. While another copy
    // holds the lock, asks it to come forward, again and again (it may be
    // starting and not listen yet), and takes the lock if that copy ends
    // meanwhile; gives up after delaiMs.
    Demarrage demarre();

    // What each request of a later start does, on the user-interface thread;
    // until then they are answered without it.
    void surRestauration(std::function<void()> restaure);

    bool verrouille() const { return fdVerrou_ >= 0; }
    bool enEcoute() const;
    const QString& titre() const { return titre_; }
    QString cheminVerrou() const;
    QString cheminSocket() const;

    // How long a start waits, in all, for the copy that holds the lock to
    // answer or to end: generous, since that copy may be building its windows
    // on a loaded machine.
    int delaiMs = 10000;
    // The pause between two attempts.
    int pauseMs = 20;

    // Said on the error output when the start gives up.
    static QString texteSansReponse(const QString& titre);

private:
    enum class Verrou { Pris, Occupe, Impossible };
    Verrou prendVerrou();
    bool demandeRestauration(const class QDeadlineTimer& limite) const;
    void ecoute();
    void accueille();
    void repond(QLocalSocket* client);

    QString dossier_;
    QString titre_;
    int fdVerrou_ = -1;
    QString raisonVerrou_;  // why the lock could not be had
    QLocalServer* serveur_ = nullptr;
    std::function<void()> restaure_;
};
