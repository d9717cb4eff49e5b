// The page in a real browser: Debian's chromium, headless, driven by puppeteer-core (pinned
// in package-lock.json), the page served from the built folder on 127.0.0.1.
//
//   node navigateur.mjs MODE --site DIR [--natif REPLAY]
//
//   sequences  random clicks (on keys and on the display's menu), key presses, copies,
//              pastes, undos and redos, played on the page and through the native
//              tarvex-replay; after each step every control's caption, tooltip, colour,
//              visibility, availability and selection, the stack, the focus, the beeps, the
//              clipboard and the announcement must be the same
//   annonce    the live region says "15" after 1 2 Return 3 +
//   clavier    a key that has no character, reached with the keyboard alone through the
//              display's menu, is the same click
//   horsligne  after a first visit, the page works without a network, and can be installed
//   fenetre    the zoom (fit at start, Ctrl+plus, minus and 0 within 50 to 300 %), F1 and
//              Ctrl+V held down acting once, Ctrl and Alt with a key giving no character but
//              AltGr giving one, the journal's panel: its lines, its saved file, Effacer
//
// Without chromium or puppeteer-core the test says so and is skipped.
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';

const args = process.argv.slice(2);
const option = (nom) => {
  const i = args.indexOf(nom);
  return i >= 0 ? args.splice(i, 2)[1] : undefined;
};
const site = option('--site');
const natif = option('--natif');
const mode = args[0];

import { Chromium, lancer, ouvrir, puppeteer, servir } from './chromium.mjs';

if (!fs.existsSync(Chromium) || !puppeteer) {
  console.log(`SKIP: ${!puppeteer ? 'puppeteer-core is not installed (npm ci in tests/web)'
                                  : `no chromium at ${Chromium} (apt-get install chromium)`}`);
  process.exit(0);
}

function echec(message) {
  console.log(`FAIL: ${message}`);
  process.exitCode = 1;
}

// A small random generator whose seed decides everything (mulberry32).
function hasard(graine) {
  return () => {
    graine = (graine + 0x6D2B79F5) | 0;
    let t = Math.imul(graine ^ (graine >>> 15), 1 | graine);
    t = (t + Math.imul(t ^ (t >>> 7), 61 | t)) ^ t;
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
}

// What the page shows of every control, its stack and its counts, in the native JSON's terms.
function etatPage(page) {
  return page.evaluate(() => {
    const hex = (rgb) => '#' + rgb.match(/\d+/g).slice(0, 3).map((n) => Number(n).toString(16).padStart(2, '0').toUpperCase()).join('');
    const controles = {};
    for (const e of document.querySelectorAll('#fenetre [data-nom]')) {
      const t = e.tagName === 'FIELDSET' ? e.firstElementChild : e.querySelector('.texte') ?? e.querySelector('span');
      const abrege = e.dataset.abrege === '1';
      const c = {
        caption: abrege ? e.title : (t?.textContent ?? ''),
        tooltip: abrege ? null : (e.title ?? ''),
        visible: !e.hidden,
        enabled: !e.disabled,
        background: hex(getComputedStyle(e).backgroundColor),
      };
      const radio = e.querySelector('input[type=radio]');
      if (radio) c.selected = radio.checked;
      controles[e.dataset.nom] = c;
    }
    const actif = document.activeElement?.closest('[data-nom]');
    return {
      controles, pile: window.tarvex.pile(), beeps: window.tarvex.bips(),
      copie: window.tarvex.copie(), focus: actif?.dataset.nom ?? null,
      annonce: document.getElementById('annonce').textContent,
    };
  });
}

// The native JSON's background as the page paints it (the window's light palette).
const Systeme = { ButtonFace: '#F0F0F0', HighlightText: '#FFFFFF', Window: '#FFFFFF' };
function comparerEtat(etape, n, w) {
  const differences = [];
  const pareil = (quoi, a, b) => {
    if (JSON.stringify(a) !== JSON.stringify(b)) differences.push(`${quoi}: native ${JSON.stringify(a)}, page ${JSON.stringify(b)}`);
  };
  for (const [nom, c] of Object.entries(n.controls)) {
    const p = w.controles[nom];
    if (!p) { differences.push(`${nom}: not on the page`); continue; }
    if (nom !== 'OLE1') pareil(`${nom}.caption`, c.caption, p.caption);
    if (p.tooltip !== null) pareil(`${nom}.tooltip`, c.tooltip, p.tooltip);
    pareil(`${nom}.visible`, c.visible, p.visible);
    if (nom !== 'OLE1') pareil(`${nom}.background`, Systeme[c.background] ?? c.background, p.background);
    if (c.enabled !== undefined && nom.startsWith('cmd')) pareil(`${nom}.enabled`, c.enabled, p.enabled);
    if (c.selected !== undefined) pareil(`${nom}.selected`, c.selected, p.selected);
  }
  pareil('Pile', n.Pile, w.pile);
  pareil('beeps', n.beeps, w.beeps);
  pareil('focus', n.focus, w.focus);
  pareil('PressePapier', n.PressePapier, w.copie);
  if (n.annonce) pareil('annonce', n.annonce, w.annonce);
  if (differences.length) echec(`after step ${etape}: ${differences.slice(0, 8).join('; ')}`);
  return differences.length === 0;
}

// One key press giving `texte`, through the browser's own input.
async function taper(page, cdp, texte) {
  const Noms = { '\r': 'Enter', '\x1b': 'Escape', '\b': 'Backspace', '\t': 'Tab' };
  if (Noms[texte]) return page.keyboard.press(Noms[texte]);
  await cdp.send('Input.dispatchKeyEvent', { type: 'keyDown', key: texte, text: texte, unmodifiedText: texte });
  await cdp.send('Input.dispatchKeyEvent', { type: 'keyUp', key: texte });
}
async function raccourci(page, touches) {
  for (const t of touches.slice(0, -1)) await page.keyboard.down(t);
  await page.keyboard.press(touches[touches.length - 1]);
  for (const t of touches.slice(0, -1).reverse()) await page.keyboard.up(t);
}
const attendre = (ms) => new Promise((ok) => setTimeout(ok, ms));

async function sequences(url) {
  const navigateur = await lancer();
  const tirer = hasard(Number(process.env.TARVEX_GRAINE ?? 17));
  const choisir = (liste) => liste[Math.floor(tirer() * liste.length)];
  const Caracteres = [...'0123456789012345678901234567890123456789abcdefghijklmnopABCDFGHIMNOPXZ+-*/.,= q%é€',
                      '\r', '\r', '\r', '\x1b', '\b', '\t'];
  const Colles = ['12,5', '1 234,5', '1,234.5', '-2.5e-3', ' 42 ', 'abc', '', '1e400', '3,14159', '−7'];
  try {
    const page = await ouvrir(navigateur, url);
    const cdp = await page.createCDPSession();
    const script = [];
    const etats = [];
    for (let etape = 1; etape <= 240; ++etape) {
      const r = tirer();
      if (r < 0.42) {
        const cibles = await page.$$eval('#fenetre [data-nom]', (l) => l
          .filter((e) => (e.classList.contains('touche') || e.classList.contains('option')) && !e.hidden && !e.disabled)
          .map((e) => e.dataset.nom));
        const nom = choisir(cibles);
        await page.click(`[data-nom="${nom}"]`);
        script.push(`click ${nom}`);
      } else if (r < 0.8) {
        const t = choisir(Caracteres);
        await taper(page, cdp, t);
        script.push(`key U+${t.codePointAt(0).toString(16).toUpperCase().padStart(4, '0')}`);
      } else if (r < 0.84) {
        await raccourci(page, ['Control', 'KeyC']);
        script.push('copy');
      } else if (r < 0.9) {
        const t = choisir(Colles);
        await page.evaluate((x) => navigator.clipboard.writeText(x), t);
        await raccourci(page, ['Control', 'KeyV']);
        script.push(`paste ${t}`);
      } else if (r < 0.93) {
        await raccourci(page, ['Control', 'KeyZ']);
        script.push('undo');
      } else if (r < 0.96) {
        await raccourci(page, tirer() < 0.5 ? ['Control', 'KeyY'] : ['Control', 'Shift', 'KeyZ']);
        script.push('redo');
      } else {
        // A control without a key, from the display's menu, with the mouse.
        await page.click('[data-nom="lblResultat"]', { button: 'right' });
        const sous = await page.$$('.menu [aria-haspopup="menu"]');
        const s = choisir(sous);
        await s.click();
        const items = await page.$$eval('.menu:last-child [role^="menuitem"]:not([aria-disabled="true"])', (l) => l.map((e) => e.dataset.nom));
        if (items.length === 0) { await page.keyboard.press('Escape'); await page.keyboard.press('Escape'); --etape; continue; }
        const nom = choisir(items);
        await page.click(`.menu:last-child [data-nom="${nom}"]`);
        script.push(`click ${nom}`);
      }
      // The announcement is written a moment after the event.
      await page.waitForFunction(() => !window.tarvex.annonceEnAttente());
      script.push('dump');
      etats.push(await etatPage(page));
    }
    const fichier = path.join(os.tmpdir(), `tarvex-sequence-${process.pid}.replay`);
    fs.writeFileSync(fichier, script.join('\n') + '\n');
    const r = spawnSync(natif, [fichier], { env: { ...process.env, LC_ALL: 'C' }, maxBuffer: 1 << 28 });
    fs.rmSync(fichier);
    if (r.status !== 0) return echec(`tarvex-replay: ${r.stderr}`);
    const dumps = r.stdout.toString().trim().split('\n').map((l) => JSON.parse(l));
    for (let i = 0; i < etats.length; ++i) {
      if (!comparerEtat(`${i + 1} (${script[2 * i]})`, dumps[i], etats[i])) {
        console.log(`the script so far:\n${script.slice(0, 2 * i + 2).join('\n')}`);
        break;
      }
    }
    if (page.erreurs.length) echec(`errors on the page: ${page.erreurs.join('; ')}`);
    if (process.exitCode !== 1) console.log(`${etats.length} steps: the page and tarvex-replay agree after each`);
  } finally {
    await navigateur.close();
  }
}

async function annonce(url) {
  const navigateur = await lancer();
  try {
    const page = await ouvrir(navigateur, url);
    for (const t of ['1', '2', 'Enter', '3', '+']) await page.keyboard.press(t);
    // The region is emptied, then filled a moment later.
    await page.waitForFunction(() => !window.tarvex.annonceEnAttente(), { timeout: 5000 });
    const dit = await page.$eval('#annonce', (e) => [e.textContent, e.getAttribute('aria-live')]);
    if (dit[0] !== '15' || dit[1] !== 'polite') echec(`the live region says ${JSON.stringify(dit)}, not "15" politely`);
    else console.log('the live region says "15"');
  } finally {
    await navigateur.close();
  }
}

async function clavier(url) {
  const navigateur = await lancer();
  try {
    const page = await ouvrir(navigateur, url);
    // 9, then the square root from the display's menu, the keyboard alone: Shift+F10, down to
    // "Fonctions", into it, the first item, Return.
    await page.keyboard.press('9');
    await raccourci(page, ['Shift', 'F10']);
    const titres = await page.$$eval('.menu [role^="menuitem"]', (l) => l.map((e) => e.textContent));
    const fonctions = titres.findIndex((t) => t.startsWith('Fonctions'));
    for (let i = 0; i < fonctions; ++i) await page.keyboard.press('ArrowDown');
    await page.keyboard.press('ArrowRight');
    const choisi = await page.evaluate(() => document.activeElement.dataset.nom);
    await page.keyboard.press('Enter');
    const apres = await page.evaluate(() => [window.tarvex.pile()[4], document.activeElement.dataset.nom,
      document.querySelector('[data-nom="lblResultat"] .texte').textContent, document.querySelectorAll('.menu').length]);
    if (choisi !== 'cmdRacine' || apres[0] !== 3 || apres[1] !== 'cmdEnter' || apres[2] !== '3.0000000E+00' || apres[3] !== 0)
      echec(`Shift+F10, Fonctions, Return: ${choisi} chosen, then X, focus, display, menus: ${JSON.stringify(apres)}`);
    else console.log('the square root of 9 from the display\'s menu, with the keyboard alone: 3');
  } finally {
    await navigateur.close();
  }
}

async function horsLigne(url) {
  const navigateur = await lancer();
  try {
    const page = await ouvrir(navigateur, url);
    await page.evaluate(() => navigator.serviceWorker.ready);
    const cdp = await page.createCDPSession();
    const { installabilityErrors: erreurs } = await cdp.send('Page.getInstallabilityErrors');
    if (erreurs.length) echec(`the page cannot be installed: ${JSON.stringify(erreurs)}`);
    // A second visit without any network: the page, its module, its fonts and the manual.
    await page.setOfflineMode(true);
    await page.reload();
    await page.waitForSelector('html[data-pret]', { timeout: 20000 });
    for (const t of ['2', 'Enter', '3', '*']) await page.keyboard.press(t);
    const x = await page.evaluate(() => window.tarvex.pile()[4]);
    const hors = await page.evaluate(async () => {
      const manquants = [];
      for (const f of ['manuel.pdf', 'polices/LiberationSans-Regular.ttf', 'polices/LiberationSans-Bold.ttf', 'tarvex.wasm'])
        if (!(await fetch(f)).ok) manquants.push(f);
      return [manquants, await document.fonts.check('bold 13px "Tarvex Sans"')];
    });
    if (x !== 6 || hors[0].length || !hors[1]) echec(`offline: 2 Enter 3 * gives ${x}; missing ${hors[0]}; fonts ${hors[1]}`);
    else console.log('offline after a first visit: the page, its fonts and the manual; installable');
    if (page.erreurs.length) echec(`errors on the page: ${page.erreurs.join('; ')}`);
  } finally {
    await navigateur.close();
  }
}

async function fenetre(url) {
  const navigateur = await lancer();
  try {
    // A browser window too small for 100 %: the largest step that fits, 60 %.
    const petite = await navigateur.newPage();
    await petite.setViewport({ width: 420, height: 400 });
    await petite.goto(url);
    await petite.waitForSelector('html[data-pret]');
    const depart = await petite.evaluate(() => window.tarvex.zoom());
    if (depart !== 60) echec(`in 420 x 400 pixels the page starts at ${depart} %, not 60 %`);
    await petite.close();

    const page = await ouvrir(navigateur, url);
    const zooms = [];
    for (const touches of [['Control', '+'], ['Control', 'Shift', '+'], ['Control', '-'], ['Control', '0']]) {
      await raccourci(page, touches);
      zooms.push(await page.evaluate(() => window.tarvex.zoom()));
    }
    for (let i = 0; i < 30; ++i) await raccourci(page, ['Control', '+']);
    zooms.push(await page.evaluate(() => window.tarvex.zoom()));
    await raccourci(page, ['Control', '0']);
    if (JSON.stringify(zooms) !== '[110,120,110,100,300]') echec(`zoom steps ${zooms}`);

    // F1 held: one manual; Ctrl+V held: one paste; Ctrl+5 and Alt+5 nothing; AltGr+€ a
    // character (which beeps).
    const onglets = [];
    navigateur.on('targetcreated', (t) => onglets.push(t.url()));
    await page.keyboard.down('F1');
    for (let i = 0; i < 3; ++i) await page.keyboard.down('F1', { autoRepeat: true });
    await page.keyboard.up('F1');
    await attendre(300);
    await page.bringToFront(); // the manual's tab took the focus
    await page.evaluate(() => navigator.clipboard.writeText('7'));
    await page.keyboard.down('Control');
    await page.keyboard.down('KeyV');
    for (let i = 0; i < 3; ++i) await page.keyboard.down('KeyV', { autoRepeat: true });
    await page.keyboard.up('KeyV');
    await page.keyboard.press('5');
    await page.keyboard.up('Control');
    await raccourci(page, ['Alt', '5']);
    const cdp = await page.createCDPSession();
    await cdp.send('Input.dispatchKeyEvent', { type: 'keyDown', key: '€', text: '€', modifiers: 3 });
    await cdp.send('Input.dispatchKeyEvent', { type: 'keyUp', key: '€', modifiers: 3 });
    await attendre(300);
    const apres = await page.evaluate(() => [window.tarvex.manuels(), window.tarvex.pile(), window.tarvex.bips()]);
    if (onglets.filter((u) => u.endsWith('/manuel.pdf')).length !== 1 || apres[0] !== 1 ||
        JSON.stringify(apres[1]) !== '[0,0,0,0,7]' || apres[2] !== 1)
      echec(`F1 and Ctrl+V held, Ctrl+5, Alt+5, AltGr+€: tabs ${onglets}, manual, stack and beeps ${JSON.stringify(apres)}`);

    // The journal: Ctrl+J shows its lines; Enregistrer… downloads them as UTF-8 text with a
    // tab between the columns; Effacer empties it; Escape gives the keys back.
    const dossier = fs.mkdtempSync(path.join(os.tmpdir(), 'tarvex-journal-'));
    await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: dossier });
    await page.keyboard.press('Enter');
    await raccourci(page, ['Control', 'KeyJ']);
    const lignes = await page.$$eval('#journal-lignes > li', (l) => l.map((li) => li.textContent));
    await page.click('#journal-enregistrer');
    const fichier = path.join(dossier, 'journal-tarvex.txt');
    for (let i = 0; i < 50 && !fs.existsSync(fichier); ++i) await attendre(100);
    const texte = fs.existsSync(fichier) ? fs.readFileSync(fichier, 'utf8') : null;
    fs.rmSync(dossier, { recursive: true, force: true });
    await page.click('#journal-effacer');
    const vide = await page.$$eval('#journal-lignes > li', (l) => l.length);
    await page.keyboard.press('Escape');
    await page.keyboard.press('2');
    const fin = await page.evaluate(() => [document.activeElement.dataset.nom, document.getElementById('journal').hidden,
      document.querySelector('[data-nom="lblResultat"] .texte').textContent]);
    if (JSON.stringify(lignes) !== '["Coller 77.0000000E+00","Entrée7.0000000E+00"]' ||
        texte !== 'Coller 7\t7.0000000E+00\nEntrée\t7.0000000E+00\n' || vide !== 0 ||
        JSON.stringify(fin) !== '["cmdEnter",true,"2"]')
      echec(`the journal: lines ${JSON.stringify(lignes)}, file ${JSON.stringify(texte)}, after Effacer ${vide}, then ${JSON.stringify(fin)}`);
    if (process.exitCode !== 1) console.log('zoom, held keys, modifiers and the journal as in the window');
  } finally {
    await navigateur.close();
  }
}

const { url, fermer } = await servir(site);
try {
  await { sequences, annonce, clavier, horsligne: horsLigne, fenetre }[mode](url);
} finally {
  fermer();
}
