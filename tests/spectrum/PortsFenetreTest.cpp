// The port list and the connect toggle of the main window.
#include "FenetreFixture.h"

#include "spectrum/TComboPorts.h"
#include "spectrum/TDialogueChoixPort.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

class PortsFenetre : public FenetreFixture {};

TEST_F(PortsFenetre, laListeSeRefaitAChaqueOuverture)
{
    ouvreFenetre();
    TComboPorts& liste = *panneau().ComPorts;
    ASSERT_EQ(liste.count(), 1);
    // An adapter plugged in after start-up.
    ecritIni(sectionPorts({9}));
    liste.showPopup();
    liste.hidePopup();
    ASSERT_EQ(liste.count(), 2);
    EXPECT_EQ(liste.itemText(1), QStringLiteral("COM9"));
    EXPECT_EQ(liste.currentText(), QStringLiteral("COM7")) << "the port in use stays chosen";
}

TEST_F(PortsFenetre, choisirUnAutrePortYDeplaceLaLiaisonOuverte)
{
    ecritIni(sectionPorts({9}));
    ouvreFenetre();
    connecte();
    TComboPorts& liste = *panneau().ComPorts;
    liste.setFocus();
    QTest::keyClick(&liste, Qt::Key_Down);
    EXPECT_EQ(liste.currentText(), QStringLiteral("COM9"));
    EXPECT_EQ(liaison().VoieSerie.ComNumber(), 9);
    EXPECT_TRUE(liaison().VoieSerie.Open());
    barre().BlancBtn->click();
    EXPECT_TRUE(liaison().BlancFait) << "the instrument answers on the new port";
}

TEST_F(PortsFenetre, unPortQuiNeSOuvrePasLaisseLeBoutonRelacheEtDitPourquoi)
{
    ouvreFenetre();
    sim_.arrete(); // the link now leads nowhere
    barre().ConnectBtn->click();
    EXPECT_FALSE(liaison().VoieSerie.Open());
    EXPECT_FALSE(barre().ConnectBtn->isChecked());
    EXPECT_EQ(barre().ConnectBtn->text(), QStringLiteral("Connecter"));
    EXPECT_TRUE(f().statut().contains(QStringLiteral("COM7"))) << f().statut().toStdString();
    EXPECT_EQ(panneau().ComPorts->count(), 0) << "the list is rebuilt without the absent port";
}

// Port number 0 at opening: the "Select Port" dialog chooses.
TEST_F(PortsFenetre, leNumeroZeroDemandeUnPort)
{
    ecritIni("[VoieSerie]\nComNumber=0\n" + sectionPorts().replace(lien_.toLocal8Bit(), "/dev/absent-lumko"));
    ouvreFenetre();
    ASSERT_EQ(liaison().VoieSerie.ComNumber(), 0);
    ecritIni("[VoieSerie]\nComNumber=0\n" + sectionPorts());

    choixDialogue_ = -1;
    barre().ConnectBtn->click();
    EXPECT_EQ(entreesDialogue_, QStringList{QStringLiteral("COM7")});
    EXPECT_FALSE(liaison().VoieSerie.Open()) << "Cancel: no opening";

    choixDialogue_ = 0;
    barre().ConnectBtn->click();
    EXPECT_TRUE(liaison().VoieSerie.Open());
    EXPECT_EQ(liaison().VoieSerie.ComNumber(), 7);
}

TEST(DialogueChoixPort, montreSesTextesEtRendLeChoix)
{
    TDialogueChoixPort d({QStringLiteral("COM1"), QStringLiteral("COM4")});
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Select Port"));
    QStringList textes;
    for (QLabel* l : d.findChildren<QLabel*>()) textes << l->text();
    EXPECT_TRUE(textes.contains(QStringLiteral("The configured serial port is not valid.")));
    EXPECT_TRUE(textes.contains(QStringLiteral("Please choose another port.")));
    d.liste()->setCurrentIndex(1);
    auto* boutons = d.findChild<QDialogButtonBox*>();
    ASSERT_NE(boutons, nullptr);
    EXPECT_EQ(boutons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Cancel"));
    d.show();
    boutons->button(QDialogButtonBox::Ok)->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(d.choix(), 1);
}
