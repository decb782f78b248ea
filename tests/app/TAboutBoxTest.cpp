#include "app/TAboutBox.h"

#include <QFontDatabase>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include <gtest/gtest.h>

namespace {

class TAboutBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        boite.ouvreUrl = [this](const QUrl& adresse) {
            ouvertes.append(adresse);
            return ouvertureReussie;
        };
        boite.afficheMessage = [this](const QString& texte) { messages.append(texte); };
    }

    TAboutBox boite;
    bool ouvertureReussie = true;
    QList<QUrl> ouvertes;
    QStringList messages;
};

} // namespace

TEST_F(TAboutBoxTest, MontreLesInformationsDuProgramme)
{
    EXPECT_EQ(boite.windowTitle(), QStringLiteral("A propos"));
    QStringList textes;
    for (const QLabel* etiquette : boite.findChildren<QLabel*>()) textes.append(etiquette->text());
    for (const char* attendu :
         {"Version 3.00", "09/02/2016", "Lumko, acquisition libre pour spectrophotomètres",
          "Spectrophotomètres Orvanne", "pour Tabrelix Windows", "contact@lumko.example",
          "https://lumko.example/"})
        EXPECT_TRUE(textes.contains(QString::fromUtf8(attendu))) << attendu;
    EXPECT_EQ(boite.BitBtn1().text(), QStringLiteral("Version à jour"));
    EXPECT_EQ(boite.OKButton().text(), QStringLiteral("OK"));

    // Everything but the web site sits in the sunken panel.
    const QLabel* site = boite.findChild<QLabel*>(QStringLiteral("SiteWeb"));
    ASSERT_NE(site, nullptr);
    EXPECT_EQ(site->parentWidget(), &boite);
    EXPECT_EQ(boite.Panel1().frameShadow(), QFrame::Sunken);
    EXPECT_EQ(boite.Panel1().findChildren<QLabel*>().size(), 7);
}

TEST_F(TAboutBoxTest, ChaqueControleANomAccessible)
{
    EXPECT_FALSE(boite.accessibleName().isEmpty());
    for (const QWidget* controle : boite.findChildren<QWidget*>())
        EXPECT_FALSE(controle->accessibleName().isEmpty()) << controle->objectName().toStdString();
    EXPECT_EQ(boite.BitBtn1().accessibleName(), QStringLiteral("Version à jour"));
}

TEST_F(TAboutBoxTest, TailleFixeCentreeEtPoliceDuBureau)
{
    EXPECT_EQ(boite.font().pointSize(), 10);
    EXPECT_EQ(boite.font().family(), QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
    boite.show();
    EXPECT_EQ(boite.minimumSize(), boite.maximumSize());
    EXPECT_FALSE(boite.size().isEmpty());
    const QPoint centre = boite.screen()->availableGeometry().center();
    EXPECT_LE((boite.frameGeometry().center() - centre).manhattanLength(), 1)
        << boite.frameGeometry().x() << "," << boite.frameGeometry().y();
}

TEST_F(TAboutBoxTest, LeBoutonDeMiseAJourOuvreLaPage)
{
    const struct {
        bool reussie;
        QStringList messagesAttendus;
    } cas[] = {
        {true, {}},
        {false, {QStringLiteral("Impossible d'accéder à https://lumko.example/mises-a-jour")}},
    };
    boite.show();
    for (const auto& c : cas) {
        SCOPED_TRACE(c.reussie);
        ouvertureReussie = c.reussie;
        ouvertes.clear();
        messages.clear();
        boite.BitBtn1().click();
        EXPECT_EQ(ouvertes, QList<QUrl>{QUrl(QStringLiteral("https://lumko.example/mises-a-jour"))});
        EXPECT_EQ(messages, c.messagesAttendus);
        EXPECT_TRUE(boite.isVisible());
    }
}

TEST_F(TAboutBoxTest, OKFermeLaBoite)
{
    boite.show();
    boite.OKButton().click();
    EXPECT_FALSE(boite.isVisible());
    EXPECT_EQ(boite.result(), QDialog::Accepted);
    EXPECT_TRUE(ouvertes.isEmpty());
}
