#!/usr/bin/env python3
"""What the Orca screen reader says of the real window, with no audio.

    lecteur_ecran.py TARVEX

Starts a private X display (Xvfb), a private session bus, the accessibility bus, a window
manager, Orca and TARVEX, types `1 2 Return 3 +` and `1 Return 0 /`, and checks that Orca
says "15" once, then "Division par 0" once. Orca runs with no speech server: it writes every
utterance into its debug log ("SPEECH OUTPUT: '...'") before it would send it, and that log
is read here. Exit status: 0 passed, 1 failed (what was said is printed), 77 skipped when
Orca cannot start (not installed, or no X server for it). Every process started here is
stopped by its own PID, and so is any process it started (found by a marker in its
environment).
"""
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import uuid

PASSE, ECHEC, SAUTE = 0, 1, 77
MARQUE = "TARVEX_A11Y_RUN"

# Read by Orca from its preferences folder while it starts: speech is generated and logged,
# sent to no server (no audio, no speech-dispatcher); no braille, no sounds.
REGLAGES = """
import orca.debug as debug
import orca.settings as settings
try:
    debug.debugFile.reconfigure(line_buffering=True)
except Exception:
    pass
debug.debugLevel = debug.LEVEL_INFO
settings.enableSpeech = True
settings.speechServerFactory = None
settings.speechFactoryModules = []
settings.enableBraille = False
settings.enableSound = False
"""

PAROLE = re.compile(r"SPEECH OUTPUT: '(.*?)'")

# The keys typed (xdotool's names) and what Orca must then say, once.
CAS = [(["1", "2", "Return", "3", "plus"], "15"),
       (["1", "Return", "0", "slash"], "Division par 0")]


class Saut(Exception):
    """Orca cannot start here: the test is skipped."""


class Echec(Exception):
    pass


class Seance:
    def __init__(self, programme):
        self.programme = programme
        self.dossier = tempfile.mkdtemp(prefix="tarvex-a11y.")
        self.journal = os.path.join(self.dossier, "orca.log")
        self.processus = []  # started in this order, stopped in the reverse one
        self.marque = uuid.uuid4().hex
        home = os.path.join(self.dossier, "home")
        runtime = os.path.join(self.dossier, "runtime")
        for d in (home, runtime):
            os.makedirs(d, mode=0o700)
        self.env = dict(os.environ, HOME=home, XDG_RUNTIME_DIR=runtime,
                        XDG_CONFIG_HOME=os.path.join(home, ".config"),
                        GSETTINGS_BACKEND="memory", QT_QPA_PLATFORM="xcb",
                        QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", NO_AT_BRIDGE="0",
                        LANG="fr_FR.UTF-8", LANGUAGE="fr", **{MARQUE: self.marque})
        for v in ("LC_ALL", "SESSION_MANAGER", "DBUS_SESSION_BUS_ADDRESS", "WAYLAND_DISPLAY",
                  "AT_SPI_BUS_ADDRESS"):
            self.env.pop(v, None)

    def lancer(self, nom, commande, **options):
        sortie = open(os.path.join(self.dossier, nom + ".log"), "wb")
        options = dict(dict(stdout=sortie, stderr=subprocess.STDOUT), **options)
        p = subprocess.Popen(commande, env=self.env, stdin=subprocess.DEVNULL, **options)
        self.processus.append(p)
        return p

    @staticmethod
    def attendre(condition, delai, pas=0.1):
        fin = time.monotonic() + delai
        while time.monotonic() < fin:
            if condition():
                return True
            time.sleep(pas)
        return False

    def dit(self):
        try:
            with open(self.journal, encoding="utf-8", errors="replace") as f:
                return PAROLE.findall(f.read())
        except OSError:
            return []

    def xdotool(self, *arguments):
        return subprocess.run(["xdotool", *arguments], env=self.env, capture_output=True,
                              text=True, timeout=20).stdout.split()

    def demarrer(self):
        lanceur = next((p for p in ("/usr/libexec/at-spi-bus-launcher",
                                    "/usr/lib/at-spi2-core/at-spi-bus-launcher")
                        if os.path.exists(p)), None)
        manque = [o for o in ("Xvfb", "dbus-daemon", "orca", "xdotool") if not shutil.which(o)]
        if manque or lanceur is None:
            raise Saut("not installed: %s" % " ".join(manque or ["at-spi-bus-launcher"]))
        # The X server picks a free display and writes its number on a pipe.
        lu, ecrit = os.pipe()
        self.lancer("xvfb", ["Xvfb", "-displayfd", str(ecrit), "-screen", "0", "1280x1024x24",
                             "-nolisten", "tcp"], pass_fds=(ecrit,))
        os.close(ecrit)
        with os.fdopen(lu) as f:
            numero = f.readline().strip()
        if not numero:
            raise Saut("Xvfb would not start")
        self.env["DISPLAY"] = ":" + numero
        bus = self.lancer("dbus", ["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                          stdout=subprocess.PIPE)
        adresse = bus.stdout.readline().decode().strip()
        if not adresse:
            raise Saut("no session bus")
        self.env["DBUS_SESSION_BUS_ADDRESS"] = adresse
        self.lancer("at-spi", [lanceur, "--launch-immediately"])
        if shutil.which("openbox"):  # activation and focus as on a desktop
            self.lancer("openbox", ["openbox", "--sm-disable"])
        prefs = os.path.join(self.dossier, "orca")
        os.makedirs(prefs)
        with open(os.path.join(prefs, "orca-customizations.py"), "w") as f:
            f.write(REGLAGES)
        orca = self.lancer("orca", ["orca", "--debug-file", self.journal, "-u", prefs])
        if not self.attendre(lambda: self.dit() or orca.poll() is not None, 60, 0.25) \
                or orca.poll() is not None:
            raise Saut("Orca did not start:\n" + self.fin("orca.log"))
        programme = self.lancer("tarvex", [self.programme])
        fenetres = lambda: self.xdotool("search", "--onlyvisible", "--pid", str(programme.pid))
        if not self.attendre(lambda: programme.poll() is not None or fenetres(), 30, 0.3) \
                or programme.poll() is not None:
            raise Echec("the window did not appear:\n" + self.fin("tarvex.log"))
        self.xdotool("windowactivate", "--sync", fenetres()[-1])
        self.xdotool("windowfocus", "--sync", fenetres()[-1])
        self.calme()

    def calme(self, silence=1.5, delai=20):
        """Waits until Orca has said nothing new for `silence` seconds."""
        fin = time.monotonic() + delai
        n = len(self.dit())
        while time.monotonic() < fin:
            time.sleep(silence)
            m = len(self.dit())
            if m == n:
                return
            n = m

    def verifier(self, touches, attendu):
        avant = len(self.dit())
        for t in touches:
            self.xdotool("key", t)
            time.sleep(0.3)
        trouve = lambda: [d for d in self.dit()[avant:] if d.strip().rstrip(".").strip() == attendu]
        self.attendre(trouve, 10)
        self.calme(1.0, 10)
        if len(trouve()) != 1:
            raise Echec("after %s Orca should say %r once; it said %r" % (
                " ".join(touches), attendu, self.dit()[avant:]))

    def fin(self, nom, lignes=15):
        try:
            with open(os.path.join(self.dossier, nom), errors="replace") as f:
                return "".join(f.readlines()[-lignes:])
        except OSError:
            return "(no %s)\n" % nom

    def arreter(self):
        for p in reversed(self.processus):
            if p.poll() is None:
                p.terminate()
                try:
                    p.wait(4)
                except subprocess.TimeoutExpired:
                    p.kill()
                    p.wait()
        # What the buses started on their own (the registry daemon, ...): by PID, through the
        # marker in their environment.
        aiguille = ("%s=%s" % (MARQUE, self.marque)).encode()
        for pid in filter(str.isdigit, os.listdir("/proc")):
            try:
                with open("/proc/%s/environ" % pid, "rb") as f:
                    if aiguille in f.read().split(b"\0") and int(pid) != os.getpid():
                        os.kill(int(pid), signal.SIGKILL)
            except OSError:
                pass
        shutil.rmtree(self.dossier, ignore_errors=True)


def main():
    if len(sys.argv) != 2:
        print("usage: lecteur_ecran.py TARVEX", file=sys.stderr)
        return ECHEC
    seance = Seance(os.path.abspath(sys.argv[1]))
    try:
        seance.demarrer()
        for touches, attendu in CAS:
            seance.verifier(touches, attendu)
        print("Orca said: %r" % seance.dit())
        return PASSE
    except Saut as s:
        print("SKIPPED: Orca cannot start here: %s" % s)
        return SAUTE
    except Echec as e:
        print("FAILED: %s" % e)
        return ECHEC
    finally:
        seance.arreter()


if __name__ == "__main__":
    sys.exit(main())
