#include "link/TComPort.h"

#include "link/TNomsPorts.h"

#include <QDir>
#include <QThread>

#include <algorithm>
#include <cctype>
#include <utility>

namespace {

char majuscule(char c)
{
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

QByteArray enMajuscules(QByteArray texte)
{
    for (char& c : texte) c = majuscule(c);
    return texte;
}

bool erreurDePerte(QSerialPort::SerialPortError e)
{
    // A hung-up pty or a pulled adapter shows as a read error that repeats for
    // ever, or as a resource error; neither goes away on its own.
    return e == QSerialPort::ResourceError || e == QSerialPort::ReadError
           || e == QSerialPort::WriteError;
}

} // namespace

TComPort::TComPort(const TNomsPorts& noms, QObject* parent)
    : QObject(parent)
    , noms_(noms)
    , port_(new QSerialPort(this))
{
    connect(port_, &QSerialPort::readyRead, this, &TComPort::recoit);
    connect(port_, &QSerialPort::errorOccurred, this, &TComPort::surErreur);
}

TComPort::~TComPort()
{
    ferme();
}

bool TComPort::Open() const
{
    return port_->isOpen();
}

bool TComPort::setOpen(bool ouvrir)
{
    if (!ouvrir) {
        ferme();
        return true;
    }
    return ouvre();
}

bool TComPort::setComNumber(quint16 numero)
{
    if (numero == numero_) return true;
    const bool etaitOuvert = Open();
    ferme();
    numero_ = numero;
    note(QStringLiteral("Numéro de port : COM%1").arg(numero_));
    return !etaitOuvert || ouvre();
}

QString TComPort::peripherique() const
{
    return noms_.nomPort(numero_);
}

bool TComPort::PutString(const QByteArray& octets)
{
    if (!ouvre()) return false;
    if (port_->bytesToWrite() + octets.size() > tailleFiles) {
        erreur_ = QStringLiteral("File d'émission pleine");
        note(erreur_);
        return false;
    }
    if (port_->write(octets) != octets.size()) {
        erreur_ = port_->errorString();
        note(QStringLiteral("Émission impossible : %1").arg(erreur_));
        return false;
    }
    // Out now rather than at the next turn of the event loop: the instrument
    // waits for each acknowledgement before its next line.
    port_->flush();
    diagnostic_.trace(true, octets);
    Q_EMIT octetsEmis(octets);
    return true;
}

std::uint8_t TComPort::GetChar()
{
    if (!ouvre() || lecture_ >= recus_.size()) return 0;
    return static_cast<std::uint8_t>(recus_[lecture_++]);
}

quint16 TComPort::AddDataTrigger(const QByteArray& donnees, bool IgnoreCase)
{
    if (donnees.isEmpty() || !ouvre()) return 0;
    if (++dernierHandle_ == 0) ++dernierHandle_;
    declencheurs_.push_back(
        {dernierHandle_, IgnoreCase ? enMajuscules(donnees) : donnees, IgnoreCase});
    longueurMax_ = std::max(longueurMax_, donnees.size());
    note(QStringLiteral("Déclencheur %1 : %2").arg(dernierHandle_).arg(
        QString::fromLatin1(donnees.toHex(' '))));
    return dernierHandle_;
}

void TComPort::ProcessCommunications()
{
    ouvre();
    QThread::yieldCurrentThread();
}

void TComPort::setChoixPort(std::function<quint16()> choix)
{
    choixPort_ = std::move(choix);
}

void TComPort::setDossierDiagnostic(const QString& dossier)
{
    dossierDiagnostic_ = dossier;
}

bool TComPort::ouvre()
{
    if (port_->isOpen()) return true;
    if (!choisitNumeroSiNul()) return false;
    const QString chemin = peripherique();
    if (chemin.isEmpty()) {
        erreur_ = QStringLiteral("Aucun périphérique pour le port COM%1").arg(numero_);
        note(erreur_);
        return false;
    }
    if (!ouvrePeripherique(chemin)) return false;
    videReception();
    ++generation_;
    perdu_ = false;
    erreur_.clear();
    note(QStringLiteral("Ouverture de COM%1 (%2)").arg(QString::number(numero_), chemin));
    Q_EMIT ouverture();
    return true;
}

bool TComPort::ouvrePeripherique(const QString& chemin)
{
    port_->setPortName(chemin);
    configure();
    if (!port_->open(QIODevice::ReadWrite)) {
        erreur_ = QStringLiteral("Impossible d'ouvrir le port COM%1 (%2) : %3")
                      .arg(QString::number(numero_), chemin, port_->errorString());
        note(erreur_);
        return false;
    }
    // A pseudo-terminal has no modem lines and refuses both: that is no fault.
    if (!port_->setDataTerminalReady(true) || !port_->setRequestToSend(true))
        note(QStringLiteral("DTR et RTS non disponibles sur %1").arg(chemin));
    port_->clearError();
    return true;
}

void TComPort::ferme()
{
    if (!port_->isOpen()) return;
    port_->close();
    videReception();
    ++generation_;
    note(QStringLiteral("Fermeture de COM%1").arg(numero_));
    const QString dossier = dossierDiagnostic_.isEmpty() ? QDir::currentPath() : dossierDiagnostic_;
    if (!diagnostic_.ecrit(dossier))
        note(QStringLiteral("Fichiers de diagnostic impossibles à écrire dans %1").arg(dossier));
}

bool TComPort::choisitNumeroSiNul()
{
    if (numero_ != 0) return true;
    const quint16 choisi = choixPort_ ? choixPort_() : 0;
    if (choisi == 0) {
        erreur_ = QStringLiteral("Aucun port série choisi");
        note(erreur_);
        return false;
    }
    numero_ = choisi;
    return true;
}

void TComPort::configure()
{
    port_->setBaudRate(Baud);
    port_->setDataBits(QSerialPort::Data7);
    port_->setParity(QSerialPort::OddParity);
    port_->setStopBits(QSerialPort::OneStop);
    port_->setFlowControl(QSerialPort::NoFlowControl);
    port_->setReadBufferSize(tailleFiles);
}

void TComPort::recoit()
{
    // Qt does not signal readyRead again while a handler of it runs; bytes
    // that came in meanwhile are collected here once the handler is back.
    do {
        const QByteArray octets = port_->readAll();
        if (!octets.isEmpty()) {
            diagnostic_.trace(false, octets);
            recus_ += octets;
            Q_EMIT octetsRecus(octets);
        }
        examine();
    } while (port_->isOpen() && port_->bytesAvailable() > 0);
}

void TComPort::surErreur(QSerialPort::SerialPortError e)
{
    if (e == QSerialPort::NoError) return;
    if (erreurDePerte(e) && port_->isOpen()) {
        perte(port_->errorString());
        return;
    }
    note(QStringLiteral("Erreur : %1").arg(port_->errorString()));
}

void TComPort::perte(const QString& raison)
{
    if (perdu_) return;
    perdu_ = true;
    note(QStringLiteral("Liaison perdue : %1").arg(raison));
    // Closing from inside QSerialPort's own notification would delete the
    // notifier that is calling us: close at the next turn of the event loop.
    const quint64 generation = generation_;
    QMetaObject::invokeMethod(
        this,
        [this, generation, raison] {
            if (generation != generation_) return;
            ferme();
            Q_EMIT portPerdu(raison);
        },
        Qt::QueuedConnection);
}

void TComPort::examine()
{
    // A handler that runs a nested event loop must not see later bytes before
    // it returns, nor the same bytes twice: the outer call goes on with them.
    if (enExamen_) {
        aReexaminer_ = true;
        return;
    }
    enExamen_ = true;
    struct TFinExamen {
        TComPort* port;
        ~TFinExamen()
        {
            port->enExamen_ = false;
            port->compacte();
        }
    } fin{this};
    do {
        aReexaminer_ = false;
        examineUneFois();
    } while (aReexaminer_);
}

void TComPort::examineUneFois()
{
    const quint64 generation = generation_;
    while (scan_ < recus_.size()) {
        const qsizetype position = scan_++;
        const quint16 handle = declencheurAuBout(recus_[position]);
        if (handle == 0) continue;
        if (position > lecture_) {
            annonce(position);
            if (generation != generation_) return;
        }
        note(QStringLiteral("Déclencheur %1 reçu").arg(handle));
        Q_EMIT OnTriggerData(handle);
        if (generation != generation_) return;
    }
    if (recus_.size() > annonce_ && recus_.size() > lecture_) annonce(recus_.size());
}

void TComPort::annonce(qsizetype jusqua)
{
    annonce_ = std::max(annonce_, jusqua);
    const quint64 generation = generation_;
    qsizetype reste = jusqua - lecture_;
    while (reste > 0 && generation == generation_) {
        const auto nombre = static_cast<quint16>(std::min<qsizetype>(reste, 0xFFFF));
        reste -= nombre;
        Q_EMIT OnTriggerAvail(nombre);
    }
}

quint16 TComPort::declencheurAuBout(char octet)
{
    if (longueurMax_ == 0) return 0;
    fenetre_ += octet;
    if (fenetre_.size() > longueurMax_) fenetre_.remove(0, fenetre_.size() - longueurMax_);
    for (const TDeclencheur& d : declencheurs_)
        if (correspond(d)) return d.handle;
    return 0;
}

bool TComPort::correspond(const TDeclencheur& d) const
{
    const qsizetype n = d.texte.size();
    if (fenetre_.size() < n) return false;
    const char* fin = fenetre_.constData() + fenetre_.size() - n;
    for (qsizetype i = 0; i < n; ++i) {
        const char c = d.ignoreCasse ? majuscule(fin[i]) : fin[i];
        if (c != d.texte[i]) return false;
    }
    return true;
}

void TComPort::compacte()
{
    const qsizetype n = std::min(lecture_, scan_);
    if (n <= 0) return;
    recus_.remove(0, n);
    lecture_ -= n;
    scan_ -= n;
    annonce_ = std::max<qsizetype>(0, annonce_ - n);
}

void TComPort::videReception()
{
    recus_.clear();
    fenetre_.clear();
    lecture_ = 0;
    scan_ = 0;
    annonce_ = 0;
}

void TComPort::note(const QString& evenement)
{
    diagnostic_.journal(evenement);
}
