#include "link/Reponses.h"

#include "common/Conversions.h"

#include <QString>

#include <cmath>
#include <optional>

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

namespace {

std::optional<double> valeurLue(const QByteArray& texte)
{
    if (texte.isEmpty()) return std::nullopt;
    const std::optional<double> v = texteVersReelLu(QString::fromLatin1(texte));
    if (!v || !std::isfinite(*v)) return std::nullopt;
    return v;
}

} // namespace

TLigneAnalysee analyseLigne(const QByteArray& ligne)
{
    TLigneAnalysee a;
    if (ligne.isEmpty()) return a;
    const TNombreTrouve l = chercheNombre(ligne, 1);
    const QByteArray texte1 = texteNombre(ligne, l);
    const std::optional<double> premier = valeurLue(texte1);
    if (!premier) {
        a.forme = TFormeLigne::eIllisible;
        return a;
    }
    const std::optional<double> second =
        valeurLue(texteNombre(ligne, chercheNombre(ligne, l.position + l.longueur + 1)));
    if (second) {
        a.forme = TFormeLigne::ePoint;
        a.lambda = *premier;
        a.valeur = *second;
        return a;
    }
    a.forme = TFormeLigne::eValeur;
    a.valeur = *premier;
    a.texteValeur = texte1;
    return a;
}
