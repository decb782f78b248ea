#pragma once

#include "export/TServeurDDE.h"
#include "export/TVerrouNomme.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

// What stands in for the analysis program where it is not installed: it
// holds its name ("Tabrelix"), serves the topic "ServeurDDE" of its service,
// and records every advise request and every macro it receives, with the
// clipboard text present at that moment.
class TRecepteur : public QObject {
    Q_OBJECT

public:
    struct TOptions {
        QStringList services{QStringLiteral("TABRELIX")};
        bool refuseAvis = false;  // refuses the advise link on "ServeurItem"
        bool muet = false;        // reads requests, never answers
        bool prendNom = true;     // holds the "Tabrelix" name while it runs
    };

    struct TEvenement {
        QString service;
        QString genre;            // "avis" or "macro"
        QString contenu;          // the item, or the macro's text
        QString pressePapiers;    // the clipboard text when it came
    };

    explicit TRecepteur(TOptions options, QObject* parent = nullptr);
    ~TRecepteur() override;

    // Starts serving; false with the reason in erreur(). dossierNom: where
    // the name's lock lives, Lumko's private folder (dossierLumko) for the
    // program. A name that cannot be held is said on the error output, and
    // the recepteur serves all the same.
    bool demarre(const QString& dossierNom);
    QString erreur() const { return erreur_; }

    const std::vector<TEvenement>& evenements() const { return evenements_; }
    std::vector<QString> macros() const;
    // The clipboard as the recepteur reads it (replaceable in tests).
    std::function<QString()> lisPressePapiers;

Q_SIGNALS:
    void recu(const TEvenement& evenement);

private:
    void note(const QString& service, const QString& genre, const QString& contenu);

    TOptions options_;
    QString erreur_;
    std::unique_ptr<TVerrouNomme> nom_;
    std::vector<std::unique_ptr<TServeurDDE>> serveurs_;
    std::vector<TEvenement> evenements_;
};
