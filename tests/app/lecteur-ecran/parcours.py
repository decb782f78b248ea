#!/usr/bin/python3
"""A screen reader's road through Lumko, on the desktop's accessibility bus.

Every control is found by its accessible name and pressed by its accessible
action only: no mouse, no keyboard. Each action must return at once, even
when it opens a modal box or waits on the instrument, and the status line
must be read by its name, with each new message announced.

Usage: parcours.py LUMKO LUMKO-INSTRUMENT OUTPUT-FOLDER
(run inside bureau.sh, which provides the display and the buses)
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import GLib

# An action that returns later than this has waited for a box or for the
# instrument: a screen reader would have frozen with it.
ACTION_MAX_S = 1.0

lumko, instrument, sortie = sys.argv[1:4]
os.makedirs(sortie, exist_ok=True)
echecs = []
noms_annonces = []


def echec(texte):
    print("ÉCHEC :", texte, flush=True)
    echecs.append(texte)


def note(texte):
    print(texte, flush=True)


def pompe(secondes=0.0):
    """Lets the bus deliver its events for a while."""
    fin = time.monotonic() + secondes
    contexte = GLib.MainContext.default()
    while True:
        while contexte.pending():
            contexte.iteration(False)
        if time.monotonic() >= fin:
            return
        time.sleep(0.02)


def attend(condition, secondes):
    fin = time.monotonic() + secondes
    while time.monotonic() < fin:
        try:
            if condition():
                return True
        except Exception:
            pass
        pompe(0.1)
    return bool(condition())


def parcourt(noeud, profondeur=0):
    if noeud is None or profondeur > 40:
        return
    yield noeud
    try:
        for i in range(noeud.childCount):
            yield from parcourt(noeud.getChildAtIndex(i), profondeur + 1)
    except Exception:
        return


def cherche(dans, nom=None, description=None, role=None, secondes=10):
    trouve = []

    def essaie():
        for n in parcourt(dans):
            try:
                if nom is not None and n.name != nom:
                    continue
                if description is not None and n.description != description:
                    continue
                if role is not None and n.getRoleName() != role:
                    continue
                if not n.getState().contains(pyatspi.STATE_SHOWING) and role != "menu item":
                    continue
                trouve.append(n)
                return True
            except Exception:
                continue
        return False

    attend(essaie, secondes)
    return trouve[0] if trouve else None


def actif(n):
    return n is not None and n.getState().contains(pyatspi.STATE_ENABLED)


def agit(noeud, quoi):
    """The control's first action, as a screen reader's default action."""
    if noeud is None:
        echec(f"« {quoi} » introuvable")
        return False
    if not attend(lambda: actif(noeud), 30):
        echec(f"« {quoi} » reste désactivé")
        return False
    actions = noeud.queryAction()
    nom_action = actions.getName(0)
    debut = time.monotonic()
    actions.doAction(0)
    duree = time.monotonic() - debut
    note(f"{quoi} : action « {nom_action} » revenue en {duree * 1000:.0f} ms")
    if duree > ACTION_MAX_S:
        echec(f"l'action de « {quoi} » a bloqué {duree:.1f} s")
    return True


def boite_ouverte(app, titre=None):
    for i in range(app.childCount):
        f = app.getChildAtIndex(i)
        if f is None:
            continue
        if f.getRoleName() in ("dialog", "alert", "file chooser") or (titre and f.name == titre):
            if f.getState().contains(pyatspi.STATE_SHOWING):
                return f
    return None


def fenetre(app, nom_partiel):
    for i in range(app.childCount):
        f = app.getChildAtIndex(i)
        if f is not None and nom_partiel in (f.name or ""):
            return f
    return None


def donne_le_focus(pid, nom=None):
    """What the window manager does when the user switches to a window; the
    test's desktop has none."""
    critere = ["--name", nom] if nom else ["--pid", str(pid)]
    fenetres = subprocess.run(["xdotool", "search", "--onlyvisible"] + critere,
                              capture_output=True, text=True).stdout.split()
    if fenetres:
        subprocess.run(["xdotool", "windowfocus", "--sync", fenetres[-1]],
                       capture_output=True, timeout=10)


def sur_nom(evenement):
    """Keeps what the status line announced: the new name the event carries."""
    try:
        if evenement.source.description == "Ligne d'état":
            noms_annonces.append(evenement.source.name)
    except Exception:
        pass


def capture(nom):
    if shutil.which("import"):
        subprocess.run(["import", "-window", "root", os.path.join(sortie, nom)], check=False,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def demarre(dossier):
    lien = os.path.join(dossier, "orvanne")
    simu = subprocess.Popen([instrument, "--link", lien, "--time-factor", "0.2"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    if not attend(lambda: os.path.exists(lien), 10):
        raise RuntimeError("le simulateur n'a pas créé son lien")
    with open(os.path.join(dossier, "lumko.ini"), "w", encoding="utf-8") as f:
        # "très rapide" for the scan, which gives the kinetics its shortest
        # time step, 1 s.
        f.write(f"[Ports]\nCOM49={lien}\n[VoieSerie]\nComNumber=49\n[Vitesse]\nValeur=0\n")
    programme = os.path.join(dossier, "lumko")
    shutil.copy(lumko, programme)
    return simu, subprocess.Popen([programme], cwd=dossier)


def application(pid):
    bureau = pyatspi.Registry.getDesktop(0)

    def trouve():
        for i in range(bureau.childCount):
            a = bureau.getChildAtIndex(i)
            if a is not None and a.get_process_id() == pid:
                return a
        return None

    attend(lambda: trouve() is not None, 30)
    return trouve()


def spectre(app, principale):
    ligne = cherche(principale, description="Ligne d'état")
    if ligne is None:
        echec("pas de ligne d'état nommée par son texte")
        return
    if not attend(lambda: ligne.name == "Cliquer sur connecter", 15):
        echec(f"la ligne d'état dit « {ligne.name} » au lieu de « Cliquer sur connecter »")
    note(f"ligne d'état : « {ligne.name} »")

    connecter = cherche(principale, nom="Connecter")
    noms_annonces.clear()
    agit(connecter, "Connecter")
    if not attend(lambda: connecter.getState().contains(pyatspi.STATE_CHECKED), 10):
        echec("« Connecter » n'est pas enfoncé après son action")
    if not attend(lambda: ligne.name != "Cliquer sur connecter", 10):
        echec("la liaison ne s'est pas ouverte par l'action de « Connecter »")
    note(f"connecté ; ligne d'état : « {ligne.name} »")

    agit(cherche(principale, nom="Blanc"), "Blanc")
    spectre_btn = cherche(principale, nom="Spectre")
    if not attend(lambda: actif(spectre_btn), 30):
        echec("le blanc n'a pas fini")
    agit(spectre_btn, "Spectre")
    stop = cherche(principale, nom="Stop")
    if not attend(lambda: actif(stop), 10):
        echec("« Stop » n'est pas disponible pendant le balayage")
    pompe(1.0)
    agit(stop, "Stop")
    if not attend(lambda: not actif(stop), 10):
        echec("l'action de « Stop » n'a pas arrêté le balayage")
    note(f"après Stop : « {ligne.name} »")

    agit(spectre_btn, "Spectre")
    if not attend(lambda: ligne.name == "Cliquer sur sauver", 90):
        echec(f"pas de « Cliquer sur sauver » après le spectre (« {ligne.name} »)")
    note(f"ligne d'état : « {ligne.name} »")
    # A screen reader speaks what the bus announces, not what it could read.
    if not attend(lambda: "Cliquer sur sauver" in noms_annonces, 5):
        echec("« Cliquer sur sauver » n'a pas été annoncé sur le bus")
    note(f"annoncés par la ligne d'état : {sorted(set(noms_annonces))}")
    graphe_au_clavier(principale)
    capture("lecteur-ecran-spectre.png")

    sauve_puis_annule(app, cherche(principale, nom="Sauver"), "Sauver", "lecteur-ecran-sauver.png")


def sauve_puis_annule(app, sauver, quoi, image=None):
    """"Sauver" opens its box; "Annuler" closes it, and nothing is lost:
    "Sauver" stays available."""
    agit(sauver, quoi)
    attend(lambda: boite_ouverte(app) is not None, 10)
    boite = boite_ouverte(app)
    if boite is None:
        echec(f"« {quoi} » n'a ouvert aucune boîte")
        return
    note(f"boîte ouverte : « {boite.name} »")
    if image:
        capture(image)
    agit(cherche(boite, nom="Annuler", role="push button"), f"Annuler ({quoi})")
    if not attend(lambda: boite_ouverte(app) is None, 10):
        echec(f"la boîte de « {quoi} » ne s'est pas fermée par « Annuler »")
    if not actif(sauver):
        echec(f"après « Annuler », « {quoi} » n'est plus disponible : un abandon ne perd rien")


def graphe_au_clavier(principale):
    """The graph takes the focus; each arrow moves the readout along the
    curve, and a screen reader reads it as the graph's description."""
    graphe = cherche(principale, nom="Graphe")
    if graphe is None:
        echec("pas de graphe nommé « Graphe »")
        return
    graphe.queryComponent().grabFocus()
    if not attend(lambda: graphe.getState().contains(pyatspi.STATE_FOCUSED), 5):
        echec("le graphe ne prend pas le focus")
        return
    lus = []
    for touche in ("Home", "Right", "Right", "End"):
        avant = graphe.description
        subprocess.run(["xdotool", "key", touche], capture_output=True, timeout=10)
        attend(lambda: graphe.description != avant, 5)
        lus.append(graphe.description)
    note(f"lu le long de la courbe : {lus}")
    if not all(t.startswith("λ = ") and "   A = " in t for t in lus) or len(set(lus[:3])) != 3:
        echec(f"la lecture au clavier ne suit pas la courbe : {lus}")
    subprocess.run(["xdotool", "key", "Tab"], capture_output=True, timeout=10)


def cinetique(app, principale, pid):
    agit(cherche(principale, nom="Cinétique"), "Cinétique")
    attend(lambda: fenetre(app, "Cinétique") is not None, 10)
    cin = fenetre(app, "Cinétique")
    if cin is None:
        echec("la fenêtre de cinétique ne s'est pas ouverte")
        return
    donne_le_focus(pid, cin.name)
    agit(cherche(cin, nom="Régler la longueur d'onde"), "Régler la longueur d'onde")
    agit(cherche(cin, nom="Blanc"), "Blanc (cinétique)")
    lancer = cherche(cin, nom="Lancer")
    agit(lancer, "Lancer")
    duree = cherche(cin, description="Temps écoulé")
    if duree is None:
        echec("le temps écoulé n'est pas nommé par ce qu'il montre")
    elif not attend(lambda: duree.name not in ("", "00:00:00"), 20):
        echec(f"le temps écoulé ne change pas (« {duree.name} »)")
    else:
        note(f"temps écoulé : « {duree.name} »")

    agit(cherche(cin, nom="Repère"), "Repère")
    attend(lambda: boite_ouverte(app, "Création d'un repère") is not None, 10)
    boite = boite_ouverte(app, "Création d'un repère")
    if boite is None:
        echec("« Repère » n'a pas ouvert sa boîte")
    else:
        capture("lecteur-ecran-repere.png")
        agit(cherche(boite, nom="OK", role="push button"), "OK (repère)")
        if not attend(lambda: boite_ouverte(app, "Création d'un repère") is None, 10):
            echec("la boîte du repère ne s'est pas fermée")

    sauver = cherche(cin, nom="Sauver")
    if not attend(lambda: actif(sauver), 40):
        echec("« Sauver » de la cinétique ne s'active pas après 10 points")
    stop = cherche(cin, nom="Stop")
    agit(stop, "Stop (cinétique)")
    if not attend(lambda: actif(lancer), 15):
        echec("la run ne s'est pas arrêtée")

    sauve_puis_annule(app, sauver, "Sauver (cinétique)")

    # Closing with a run not saved asks first; the answer is given by its
    # accessible action too.
    agit(cherche(cin, nom="Quitter"), "Quitter (cinétique)")
    attend(lambda: boite_ouverte(app, "Confirmer") is not None, 10)
    boite = boite_ouverte(app, "Confirmer")
    if boite is None:
        echec("pas de question « Sauvegarde » à la fermeture de la cinétique")
    else:
        agit(cherche(boite, nom="Non", role="push button"), "Non (sauvegarde)")
    if not attend(lambda: fenetre(app, "Cinétique") is None or not fenetre(app, "Cinétique").getState().contains(pyatspi.STATE_SHOWING), 10):
        echec("la fenêtre de cinétique ne s'est pas fermée")


def quitte(app, principale, programme):
    agit(cherche(principale, nom="Quitter"), "Quitter")
    fin = time.monotonic() + 20
    while programme.poll() is None and time.monotonic() < fin:
        boite = boite_ouverte(app) if programme.poll() is None else None
        if boite is not None:
            note(f"question à la fermeture : « {boite.name} »")
            agit(cherche(boite, nom="Non", role="push button", secondes=2), "Non")
        pompe(0.2)
    if programme.poll() is None:
        echec("Lumko ne s'est pas fermé par « Quitter »")
    elif programme.returncode != 0:
        echec(f"Lumko s'est fermé avec le code {programme.returncode}")


def main():
    pyatspi.Registry.registerEventListener(sur_nom, "object:property-change:accessible-name")
    dossier = tempfile.mkdtemp()
    simu, lumko_p = demarre(dossier)
    try:
        app = application(lumko_p.pid)
        if app is None:
            echec("Lumko n'apparaît pas sur le bus d'accessibilité")
            return
        # The main window is the one with the tool bar's "Connecter".
        attend(lambda: app.childCount > 0 and cherche(app, nom="Spectre", secondes=0) is not None, 30)
        principale = app.getChildAtIndex(0) if app.childCount > 0 else None
        if principale is None or cherche(principale, nom="Spectre", secondes=0) is None:
            echec("pas de fenêtre principale avec « Spectre »")
            return
        note(f"fenêtre principale : « {principale.name} »")
        donne_le_focus(lumko_p.pid)
        spectre(app, principale)
        cinetique(app, principale, lumko_p.pid)
        quitte(app, principale, lumko_p)
    finally:
        if lumko_p.poll() is None:
            lumko_p.terminate()
        try:
            lumko_p.wait(timeout=10)
        except subprocess.TimeoutExpired:
            echec("Lumko ne s'est pas arrêté sur SIGTERM")
            lumko_p.kill()
        simu.terminate()
        simu.wait(timeout=10)
        shutil.rmtree(dossier, ignore_errors=True)


main()
if echecs:
    print(f"{len(echecs)} échec(s)", flush=True)
    sys.exit(1)
print("parcours réussi", flush=True)
