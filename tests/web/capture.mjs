// The picture of the page in docs/ (docs/screenshot-web.png, beside the window's): the page
// as it opens, in headless chromium, the browser's window the size of the calculator's.
//
//   node capture.mjs SITE FILE
import { lancer, servir } from './chromium.mjs';

const [site, fichier] = process.argv.slice(2);
const { url, fermer } = await servir(site);
const navigateur = await lancer();
try {
  const page = await navigateur.newPage();
  await page.setViewport({ width: 657, height: 564 });
  await page.goto(url);
  await page.waitForSelector('html[data-pret]');
  await page.screenshot({ path: fichier });
} finally {
  await navigateur.close();
  fermer();
}
