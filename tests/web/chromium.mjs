// Debian's chromium, headless, driven by puppeteer-core (pinned in package-lock.json), and the
// built page served on 127.0.0.1 as a static host serves it: for the browser tests
// (navigateur.mjs) and the page's measurements (mesures.mjs).
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';

export const Chromium = process.env.TARVEX_CHROMIUM ?? '/usr/bin/chromium';
export const puppeteer = await import('puppeteer-core').then((m) => m.default).catch(() => null);

// The built folder over HTTP, as a static host serves it.
const Types = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.css': 'text/css',
  '.wasm': 'application/wasm', '.ttf': 'font/ttf', '.pdf': 'application/pdf',
  '.png': 'image/png', '.svg': 'image/svg+xml', '.webmanifest': 'application/manifest+json',
  '.txt': 'text/plain; charset=utf-8',
};
export async function servir(racine) {
  const serveur = http.createServer((q, r) => {
    let f = path.join(racine, decodeURIComponent(new URL(q.url, 'http://x').pathname));
    if (f.endsWith(path.sep)) f = path.join(f, 'index.html');
    fs.readFile(f, (erreur, donnees) => {
      if (erreur) { r.statusCode = 404; return r.end(); }
      r.setHeader('Content-Type', Types[path.extname(f)] ?? 'application/octet-stream');
      r.end(donnees);
    });
  }).listen(0, '127.0.0.1');
  await new Promise((ok) => serveur.on('listening', ok));
  return { url: `http://127.0.0.1:${serveur.address().port}/`, fermer: () => serveur.close() };
}

// Headless chromium as root, on a fresh profile, reaching for nothing on the network.
export async function lancer() {
  const profil = fs.mkdtempSync(path.join(os.tmpdir(), 'tarvex-chromium-'));
  const navigateur = await puppeteer.launch({
    executablePath: Chromium, headless: true, userDataDir: profil,
    args: ['--no-sandbox', '--disable-background-networking', '--disable-component-update',
           '--disable-sync', '--no-first-run', '--disable-gpu', '--disable-quic',
           '--disable-extensions', '--disable-default-apps'],
  });
  const fermer = navigateur.close.bind(navigateur);
  navigateur.close = async () => { await fermer(); fs.rmSync(profil, { recursive: true, force: true }); };
  return navigateur;
}

export async function ouvrir(navigateur, url) {
  await navigateur.defaultBrowserContext().overridePermissions(url, ['clipboard-read', 'clipboard-write', 'clipboard-sanitized-write']);
  const page = await navigateur.newPage();
  await page.setViewport({ width: 900, height: 700 });
  const erreurs = [];
  page.on('pageerror', (e) => erreurs.push(e.message));
  page.erreurs = erreurs;
  await page.goto(url);
  await page.waitForSelector('html[data-pret]', { timeout: 20000 });
  return page;
}

