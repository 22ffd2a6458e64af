// The game's core, compiled to WebAssembly from the code the Windows program runs. Every rule of
// the game comes from here; this module only carries bytes in and out.

export const Request = { SetTimer: 1, KillTimer: 2, Repaint: 3, OpenEvaluation: 4, SaveSettings: 5, SaveRecord: 6 };
export const FileKind = { Settings: 1, Record: 2 };
export const ImportVerdict = { Accepted: 0, TooLarge: 1, NotText: 2, NotSettings: 3 };

const utf8 = new TextDecoder();

// The C library's few system calls (on paths the page never takes: messages before an abort,
// the C clock) answer "not supported" (ENOSYS); the page hands the core its own clock.
const system = new Proxy({}, { get: () => () => 52 });

class Core {
    constructor(exports) {
        this.x = exports;
    }

    bytesIn(bytes) {
        const at = this.x.input_buffer(bytes.length);
        new Uint8Array(this.x.memory.buffer, at, bytes.length).set(bytes);
    }

    bytes() {
        return new Uint8Array(this.x.memory.buffer, this.x.output_data(), this.x.output_size()).slice();
    }

    text() {
        return utf8.decode(this.bytes());
    }

    lines() {
        return this.text().split('\n').slice(0, -1);
    }

    // The page's clock as the core reads it: the seed of a game, the date of a finished one, the
    // day the help page counts to.
    setClock() {
        const now = new Date();
        this.x.set_clock(Math.floor(now.getTime() / 1000), now.getFullYear(), now.getMonth() + 1,
            now.getDate(), now.getHours(), now.getMinutes(), now.getSeconds());
    }

    // Calls an event of the game with the page's clock set; gives back what the core asks for.
    event(name, ...args) {
        this.setClock();
        this.x[name](...args);
        const at = this.x.requests();
        const count = new Int32Array(this.x.memory.buffer, at, 1)[0];
        const values = new Int32Array(this.x.memory.buffer, at + 4, 3 * count);
        const requests = [];
        for (let i = 0; i < count; i += 1) {
            requests.push({ kind: values[3 * i], id: values[3 * i + 1], millis: values[3 * i + 2] });
        }
        return requests;
    }

    layout() {
        this.x.layout();
        return Object.fromEntries(this.lines().map((line) => {
            const [name, value] = line.split(' ');
            return [name, Number(value)];
        }));
    }

    toolTip(id) {
        this.x.tool_tip(id);
        return this.text();
    }

    gradeLabels() {
        this.x.grade_labels();
        return this.lines();
    }

    // The player's stored files; settings null when there are none yet.
    load(settings, record) {
        const both = new Uint8Array((settings ? settings.length : 0) + record.length);
        both.set(settings || [], 0);
        both.set(record, settings ? settings.length : 0);
        this.bytesIn(both);
        return this.event('load', settings ? settings.length : -1, record.length);
    }

    // The text runs of the board: where, in which colours (0x00BBGGRR), what.
    paint() {
        this.x.paint();
        return this.lines().map((line) => {
            const [x, y, textColor, backColor, text] = line.split('\t');
            return { x: Number(x), y: Number(y), textColor: Number(textColor), backColor: Number(backColor), text };
        });
    }

    setRecord(bytes) {
        this.bytesIn(bytes);
        this.x.set_record();
    }

    setSettings(bytes) {
        this.bytesIn(bytes);
        this.x.set_settings();
    }

    cells() {
        this.x.cells();
        return this.lines().map((line) => line.split(' ').map(Number));
    }

    evaluation() {
        this.x.evaluation();
        const lines = this.lines();
        return {
            lines: lines.slice(0, -1).map((line) => {
                const [top, text] = line.split('\t');
                return { top: Number(top), text };
            }),
            picture: Number(lines[lines.length - 1]),
        };
    }

    // The detailed settings dialog's fields: typed texts (Shift-JIS) in, the texts to show out.
    fields(name, first, typed) {
        const all = new Uint8Array(typed.reduce((n, t) => n + t.length, 0));
        typed.reduce((at, t) => (all.set(t, at), at + t.length), 0);
        this.bytesIn(all);
        const requests = first === undefined
            ? this.event(name, typed[0].length, typed[1].length)
            : this.event(name, first, typed[0].length, typed[1].length);
        return { requests, texts: this.lines() };
    }

    detailOpened() {
        this.x.detail_opened();
        return this.lines();
    }

    chooseGrade(shiftJis) {
        this.bytesIn(shiftJis);
        return this.event('choose_grade');
    }

    file(kind) {
        this.x[kind === FileKind.Settings ? 'settings_file' : 'record_file']();
        return this.bytes();
    }

    helpPage(page) {
        this.bytesIn(page);
        this.setClock();
        this.x.help_page();
        return this.text();
    }

    checkImport(kind, bytes) {
        this.bytesIn(bytes);
        const verdict = this.x.check_import(kind);
        return { verdict, preview: this.lines() };
    }
}

export async function loadCore(url) {
    const imports = { wasi_snapshot_preview1: system };
    const response = await fetch(url);
    // Compiled as it arrives where the host names its type; from the bytes where it does not.
    const { instance } = response.headers.get('Content-Type') === 'application/wasm'
        ? await WebAssembly.instantiateStreaming(response, imports)
        : await WebAssembly.instantiate(await response.arrayBuffer(), imports);
    instance.exports._initialize();
    return new Core(instance.exports);
}
