// Runs a WASI program under node, with the folders given before it open to it at their own paths:
// node wasi.mjs [FOLDER...] PROGRAM.wasm. Its exit code is the program's.
import { readFileSync } from 'node:fs';
import { WASI } from 'node:wasi';

const folders = process.argv.slice(2, -1);
const program = process.argv[process.argv.length - 1];
const wasi = new WASI({
    version: 'preview1',
    args: [program],
    preopens: Object.fromEntries(folders.map((folder) => [folder, folder])),
    returnOnExit: true,
});
const { instance } = await WebAssembly.instantiate(readFileSync(program), wasi.getImportObject());
process.exitCode = wasi.start(instance);
