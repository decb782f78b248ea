#pragma once

#include "graph/Tgraphe.h"
#include "link/TLiaison.h"

#include "Attente.h"
#include "THoteEssai.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

// A link without any window, on COM7, whose device the settings file names.
// Waits run on a virtual clock: every pass lasts 1 ms for real and 100 ms for
// the answer timer, so five-second time-outs take a few milliseconds. A test
// may act at the end of any pass (aChaquePasse), and every transmission is
// recorded with the number of passes completed before it.
class TLiaisonFixture : public ::testing::Test {
protected:
    struct TEmission {
        int passe;
        QByteArray octets;
    };

    void SetUp() override
    {
        liaison_.VoieSerie.setDossierDiagnostic(dossier_.path());
        liaison_.setDureePasse(1);
        liaison_.setHorloge([this] { return horloge_; });
        QObject::connect(&liaison_, &TLiaison::passeTerminee, [this] {
            horloge_ += 100;
            ++passes_;
            if (aChaquePasse_) aChaquePasse_(passes_);
        });
        QObject::connect(&liaison_.VoieSerie, &TComPort::octetsEmis,
                         [this](const QByteArray& o) { emissions_.push_back({passes_, o}); });
        QObject::connect(&liaison_.VoieSerie, &TComPort::octetsRecus,
                         [this](const QByteArray& o) { octetsRecus_ += o.size(); });
    }

    // The settings file: "[Ports]" with these entries.
    void ecritPorts(const std::vector<std::pair<int, QString>>& ports)
    {
        QFile f(ini_);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Ports]\n");
        for (const auto& [numero, chemin] : ports)
            f.write("COM" + QByteArray::number(numero) + "=" + chemin.toLocal8Bit() + "\n");
    }

    // Every default device replaced by an absent one, so that only the
    // entries given count on any machine.
    std::vector<std::pair<int, QString>> seulement(std::vector<std::pair<int, QString>> ports)
    {
        std::vector<std::pair<int, QString>> tous = std::move(ports);
        for (int n = 1; n <= 48; ++n) {
            const bool donne = std::any_of(tous.begin(), tous.end(),
                                           [n](const auto& p) { return p.first == n; });
            if (!donne) tous.push_back({n, QStringLiteral("/dev/absent-lumko")});
        }
        return tous;
    }

    std::vector<QByteArray> emisSeulement() const
    {
        std::vector<QByteArray> e;
        for (const TEmission& em : emissions_) e.push_back(em.octets);
        return e;
    }

    QTemporaryDir dossier_;
    QString ini_ = dossier_.filePath(QStringLiteral("lumko.ini"));
    Tgraphe graphe_;
    THoteEssai hote_;
    TLiaison liaison_{hote_, graphe_, ini_};
    std::uint32_t horloge_ = 0;
    int passes_ = 0;
    std::function<void(int)> aChaquePasse_;
    std::vector<TEmission> emissions_;
    qsizetype octetsRecus_ = 0;
};
