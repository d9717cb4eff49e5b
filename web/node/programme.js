// Run by node as a program (`node tarvex-replay.js SCRIPT`), the module plays its main on the
// command line's arguments; loaded with require(), it gives its factory (the tests run many
// scripts in one process).
if (typeof require !== 'undefined' && require.main === module) TarvexReplay();
