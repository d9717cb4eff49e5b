// What the driver needs of node's system beside Emscripten's own, before main runs:
// - the locale's variables of the environment, for its setlocale(LC_ALL, ""), which otherwise
//   sees only Emscripten's own environment;
// - a file opened by name that is a pipe or a device (/dev/stdin) read from where it stands:
//   Emscripten reads every file opened by name at an offset, which such a file refuses.
Module['preRun'] = [].concat(Module['preRun'] || [], function () {
  for (const nom of ['LANG', 'LC_ALL', 'LC_NUMERIC'])
    if (process.env[nom] !== undefined) ENV[nom] = process.env[nom];
  const ouvrir = FS.open;
  FS.open = function () {
    const flot = ouvrir.apply(this, arguments);
    if (flot.nfd !== undefined && !require('fs').fstatSync(flot.nfd).isFile()) flot.seekable = false;
    return flot;
  };
});
