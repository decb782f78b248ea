#pragma once

// A hand-over of data to another program (clipboard, the analysis program's
// channel, a file) is under way. Its waits serve the serial line but take no
// user input; while one lasts, nothing may start a second transfer or a
// command to the instrument, whose own waits would let clicks in again.
// Held by a guard for as long as the transfer runs; there is one user-interface
// thread, so a plain counter does.
class TTransfertEnCours {
public:
    TTransfertEnCours() { ++compte(); }
    ~TTransfertEnCours() { --compte(); }
    TTransfertEnCours(const TTransfertEnCours&) = delete;
    TTransfertEnCours& operator=(const TTransfertEnCours&) = delete;

    static bool actif() { return compte() > 0; }

private:
    static int& compte()
    {
        static int n = 0;
        return n;
    }
};
