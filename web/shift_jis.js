// Text as the Windows program reads it from its dialogs: Shift-JIS (code page 932), with '?' for
// every character it lacks. The browser only decodes Shift-JIS, so the way back is built from
// its decoder the first time it is needed.
let codes = null;

function buildCodes() {
    codes = new Map();
    // Every two-byte code on a line of its own; an invalid one decodes to more or less than one
    // character and is left out.
    const pairs = [];
    for (let lead = 0x81; lead <= 0xfc; lead += 1) {
        // 0xED and 0xEE repeat characters of 0xFA to 0xFC; Windows encodes those with the latter.
        if ((lead > 0x9f && lead < 0xe0) || lead === 0xed || lead === 0xee) {
            continue;
        }
        for (let trail = 0x40; trail <= 0xfc; trail += 1) {
            if (trail !== 0x7f) {
                pairs.push([lead, trail]);
            }
        }
    }
    const bytes = new Uint8Array(pairs.length * 3);
    pairs.forEach(([lead, trail], i) => bytes.set([lead, trail, 0x0a], 3 * i));
    const decoded = new TextDecoder('shift_jis').decode(bytes).split('\n');
    pairs.forEach((pair, i) => {
        const text = decoded[i];
        if (text.length === 1 && text !== '\ufffd' && !codes.has(text)) {
            codes.set(text, pair);
        }
    });
    for (let byte = 0xa1; byte <= 0xdf; byte += 1) {
        codes.set(String.fromCharCode(0xff61 + byte - 0xa1), [byte]); // half-width katakana
    }
    codes.set('\u00a5', [0x5c]);
    codes.set('\u203e', [0x7e]);
}

export function shiftJis(text) {
    if (codes === null) {
        buildCodes();
    }
    const out = [];
    for (const character of text) {
        const code = character.codePointAt(0);
        out.push(...(code < 0x80 ? [code] : codes.get(character) ?? [0x3f]));
    }
    return new Uint8Array(out);
}
