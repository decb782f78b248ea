#pragma once

// How the last command's wait ended. Only eFaite counts as done: a wait
// ended by the user's Stop, by a handshake the instrument did not answer, or
// by the line going away (lost, or closed by the user) is never reported as
// a success.
enum class TIssueCommande {
    eFaite,       // acknowledged and ended by the instrument (EOT, or ENQ for a measurement)
    eArretee,     // ended by Stop (the user's, or a reading abandoned after its time bound)
    eEchouee,     // the handshake failed, or the command could not be started at all
    eInterrompue, // the line was lost or closed by the user during the wait
};
