#pragma once

#include <QString>

// A name that one process of this user holds at a time: a lock file in the
// user's runtime folder, which the kernel releases when its holder ends,
// however it ends. The analysis program holds "Tabrelix" while it runs.
class TVerrouNomme {
public:
    // dossier: the user's runtime folder (see dossierExecution).
    TVerrouNomme(QString nom, QString dossier);
    ~TVerrouNomme();
    TVerrouNomme(const TVerrouNomme&) = delete;
    TVerrouNomme& operator=(const TVerrouNomme&) = delete;

    // Whether the name was already taken: true when another process holds
    // it, and from the second call on when this one took it. A free name is
    // taken and kept until this object goes. A lock that cannot be made at
    // all counts as free.
    bool existeDeja();
    bool tenu() const { return fd_ >= 0; }
    QString chemin() const;

private:
    QString nom_;
    QString dossier_;
    int fd_ = -1;
};
