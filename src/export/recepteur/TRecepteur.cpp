#include "export/recepteur/TRecepteur.h"

#include "export/TFormDDE.h"

#include <QClipboard>
#include <QGuiApplication>

#include <utility>

TRecepteur::TRecepteur(TOptions options, QObject* parent)
    : QObject(parent)
    , lisPressePapiers([] { return QGuiApplication::clipboard()->text(); })
    , options_(std::move(options))
{
}

TRecepteur::~TRecepteur() = default;

bool TRecepteur::demarre(const QString& dossierNom)
{
    if (options_.prendNom) {
        nom_ = std::make_unique<TVerrouNomme>(QStringLiteral("Tabrelix"), dossierNom);
        nom_->existeDeja();
        if (!nom_->echec().isEmpty()) qWarning("lumko-recepteur : %s", qUtf8Printable(nom_->echec()));
    }
    for (const QString& service : options_.services) {
        auto serveur = std::make_unique<TServeurDDE>(service, TFormDDE::sujet);
        serveur->muet = options_.muet;
        serveur->surAvis = [this, service](const QString& item) {
            note(service, QStringLiteral("avis"), item);
            return !options_.refuseAvis && item == TFormDDE::item;
        };
        serveur->surExecute = [this, service](const QByteArray& donnees) {
            note(service, QStringLiteral("macro"), QString::fromLatin1(donnees));
            return true;
        };
        if (!serveur->ecoute()) {
            erreur_ = serveur->erreur();
            return false;
        }
        serveurs_.push_back(std::move(serveur));
    }
    return true;
}

void TRecepteur::note(const QString& service, const QString& genre, const QString& contenu)
{
    evenements_.push_back({service, genre, contenu, lisPressePapiers()});
    Q_EMIT recu(evenements_.back());
}

std::vector<QString> TRecepteur::macros() const
{
    std::vector<QString> m;
    for (const TEvenement& e : evenements_)
        if (e.genre == u"macro") m.push_back(e.contenu);
    return m;
}
