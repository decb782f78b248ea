#pragma once

#include <QString>

// A name that one process of this user holds at a time: a lock file in
// Lumko's private folder, which the kernel releases when its holder ends,
// however it ends. The analysis program holds "Tabrelix" while it runs.
class TVerrouNomme {
public:
    // dossier: Lumko's private folder (see dossierLumko).
    TVerrouNomme(QString nom, QString dossier);
    ~TVerrouNomme();
    TVerrouNomme(const TVerrouNomme&) = delete;
    TVerrouNomme& operator=(const TVerrouNomme&) = delete;

    // Whether the name was already taken: true when another process holds
    // it, and from the second call on when this one took it. A free name is
    // taken and kept until this object goes. A lock that cannot be had at
    // all (no folder, a file that cannot be created, a symbolic link or a
    // file of another account in its place) counts as free once, with the
    // reason in echec(), and as taken from then on: whoever probes does
    // what a free name asks for once, not at every probe.
    bool existeDeja();
    bool tenu() const { return fd_ >= 0; }
    QString chemin() const;
    // Why the lock could not be had, in French; empty while nothing failed.
    QString echec() const { return echec_; }

private:
    QString nom_;
    QString dossier_;
    QString echec_;
    int fd_ = -1;
};
