#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QLocalServer;
class QLocalSocket;

// Keeps one copy of the program per user. The first copy holds a lock file
// ("LUMKO.lock") for its whole life; the kernel drops the lock when the process
// ends, however it ends. Every copy listens on a local socket named after its
// title, so that a later start of the same executable can ask it to come
// forward instead of opening a second window.
class TInstanceUnique : public QObject {
    Q_OBJECT

public:
    // dossier: where the lock and the sockets live (private to the user);
    // titre: names this copy's socket (see titreApplication).
    TInstanceUnique(const QString& dossier, const QString& titre, QObject* parent = nullptr);
    ~TInstanceUnique() override;

    // The guard of the running program: the user's runtime folder and the
    // title of its executable.
    static std::unique_ptr<TInstanceUnique> duProgramme();

    // $XDG_RUNTIME_DIR when it names a folder the user can write; otherwise a
    // folder of the user's own in dossierTemp, made private. Empty when there
    // is none.
    static QString dossierExecution();
    static QString dossierExecution(const QString& xdgRuntimeDir, const QString& dossierTemp);

    // Takes the lock. When another copy holds it, asks that copy (the one of
    // the same title) to come forward: true when it answered, and this copy
    // must end before showing anything.
    bool autreCopieRestauree();

    // Starts answering the requests of later starts; restaure is called on
    // each one, on the user-interface thread.
    void ecoute(std::function<void()> restaure);

    bool verrouille() const { return fdVerrou_ >= 0; }
    bool ecoute() const;
    QString cheminVerrou() const;
    QString cheminSocket() const;

    // How long a start waits, in all, for the running copy to answer.
    int delaiMs = 1000;

private:
    enum class Verrou { Pris, Occupe, Impossible };
    Verrou prendVerrou();
    bool demandeRestauration() const;
    void accueille();
    void repond(QLocalSocket* client);

    QString dossier_;
    QString titre_;
    int fdVerrou_ = -1;
    QLocalServer* serveur_ = nullptr;
    std::function<void()> restaure_;
};
