#include "link/Reponses.h"

#include "common/Conversions.h"

#include <QString>

namespace {

bool debutNombre(char c)
{
    return c == '+' || c == '-' || (c >= '0' && c <= '9');
}

bool suiteNombre(char c)
{
    return c == '.' || c == ',' || (c >= '0' && c <= '9');
}

// The character at 1-based position p.
char car(const QByteArray& ligne, qsizetype p)
{
    return ligne[p - 1];
}

} // namespace

TNombreTrouve chercheNombre(const QByteArray& ligne, qsizetype k)
{
    const qsizetype n = ligne.size();
    qsizetype p = k;
    while (p < n && !debutNombre(car(ligne, p))) ++p;
    if (p > n || p < 1) return {p, 0};
    qsizetype fin = p + 1;
    while (fin <= n && suiteNombre(car(ligne, fin))) ++fin;
    return {p, fin - p};
}

QByteArray texteNombre(const QByteArray& ligne, TNombreTrouve nombre)
{
    if (nombre.longueur == 0) return {};
    return ligne.mid(nombre.position - 1, nombre.longueur);
}

TPointLu lisLignePoint(const QByteArray& ligne)
{
    const TNombreTrouve l = chercheNombre(ligne, 1);
    const TNombreTrouve a = chercheNombre(ligne, l.position + l.longueur + 1);
    return {valeurNombre(texteNombre(ligne, l)), valeurNombre(texteNombre(ligne, a))};
}

QByteArray lisLigneAbs(const QByteArray& ligne)
{
    return texteNombre(ligne, chercheNombre(ligne, 1));
}

double valeurNombre(const QByteArray& texte)
{
    return texteVersReel(QString::fromLatin1(texte));
}
