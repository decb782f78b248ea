#include "graph/TSurfaceEnregistreuse.h"

#include <algorithm>

TSurfaceEnregistreuse::TSurfaceEnregistreuse(const TRectangle& clip) : clip_(clip)
{
    etat_.couleurPlume = Qt::black;
    etat_.couleurBrosse = Qt::white;
    etat_.couleurFonte = Qt::black;
}

void TSurfaceEnregistreuse::setCouleurPlume(const QColor& couleur) { etat_.couleurPlume = couleur; }
void TSurfaceEnregistreuse::setStylePlume(TStylePlume style) { etat_.stylePlume = style; }
void TSurfaceEnregistreuse::setEpaisseurPlume(int epaisseur) { etat_.epaisseurPlume = epaisseur; }
void TSurfaceEnregistreuse::setStyleBrosse(TStyleBrosse style) { etat_.styleBrosse = style; }
void TSurfaceEnregistreuse::setCouleurBrosse(const QColor& couleur) { etat_.couleurBrosse = couleur; }
void TSurfaceEnregistreuse::setNomFonte(const QString& nom) { etat_.nomFonte = nom; }
void TSurfaceEnregistreuse::setHauteurFonte(int pixels) { etat_.hauteurFonte = pixels; }
void TSurfaceEnregistreuse::setCouleurFonte(const QColor& couleur) { etat_.couleurFonte = couleur; }
void TSurfaceEnregistreuse::setGrasFonte(bool gras) { etat_.gras = gras; }

void TSurfaceEnregistreuse::deplaceVers(int x, int y)
{
    x_ = x;
    y_ = y;
}

void TSurfaceEnregistreuse::ligneVers(int x, int y)
{
    enregistre(TPrimitiveDessin::Genre::ligne, x_, y_, x, y);
    x_ = x;
    y_ = y;
}

void TSurfaceEnregistreuse::rempliRectangle(const TRectangle& r)
{
    enregistre(TPrimitiveDessin::Genre::rempliRectangle, r.Left, r.Top, r.Right, r.Bottom);
}

void TSurfaceEnregistreuse::rectangle(int x1, int y1, int x2, int y2)
{
    enregistre(TPrimitiveDessin::Genre::rectangle, x1, y1, x2, y2);
}

void TSurfaceEnregistreuse::texte(int x, int y, const QString& t)
{
    enregistre(TPrimitiveDessin::Genre::texte, x, y, x + largeurTexte(t), y + etat_.hauteurFonte, t);
}

int TSurfaceEnregistreuse::largeurTexte(const QString& t)
{
    return static_cast<int>(t.size()) * std::max(1, etat_.hauteurFonte / 2);
}

TRectangle TSurfaceEnregistreuse::rectangleClip() const
{
    return clip_;
}

void TSurfaceEnregistreuse::enregistre(TPrimitiveDessin::Genre genre, int x1, int y1, int x2,
                                       int y2, const QString& t)
{
    TPrimitiveDessin p = etat_;
    p.genre = genre;
    p.x1 = x1;
    p.y1 = y1;
    p.x2 = x2;
    p.y2 = y2;
    p.texte = t;
    primitives_.push_back(p);
}
