// The web page's figures, measured in headless Chromium on the page as build/web serves it:
// what a first visit loads (as served, and gzipped as a static host would send it), the time
// from navigation to a drawn board, and a repaint of the board. Prints "name value" lines for
// scripts/bench.
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';
import { ROOT, test } from '../tests/web/lib.mjs';

const WEB = process.env.WEB_DIR ?? join(ROOT, 'build', 'web');

const LOADS = 21;
const REPAINTS = 1000;
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

// The moment the page marks itself ready, which is right after it first draws the board.
const markReady = () => new Promise((resolve) => {
    new MutationObserver((_, observer) => {
        if (document.documentElement?.dataset.ready) {
            observer.disconnect();
            resolve(performance.now());
        }
    }).observe(document, { attributes: true, subtree: true });
});

test('bench', async (browser, { url }) => {
    // A first visit: what the page fetched and what its service worker keeps (it fetches that
    // too), each file once, gzipped as a static host would send it.
    const page = await browser.newPage();
    const fetched = new Set();
    page.on('requestfinished', (request) => fetched.add(request.url()));
    await page.goto(url);
    await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
    const keptUrls = await page.evaluate(async () => {
        const names = await caches.keys();
        const requests = await Promise.all(names.map(async (n) => (await caches.open(n)).keys()));
        return requests.flat().map((r) => r.url);
    });
    const files = [...new Set([...fetched, ...keptUrls].map((u) => new URL(u).pathname))];
    const bodies = files.map((path) => readFileSync(join(WEB, path.endsWith('/') ? `${path}index.html` : path)));
    const bytes = bodies.reduce((sum, b) => sum + b.length, 0);
    const gzipped = bodies.reduce((sum, b) => sum + gzipSync(b, { level: 9 }).length, 0);
    console.log(`first_visit_files ${files.length}`);
    console.log(`first_visit_kb ${(bytes / 1024).toFixed(1)}`);
    console.log(`first_visit_gzip_kb ${(gzipped / 1024).toFixed(1)}`);
    await page.close();

    // Navigation to the drawn board: loads from the server with nothing cached, and loads as a
    // returning player has them (the browser's cache and the service worker). A page of its
    // own, which nothing else listens to.
    const p = await browser.newPage();
    await p.evaluateOnNewDocument(`window.boardDrawn = (${markReady})()`);
    await p.goto(url);
    const session = await p.createCDPSession();
    const times = async () => {
        const found = [];
        for (let i = 0; i < LOADS; i += 1) {
            await p.reload();
            found.push(await p.evaluate(() => window.boardDrawn));
        }
        return median(found);
    };
    const warm = await times();
    await p.setCacheEnabled(false);
    await session.send('Network.setBypassServiceWorker', { bypass: true });
    const cold = await times();
    console.log(`board_drawn_cold_ms ${cold.toFixed(1)}`);
    console.log(`board_drawn_warm_ms ${warm.toFixed(1)}`);

    // A repaint while the player answers 1級 (nine boxes and a message), REPAINTS times: each a
    // click where it hits no new box, which the page answers as the Windows program does, with
    // the core's plan and a repaint of the whole board.
    const rows = [3, 3, 3, 0, 3, 3, 5, 0, 3, 3, 7, 0, 3, 3, 9, 0, 5, 3, 5, 0, 5, 3, 9, 0, 7, 3, 5, 0, 7, 2, 9, 0,
        9, 2, 9, 0, 9, 1, 9, 0, 9];
    const game = await browser.browser().createBrowserContext();
    const g = await game.newPage();
    await g.evaluateOnNewDocument((text) => localStorage.setItem('mabatakiban/setdata.ini', text),
        rows.map((v) => `${v}\r\n`).join(''));
    await g.goto(url);
    await g.waitForSelector('html[data-ready]');
    await g.click('#toolbar button[aria-label="スタート"]');
    await g.waitForFunction(() => document.getElementById('live').textContent.includes('何処'));
    const repaint = await g.evaluate((count) => {
        const canvas = document.getElementById('board');
        const box = canvas.getBoundingClientRect();
        const at = { clientX: box.left + 2, clientY: box.top + 2, button: 0, bubbles: true };
        canvas.dispatchEvent(new PointerEvent('pointerdown', at)); // a miss at most, once
        const paints = Number(canvas.dataset.paints);
        const start = performance.now();
        for (let i = 0; i < count; i += 1) {
            canvas.dispatchEvent(new PointerEvent('pointerdown', at));
        }
        const mean = (performance.now() - start) / count;
        return { mean, paints: Number(canvas.dataset.paints) - paints, message: document.getElementById('live').textContent };
    }, REPAINTS);
    console.log(`repaint_paints ${repaint.paints}`);
    console.log(`repaint_message ${repaint.message ? 1 : 0}`);
    console.log(`repaint_mean_ms ${repaint.mean.toFixed(3)}`);
});
