// Runs a WASI program under node, with the folders given before it open to it at their own paths,
// and the arguments after it passed on: node wasi.mjs [FOLDER...] PROGRAM.wasm [ARGUMENT...]. Its
// exit code is the program's.
import { readFileSync } from 'node:fs';
import { WASI } from 'node:wasi';

const at = process.argv.findIndex((arg, i) => i >= 2 && arg.endsWith('.wasm'));
const folders = process.argv.slice(2, at);
const program = process.argv[at];
const wasi = new WASI({
    version: 'preview1',
    args: process.argv.slice(at),
    preopens: Object.fromEntries(folders.map((folder) => [folder, folder])),
    returnOnExit: true,
});
const { instance } = await WebAssembly.instantiate(readFileSync(program), wasi.getImportObject());
process.exitCode = wasi.start(instance);
