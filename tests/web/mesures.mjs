// The page's measurements (docs/performance.md; not a test): what it downloads, compressed,
// and the time from navigation to its first usable frame in headless chromium, served by
// Python's web server on 127.0.0.1 as `./setup.sh web` serves it.
//
//   node mesures.mjs SITE [LOADS]
import { spawn } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import zlib from 'node:zlib';
import { lancer } from './chromium.mjs';

const [site, n = '15'] = process.argv.slice(2);

// Every file of the folder is downloaded at the first visit: the page's own requests, then
// the service worker's, which keeps the rest (the manual, the icons) for offline use.
let brut = 0, gzip = 0;
const lignes = [];
(function lister(dossier) {
  for (const e of fs.readdirSync(path.join(site, dossier), { withFileTypes: true })) {
    const nom = path.join(dossier, e.name);
    if (e.isDirectory()) { lister(nom); continue; }
    const donnees = fs.readFileSync(path.join(site, nom));
    const z = zlib.gzipSync(donnees, { level: 9 }).length;
    brut += donnees.length;
    gzip += z;
    lignes.push([nom, donnees.length, z]);
  }
})('');
lignes.sort((a, b) => b[2] - a[2]);
for (const [nom, b, z] of lignes) console.log(`${nom.padEnd(36)} ${String(b).padStart(9)} ${String(z).padStart(9)}`);
console.log(`${'total (bytes, gzip -9)'.padEnd(36)} ${String(brut).padStart(9)} ${String(gzip).padStart(9)}`);

const port = 18000 + (process.pid % 1000);
const serveur = spawn('python3', ['-m', 'http.server', '--bind', '127.0.0.1', '--directory', site, String(port)],
                      { stdio: 'ignore' });
await new Promise((ok) => setTimeout(ok, 1000));
const url = `http://127.0.0.1:${port}/`;
const mediane = (t) => t.sort((a, b) => a - b)[Math.floor(t.length / 2)];
const premiere = [], suivante = [];
try {
  for (let i = 0; i < Number(n); ++i) {
    const navigateur = await lancer();
    try {
      const page = await navigateur.newPage();
      await page.setViewport({ width: 900, height: 700 });
      for (const visite of [premiere, suivante]) {
        if (visite === suivante) await page.evaluate(() => navigator.serviceWorker.ready);
        await page.goto(url);
        await page.waitForFunction(() => performance.getEntriesByName('tarvex-utilisable').length > 0);
        visite.push(await page.evaluate(() => performance.getEntriesByName('tarvex-utilisable')[0].startTime));
      }
    } finally {
      await navigateur.close();
    }
  }
} finally {
  serveur.kill();
}
const dire = (t) => `median ${mediane(t).toFixed(0)} ms, from ${Math.min(...t).toFixed(0)} to ${Math.max(...t).toFixed(0)} ms`;
console.log(`\nnavigation to the first usable frame, ${n} fresh profiles:`);
console.log(`  first visit:  ${dire(premiere)}`);
console.log(`  second visit: ${dire(suivante)} (from the service worker's cache)`);
