// The WebAssembly build against the native one: the same inputs must give the same bytes.
//
//   node comparer.mjs scenario FILE --natif REPLAY --web REPLAY.js
//       the scenario file's script (a dump where each group of `=` lines stands), played by
//       both drivers under the locales C and fr_FR.UTF-8: standard output, standard error
//       and status;
//   node comparer.mjs echecs --natif REPLAY --web REPLAY.js
//       the drivers' refusals and failures, as shell commands;
//   node comparer.mjs aleatoire N LINES --scripts GENERATOR --corpus DIR --natif REPLAY --web REPLAY.js
//       N random scripts of the stress test's generator, with a dump every eight lines; the
//       WebAssembly driver's module is loaded once and its main run once per script;
//   node comparer.mjs nombres N --natif PROGRAM --web PROGRAM.js
//       tarvex-nombres' lines for N random inputs.
//
// The first difference is reported with both sides around it; status 1.
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import { createRequire } from 'node:module';
import os from 'node:os';
import path from 'node:path';

const args = process.argv.slice(2);
const option = (nom) => {
  const i = args.indexOf(nom);
  return i >= 0 ? args.splice(i, 2)[1] : undefined;
};
const natif = option('--natif');
const web = option('--web');
const generateur = option('--scripts');
const corpus = option('--corpus');
const [mode, ...reste] = args;
const temporaire = fs.mkdtempSync(path.join(os.tmpdir(), 'tarvex-web-'));
process.on('exit', () => fs.rmSync(temporaire, { recursive: true, force: true }));

function lancer(commande, argv, { locale = 'C', entree } = {}) {
  const r = spawnSync(commande, argv, {
    env: { ...process.env, LC_ALL: locale },
    input: entree,
    maxBuffer: 1 << 30,
  });
  if (r.error) throw r.error;
  return { statut: r.status, sortie: r.stdout.toString('latin1'), erreur: r.stderr.toString('latin1') };
}

// Where two texts first differ, with what each side has there.
function difference(a, b) {
  let i = 0;
  while (i < a.length && i < b.length && a[i] === b[i]) ++i;
  if (i === a.length && i === b.length) return null;
  const ligne = a.slice(0, i).split('\n').length;
  const autour = (t) => JSON.stringify(t.slice(Math.max(0, i - 60), i + 60));
  return `line ${ligne}, byte ${i}:\n  native: ${autour(a)}\n  web:    ${autour(b)}`;
}

function comparer(quoi, n, w) {
  for (const champ of ['statut', 'erreur', 'sortie']) {
    const d = champ === 'statut' ? (n.statut === w.statut ? null : `${n.statut} / ${w.statut}`)
                                 : difference(n[champ], w[champ]);
    if (d !== null) {
      console.log(`FAIL: ${quoi}: ${{ statut: 'status', erreur: 'standard error', sortie: 'standard output' }[champ]} differs: ${d}`);
      process.exit(1);
    }
  }
}

// The scenario file as a script: a dump for each group of `=` lines (as the scenario runner
// does), the other lines as they are.
function script(fichier) {
  let evenements = true;
  return fs.readFileSync(fichier, 'latin1').split('\n').map((ligne) => {
    const t = ligne.trim();
    if (!t.startsWith('=')) {
      if (t !== '' && !t.startsWith('#')) evenements = t !== 'dump';
      return ligne;
    }
    const dump = evenements;
    evenements = false;
    return dump ? 'dump' : '';
  }).join('\n');
}

// The WebAssembly driver's module, compiled once; each run a fresh instance whose standard
// output and error go to files.
function pilote(js) {
  const fabrique = createRequire(import.meta.url)(js);
  const binaire = new WebAssembly.Module(fs.readFileSync(js.replace(/\.js$/, '.wasm')));
  const sorties = [path.join(temporaire, 'sortie'), path.join(temporaire, 'erreur')];
  return async (argv) => {
    let statut = null;
    const m = await fabrique({
      noInitialRun: true,
      instantiateWasm(imports, recevoir) {
        const instance = new WebAssembly.Instance(binaire, imports);
        recevoir(instance, binaire);
        return instance.exports;
      },
      quit(s, e) { statut = s; throw e; },
    });
    // The program's exit closes its three standard streams: never the harness's own.
    const fds = [fs.openSync('/dev/null', 'r'), ...sorties.map((f) => fs.openSync(f, 'w'))];
    fds.forEach((fd, i) => { m.FS.streams[i].nfd = fd; });
    const r = m.callMain(argv);
    for (const fd of fds) try { fs.closeSync(fd); } catch { /* closed by the program's exit */ }
    const [sortie, erreur] = sorties.map((f) => fs.readFileSync(f, 'latin1'));
    return { statut: statut ?? r, sortie, erreur };
  };
}

if (mode === 'scenario') {
  const fichier = path.join(temporaire, path.basename(reste[0]));
  fs.writeFileSync(fichier, script(reste[0]), 'latin1');
  for (const locale of ['C', 'fr_FR.UTF-8']) {
    const n = lancer(natif, [fichier], { locale });
    if (locale !== 'C' && !n.sortie.includes(`"localeNumeric":"${locale}"`)) {
      console.log(`note: the locale ${locale} is not installed; compared under C only`);
      continue;
    }
    comparer(`${reste[0]} (${locale})`, n, lancer(process.execPath, [web, fichier], { locale }));
  }
} else if (mode === 'echecs') {
  // The native driver's refusals and failures (tests/scenarios/runner_test.cpp), but for two
  // that node does not let a program meet: standard output closed at the start (node opens
  // /dev/null in its place) and a memory limit (node needs more to start than the native
  // driver's limit).
  const lignes = [
    "printf 'Key Return\\n' | $R", "printf 'click cmdChiffre(10)\\n' | $R",
    "printf 'dblclick cmdEnter\\n' | $R", "printf 'dump\\nclick Label5\\npress 4\\n' | $R",
    "printf 'undo twice\\n' | $R", "printf 'key 12\\n' | $R", "printf 'key U+D800\\n' | $R",
    "printf 'type\\n' | $R", "printf 'type \\303\\n' | $R", "printf 'type 1\\rkey 2\\r\\n' | $R",
    "printf 'dump\\r\\n# \\r\\n' | $R", "printf 'click \\033[1m\\377\\000%s\\n' $(printf 'é%.0s' $(seq 80)) | $R",
    "printf 'type 1\\n' | $R >/dev/full", '$R </dev/zero', '$R /nonexistent/script', '$R /',
    '$R a b', "printf 'type 6\\nkey Return\\n' | $R /dev/stdin",
    "printf '\\357\\273\\277type 2\\r\\ncopy\\npaste 1,5\\nundo\\n' | $R -",
    "printf 'type 12\\nkey Return\\ntype 3\\nkey +\\ndump\\nundo\\n' | $R --journal",
  ];
  for (const ligne of lignes) {
    const avec = (r) => lancer('/bin/sh', ['-c', `R='${r}'; ${ligne}`]);
    comparer(ligne, avec(natif), avec(`${process.execPath} ${web}`));
  }
} else if (mode === 'aleatoire') {
  const [n, lignes] = reste.map(Number);
  const dossier = path.join(temporaire, 'scripts');
  const g = lancer(generateur, [corpus, dossier, String(n), String(lignes)]);
  if (g.statut !== 0) throw new Error(g.erreur);
  process.env.LC_ALL = 'C';
  const jouer = pilote(web);
  let octets = 0;
  for (let i = 1; i <= n; ++i) {
    const fichier = path.join(dossier, `${i}.replay`);
    const avecDumps = fs.readFileSync(fichier, 'latin1').split('\n')
      .map((l, k) => (k % 8 === 7 ? `${l}\ndump` : l)).join('\n');
    fs.writeFileSync(fichier, avecDumps, 'latin1');
    const attendu = lancer(natif, [fichier]);
    comparer(`script ${i} (tarvex-scripts CORPUS DIR ${i} ${lignes}, a dump every eight lines)`,
             attendu, await jouer([fichier]));
    octets += attendu.sortie.length;
  }
  console.log(`${n} random scripts: the same ${octets} bytes of output`);
} else if (mode === 'nombres') {
  comparer(`tarvex-nombres ${reste[0]}`, lancer(natif, [reste[0]]),
           lancer(process.execPath, [web, reste[0]]));
} else {
  console.log(`unknown mode ${mode}`);
  process.exit(2);
}
