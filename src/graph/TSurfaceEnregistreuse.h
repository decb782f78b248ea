#pragma once

#include "graph/TPrimitiveDessin.h"
#include "graph/TSurfaceDessin.h"

#include <vector>

// A drawing surface that draws nothing and remembers every primitive, so that
// a drawing can be checked by its coordinates, colours and styles. Text is
// measured as half the font height per character.
class TSurfaceEnregistreuse : public TSurfaceDessin {
public:
    explicit TSurfaceEnregistreuse(const TRectangle& clip);

    void setCouleurPlume(const QColor& couleur) override;
    void setStylePlume(TStylePlume style) override;
    void setEpaisseurPlume(int epaisseur) override;
    void setStyleBrosse(TStyleBrosse style) override;
    void setCouleurBrosse(const QColor& couleur) override;
    void setNomFonte(const QString& nom) override;
    void setHauteurFonte(int pixels) override;
    void setCouleurFonte(const QColor& couleur) override;
    void setGrasFonte(bool gras) override;
    void deplaceVers(int x, int y) override;
    void ligneVers(int x, int y) override;
    void rempliRectangle(const TRectangle& r) override;
    void rectangle(int x1, int y1, int x2, int y2) override;
    void texte(int x, int y, const QString& t) override;
    int largeurTexte(const QString& t) override;
    TRectangle rectangleClip() const override;

    const std::vector<TPrimitiveDessin>& primitives() const { return primitives_; }
    void efface() { primitives_.clear(); }

private:
    void enregistre(TPrimitiveDessin::Genre genre, int x1, int y1, int x2, int y2,
                    const QString& t = {});

    TRectangle clip_;
    TPrimitiveDessin etat_;  // the settings in force
    int x_ = 0;
    int y_ = 0;
    std::vector<TPrimitiveDessin> primitives_;
};
