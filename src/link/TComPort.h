#pragma once

#include "link/TDiagnosticLiaison.h"

#include <QByteArray>
#include <QObject>
#include <QSerialPort>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

class TNomsPorts;

// The serial channel to the instrument: 9600 baud, 7 data bits, odd parity,
// one stop bit, no flow control. Received bytes queue up in arrival order and
// are compared with the registered triggers; the program learns of them only
// through OnTriggerAvail (bytes ready to fetch) and OnTriggerData (a trigger
// just arrived), both emitted on the thread that owns the channel.
//
// Every operation that needs the line opens it first when it is closed.
// A line that disappears (adapter pulled out, far end hung up) is closed and
// reported once through portPerdu.
class TComPort : public QObject {
    Q_OBJECT

public:
    static constexpr qint32 Baud = 9600;
    static constexpr qint64 tailleFiles = 4096;

    explicit TComPort(const TNomsPorts& noms, QObject* parent = nullptr);
    ~TComPort() override;

    bool Open() const;
    // False when the port could not be opened; erreur() then says why.
    bool setOpen(bool ouvrir);

    quint16 ComNumber() const { return numero_; }
    // An open port moves to the new number; false when it cannot reopen
    // there, and the port then stays closed.
    bool setComNumber(quint16 numero);

    // The device the current number stands for.
    QString peripherique() const;

    // Queues the bytes; false when the port cannot be opened or the output
    // queue would overflow.
    bool PutString(const QByteArray& octets);
    // The oldest byte not fetched yet; 0 when there is none.
    std::uint8_t GetChar();
    // 0 when the port cannot be opened or the string is empty.
    quint16 AddDataTrigger(const QByteArray& donnees, bool IgnoreCase);
    void ProcessCommunications();

    QString erreur() const { return erreur_; }

    // Asked for a port number when the current one is 0 at opening; 0 gives up.
    void setChoixPort(std::function<quint16()> choix);
    // Where the diagnostic files go when the port closes; empty for the
    // current directory.
    void setDossierDiagnostic(const QString& dossier);
    const TDiagnosticLiaison& diagnostic() const { return diagnostic_; }

Q_SIGNALS:
    void OnTriggerAvail(quint16 Count);
    void OnTriggerData(quint16 TriggerHandle);
    void ouverture();
    void portPerdu(const QString& raison);
    void octetsRecus(const QByteArray& octets);
    void octetsEmis(const QByteArray& octets);

private:
    struct TDeclencheur {
        quint16 handle;
        QByteArray texte;
        bool ignoreCasse;
    };

    bool ouvre();
    bool ouvrePeripherique(const QString& chemin);
    void ferme();
    bool choisitNumeroSiNul();
    void configure();
    void recoit();
    void surErreur(QSerialPort::SerialPortError e);
    void perte(const QString& raison);
    void examine();
    void examineUneFois();
    void annonce(qsizetype jusqua);
    quint16 declencheurAuBout(char octet);
    bool correspond(const TDeclencheur& d) const;
    void compacte();
    void videReception();
    void note(const QString& evenement);

    const TNomsPorts& noms_;
    QSerialPort* port_;
    quint16 numero_ = 1;
    QString erreur_;
    std::function<quint16()> choixPort_;
    QString dossierDiagnostic_;
    TDiagnosticLiaison diagnostic_;

    std::vector<TDeclencheur> declencheurs_;
    quint16 dernierHandle_ = 0;
    // The last bytes compared, as long as the longest trigger.
    QByteArray fenetre_;
    qsizetype longueurMax_ = 0;

    // recus_[lecture_..] not fetched yet, recus_[scan_..] not compared with
    // the triggers yet, recus_[annonce_..] not announced by OnTriggerAvail yet.
    QByteArray recus_;
    qsizetype lecture_ = 0;
    qsizetype scan_ = 0;
    qsizetype annonce_ = 0;

    bool enExamen_ = false;
    bool aReexaminer_ = false;
    bool perdu_ = false;
    quint64 generation_ = 0;
};
