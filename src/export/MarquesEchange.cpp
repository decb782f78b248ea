#include "export/MarquesEchange.h"

QString surUneLigne(const QString& texte)
{
    QString t = texte;
    t.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    for (QChar& c : t) {
        switch (c.unicode()) {
        case u'\0':
        case u'\n':
        case u'\v':
        case u'\f':
        case u'\r':
        case 0x0085: // NEL
        case 0x2028: // line separator
        case 0x2029: // paragraph separator
            c = u' ';
            break;
        default:
            break;
        }
    }
    return t;
}

QString texteUtilisateur(const QString& texte)
{
    const QString t = surUneLigne(texte);
    if (t.startsWith(marqueEntete) || t.startsWith(marqueValeurs)) return u' ' + t;
    return t;
}
