#include "app/TAboutBox.h"

#include "app/TApplicationLumko.h"

#include <QDesktopServices>
#include <QFontDatabase>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

constexpr int taillePolice = 10;
constexpr int tailleIcone = 48;

void afficheMessageSimple(QWidget* parent, const QString& texte)
{
    QMessageBox boite(QMessageBox::NoIcon, TApplicationLumko::titre(), texte, QMessageBox::Ok,
                      parent);
    boite.exec();
}

} // namespace

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      ouvreUrl(&QDesktopServices::openUrl),
      afficheMessage([this](const QString& texte) { afficheMessageSimple(this, texte); })
{
    setWindowTitle(QStringLiteral("A propos"));
    setAccessibleName(windowTitle());
    QFont police = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    police.setPointSize(taillePolice);
    setFont(police);

    auto* colonne = new QVBoxLayout(this);
    colonne->setSizeConstraint(QLayout::SetFixedSize);
    construitPanneau();
    colonne->addWidget(panel_);
    colonne->addWidget(ajouteLigne(this, siteWeb, "SiteWeb"));
    construitBoutons();
}

QLabel* TAboutBox::ajouteLigne(QWidget* parent, const QString& texte, const char* nomObjet)
{
    auto* ligne = new QLabel(texte, parent);
    ligne->setObjectName(QLatin1StringView(nomObjet));
    ligne->setAccessibleName(texte);
    ligne->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return ligne;
}

void TAboutBox::construitPanneau()
{
    panel_ = new QFrame(this);
    panel_->setObjectName(QStringLiteral("Panel1"));
    panel_->setAccessibleName(QStringLiteral("Informations sur le programme"));
    panel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);

    auto* icone = new QLabel(panel_);
    icone->setObjectName(QStringLiteral("ProgramIcon"));
    icone->setAccessibleName(QStringLiteral("Icône du programme"));
    const QIcon image(QStringLiteral(":/icones/lumko.svg"));
    if (!image.isNull()) icone->setPixmap(image.pixmap(tailleIcone, tailleIcone));

    auto* textes = new QVBoxLayout;
    textes->addWidget(ajouteLigne(panel_, version, "Version"));
    textes->addWidget(ajouteLigne(panel_, dateVersion, "DateVersion"));
    textes->addWidget(ajouteLigne(
        panel_, QStringLiteral("Lumko, acquisition libre pour spectrophotomètres"), "Auteur"));
    textes->addWidget(ajouteLigne(panel_, QStringLiteral("Spectrophotomètres Orvanne"), "ProductName"));
    textes->addWidget(ajouteLigne(panel_, QStringLiteral("pour Tabrelix Windows"), "Comments"));
    textes->addWidget(ajouteLigne(panel_, courriel, "Courriel"));

    auto* rangee = new QHBoxLayout(panel_);
    rangee->addWidget(icone, 0, Qt::AlignTop);
    rangee->addLayout(textes);
}

void TAboutBox::construitBoutons()
{
    bitBtn1_ = new QPushButton(QStringLiteral("Version à jour"), this);
    bitBtn1_->setObjectName(QStringLiteral("BitBtn1"));
    bitBtn1_->setAccessibleName(bitBtn1_->text());
    bitBtn1_->setAutoDefault(false);
    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setObjectName(QStringLiteral("OKButton"));
    okButton_->setAccessibleName(okButton_->text());
    okButton_->setDefault(true);
    connect(bitBtn1_, &QPushButton::clicked, this, &TAboutBox::BitBtn1Click);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);

    auto* rangee = new QHBoxLayout;
    rangee->addStretch();
    rangee->addWidget(bitBtn1_);
    rangee->addWidget(okButton_);
    static_cast<QVBoxLayout*>(layout())->addLayout(rangee);
}

void TAboutBox::BitBtn1Click()
{
    if (!ouvreUrl(QUrl(adresseMisesAJour)))
        afficheMessage(QStringLiteral("Impossible d'accéder à ") + adresseMisesAJour);
}

void TAboutBox::showEvent(QShowEvent* evenement)
{
    QDialog::showEvent(evenement);
    if (const QScreen* ecran = screen())
        move(ecran->availableGeometry().center() - frameGeometry().center() + pos());
}
