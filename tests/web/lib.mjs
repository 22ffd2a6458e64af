// Helpers for the web page's tests: the page served from build/web as a static host serves it,
// headless Chromium driven through the DevTools protocol with real mouse, touch and key input.
// Screenshots go to $WEB_OUT for a person to look at.
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

export const corpus = (name) => readFileSync(join(ROOT, 'tests', 'fuzz', 'corpus', name));

// setdata.ini with 9級 a game of one problem of one symbol shown for a second, and the grade
// chosen: with open's clock, that game's target is at (14, 1).
export const oneSymbolAt9 = (chosen) => [3, 3, 3, 0, 1, 1, 1, 0, 3, 3, 7, 0, 3, 3, 9, 0, 5, 3, 5, 0, 5, 3, 9, 0, 7, 3, 5, 0,
    7, 2, 9, 0, 9, 2, 9, 0, 9, 1, 9, 0, chosen].map((v) => `${v}\r\n`).join('');
export const CLOCK = Date.UTC(2026, 2, 1, 1, 0, 0);

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

// Runs body(browser, site) with a fresh browser profile and server; the exit code tells.
export async function test(name, body) {
    const profile = mkdtempSync(join(tmpdir(), 'mabatakiban-chromium-'));
    mkdirSync(OUT, { recursive: true });
    const site = await serve();
    const browser = await puppeteer.launch({
        executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
        headless: true,
        // Without the quieting flags Chromium reaches for the network at start, which a closed
        // network refuses.
        args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
            '--disable-background-networking', '--disable-component-update', '--disable-sync',
            `--user-data-dir=${profile}`],
    });
    try {
        await body(browser, site);
        console.log(`ok: ${name}`);
    } catch (error) {
        console.error(`FAIL: ${name}\n${error.stack}`);
        for (const page of await browser.pages()) {
            await page.screenshot({ path: join(OUT, `${name}-failure.png`) }).catch(() => {});
        }
        process.exitCode = 1;
    } finally {
        await browser.close();
        site.stop();
        rmSync(profile, { recursive: true, force: true });
    }
}

// The page at size width x height CSS pixels and ratio device pixels each, ready to play. With a
// clock, Date stands still at that instant in Tokyo (every game then has the same problems);
// with files, the browser holds them before the page first loads.
export async function open(browser, url, { width = 1024, height = 768, ratio = 1, touch = false, clock, files } = {}) {
    const page = await browser.newPage();
    const errors = [];
    page.on('pageerror', (error) => errors.push(error));
    page.errors = errors;
    await page.setViewport({ width, height, deviceScaleFactor: ratio, hasTouch: touch, isMobile: touch });
    if (clock !== undefined) {
        await page.emulateTimezone('Asia/Tokyo');
        await page.evaluateOnNewDocument((instant) => {
            const Real = Date;
            globalThis.Date = class extends Real {
                constructor(...args) {
                    super(...(args.length ? args : [instant]));
                }
                static now() {
                    return instant;
                }
            };
        }, clock);
    }
    if (files) {
        await page.evaluateOnNewDocument((kept) => {
            if (window === window.top && !sessionStorage.getItem('seeded')) { // not in the help's frame
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

export const until = (page, fn, ...args) => page.waitForFunction(fn, { timeout: WAIT, polling: 50 }, ...args);

// What the live region says: the question and the answers' results.
export const untilSaid = (page, text) => until(page, (t) => document.getElementById('live').textContent === t, text);

// The centre of a board square in page coordinates.
export async function square(page, column, row) {
    const box = await page.$eval('#board', (canvas) => {
        const r = canvas.getBoundingClientRect();
        return { left: r.left, top: r.top, width: r.width, height: r.height };
    });
    return { x: box.left + ((column * 32 + 16) * box.width) / 640, y: box.top + ((row * 32 + 16) * box.height) / 480 };
}

export async function center(page, selector) {
    const box = await (await page.waitForSelector(selector, { visible: true, timeout: WAIT })).boundingBox();
    return { x: box.x + box.width / 2, y: box.y + box.height / 2 };
}

export async function click(page, selector) {
    const { x, y } = await center(page, selector);
    await page.mouse.click(x, y);
}

// The player's files as the browser keeps them, as byte strings.
export const kept = (page, name) => page.evaluate((n) => localStorage.getItem(`mabatakiban/${n}`), name);

export const shot = (page, name) => page.screenshot({ path: join(OUT, `${name}.png`) });

// Whether the board shows colour [r, g, b] somewhere in the square.
export const squareShows = (page, column, row, colour) => page.$eval('#board', (canvas, c, r, rgb) => {
    const k = canvas.width / 640;
    const size = Math.floor(32 * k);
    const data = canvas.getContext('2d').getImageData(Math.floor(c * 32 * k), Math.floor(r * 32 * k), size, size).data;
    return data.some((_, i) => i % 4 === 0 && data[i] === rgb[0] && data[i + 1] === rgb[1] && data[i + 2] === rgb[2]);
}, column, row, colour);
