// The player's files, setdata.ini and record.csv, kept in the browser byte for byte as the
// Windows program writes them, and handed out and taken in as files.
const PREFIX = 'mabatakiban/';
export const SETTINGS = 'setdata.ini';
export const RECORD = 'record.csv';

export const key = (name) => PREFIX + name;

// localStorage holds text; each byte is kept as the character of the same number.
function toText(bytes) {
    let text = '';
    for (let at = 0; at < bytes.length; at += 0x8000) {
        text += String.fromCharCode(...bytes.subarray(at, at + 0x8000));
    }
    return text;
}

function toBytes(text) {
    return Uint8Array.from(text, (c) => c.charCodeAt(0) & 0xff);
}

// The kept file, or null when there is none (or the browser keeps nothing for this page).
export function readFile(name) {
    try {
        const text = localStorage.getItem(key(name));
        return text === null ? null : toBytes(text);
    } catch {
        return null;
    }
}

// False when the browser refuses (storage full or turned off).
export function writeFile(name, bytes) {
    try {
        localStorage.setItem(key(name), toText(bytes));
        return true;
    } catch {
        return false;
    }
}

export function download(name, bytes) {
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([bytes], { type: 'application/octet-stream' }));
    link.download = name;
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 60000);
}

// Lets the player choose a file; its bytes, or null when none was chosen. Files larger than
// limit are not read: only their size is looked at.
export function chooseFile(limit) {
    return new Promise((resolve) => {
        const input = document.createElement('input');
        input.type = 'file';
        input.addEventListener('change', async () => {
            const file = input.files[0];
            if (!file) {
                resolve(null);
            } else if (file.size > limit) {
                resolve({ name: file.name, tooLarge: true });
            } else {
                resolve({ name: file.name, bytes: new Uint8Array(await file.arrayBuffer()) });
            }
        });
        input.addEventListener('cancel', () => resolve(null));
        input.click();
    });
}
