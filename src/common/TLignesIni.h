#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <optional>
#include <vector>

// The lines of a settings file as they were read, each with what it means to
// us: a section header, a key line, or anything else. Lines stay raw bytes, so
// comments, foreign text and even binary garbage come back out unchanged; only
// names and values are decoded (UTF-8). Line ends may be CR LF or LF on input
// and are always CR LF on output.
class TLignesIni {
public:
    explicit TLignesIni(const QByteArray& contenu = {});

    // The value of the first key of that name in the first section of that
    // name (names without regard to case), blanks around it removed.
    std::optional<QString> valeur(const QString& section, const QString& cle) const;

    // Replaces the value of that key, or adds the key after the last key line
    // of its section, or adds the section at the end.
    void fixe(const QString& section, const QString& cle, const QString& valeur);

    QByteArray contenu() const;

private:
    enum class Genre { Autre, Section, SectionSansNom, Cle };

    struct Ligne {
        QByteArray brut;
        Genre genre = Genre::Autre;
        QString nom;
        qsizetype debutValeur = 0;
    };

    static Ligne analyse(QByteArray brut);
    std::optional<std::size_t> trouveSection(const QString& section) const;
    std::size_t finSection(std::size_t entete) const;
    std::optional<std::size_t> trouveCle(std::size_t entete, const QString& cle) const;
    std::size_t placeNouvelleCle(std::size_t entete) const;

    std::vector<Ligne> lignes_;
};
