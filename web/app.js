// The page: the Windows program's window, toolbar and dialogs around the game's core. Timers,
// drawing, input and storage are the page's; every rule is the core's.
import { Board } from './board.js';
import { FileKind, ImportVerdict, Request, loadCore } from './core.js';
import { Window, dialogOpen, fromTemplate, messageBox, unitX, unitY } from './dialogs.js';
import { canvasOf, composeEvaluation, loadPicture, scaleCovering } from './pictures.js';
import { ids } from './resources.js';
import { shiftJis } from './shift_jis.js';
import * as storage from './storage.js';

const core = await loadCore('mabatakiban.wasm');
const layout = core.layout();
const board = new Board(document.getElementById('board'), layout);
const live = document.getElementById('live');
const toolbar = document.getElementById('toolbar');
const notices = document.getElementById('notices');
const timers = new Map();
let keyboardUsed = false;
let spoken = '';
let storageWarned = false;
let ended = false;

// ---- the core's requests ----------------------------------------------------------------------

// Windows timers: periodic until killed, and setting an id again restarts it with the new period.
function setTimer(id, millis) {
    clearInterval(timers.get(id));
    timers.set(id, setInterval(() => run(core.event('timer', id)), millis));
}

function killTimer(id) {
    clearInterval(timers.get(id));
    timers.delete(id);
}

// A refused save is told once, in a line that holds up nothing: the game started by the press
// that saved goes on.
function save(kind) {
    const name = kind === FileKind.Settings ? storage.SETTINGS : storage.RECORD;
    const saved = storage.writeFile(name, core.file(kind));
    if (!saved && !storageWarned) {
        storageWarned = true;
        const line = notice(`保存できません：このブラウザに ${name} を保存できませんでした（保存できる量を超えたか、保存が許可されていません）。`
            + 'このまま遊べますが、ページを閉じると今回の変更は失われます。「ファイル」から書き出しておけます。',
        'OK', () => dismiss(line));
    }
    return saved;
}

function run(requests) {
    let repaint = false;
    for (const { kind, id, millis } of requests) {
        if (kind === Request.SetTimer) {
            setTimer(id, millis);
        } else if (kind === Request.KillTimer) {
            killTimer(id);
        } else if (kind === Request.Repaint) {
            repaint = true;
        } else if (kind === Request.OpenEvaluation) {
            openEvaluation();
            keepRecord();
        } else if (kind === Request.SaveSettings) {
            save(FileKind.Settings);
        } else if (kind === Request.SaveRecord) {
            save(FileKind.Record);
        }
    }
    if (repaint) {
        paint();
    }
    showNotices();
}

// ---- the board ----------------------------------------------------------------------------------

function paint() {
    const cells = core.cells();
    if (!keyboardUsed || cells.length === 0) {
        board.cursor = null;
    } else if (!board.cursor || !cells.some(([c, r]) => c === board.cursor[0] && r === board.cursor[1])) {
        board.cursor = cells[0];
    }
    const runs = core.paint();
    board.draw(runs);
    board.canvas.dataset.paints = Number(board.canvas.dataset.paints ?? 0) + 1;
    // The message line (every cell is one character) for screen readers as well.
    const message = runs.find((run) => [...run.text].length > 1)?.text ?? '';
    if (message !== spoken) {
        spoken = message;
        live.textContent = message;
    }
    board.canvas.setAttribute('aria-label', board.cursor
        ? `盤：${cells.length}個の箱の${cells.findIndex(([c, r]) => c === board.cursor[0] && r === board.cursor[1]) + 1}番目（矢印キーで選び、Enter かスペースで答えます）`
        : '盤');
}

// The arrow keys move to the nearest box in their direction.
function moveCursor(dx, dy) {
    const cells = core.cells();
    if (!board.cursor || cells.length === 0) {
        paint();
        return;
    }
    const [x, y] = board.cursor;
    let best = null;
    let bestDistance = Infinity;
    for (const [c, r] of cells) {
        const along = (c - x) * dx + (r - y) * dy;
        const across = Math.abs((c - x) * dy) + Math.abs((r - y) * dx);
        if (along > 0 && along + 2 * across < bestDistance) {
            best = [c, r];
            bestDistance = along + 2 * across;
        }
    }
    if (best) {
        board.cursor = best;
    }
    paint();
}

function clickAt(x, y) {
    if (!ended && !dialogOpen()) {
        run(core.event('click', x, y));
    }
}

board.canvas.addEventListener('pointerdown', (event) => {
    if (event.button !== 0) {
        return;
    }
    event.preventDefault();
    keyboardUsed = false;
    board.canvas.focus({ preventScroll: true });
    clickAt(...board.pointAt(event));
});

// Focus from the keyboard shows the box chosen at once.
board.canvas.addEventListener('focus', () => {
    if (board.canvas.matches(':focus-visible')) {
        keyboardUsed = true;
        paint();
    }
});

board.canvas.addEventListener('keydown', (event) => {
    const moves = { ArrowLeft: [-1, 0], ArrowRight: [1, 0], ArrowUp: [0, -1], ArrowDown: [0, 1] };
    if (moves[event.key]) {
        event.preventDefault();
        keyboardUsed = true;
        moveCursor(...moves[event.key]);
    } else if (event.key === 'Enter' || event.key === ' ') {
        event.preventDefault();
        keyboardUsed = true;
        if (!board.cursor) {
            paint();
        } else {
            const half = layout.square / 2;
            clickAt(board.cursor[0] * layout.square + half,
                board.cursor[1] * layout.square + layout.boardTop + half);
        }
    }
});

document.addEventListener('keydown', (event) => {
    const typing = event.target instanceof HTMLInputElement || event.target instanceof HTMLSelectElement;
    if (!typing && !event.ctrlKey && !event.metaKey && !event.altKey && event.key.toLowerCase() === 's') {
        event.preventDefault();
        command(ids.CMD_START);
    }
});

// ---- the toolbar --------------------------------------------------------------------------------

let tooltip = null;
let tooltipTimer = 0;

function showTip(button, later) {
    clearTimeout(tooltipTimer);
    tooltipTimer = setTimeout(() => {
        hideTip();
        tooltip = document.createElement('div');
        tooltip.id = 'tooltip';
        tooltip.setAttribute('role', 'tooltip');
        tooltip.textContent = button.getAttribute('aria-label');
        document.body.append(tooltip);
        const box = button.getBoundingClientRect();
        const width = tooltip.offsetWidth;
        tooltip.style.left = `${Math.max(0, Math.min(box.left + box.width / 2, innerWidth - width))}px`;
        tooltip.style.top = `${box.bottom + 2}px`;
    }, later ? 500 : 0);
}

function hideTip() {
    clearTimeout(tooltipTimer);
    tooltip?.remove();
    tooltip = null;
}

// The pictures' scale for ratio device pixels a design pixel, as the Windows program chooses it.
const pictureScale = (ratio) => core.x.picture_scale(Math.round(96 * ratio));

const strip = { scale: 0, image: null, draws: 0 };

// The toolbar's images from the strip of the scale that has as many pixels or more, reduced
// smoothly: a strip stretched pixel by pixel by an odd factor looks jagged.
async function drawToolbarImages() {
    const canvases = toolbar.querySelectorAll('canvas');
    const side = Math.round(canvases[0].getBoundingClientRect().width * devicePixelRatio);
    const scale = scaleCovering(ids.IDB_TOOLBAR, 32, side);
    const drawing = ++strip.draws;
    if (strip.scale !== scale) {
        const image = canvasOf(await loadPicture(ids.IDB_TOOLBAR, scale));
        if (drawing !== strip.draws) {
            return; // a later size draws instead
        }
        Object.assign(strip, { scale, image });
    }
    const size = strip.image.height;
    for (const canvas of canvases) {
        canvas.width = canvas.height = side;
        const c = canvas.getContext('2d');
        c.imageSmoothingEnabled = true;
        c.imageSmoothingQuality = 'high';
        c.drawImage(strip.image, Number(canvas.dataset.image) * size, 0, size, size, 0, 0, side, side);
    }
}

function buildToolbar() {
    for (let id = ids.CMD_START; id <= ids.CMD_EXIT; id += 1) {
        const button = document.createElement('button');
        button.type = 'button';
        button.setAttribute('aria-label', core.toolTip(id));
        if (id <= ids.CMD_START2) {
            button.setAttribute('aria-keyshortcuts', 'S');
        }
        const canvas = document.createElement('canvas');
        canvas.dataset.image = id - ids.CMD_START; // image i of the strip is command CMD_START + i
        button.append(canvas);
        button.addEventListener('click', () => {
            hideTip();
            command(id);
        });
        button.addEventListener('pointerenter', (event) => event.pointerType === 'mouse' && showTip(button, true));
        button.addEventListener('pointerleave', hideTip);
        button.addEventListener('focus', () => button.matches(':focus-visible') && showTip(button, false));
        button.addEventListener('blur', hideTip);
        toolbar.append(button);
        // Four separators after the two halves of Start, and four after settings and version.
        if (id === ids.CMD_START2 || id === ids.CMD_VERSION) {
            const gap = document.createElement('span');
            gap.className = 'gap';
            toolbar.append(gap);
        }
    }
    const files = document.createElement('button');
    files.type = 'button';
    files.id = 'files';
    files.textContent = 'ファイル';
    files.addEventListener('click', openFiles);
    toolbar.append(files);
}

function command(id) {
    if (ended || dialogOpen()) {
        return;
    }
    if (id === ids.CMD_START || id === ids.CMD_START2) {
        run(core.event('start'));
    } else if (id === ids.CMD_SETTINGS) {
        openGameSettings();
    } else if (id === ids.CMD_VERSION) {
        openAbout();
    } else if (id === ids.CMD_WEBHELP) {
        openHelp();
    } else if (id === ids.CMD_HOMEPAGE) {
        openHomePage();
    } else if (id === ids.CMD_EXIT) {
        exitGame();
    }
}

// ---- dialogs --------------------------------------------------------------------------------------

function openGameSettings() {
    const win = fromTemplate('IDD_GAMESETTINGS', onCommand, finish);
    const list = win.controls.get(ids.IDC_GAMESETTINGS_GRADE);
    list.setItems(core.gradeLabels());
    list.edit.setAttribute('aria-label', '級');
    core.x.shown_grade();
    list.edit.value = core.text();
    // Closed either way, the play parameters are derived again; only OK takes the grade.
    function finish() {
        win.close();
        run(core.event('game_settings_closed'));
    }
    function onCommand(id) {
        if (id === ids.IDC_GAMESETTINGS_DETAIL) {
            openDetailSettings();
        } else if (id === ids.IDC_GAMESETTINGS_OK) {
            run(core.chooseGrade(shiftJis(list.edit.value)));
            finish();
        }
    }
    win.show(win.firstStop);
}

function openDetailSettings() {
    const win = fromTemplate('IDD_DETAILSETTINGS', onCommand, () => win.close()); // typed text not stored is dropped
    const fieldIds = [ids.IDC_DETAILSETTINGS_SYMBOLS, ids.IDC_DETAILSETTINGS_SECONDS, ids.IDC_DETAILSETTINGS_TRIES];
    const labelIds = [ids.IDC_DETAILSETTINGS_SYMBOLS_LABEL, ids.IDC_DETAILSETTINGS_SECONDS_LABEL,
        ids.IDC_DETAILSETTINGS_TRIES_LABEL];
    const fields = fieldIds.map((id, i) => {
        const field = win.controls.get(id);
        field.setItems(['1', '2', '3', '4', '5', '6', '7', '8', '9']);
        field.edit.setAttribute('aria-label', win.controls.get(labelIds[i]).textContent);
        return field;
    });
    const show = (texts) => fields.forEach((field, i) => {
        field.edit.value = texts[i];
    });
    const typed = () => fields.map((field) => shiftJis(field.edit.value));
    show(core.detailOpened());
    win.controls.get(ids.IDC_DETAILSETTINGS_GRADE10).input.checked = true;
    function onCommand(id) {
        if (id === ids.IDC_DETAILSETTINGS_OK) {
            run(core.fields('detail_ok', undefined, typed()).requests);
            win.close();
        } else if (win.controls.get(id)?.input) {
            const { requests, texts } = core.fields('detail_radio', id, typed());
            show(texts);
            run(requests);
        }
    }
    win.show(win.firstStop);
}

// Its credits are this build's own: the page's build puts them into the template.
function openAbout() {
    const win = fromTemplate('IDD_ABOUT', (id) => id === ids.IDC_ABOUT_CLOSE && win.close(), () => win.close());
    win.show(win.firstStop);
}

// A build that names no home page of its own shows the game's own help: never a page of somebody
// else.
function openHomePage() {
    core.x.home_page();
    const address = core.text();
    if (!address) {
        openHelp();
        return;
    }
    const opened = window.open(address, '_blank');
    if (opened) {
        opened.opener = null;
    } else {
        messageBox('残念！', 'ホームページを開けませんでした（新しいウィンドウが開けません）。');
    }
}

// Nothing of the game can be touched while it is open; the board keeps what it showed when the
// game ended. It stands where the Windows dialog does, at the top left corner of the window.
function openEvaluation() {
    const { lines, picture } = core.evaluation();
    const win = fromTemplate('IDD_EVALUATION', (id) => id === ids.IDC_EVALUATION_OK && close(), close, 'evaluation');
    function close() {
        win.close();
        run(core.event('close_evaluation'));
    }
    const canvas = document.createElement('canvas');
    canvas.className = 'picture';
    canvas.setAttribute('role', 'img');
    canvas.setAttribute('aria-label', '脳の絵');
    // The lines for screen readers as well.
    const text = document.createElement('ul');
    text.className = 'hidden';
    text.append(...lines.map((line) => Object.assign(document.createElement('li'), { textContent: line.text })));
    win.client.prepend(canvas, text);
    const width = unitX(win.template.box[2]);
    const height = unitY(win.template.box[3]);
    // Drawn anew whenever the dialog's size changes, from the pictures of the scale it then needs.
    let draws = 0;
    win.onFit = async () => {
        const drawing = ++draws;
        const scale = Number(win.element.style.getPropertyValue('--k')) || 1;
        canvas.style.width = `${width * scale}px`;
        canvas.style.height = `${height * scale}px`;
        canvas.width = Math.round(width * scale * devicePixelRatio);
        canvas.height = Math.round(height * scale * devicePixelRatio);
        const k = canvas.width / width;
        const c = canvas.getContext('2d');
        c.setTransform(k, 0, 0, k, 0, 0);
        // The lines in a font like the Japanese system font: 16-pixel characters, half-width 8.
        c.fillStyle = '#000';
        c.font = '16px "MS Gothic", "ＭＳ ゴシック", "IPAGothic", "IPAゴシック", "Noto Sans Mono CJK JP", monospace';
        c.textBaseline = 'top';
        for (const { top, text: line } of lines) {
            let x = layout.lineLeft;
            for (const ch of line) {
                const box = ch.codePointAt(0) < 0x80 ? 8 : 16;
                c.save();
                c.translate(x, top + 1);
                c.scale(box / c.measureText(ch).width, 1);
                c.fillText(ch, 0, 0);
                c.restore();
                x += box;
            }
        }
        // As on Windows, a picture that cannot be had is left out; the lines stay.
        const percent = pictureScale(k);
        const [background, mask, brain] = await Promise.all([ids.IDB_BACKGROUND, ids.IDB_RANKMASK, picture]
            .map((id) => loadPicture(id, percent))).catch(() => []);
        if (brain && drawing === draws) { // unless a later size has been drawn meanwhile
            const composed = composeEvaluation(background, mask, brain,
                { left: layout.brainLeft, top: layout.brainTop }, percent);
            c.imageSmoothingEnabled = false;
            c.drawImage(canvasOf(composed), 0, 0, layout.background, layout.background);
        }
    };
    win.show(win.firstStop, toolbar.getBoundingClientRect());
}

async function openHelp() {
    const win = new Window(core.toolTip(ids.CMD_WEBHELP), () => win.close(), 'help');
    const frame = document.createElement('iframe');
    frame.title = 'ヘルプ';
    frame.setAttribute('sandbox', '');
    win.client.append(frame);
    win.show(frame);
    const page = new Uint8Array(await (await fetch('help.html')).arrayBuffer());
    // The page's own links ("#grades") go to its parts, not to the game's address.
    frame.srcdoc = core.helpPage(page).replace('<head>', '<head><base href="about:srcdoc">');
}

// ---- the player's files ---------------------------------------------------------------------------

// A browser may clear what a page stores when space runs short, or after weeks without a visit,
// unless asked to keep it. Asked once a visit, when its first game is recorded: a page that has
// not been played has nothing worth keeping, and some browsers ask the player.
let keepAsked = false;

function keepRecord() {
    if (!keepAsked) {
        keepAsked = true;
        navigator.storage?.persist?.().catch(() => {});
    }
}

async function recordKept() {
    const kept = await navigator.storage?.persisted?.().catch(() => false);
    return kept
        ? 'このブラウザは、記録を消さずに保存することを許可しています。'
        : 'このブラウザは、空き容量が足りないときなどに、保存した記録を消すことがあります。'
            + 'ときどき「書き出す」で record.csv を書き出しておけば、記録をなくしません。';
}

function settingsTable(now, next) {
    const table = document.createElement('table');
    table.className = 'values';
    const grades = core.gradeLabels();
    const head = table.createTHead().insertRow();
    for (const text of ['級', '文字の数', '表示時間', 'トライ回数']) {
        head.append(Object.assign(document.createElement('th'), { textContent: text }));
    }
    for (let row = 0; row < 10; row += 1) {
        const tr = table.insertRow();
        tr.append(Object.assign(document.createElement('th'), { textContent: grades[row].slice(2) }));
        for (let field = 0; field < 3; field += 1) {
            const before = now[4 * row + field];
            const after = next[4 * row + field];
            const cell = tr.insertCell();
            cell.textContent = before === after ? after : `${before} → ${after}`;
            cell.classList.toggle('changed', before !== after);
        }
    }
    return table;
}

function gradeName(index) {
    const label = core.gradeLabels()[index];
    return label ? label.slice(2) : `（${index}）`;
}

async function importFile(kind) {
    const limit = kind === FileKind.Settings ? layout.settingsImportBytes : layout.recordImportBytes;
    const name = kind === FileKind.Settings ? storage.SETTINGS : storage.RECORD;
    const chosen = await storage.chooseFile(limit);
    if (!chosen) {
        return;
    }
    const { verdict, preview } = chosen.tooLarge ? { verdict: ImportVerdict.TooLarge }
        : core.checkImport(kind, chosen.bytes);
    if (verdict !== ImportVerdict.Accepted) {
        const reasons = {
            [ImportVerdict.TooLarge]: `大きすぎます（${Math.round(limit / 1024).toLocaleString()} KB まで）。`,
            [ImportVerdict.NotText]: 'テキストのファイルではありません。',
            [ImportVerdict.NotSettings]: '設定のファイルではありません（数がひとつもありません）。',
        };
        await messageBox('読み込めません', [`「${chosen.name}」は${name}として読み込めません：${reasons[verdict]}`,
            '今の設定と記録はそのままです。']);
        return;
    }
    let text;
    if (kind === FileKind.Settings) {
        const [now, next] = preview.map((line) => line.split(' ').slice(1).map(Number));
        text = [`今の設定を「${chosen.name}」の設定で置き換えます。`,
            `選んだ級：${gradeName(now[40])} → ${gradeName(next[40])}`, settingsTable(now, next)];
    } else {
        const [now, next, kept] = preview.map((line) => line.split('\t'));
        const games = (row) => `${row[1]}回${row[2] ? `（最後は ${row[2]}）` : ''}`;
        text = [`今の記録 ${games(now)}を、「${chosen.name}」の記録 ${games(next)}で置き換えます。`];
        if (kept[1] !== kept[2]) {
            text.push(`大きな記録なので、新しいほうから ${Math.round(kept[1] / 1024)} KB 分だけを保存します。`);
        }
    }
    if (await messageBox(`${name} を読み込む`, text, ['置き換える', 'やめる']) === 0) {
        run(core.event('apply_import', kind));
        paint();
    }
}

function openFiles() {
    if (ended || dialogOpen()) {
        return;
    }
    const win = new Window('ファイル', () => win.close(), 'files');
    const intro = document.createElement('p');
    intro.textContent = '設定と記録は、このブラウザの中に保存されています（変えるたびに保存）。'
        + 'Windows 版と同じ形式のファイルとして書き出し、読み込めます。';
    win.client.append(intro);
    for (const [kind, title, name] of [[FileKind.Settings, '設定', storage.SETTINGS], [FileKind.Record, '記録', storage.RECORD]]) {
        const heading = document.createElement('h2');
        heading.textContent = `${title}（${name}）`;
        const row = document.createElement('div');
        row.className = 'buttons';
        for (const [label, action] of [['書き出す', () => storage.download(name, core.file(kind))],
            ['読み込む…', () => importFile(kind)]]) {
            const button = document.createElement('button');
            button.type = 'button';
            button.className = 'push';
            button.textContent = label;
            button.setAttribute('aria-label', `${name} を${label.replace('…', '')}`);
            button.addEventListener('click', action);
            row.append(button);
        }
        win.client.append(heading, row);
    }
    const kept = document.createElement('p');
    kept.className = 'kept';
    win.client.append(kept);
    recordKept().then((text) => {
        kept.textContent = text;
    });
    win.show(win.client.querySelector('button'));
}

// A page cannot close itself: the game stops, as the Windows program does when it ends, and the
// page says that everything is kept.
function exitGame() {
    for (const id of [...timers.keys()]) {
        killTimer(id);
    }
    const kept = [save(FileKind.Settings), save(FileKind.Record)].every(Boolean);
    ended = true;
    hideTip();
    showNotices();
    document.getElementById('window').hidden = true;
    const end = document.getElementById('ended');
    end.querySelector('.kept').hidden = !kept;
    end.querySelector('.lost').hidden = kept;
    end.hidden = false;
    end.querySelector('button').focus();
}

document.querySelector('#ended button').addEventListener('click', () => location.reload());

// ---- notices and new versions ---------------------------------------------------------------------

// A line at the foot of the page, shown only while no game is on and no dialog is open: it may
// cover the board's last rows, which nothing then needs.
function notice(text, label, action) {
    const line = document.createElement('p');
    line.className = 'notice';
    const button = document.createElement('button');
    button.type = 'button';
    button.textContent = label;
    button.addEventListener('click', action);
    line.append(Object.assign(document.createElement('span'), { textContent: text }), button);
    notices.append(line);
    showNotices();
    return line;
}

function dismiss(line) {
    line.remove();
    showNotices();
}

function showNotices() {
    notices.hidden = ended || dialogOpen() || core.x.playing() !== 0 || !notices.firstChild;
}

// A new version is offered once it is kept whole and waits; the reload into it is the player's.
// A page that opened under no worker is the newest already.
async function watchVersions() {
    const workers = navigator.serviceWorker;
    const registration = await workers?.register('sw.js').catch(() => null);
    if (!registration) {
        return;
    }
    const openedUnder = workers.controller;
    let offered = null;
    let reloading = false;
    const offer = () => {
        if (openedUnder && !offered) {
            offered = notice('新しい版があります。', '新しい版で開き直す', () => {
                reloading = true;
                if (registration.waiting) {
                    registration.waiting.postMessage('take over');
                } else {
                    location.reload();
                }
            });
        }
    };
    const track = (worker) => worker?.addEventListener('statechange', () => worker.state === 'installed' && offer());
    registration.addEventListener('updatefound', () => track(registration.installing));
    track(registration.installing);
    if (registration.waiting) {
        offer();
    }
    // Taken up here, or by another tab of the page.
    workers.addEventListener('controllerchange', () => (reloading ? location.reload() : offer()));
    // A page kept open for days looks for a new version whenever it is shown again.
    document.addEventListener('visibilitychange', () => document.visibilityState === 'visible'
        && registration.update().catch(() => {}));
}

// ---- the screen -------------------------------------------------------------------------------------

// The window fits the screen: the board as large as the screen allows, the toolbar never
// smaller than the Windows program's, so that a finger can hit it.
function fit() {
    const width = document.documentElement.clientWidth;
    const height = window.innerHeight;
    const t = Math.max(Math.min(width / 640, height / 520), Math.min(1, width / 350));
    const b = Math.min(width / board.width, (height - 40 * t) / board.height);
    document.documentElement.style.setProperty('--t', t);
    document.documentElement.style.setProperty('--b', b);
    Window.largest = Math.max(1, b);
    board.resize(board.width * b, devicePixelRatio);
    paint();
    drawToolbarImages();
    Window.fitAll();
}

let ratio = null;
function watchRatio() {
    ratio?.removeEventListener('change', watchRatio);
    ratio = matchMedia(`(resolution: ${devicePixelRatio}dppx)`);
    ratio.addEventListener('change', watchRatio);
    fit();
}

// ---- start ------------------------------------------------------------------------------------------

document.title = (core.x.caption(), core.text());
buildToolbar();
run(core.load(storage.readFile(storage.SETTINGS), storage.readFile(storage.RECORD) ?? new Uint8Array()));
window.addEventListener('resize', fit);
// What another tab of the page stores is this tab's too: both play on the same files.
window.addEventListener('storage', (event) => {
    if (event.key === storage.key(storage.RECORD)) {
        core.setRecord(storage.readFile(storage.RECORD) ?? new Uint8Array());
    } else if (event.key === storage.key(storage.SETTINGS) && event.newValue !== null) {
        core.setSettings(storage.readFile(storage.SETTINGS));
    }
});
Window.afterClose = showNotices;
watchRatio();
document.documentElement.dataset.ready = 'true';
// The service worker that keeps the page for offline use, once the board stands.
setTimeout(watchVersions, 0);
