#include "common/Conversions.h"

#include <QLocale>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>

namespace {

bool estBlanc(QChar c) { return c == u' ' || c == u'\t'; }
bool estChiffre(QChar c) { return c >= u'0' && c <= u'9'; }

// Strict reading in the locale's own terms: optional sign, digits with at most
// one decimal separator, optional exponent. Anything else (thousands
// separators, a second separator, a lone sign, trailing text) is refused.
class LecteurNombre {
public:
    LecteurNombre(const QString& texte, const QString& separateur)
        : t_(texte), sep_(separateur) {}

    std::optional<double> lit()
    {
        sauteBlancs();
        if (pos_ < t_.size() && (t_[pos_] == u'+' || t_[pos_] == u'-')) {
            if (t_[pos_] == u'-') ascii_ += '-';
            ++pos_;
        }
        int chiffres = litChiffres();
        if (!sep_.isEmpty() && t_.mid(pos_, sep_.size()) == sep_) {
            pos_ += sep_.size();
            ascii_ += '.';
            chiffres += litChiffres();
        }
        if (chiffres == 0) return std::nullopt;
        if (pos_ < t_.size() && (t_[pos_] == u'e' || t_[pos_] == u'E') && !litExposant())
            return std::nullopt;
        sauteBlancs();
        if (pos_ != t_.size()) return std::nullopt;
        return convertit();
    }

private:
    void sauteBlancs()
    {
        while (pos_ < t_.size() && estBlanc(t_[pos_])) ++pos_;
    }

    int litChiffres()
    {
        int n = 0;
        while (pos_ < t_.size() && estChiffre(t_[pos_])) {
            ascii_ += static_cast<char>(t_[pos_].unicode());
            ++pos_;
            ++n;
        }
        return n;
    }

    bool litExposant()
    {
        ++pos_;
        ascii_ += 'e';
        if (pos_ < t_.size() && (t_[pos_] == u'+' || t_[pos_] == u'-')) {
            if (t_[pos_] == u'-') ascii_ += '-';
            ++pos_;
        }
        return litChiffres() > 0;
    }

    std::optional<double> convertit() const
    {
        double valeur = 0;
        const char* debut = ascii_.data();
        const char* fin = debut + ascii_.size();
        const auto [ptr, ec] = std::from_chars(debut, fin, valeur);
        if (ec != std::errc() || ptr != fin || !std::isfinite(valeur)) return std::nullopt;
        return valeur;
    }

    const QString& t_;
    const QString& sep_;
    qsizetype pos_ = 0;
    std::string ascii_;
};

// The seven significant digits of |x| (trailing zeros dropped) and the
// exponent e such that |x| = 0.d1d2...dn × 10^e.
struct Chiffres {
    std::string chiffres;
    int e = 0;
};

Chiffres decompose(double x)
{
    char tampon[32];
    std::snprintf(tampon, sizeof tampon, "%.6e", std::fabs(x));
    const std::string s(tampon);
    Chiffres r;
    r.chiffres = s.substr(0, 1) + s.substr(2, 6);
    r.e = std::stoi(s.substr(s.find('e') + 1)) + 1;
    while (r.chiffres.size() > 1 && r.chiffres.back() == '0') r.chiffres.pop_back();
    return r;
}

std::string notationFixe(const Chiffres& c)
{
    if (c.e <= 0) return "0." + std::string(static_cast<size_t>(-c.e), '0') + c.chiffres;
    const auto e = static_cast<size_t>(c.e);
    if (c.chiffres.size() <= e) return c.chiffres + std::string(e - c.chiffres.size(), '0');
    return c.chiffres.substr(0, e) + "." + c.chiffres.substr(e);
}

std::string notationScientifique(const Chiffres& c)
{
    std::string s = c.chiffres.substr(0, 1);
    if (c.chiffres.size() > 1) s += "." + c.chiffres.substr(1);
    const int exposant = c.e - 1;
    char tampon[16];
    std::snprintf(tampon, sizeof tampon, "E%s%02d", exposant < 0 ? "-" : "", std::abs(exposant));
    return s + tampon;
}

} // namespace

double texteVersReel(const QString& texte)
{
    return texteVersReelLu(texte).value_or(0.0);
}

std::optional<double> texteVersReelLu(const QString& texte)
{
    const QString separateur = QLocale().decimalPoint();
    QString t = texte;
    // The instrument and the user may write either separator; only the first
    // one is swapped, so "1,234.5" still fails rather than being misread.
    if (separateur != u".") {
        const qsizetype i = t.indexOf(u'.');
        if (i >= 0) t.replace(i, 1, separateur);
    } else {
        const qsizetype i = t.indexOf(u',');
        if (i >= 0) t[i] = u'.';
    }
    return LecteurNombre(t, separateur).lit();
}

QString reelVersTexte(double x)
{
    if (std::isnan(x)) return QStringLiteral("NAN");
    if (std::isinf(x)) return x > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (x == 0) return QStringLiteral("0");
    const Chiffres c = decompose(x);
    const bool fixe = c.e >= -3 && c.e <= 7;
    const std::string corps = fixe ? notationFixe(c) : notationScientifique(c);
    // The exchange format is read by another program: always ".", whatever
    // the user's locale says.
    return QString::fromLatin1((x < 0 ? "-" : "") + corps);
}
