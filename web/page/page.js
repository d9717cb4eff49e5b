// Tarvex in the browser: the page's controls (laid out at build time from the table of
// controls) wired to a session of the calculator in WebAssembly, by the desktop window's
// rules: a click is the session's click; every key press goes to the window's shortcuts or,
// as the characters it gives, to the calculator; after each event, what the session says
// changed is copied into the page, the focus given to the session's control, the beeps
// sounded, the manual opened, the journal followed and the announcement said.
'use strict';

(function () {
  const ZoomMin = 50, ZoomMax = 300, PasZoom = 10;
  // The smallest size a caption is drawn at before it is elided, at 100 % (the stack lines
  // have none: they always show their whole number).
  const PlancherLisible = 8;
  const NomsLignesPile = ['Label1', 'Label2', 'Label3', 'Label4', 'Label5'];

  const fenetre = document.getElementById('fenetre');
  const annonce = document.getElementById('annonce');

  // --- The session, through the module's C functions (web/module/Page.cpp) ----------------
  class Session {
    constructor(m) {
      this.m = m;
      this.p = m._tv_ouvrir();
    }
    texte(ptr) { return this.m.UTF8ToString(ptr); }
    nombre() { return this.m._tv_nombre(); }
    nom(c) { return this.texte(this.m._tv_nom(this.p, c)); }
    couleur(valeur) { return this.texte(this.m._tv_couleur(this.p, valeur)); }
    cliquer(c) { return this.m._tv_cliquer(this.p, c); }
    doubleCliquer(c) { return this.m._tv_double_cliquer(this.p, c); }
    appuyer(code) { this.m._tv_appuyer(this.p, code); }
    coller(t) {
      const n = this.m.lengthBytesUTF8(t) + 1;
      const ptr = this.m._malloc(n);
      this.m.stringToUTF8(t, ptr, n);
      const r = this.m._tv_coller(this.p, ptr);
      this.m._free(ptr);
      return r;
    }
    annuler() { return this.m._tv_annuler(this.p); }
    retablir() { return this.m._tv_retablir(this.p); }
    // What changed since the last call: the controls, the beeps, the manual's requests,
    // whether the journal grew, and the announcement.
    changements() {
      const m = this.m, p = this.p;
      const n = m._tv_nb_changes(p), debut = m._tv_changes(p) >> 2;
      const c = {
        controles: Array.from(m.HEAP32.subarray(debut, debut + n)),
        bips: m._tv_bips(p),
        manuels: m._tv_manuels(p),
        journal: m._tv_journal_change(p) !== 0,
        annonce: this.texte(m._tv_annonce(p)),
      };
      m._tv_oublier(p);
      return c;
    }
    etat(c) {
      const m = this.m, p = this.p;
      return {
        legende: this.texte(m._tv_legende(p, c)),
        infobulle: this.texte(m._tv_infobulle(p, c)),
        visible: m._tv_visible(p, c) !== 0,
        actif: m._tv_actif(p, c) !== 0,
        fond: m._tv_fond(p, c) >>> 0,
        selectionne: m._tv_selection(p, c) !== 0,
      };
    }
    nomAccessible(c) { return this.texte(this.m._tv_nom_accessible(this.p, c)); }
    focus() { return this.m._tv_focus(this.p); }
    copier() { return this.texte(this.m._tv_copier(this.p)); }
    texteNiveau(n) { return this.texte(this.m._tv_texte_niveau(this.p, n)); }
    affichage() { return this.texte(this.m._tv_affichage(this.p)); }
    pile() {
      const r = [];
      for (let i = 0; i < 5; ++i) {
        const t = this.texte(this.m._tv_pile_texte(this.p, i));
        r.push(t !== '' ? t : this.m._tv_pile(this.p, i));
      }
      return r;
    }
    menu() {
      const m = this.m, p = this.p, menus = [];
      for (let i = 0, n = m._tv_menu(p); i < n; ++i) {
        const elements = [];
        for (let j = 0, k = m._tv_menu_taille(p, i); j < k; ++j) {
          const etat = m._tv_menu_etat(p, i, j);
          elements.push({
            controle: m._tv_menu_controle(p, i, j),
            nom: this.texte(m._tv_menu_nom(p, i, j)),
            symbole: this.texte(m._tv_menu_symbole(p, i, j)),
            actif: (etat & 1) !== 0, choix: (etat & 2) !== 0, coche: (etat & 4) !== 0,
          });
        }
        menus.push({ titre: this.texte(m._tv_menu_titre(p, i)), elements });
      }
      return menus;
    }
    journal() {
      const m = this.m, p = this.p, lignes = [];
      for (let i = 0, n = m._tv_journal_taille(p); i < n; ++i)
        lignes.push([this.texte(m._tv_journal_touche(p, i)), this.texte(m._tv_journal_affichage(p, i))]);
      return { lignes, ajoutees: m._tv_journal_ajoutees(p) };
    }
    texteJournal() { return this.texte(this.m._tv_journal_texte(this.p)); }
    effacerJournal() { this.m._tv_effacer_journal(this.p); }
  }

  let session = null;
  const elements = [];   // the page's element of each control, by its number
  const montre = [];     // what each element shows now
  let resultat = -1, manuelIcone = -1;
  const lignesPile = [];
  let zoom = 100;
  let bipsJoues = 0;

  // --- Captions that do not fit: smaller in the same font, then elided in the middle ------
  // The captions written first, then measured all at once, so that the browser lays the page
  // out once; only those that overflow are measured again, size by size.
  function ajuster(liste) {
    const poses = [];
    for (const c of liste) {
      const e = elements[c], t = texteDe(e);
      if (!t || e.hidden) continue;
      t.textContent = montre[c].legende;
      t.style.fontSize = '';
      poses.push(c);
    }
    const debordent = poses.filter((c) => deborde(elements[c]));
    for (const c of poses) bulle(c, debordent.includes(c) && reduire(c));
  }

  // One line is measured across; captions that wrap (keys, the help block) downwards too.
  function deborde(e) {
    const lignes = e.tagName === 'BUTTON' || e.classList.contains('lignes');
    return e.scrollWidth > e.clientWidth + 0.5 || (lignes && e.scrollHeight > e.clientHeight + 1);
  }

  // The largest size in quarter points that fits, down to the floor; below it, the caption
  // elided in the middle at the floor. True when elided.
  function reduire(c) {
    const e = elements[c], t = texteDe(e), texte = montre[c].legende;
    const plancher = lignesPile.includes(c) ? 1 : PlancherLisible;
    let bas = plancher, haut = parseFloat(e.dataset.points) - 0.25, trouve = 0;
    while (bas <= haut) {
      const milieu = bas + Math.floor((haut - bas) * 2) / 4;
      t.style.fontSize = `${milieu}pt`;
      if (deborde(e)) haut = milieu - 0.25; else { trouve = milieu; bas = milieu + 0.25; }
    }
    if (trouve > 0) {
      t.style.fontSize = `${trouve}pt`;
      return false;
    }
    t.style.fontSize = `${plancher}pt`;
    const car = Array.from(texte);
    for (let garde = car.length - 1; garde > 0 && deborde(e); --garde) {
      const avant = Math.ceil(garde / 2);
      t.textContent = car.slice(0, avant).join('') + '…' + car.slice(car.length - (garde - avant)).join('');
    }
    return true;
  }

  // The tooltip: the control's own, or its whole caption where it is elided.
  function bulle(c, abrege) {
    const e = elements[c];
    e.dataset.abrege = abrege ? '1' : '0';
    const b = abrege ? montre[c].legende : montre[c].infobulle;
    if (b) e.title = b; else e.removeAttribute('title');
  }

  function texteDe(e) {
    if (e.tagName === 'FIELDSET') return e.firstElementChild;
    return e.querySelector('.texte') ?? e.querySelector('span');
  }

  // --- One control brought up to what the session says; true when its caption is to be
  // fitted again ---------------------------------------------------------------------------
  function appliquer(c) {
    const s = session.etat(c), m = montre[c], e = elements[c];
    const genre = e.dataset.genre;
    const changee = s.legende !== m.legende;
    const visible = s.visible !== m.visible, infobulle = s.infobulle !== m.infobulle;
    m.legende = s.legende;
    if (s.infobulle !== m.infobulle) {
      m.infobulle = s.infobulle;
      if (s.infobulle) e.setAttribute('aria-description', s.infobulle.replaceAll('"', ''));
      else e.removeAttribute('aria-description');
    }
    if (s.visible !== m.visible) { m.visible = s.visible; e.hidden = !s.visible; }
    if (s.actif !== m.actif) {
      m.actif = s.actif;
      if (genre === 'bouton') e.disabled = !s.actif;
    }
    if (s.fond !== m.fond) {
      m.fond = s.fond;
      if (e.dataset.peint === '1') e.style.background = session.couleur(s.fond);
    }
    if (changee && genre !== 'label') {
      const nom = session.nomAccessible(c);
      if (genre === 'option') e.querySelector('input').setAttribute('aria-label', nom);
      else e.setAttribute('aria-label', nom);
    }
    // A click marks an option behind the session's back: always the session's mark.
    m.selectionne = s.selectionne;
    if (genre === 'option') e.querySelector('input').checked = s.selectionne;
    return changee || (visible && s.visible) || infobulle;
  }

  // After each event: what the session says, into the page.
  let bipsAJouer = 0, manuelDemande = false, journalChange = false, dire = '';
  function synchroniser() {
    const c = session.changements();
    ajuster(c.controles.filter(appliquer));
    for (let id = 0; id < elements.length; ++id)
      if (elements[id].dataset.genre === 'option')
        elements[id].querySelector('input').checked = session.etat(id).selectionne;
    bipsAJouer += c.bips;
    manuelDemande = manuelDemande || c.manuels > 0;
    journalChange = journalChange || c.journal;
    if (c.annonce) dire = c.annonce;
    donnerFocus();
    if (bipsAJouer > 0) sonner(bipsAJouer);
    bipsAJouer = 0;
    if (manuelDemande) ouvrirManuel();
    manuelDemande = false;
    if (journalChange && !panneau.hidden) actualiserJournal();
    journalChange = false;
    if (dire) annoncer(dire);
    dire = '';
  }

  // The focus to the session's control, unless a menu or the journal has it.
  function donnerFocus() {
    if (menuOuvert() || panneau.contains(document.activeElement)) return;
    const e = elements[session.focus()];
    const cible = e.dataset.genre === 'option' ? e.querySelector('input') : e;
    if (document.activeElement !== cible) cible.focus({ preventScroll: true });
  }

  // The same text twice is said twice: the region is emptied first. A key pressed before the
  // text is put back replaces it: only the newest is said.
  let annonceEnAttente = 0;
  function annoncer(texte) {
    annonce.textContent = '';
    clearTimeout(annonceEnAttente);
    annonceEnAttente = setTimeout(() => {
      annonceEnAttente = 0;
      annonce.textContent = texte;
    }, 30);
  }

  // --- The beep: a short tone through Web Audio --------------------------------------------
  let audio = null;
  function sonner(n) {
    bipsJoues += n;
    try {
      audio ??= new (window.AudioContext || window.webkitAudioContext)();
      const o = audio.createOscillator(), g = audio.createGain();
      o.type = 'square';
      o.frequency.value = 880;
      g.gain.setValueAtTime(0.06, audio.currentTime);
      g.gain.exponentialRampToValueAtTime(0.0001, audio.currentTime + 0.12);
      o.connect(g).connect(audio.destination);
      o.start();
      o.stop(audio.currentTime + 0.12);
    } catch { /* no sound: the beep is counted all the same */ }
  }

  // --- The manual: the same PDF, in the browser's viewer, at most once in two seconds ------
  let derniereOuverture = -Infinity, manuelsOuverts = 0;
  function ouvrirManuel() {
    const maintenant = performance.now();
    if (maintenant - derniereOuverture < 2000) return;
    derniereOuverture = maintenant;
    ++manuelsOuverts;
    window.open('manuel.pdf', '_blank', 'noopener');
  }

  // --- Copy and paste through the browser's clipboard --------------------------------------
  let dernierCopie = '';
  function copier(texte) {
    dernierCopie = texte;
    if (navigator.clipboard?.writeText) {
      navigator.clipboard.writeText(texte).catch(() => copierParCommande(texte));
    } else {
      copierParCommande(texte);
    }
  }
  function copierParCommande(texte) {
    const zone = document.createElement('textarea');
    zone.value = texte;
    zone.className = 'hors-ecran';
    document.body.append(zone);
    zone.select();
    try { document.execCommand('copy'); } finally { zone.remove(); donnerFocus(); }
  }
  function coller(texte) {
    session.coller(texte ?? '');
    synchroniser();
  }
  // Ctrl+V lets the browser paste: its text comes with the paste event, without asking.
  document.addEventListener('paste', (e) => {
    if (panneau.contains(e.target) || menuOuvert()) return;
    e.preventDefault();
    coller(e.clipboardData?.getData('text/plain') ?? '');
  });
  // The menu's "Coller" asks the browser for the clipboard (it may ask the user first).
  function collerDuMenu() {
    if (!navigator.clipboard?.readText) return coller('');
    navigator.clipboard.readText().then(coller, () => coller(''));
  }

  // --- Zoom: the whole window, from 50 % to 300 % in steps of 10 % -------------------------
  function zoomer(pourcent) {
    zoom = Math.min(ZoomMax, Math.max(ZoomMin, pourcent));
    const l = fenetre.offsetWidth, h = fenetre.offsetHeight;
    fenetre.style.transform = `scale(${zoom / 100})`;
    document.body.style.width = `${Math.ceil(l * zoom / 100)}px`;
    document.body.style.height = `${Math.ceil(h * zoom / 100)}px`;
  }
  // At start, the largest step up to 100 % at which the window fits the browser's.
  function zoomDeDepart() {
    let z = 100;
    while (z > ZoomMin && (fenetre.offsetWidth * z / 100 > window.innerWidth ||
                           fenetre.offsetHeight * z / 100 > window.innerHeight)) z -= PasZoom;
    return z;
  }

  // --- The window's shortcuts, before any key reaches the calculator -----------------------
  // By the key's character and the modifiers held (keypad keys count as the same keys);
  // `repetee`: acts again while the key is held. Paste, the manual and the journal act once
  // per press.
  const Raccourcis = [
    { cles: ['F1'], mod: '', repetee: false, commande: 'manuel' },
    { cles: ['+'], mod: 'c', repetee: true, commande: 'zoomPlus' },
    { cles: ['+'], mod: 'cs', repetee: true, commande: 'zoomPlus' },
    { cles: ['='], mod: 'c', repetee: true, commande: 'zoomPlus' },
    { cles: ['-'], mod: 'c', repetee: true, commande: 'zoomMoins' },
    { cles: ['_'], mod: 'cs', repetee: true, commande: 'zoomMoins' },
    { cles: ['0'], mod: 'c', repetee: false, commande: 'zoomNormal' },
    { cles: ['0'], mod: 'cs', repetee: false, commande: 'zoomNormal' },
    { cles: ['à'], mod: 'c', repetee: false, commande: 'zoomNormal' },
    { cles: ['c'], mod: 'c', repetee: false, commande: 'copier' },
    { cles: ['v'], mod: 'c', repetee: false, commande: 'coller' },
    { cles: ['z'], mod: 'c', repetee: true, commande: 'annuler' },
    { cles: ['z'], mod: 'cs', repetee: true, commande: 'retablir' },
    { cles: ['y'], mod: 'c', repetee: true, commande: 'retablir' },
    { cles: ['j'], mod: 'c', repetee: false, commande: 'journal' },
    { cles: ['ContextMenu'], mod: '', repetee: false, commande: 'menu' },
    { cles: ['F10'], mod: 's', repetee: false, commande: 'menu' },
  ];
  const Touches = { copier: 'Ctrl+C', coller: 'Ctrl+V', journal: 'Ctrl+J' };

  function raccourci(e) {
    const mod = (e.ctrlKey ? 'c' : '') + (e.shiftKey ? 's' : '');
    if (e.altKey || e.metaKey) return null;
    const cle = e.key.length === 1 ? e.key.toLowerCase() : e.key;
    return Raccourcis.find((r) => r.mod === mod && r.cles.includes(cle)) ?? null;
  }

  function executer(commande) {
    switch (commande) {
    case 'manuel': session.doubleCliquer(manuelIcone); synchroniser(); break;
    case 'zoomPlus': zoomer(zoom + PasZoom); break;
    case 'zoomMoins': zoomer(zoom - PasZoom); break;
    case 'zoomNormal': zoomer(100); break;
    case 'copier': copier(session.copier()); break;
    case 'coller': collerDuMenu(); break;
    case 'annuler': session.annuler(); synchroniser(); break;
    case 'retablir': session.retablir(); synchroniser(); break;
    case 'journal': ouvrirJournal(); break;
    case 'menu': {
      const r = elements[resultat].getBoundingClientRect();
      menuContextuel(resultat, r.left + r.width / 2, r.top + r.height / 2, true);
      break;
    }
    }
  }

  // The characters a key press gives, as the desktop window's key events give them: Return,
  // Escape, Backspace, Tab and Delete as their control characters.
  const Controles = { Enter: 13, Escape: 27, Backspace: 8, Tab: 9, Delete: 127 };
  function caracteres(e) {
    if (e.key in Controles) return [Controles[e.key]];
    const c = Array.from(e.key);
    return c.length === 1 ? [c[0].codePointAt(0)] : [];
  }
  // With Ctrl, Alt or Meta held a key is no character, unless it is AltGr (reported by some
  // systems as Ctrl and Alt together, with a printable character).
  function estCaractere(e, codes) {
    if (codes.length === 0) return false;
    if (e.getModifierState?.('AltGraph')) return true;
    if (!e.ctrlKey && !e.altKey && !e.metaKey) return true;
    return e.ctrlKey && e.altKey && !e.metaKey && codes.every((c) => c >= 0x20 && c !== 0x7F);
  }

  function touche(e) {
    if (!session || e.isComposing || e.key === 'Dead' || e.key === 'Process') return;
    if (menuOuvert()) return toucheMenu(e);
    if (panneau.contains(e.target)) return toucheJournal(e);
    const r = raccourci(e);
    if (r) {
      // Ctrl+V pastes through the browser's paste event; a held one pastes once.
      if (r.commande !== 'coller' || e.repeat) e.preventDefault();
      if ((r.repetee || !e.repeat) && r.commande !== 'coller') executer(r.commande);
      return;
    }
    const codes = caracteres(e);
    if (estCaractere(e, codes)) {
      e.preventDefault();
      for (const code of codes) session.appuyer(code);
      synchroniser();
      return;
    }
    // No character, no shortcut: nothing, without a beep. The browser keeps its own keys
    // (Ctrl+R, F5, F11...); the focus never moves, and no option follows the arrows.
    if (!(e.ctrlKey || e.altKey || e.metaKey || /^F\d+$/.test(e.key))) e.preventDefault();
  }
  document.addEventListener('keydown', touche, true);
  // A focused button would act on the release of the space bar or of Return.
  document.addEventListener('keyup', (e) => {
    if (session && !menuOuvert() && !panneau.contains(e.target) && (e.key === ' ' || e.key === 'Enter'))
      e.preventDefault();
  }, true);

  // --- The context menus: the display's, and each stack line's -----------------------------
  const calque = document.getElementById('menus');
  const ouverts = []; // the menus open, from the display's to the deepest submenu

  function menuOuvert() { return ouverts.length > 0; }

  function fermerMenus(jusqua = 0) {
    while (ouverts.length > jusqua) {
      const m = ouverts.pop();
      m.article?.setAttribute('aria-expanded', 'false');
      m.remove();
    }
    if (ouverts.length === 0) donnerFocus();
  }

  function creerMenu(elementsMenu, x, y, nom) {
    const menu = document.createElement('div');
    menu.className = 'menu';
    menu.setAttribute('role', 'menu');
    menu.setAttribute('aria-label', nom);
    for (const el of elementsMenu) {
      if (el === null) {
        const s = document.createElement('div');
        s.setAttribute('role', 'separator');
        menu.append(s);
        continue;
      }
      const item = document.createElement('div');
      item.tabIndex = -1;
      item.setAttribute('role', el.choix ? 'menuitemradio' : 'menuitem');
      if (el.choix) item.setAttribute('aria-checked', String(el.coche));
      if (el.actif === false) item.setAttribute('aria-disabled', 'true');
      if (el.sous) {
        item.setAttribute('aria-haspopup', 'menu');
        item.setAttribute('aria-expanded', 'false');
      }
      if (el.nomControle) item.dataset.nom = el.nomControle;
      const texte = document.createElement('span');
      texte.textContent = el.nom;
      item.append(texte);
      if (el.cle) {
        const cle = document.createElement('span');
        cle.className = 'cle';
        cle.textContent = el.cle;
        item.append(cle);
      }
      item.addEventListener('click', () => choisir(item, el));
      item.addEventListener('mouseenter', () => {
        const niveau = ouverts.indexOf(menu);
        if (ouverts.length > niveau + 1 && ouverts[niveau + 1].dataset.parent !== el.nom) fermerMenus(niveau + 1);
        item.focus();
        if (el.sous) ouvrirSousMenu(item, el);
      });
      item.action = el;
      menu.append(item);
    }
    calque.append(menu);
    // On screen, however near its edge the click was.
    const r = menu.getBoundingClientRect();
    menu.style.left = `${Math.max(0, Math.min(x, window.innerWidth - r.width))}px`;
    menu.style.top = `${Math.max(0, Math.min(y, window.innerHeight - r.height))}px`;
    ouverts.push(menu);
    return menu;
  }

  function items(menu) {
    return Array.from(menu.querySelectorAll('[role^="menuitem"]'));
  }

  function ouvrirSousMenu(item, el) {
    if (item.getAttribute('aria-expanded') === 'true') return ouverts[ouverts.length - 1];
    const r = item.getBoundingClientRect();
    const sous = creerMenu(el.sous, r.right - 2, r.top - 3, el.nom);
    sous.dataset.parent = el.nom;
    sous.article = item;
    item.setAttribute('aria-expanded', 'true');
    return sous;
  }

  function choisir(item, el) {
    if (el.actif === false) return;
    if (el.sous) {
      const sous = ouvrirSousMenu(item, el);
      items(sous)[0]?.focus();
      return;
    }
    fermerMenus();
    el.action();
  }

  // The display's menu (copy, copy the display, paste, the controls without a key, the
  // journal) or a stack line's (copy its level).
  function menuContextuel(c, x, y, auClavier) {
    fermerMenus();
    let contenu;
    if (c !== resultat) {
      const niveau = lignesPile.indexOf(c);
      contenu = [{ nom: 'Copier', action: () => copier(session.texteNiveau(niveau)) }];
    } else {
      contenu = [
        { nom: 'Copier', cle: Touches.copier, action: () => copier(session.copier()) },
        { nom: "Copier l'affichage", action: () => copier(session.affichage()) },
        { nom: 'Coller', cle: Touches.coller, action: collerDuMenu },
        null,
        ...session.menu().map((s) => ({
          nom: s.titre,
          sous: s.elements.map((e) => ({
            nom: e.nom, cle: e.symbole, actif: e.actif, choix: e.choix, coche: e.coche,
            nomControle: session.nom(e.controle),
            action: () => { session.cliquer(e.controle); synchroniser(); },
          })),
        })),
        null,
        { nom: 'Journal…', cle: Touches.journal, action: ouvrirJournal },
      ];
    }
    const menu = creerMenu(contenu, x, y, c === resultat ? "Menu de l'affichage" : 'Menu de la pile');
    if (auClavier) items(menu)[0].focus();
    else menu.focus();
  }

  // The menus' keys: the arrows, Return and the space bar, Escape; every other key closes
  // them and is not given to the calculator.
  function toucheMenu(e) {
    e.preventDefault();
    if (e.repeat && (e.key === 'ContextMenu' || e.key === 'F10')) return;
    const menu = ouverts[ouverts.length - 1];
    const liste = items(menu).filter((i) => i.getAttribute('aria-disabled') !== 'true');
    const i = liste.indexOf(document.activeElement);
    switch (e.key) {
    case 'ArrowDown': (liste[(i + 1) % liste.length] ?? liste[0])?.focus(); break;
    case 'ArrowUp': (liste[(i - 1 + liste.length) % liste.length] ?? liste[0])?.focus(); break;
    case 'Home': liste[0]?.focus(); break;
    case 'End': liste[liste.length - 1]?.focus(); break;
    case 'ArrowRight':
      if (i >= 0 && liste[i].action.sous) choisir(liste[i], liste[i].action);
      break;
    case 'ArrowLeft':
      if (ouverts.length > 1) {
        fermerMenus(ouverts.length - 1);
        menu.article.focus();
      }
      break;
    case 'Enter': case ' ':
      if (i >= 0) choisir(liste[i], liste[i].action);
      break;
    case 'Escape':
      if (ouverts.length > 1) {
        fermerMenus(ouverts.length - 1);
        menu.article.focus();
      } else {
        fermerMenus();
      }
      break;
    default:
      if (e.key !== 'Shift' && e.key !== 'Control' && e.key !== 'Alt') fermerMenus();
    }
  }

  document.addEventListener('mousedown', (e) => {
    if (menuOuvert() && !calque.contains(e.target)) fermerMenus();
  }, true);
  fenetre.addEventListener('contextmenu', (e) => {
    e.preventDefault();
    const cible = e.target.closest('[data-nom]');
    const c = cible ? Number(cible.dataset.id) : -1;
    if (c === resultat || lignesPile.includes(c)) menuContextuel(c, e.clientX, e.clientY, e.button !== 2);
  });

  // --- The journal: a panel listing each key and the display after it ----------------------
  const panneau = document.getElementById('journal');
  const listeJournal = document.getElementById('journal-lignes');
  let lignesMontrees = 0; // lines ever added that the list shows, to follow the journal

  // Beside the calculator where the browser's window has room, over its right edge otherwise.
  function ouvrirJournal() {
    panneau.hidden = false;
    const gauche = fenetre.offsetWidth * zoom / 100 + 12;
    const place = gauche + panneau.offsetWidth <= window.innerWidth - 8;
    panneau.style.left = place ? `${gauche}px` : '';
    panneau.style.right = place ? 'auto' : '';
    actualiserJournal(true);
    listeJournal.focus();
  }
  function fermerJournal() {
    // The focus leaves the panel first: a hidden element keeps it until the browser's next
    // layout, and donnerFocus leaves the journal's focus alone.
    if (panneau.contains(document.activeElement)) document.activeElement.blur();
    panneau.hidden = true;
    donnerFocus();
  }
  // Lines the journal dropped go from the top, new ones come at the bottom, so that a
  // selection stays on its line.
  function actualiserJournal(tout = false) {
    const j = session.journal();
    const enBas = listeJournal.scrollTop + listeJournal.clientHeight >= listeJournal.scrollHeight - 2;
    const nouvelles = Math.min(j.ajoutees - lignesMontrees, j.lignes.length);
    if (tout) {
      listeJournal.replaceChildren();
      ajouterLignes(j.lignes);
    } else {
      const garder = j.lignes.length - nouvelles;
      while (listeJournal.children.length > garder) listeJournal.firstElementChild.remove();
      ajouterLignes(j.lignes.slice(j.lignes.length - nouvelles));
    }
    lignesMontrees = j.ajoutees;
    if (enBas || tout) listeJournal.scrollTop = listeJournal.scrollHeight;
  }
  function ajouterLignes(lignes) {
    const f = document.createDocumentFragment();
    for (const [cle, affichage] of lignes) {
      const li = document.createElement('li');
      const a = document.createElement('span'), b = document.createElement('span');
      a.textContent = cle;
      b.textContent = affichage;
      li.append(a, b);
      f.append(li);
    }
    listeJournal.append(f);
  }
  // The selected lines, a tab between their two columns, as the desktop's journal copies them.
  panneau.addEventListener('copy', (e) => {
    const s = document.getSelection();
    const lignes = Array.from(listeJournal.children).filter((li) => s.containsNode(li, true));
    if (lignes.length === 0) return;
    e.preventDefault();
    e.clipboardData.setData('text/plain', lignes.map((li) =>
      `${li.children[0].textContent}\t${li.children[1].textContent}\n`).join(''));
  });
  function toucheJournal(e) {
    if (e.key === 'Escape') { e.preventDefault(); fermerJournal(); return; }
    if (e.ctrlKey && !e.altKey && e.key.toLowerCase() === 'a' && e.target === listeJournal) {
      e.preventDefault();
      document.getSelection().selectAllChildren(listeJournal);
    }
  }
  document.getElementById('journal-fermer').addEventListener('click', fermerJournal);
  document.getElementById('journal-effacer').addEventListener('click', () => {
    session.effacerJournal();
    actualiserJournal(true);
  });
  // Saving downloads the journal as the desktop writes it: UTF-8, a tab between the columns.
  document.getElementById('journal-enregistrer').addEventListener('click', () => {
    const url = URL.createObjectURL(new Blob([session.texteJournal()], { type: 'text/plain;charset=utf-8' }));
    const a = document.createElement('a');
    a.href = url;
    a.download = 'journal-tarvex.txt';
    document.body.append(a);
    a.click();
    a.remove();
    setTimeout(() => URL.revokeObjectURL(url), 1000);
  });

  // --- Start -----------------------------------------------------------------------------
  async function demarrer() {
    const module = await TarvexModule();
    session = new Session(module);
    const parNom = new Map();
    for (const e of fenetre.querySelectorAll('[data-nom]')) parNom.set(e.dataset.nom, e);
    for (let c = 0; c < session.nombre(); ++c) {
      const e = parNom.get(session.nom(c));
      e.dataset.id = String(c);
      e.dataset.genre = { BUTTON: e.classList.contains('ole') ? 'ole' : 'bouton', LABEL: 'option',
                          FIELDSET: 'cadre', DIV: 'label' }[e.tagName];
      e.dataset.points = parseFloat(e.style.fontSize);
      e.dataset.peint = e.classList.contains('touche') ? '1' : '0';
      elements.push(e);
      montre.push({ legende: null, infobulle: e.getAttribute('title') ?? '', visible: !e.hidden,
                    actif: !e.disabled, fond: -1, selectionne: false });
    }
    resultat = elements.findIndex((e) => e.dataset.nom === 'lblResultat');
    manuelIcone = elements.findIndex((e) => e.dataset.nom === 'OLE1');
    for (const nom of NomsLignesPile) lignesPile.push(elements.findIndex((e) => e.dataset.nom === nom));

    for (const [c, e] of elements.entries()) {
      const genre = e.dataset.genre;
      if (genre === 'bouton') e.addEventListener('click', () => { session.cliquer(c); synchroniser(); });
      if (genre === 'option') e.querySelector('input').addEventListener('click', () => { session.cliquer(c); synchroniser(); });
      if (genre === 'ole') {
        const ouvrir = () => { session.doubleCliquer(c); synchroniser(); };
        e.addEventListener('dblclick', ouvrir);
        // A click that is no mouse's (a screen reader's action) opens it too.
        e.addEventListener('click', (ev) => { if (ev.detail === 0) ouvrir(); });
      }
    }
    // Captions are measured in their own font.
    await document.fonts.ready;
    ajuster(elements.map((e, c) => c).filter(appliquer));
    zoomer(zoomDeDepart());
    donnerFocus();
    fenetre.removeAttribute('aria-busy');
    document.documentElement.dataset.pret = '1';
    // The first frame that takes keys and clicks: the one drawn now (docs/performance.md).
    requestAnimationFrame(() => setTimeout(() => performance.mark('tarvex-utilisable')));
    // The service worker keeps the page for the next visits, once this one is usable.
    if ('serviceWorker' in navigator && location.protocol !== 'file:')
      navigator.serviceWorker.register('sw.js').catch(() => { /* the page works without it */ });
  }

  // For the browser tests: the session's state beside what the page shows.
  window.tarvex = {
    pile: () => session.pile(),
    bips: () => bipsJoues,
    manuels: () => manuelsOuverts,
    copie: () => dernierCopie,
    zoom: () => zoom,
    annonceEnAttente: () => annonceEnAttente !== 0,
  };

  demarrer();
})();
