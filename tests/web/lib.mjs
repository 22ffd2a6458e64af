// Helpers for the web page's tests: the page served from build/web as a static host serves it,
// headless Chromium driven through the DevTools protocol with real mouse, touch and key input.
// Screenshots go to $WEB_OUT for a person to look at.
import assert from 'node:assert/strict';
import { spawn } from 'node:child_process';
import { mkdirSync, mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';
import puppeteer from 'puppeteer-core';

export const HERE = dirname(fileURLToPath(import.meta.url));
export const ROOT = join(HERE, '..', '..');
export const WEB = process.env.WEB_DIR ?? join(ROOT, 'build', 'web');
const OUT = process.env.WEB_OUT ?? join(ROOT, 'build', 'e2e-web');
const WAIT = 20000;

// 2026-03-01 10:00:00 in Tokyo. A game started then has these problems (target first):
//   0: "1" at (14, 1); then (9, 10), (5, 8), (6, 0), (12, 12), (8, 8), (7, 11), (5, 10), (5, 13), (15, 14)
//   1: "J" at (19, 9); then (10, 8), (2, 5), (14, 5), (15, 12), (0, 12), (6, 6), (10, 12), (3, 8), (13, 14)
export const CLOCK = Date.UTC(2026, 2, 1, 1, 0, 0);
export const HEADER = 'date,grade,symbols,seconds,problems,misses,total\r\n';
// The factory settings file's rows from 8級 on, four values a grade.
export const FACTORY_ROWS = ['3 3 7 0', '3 3 9 0', '5 3 5 0', '5 3 9 0', '7 3 5 0', '7 2 9 0', '9 2 9 0', '9 1 9 0'];
export const settingsFile = (...rows) => `${rows.join(' ').replaceAll(' ', '\r\n')}\r\n`;

export const corpus = (name) => readFileSync(join(ROOT, 'tests', 'fuzz', 'corpus', name));

// setdata.ini with 9級 a game of one problem of one symbol shown for a second, and the grade
// chosen: with open's clock, that game's target is at (14, 1).
export const oneSymbolAt9 = (chosen) => [3, 3, 3, 0, 1, 1, 1, 0, 3, 3, 7, 0, 3, 3, 9, 0, 5, 3, 5, 0, 5, 3, 9, 0, 7, 3, 5, 0,
    7, 2, 9, 0, 9, 2, 9, 0, 9, 1, 9, 0, chosen].map((v) => `${v}\r\n`).join('');

// python3's static server of directory on port (a free one by default); stop() ends it and
// resolves once it has.
export function serve(directory = WEB, port = 0) {
    const server = spawn('python3', ['-u', '-m', 'http.server', String(port), '--bind', '127.0.0.1', '--protocol', 'HTTP/1.1', '--directory', directory],
        { stdio: ['ignore', 'pipe', 'ignore'] });
    const ended = new Promise((resolve) => server.once('exit', resolve));
    return new Promise((resolve, reject) => {
        server.stdout.once('data', (line) => {
            const found = /port (\d+)/.exec(String(line))?.[1];
            found ? resolve({ url: `http://127.0.0.1:${found}/`, port: Number(found), stop: () => (server.kill(), ended) })
                : reject(new Error(`http.server said: ${line}`));
        });
        server.once('exit', () => reject(new Error('http.server ended')));
    });
}

let browser = null;
let queue = null;
const profile = mkdtempSync(join(tmpdir(), 'mabatakiban-chromium-'));

async function run(name, body) {
    mkdirSync(OUT, { recursive: true });
    // Without the quieting flags Chromium reaches for the network at start, which a closed
    // network refuses.
    browser ??= await puppeteer.launch({
        executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
        headless: true,
        args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
            '--disable-component-update', '--disable-sync', `--user-data-dir=${profile}`],
    });
    const context = await browser.createBrowserContext();
    const site = await serve();
    try {
        await body(context, site);
        for (const page of await context.pages()) {
            assert.deepEqual(page.errors ?? [], [], `the page's errors at ${page.url()}`);
        }
        console.log(`ok: ${name}`);
    } catch (error) {
        console.error(`FAIL: ${name}\n${error.stack}`);
        await Promise.all((await context.pages()).map((page) => page.screenshot({ path: join(OUT, `${name}-failure.png`) }).catch(() => {})));
        process.exitCode = 1;
    } finally {
        await context.close();
        site.stop();
    }
}

// Runs body(context, site) in a browser context of its own (its own storage) with a server of
// its own; the cases of a file run one after the other, and the exit code tells.
export function test(name, body) {
    if (!queue) {
        setTimeout(() => queue.then(() => browser?.close()).then(() => rmSync(profile, { recursive: true, force: true })));
    }
    queue = (queue ?? Promise.resolve()).then(() => run(name, body));
}

// Installed before the page's scripts: Date stands still at start. Stepped, setTimeout and
// setInterval wait for stepClock, which fires every timer due on the way at its own instant.
function fakeClock(start, stepped) {
    const Real = Date;
    let now = start;
    globalThis.Date = class extends Real {
        constructor(...args) {
            super(...(args.length ? args : [now]));
        }
        static now() {
            return now;
        }
    };
    const timers = new Map();
    let count = 0;
    const add = (repeat) => (callback, millis, ...args) => {
        const period = Math.max(1, Number(millis) || 0);
        timers.set(++count, { at: now + period, order: count, period: repeat && period, callback, args });
        return count;
    };
    const clear = (id) => timers.delete(id);
    if (stepped) {
        Object.assign(globalThis, { setTimeout: add(false), setInterval: add(true), clearTimeout: clear, clearInterval: clear });
    }
    globalThis.stepClock = (millis) => {
        const end = now + millis;
        const due = () => [...timers].filter(([, t]) => t.at <= end).sort(([, a], [, b]) => a.at - b.at || a.order - b.order)[0];
        for (let next = due(); next; next = due()) {
            const [id, timer] = next;
            now = timer.at;
            timer.period ? Object.assign(timer, { at: now + timer.period, order: ++count }) : timers.delete(id);
            timer.callback(...timer.args);
        }
        now = end;
    };
}

// The page at size width x height CSS pixels and ratio device pixels each, ready to play. With
// clock, Date stands still at that instant in Tokyo (every game then has the same problems);
// with time, the page's clock starts there and moves only with step(). With files, the browser
// holds them before the page first loads; setup(page) runs before the page's scripts.
export async function open(browser, url, { width = 1024, height = 768, ratio = 1, touch = false, clock, time, files, setup } = {}) {
    const page = await browser.newPage();
    const errors = [];
    page.on('pageerror', (error) => errors.push(error));
    page.errors = errors;
    await page.setViewport({ width, height, deviceScaleFactor: ratio, hasTouch: touch, isMobile: touch });
    if ((clock ?? time) !== undefined) {
        page.stepped = time !== undefined;
        await page.emulateTimezone('Asia/Tokyo');
        await page.evaluateOnNewDocument(fakeClock, clock ?? time, page.stepped);
    }
    await setup?.(page);
    if (files) {
        await page.evaluateOnNewDocument((kept) => {
            if (window === top && !sessionStorage.getItem('seeded')) { // not in the help page's frame
                sessionStorage.setItem('seeded', '1');
                for (const [name, text] of Object.entries(kept)) {
                    localStorage.setItem(`mabatakiban/${name}`, text);
                }
            }
        }, files);
    }
    await page.goto(url);
    await ready(page);
    return page;
}

export const ready = (page) => page.waitForSelector('html[data-ready]', { timeout: WAIT });

// A stepped page's own timers do not run by themselves: it is polled at each frame instead.
export const until = (page, fn, ...args) => page.waitForFunction(fn, { timeout: WAIT, polling: page.stepped ? 'raf' : 50 }, ...args);

export const step = (page, millis) => page.evaluate((m) => stepClock(m), millis);

// What the live region says: the question and the answers' results.
export const said = (page) => page.$eval('#live', (e) => e.textContent);
export const untilSaid = (page, text) => until(page, (t) => document.getElementById('live').textContent === t, text);

// The centre of a board square in page coordinates.
export async function square(page, column, row) {
    const box = await page.$eval('#board', (canvas) => {
        const r = canvas.getBoundingClientRect();
        return { left: r.left, top: r.top, width: r.width, height: r.height };
    });
    return { x: box.left + ((column * 32 + 16) * box.width) / 640, y: box.top + ((row * 32 + 16) * box.height) / 480 };
}

export async function clickSquare(page, column, row) {
    const { x, y } = await square(page, column, row);
    await page.mouse.click(x, y);
}

export async function center(page, selector) {
    const box = await (await page.waitForSelector(selector, { visible: true, timeout: WAIT })).boundingBox();
    return { x: box.x + box.width / 2, y: box.y + box.height / 2 };
}

export async function click(page, selector) {
    const { x, y } = await center(page, selector);
    await page.mouse.click(x, y);
}

export const tool = (name) => `#toolbar button[aria-label="${name}"]`;

// The player's files as the browser keeps them, as byte strings.
export const kept = (page, name) => page.evaluate((n) => localStorage.getItem(`mabatakiban/${n}`), name);

export const shot = (page, name) => page.screenshot({ path: join(OUT, `${name}.png`) });

// What each square [column, row] of the board shows, a letter each: a character on black in its
// colour (w white, g green, r red), the same letter in capitals for a square of that one colour,
// "." for black, "?" for anything else.
export const looks = (page, squares) => page.$eval('#board', (canvas, list) => {
    const k = canvas.width / 640;
    const { data, width } = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height);
    return list.map(([column, row]) => {
        const seen = [];
        // Inside the square, clear of its edges: a white box is one pixel wider than its square.
        for (let y = Math.ceil((row * 32 + 2) * k); y < (row * 32 + 30) * k; y += 1) {
            for (let x = Math.ceil((column * 32 + 2) * k); x < (column * 32 + 30) * k; x += 1) {
                seen.push(data.slice(4 * (y * width + x), 4 * (y * width + x) + 3).join());
            }
        }
        const share = (rgb) => seen.filter((s) => s === rgb).length / seen.length;
        const [letter, part] = [['w', '255,255,255'], ['g', '0,255,0'], ['r', '255,0,0']].map(([l, c]) => [l, share(c)])
            .find(([, p]) => p > 0) ?? ['.', 0];
        const black = share('0,0,0');
        return black === 1 ? '.' : part === 1 ? letter.toUpperCase() : black > part && part > 0 ? letter : '?';
    }).join('');
}, squares);

// The square [column, row] that the keyboard's frame stands around, or null.
export const chosen = (page) => page.$eval('#board', (canvas) => {
    const { data, width } = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height);
    const [xs, ys] = [[], []];
    for (let i = 0; i < data.length; i += 4) {
        if (data[i] > 200 && data[i + 1] > 150 && data[i + 1] < 230 && data[i + 2] < 80) {
            xs.push((i / 4) % width);
            ys.push(Math.floor(i / 4 / width));
        }
    }
    const middle = (v) => Math.floor((Math.min(...v) + Math.max(...v)) / 2 / ((32 * width) / 640));
    return xs.length ? [middle(xs), middle(ys)] : null;
});

// On a stepped page whose chosen grade is one problem of one symbol shown for a second, a game
// played from the keyboard: it ends with the evaluation open.
export async function playOne(page) {
    await page.keyboard.press('s');
    await step(page, 2000);
    await page.focus('#board');
    await page.keyboard.press('ArrowUp'); // the one box chosen
    await page.keyboard.press('Enter');
    await step(page, 2000);
    await page.waitForSelector('dialog.evaluation[open]', { timeout: WAIT });
}

// Closes the dialog on top with its first button.
export const closeTop = (page) => click(page, 'dialog[open]:last-of-type .push');
