#pragma once

#include "link/THoteCinetique.h"
#include "link/THoteLiaison.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// The kinetics window as the link sees it, recording what it is told.
class TCinetiqueEssai : public THoteCinetique {
public:
    bool acqEnCours() const override { return acquisition; }
    void setAbs(double absorbance) override { absorbances.push_back(absorbance); }
    void setLambdaFait(bool fait) override { lambdaFait = fait; }
    void setBlancFait(bool fait) override { blancFait = fait; }
    void setBoutons() override { ++rafraichissements; }
    void rafraichitBoutons() override { ++etatsBoutons; }
    void afficheMessage(const QString& texte) override { statut = texte; }

    bool acquisition = false;
    QString statut;
    bool lambdaFait = false;
    bool blancFait = false;
    int rafraichissements = 0;
    int etatsBoutons = 0;
    std::vector<double> absorbances;
};

// The main window as the link sees it: a status line that keeps its history,
// counted refreshes, the absorbance field, the port list and a scripted answer
// to the "Select Port" dialog.
class THoteEssai : public THoteLiaison {
public:
    void afficheMessage(const QString& texte) override
    {
        statut = texte;
        messages << texte;
    }
    void setBoutons() override
    {
        ++rafraichissements;
        // The window's refresh starts by clearing the status line.
        statut.clear();
    }
    void activeStop() override { ++stopActive; }
    void afficheAbs(const QString& texte) override { absEdit = texte; }
    void setListePorts(const QStringList& e, int s) override
    {
        entrees = e;
        selection = s;
    }
    int choisitPort(const QStringList& e) override
    {
        entreesDialogue = e;
        return choixDialogue;
    }
    void afficheErreur(const QString& texte) override { erreurs << texte; }
    THoteCinetique* cinetique() override { return fenetreCinetique.get(); }

    QString statut;
    QStringList messages;
    int rafraichissements = 0;
    int stopActive = 0;
    QString absEdit = QStringLiteral("<vide>");
    QStringList entrees;
    int selection = -2;
    QStringList entreesDialogue;
    int choixDialogue = -1;
    QStringList erreurs;
    std::unique_ptr<TCinetiqueEssai> fenetreCinetique;
};
