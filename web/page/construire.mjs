// Lays the page out at build time from the table of controls, as the session's door gives it
// (tarvex-table's JSON), and puts together the folder that is served: the page with its
// style and scripts inside, the WebAssembly module, the fonts with their licence, the manual,
// the icons, the web app's manifest and the service worker with the list of what it keeps for
// offline use.
//
//   node construire.mjs TABLE.json SOURCE MODULE_DIR SITE FONTS_DIR FONTS_LICENCE MANUAL ICONS
import { createHash } from 'node:crypto';
import fs from 'node:fs';
import path from 'node:path';

const [table, source, module, site, polices, licence, manuel, icones] = process.argv.slice(2);
const t = JSON.parse(fs.readFileSync(table, 'utf8'));

// 15 twips are one pixel at 100 %, rounded as the desktop window rounds them.
const px = (twips) => Math.floor((twips * 100 + 750) / 1500);
const echapper = (s) => s.replace(/[&<>"]/g, (c) => ({ '&': '&amp;', '<': '&lt;', '>': '&gt;', '"': '&quot;' })[c]);
// The desktop window breaks these labels' captions into lines; the others are one line.
const Lignes = new Set(['Label7', 'Label8', 'Label9']);

// A page with a folded corner, as the desktop draws the manual's icon.
const Page = '<svg viewBox="0 0 24 24" aria-hidden="true"><path d="M3.5 .5h11l6 6v17h-17z" '
  + 'fill="#FFFFFF" stroke="#000000"/><path d="M14.5 .5v6h6" fill="none" stroke="#000000"/></svg>';

function balise(c) {
  const style = [
    `left:${px(c.gauche)}px`, `top:${px(c.haut)}px`,
    `width:${px(c.largeur)}px`, `height:${px(c.hauteur)}px`,
    `font-size:${c.points}pt`, `font-weight:${c.gras ? 'bold' : 'normal'}`,
  ];
  // A key's colours are its state's (the script paints its face), the others' the table's.
  if (c.genre !== 'bouton') style.push(`color:${c.texte}`, `background:${c.fond}`);
  const attributs = [`data-nom="${echapper(c.nom)}"`, `style="${style.join(';')}"`];
  if (!c.visible) attributs.push('hidden');
  const titre = c.infobulle ? ` title="${echapper(c.infobulle)}" aria-description="${echapper(c.infobulle.replaceAll('"', ''))}"` : '';
  const legende = echapper(c.legende);
  switch (c.genre) {
  case 'bouton':
    return `<button type="button" class="touche" ${attributs.join(' ')} aria-label="${echapper(c.nomAccessible)}"${titre}${c.actif ? '' : ' disabled'}><span>${legende}</span></button>`;
  case 'option':
    return `<label class="option" ${attributs.join(' ')}><input type="radio" name="angle" aria-label="${echapper(c.nomAccessible)}"${c.selectionne ? ' checked' : ''}><span aria-hidden="true">${legende}</span></label>`;
  case 'cadre':
    return `<fieldset class="cadre" ${attributs.join(' ')}><legend>${legende}</legend>`;
  case 'ole':
    return `<button type="button" class="ole" tabindex="-1" ${attributs.join(' ')} aria-label="${echapper(c.nomAccessible)}"${titre}>${Page}</button>`;
  default: {
    // A label: its name for a screen reader before its caption, where they differ ("X 15").
    const nom = c.nomAccessible !== c.legende ? `<span class="nom-lu">${echapper(c.nomAccessible)} </span>` : '';
    return `<div class="etiquette${Lignes.has(c.nom) ? ' lignes' : ''}" ${attributs.join(' ')}${titre}>${nom}<span class="texte">${legende}</span></div>`;
  }
  }
}

// Each control inside its group box, in the table's order (parents first).
const enfants = new Map();
t.controles.forEach((c, i) => {
  if (!enfants.has(c.parent)) enfants.set(c.parent, []);
  enfants.get(c.parent).push(i);
});
function markup(parent, retrait) {
  return (enfants.get(parent) ?? []).map((i) => {
    const c = t.controles[i];
    const b = retrait + balise(c);
    return c.genre === 'cadre' ? `${b}\n${markup(i, retrait + '  ')}\n${retrait}</fieldset>` : b;
  }).join('\n');
}

const largeur = px(t.largeur), hauteur = px(t.hauteur);
const modele = fs.readFileSync(path.join(source, 'index.html'), 'utf8');
// The style and the scripts go inside the page: one request instead of four before the
// first frame.
const dedans = (f) => fs.readFileSync(f, 'utf8').replaceAll('</script', '<\\/script');
const page = modele.replaceAll('@TITRE@', echapper(t.titre))
  .replace('@GEOMETRIE@', `#fenetre { width: ${largeur}px; height: ${hauteur}px; }`)
  .replace('@CONTROLES@', markup(-1, ''))
  .replace('<link rel="stylesheet" href="tarvex.css">', () => `<style>\n${dedans(path.join(source, 'tarvex.css'))}</style>`)
  .replace('<script src="tarvex.js"></script>', () => `<script>\n${dedans(path.join(module, 'tarvex.js'))}</script>`)
  .replace('<script src="page.js"></script>', () => `<script>\n${dedans(path.join(source, 'page.js'))}</script>`);

fs.rmSync(site, { recursive: true, force: true });
for (const d of ['polices', 'icones']) fs.mkdirSync(path.join(site, d), { recursive: true });
const ecrire = (nom, contenu) => fs.writeFileSync(path.join(site, nom), contenu);
const copier = (de, vers) => fs.copyFileSync(de, path.join(site, vers));
ecrire('index.html', page);
copier(path.join(module, 'tarvex.wasm'), 'tarvex.wasm');
for (const f of ['LiberationSans-Regular.ttf', 'LiberationSans-Bold.ttf'])
  copier(path.join(polices, f), `polices/${f}`);
copier(licence, 'polices/LICENCE.txt');
copier(manuel, 'manuel.pdf');
copier(path.join(icones, 'org.example.tarvex.svg'), 'icones/tarvex.svg');
const tailles = [48, 128, 256];
for (const n of tailles) copier(path.join(icones, 'icons', `${n}x${n}`, 'org.example.tarvex.png'), `icones/${n}.png`);

ecrire('tarvex.webmanifest', JSON.stringify({
  name: t.titre.replace(/ V[\d.]+$/, ''),
  short_name: 'Tarvex',
  description: 'Calculatrice scientifique en notation polonaise inverse (RPN)',
  lang: 'fr',
  dir: 'ltr',
  start_url: './',
  scope: './',
  display: 'standalone',
  background_color: '#404040',
  theme_color: '#404040',
  icons: [
    { src: 'icones/tarvex.svg', sizes: 'any', type: 'image/svg+xml' },
    ...tailles.map((n) => ({ src: `icones/${n}.png`, sizes: `${n}x${n}`, type: 'image/png' })),
  ],
}, null, 2) + '\n');

// The service worker keeps every file of the folder; its cache is named after their content,
// so that a new build replaces it whole.
const fichiers = [];
(function lister(dossier) {
  for (const e of fs.readdirSync(path.join(site, dossier), { withFileTypes: true }).sort((a, b) => a.name.localeCompare(b.name))) {
    const nom = dossier ? `${dossier}/${e.name}` : e.name;
    if (e.isDirectory()) lister(nom);
    else fichiers.push(nom);
  }
})('');
const empreinte = createHash('sha256');
for (const f of fichiers) empreinte.update(f).update(fs.readFileSync(path.join(site, f)));
ecrire('sw.js', fs.readFileSync(path.join(source, 'sw.js'), 'utf8')
  .replace('@VERSION@', empreinte.digest('hex').slice(0, 16))
  .replace('@FICHIERS@', JSON.stringify(['./', ...fichiers.filter((f) => f !== 'index.html')])));
