#include "export/CodePageAnsi.h"

#include <QList>

#include <array>
#include <cstdint>

namespace {

// Code points of bytes 0x80 to 0x9F; 0 where the code page has no character.
constexpr std::array<char16_t, 32> haut = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

char octet(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (std::size_t i = 0; i < haut.size(); ++i)
        if (haut[i] != 0 && haut[i] == c) return static_cast<char>(0x80 + i);
    return '?';
}

} // namespace

QByteArray versCodePageAnsi(const QString& texte)
{
    QByteArray resultat;
    resultat.reserve(texte.size());
    for (const uint c : texte.toUcs4()) resultat += octet(static_cast<char32_t>(c));
    return resultat;
}
