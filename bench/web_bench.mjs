// The web page's figures, measured in headless Chromium on the page as build/web serves it:
// what a first visit loads (gzipped, as a static host would send it), the time from navigation to
// a drawn board, and a repaint of the board. Prints "name value" lines for scripts/bench.
import { gzipSync } from 'node:zlib';
import { test } from '../tests/web/lib.mjs';

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
    // A first visit, the service worker's copies included.
    const page = await browser.newPage();
    await page.evaluateOnNewDocument(`window.boardDrawn = (${markReady})()`);
    const bodies = [];
    page.on('response', (response) => {
        if (response.request().method() === 'GET' && response.ok()) {
            bodies.push(response.buffer().catch(() => Buffer.alloc(0)));
        }
    });
    await page.goto(url);
    await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
    const loaded = await Promise.all(bodies);
    const bytes = loaded.reduce((sum, b) => sum + b.length, 0);
    const gzipped = loaded.reduce((sum, b) => sum + gzipSync(b, { level: 9 }).length, 0);
    console.log(`first_visit_files ${loaded.length}`);
    console.log(`first_visit_kb ${(bytes / 1024).toFixed(1)}`);
    console.log(`first_visit_gzip_kb ${(gzipped / 1024).toFixed(1)}`);

    // Navigation to the drawn board: loads from the server with nothing cached, and loads as a
    // returning player has them (the browser's cache and the service worker).
    const session = await page.createCDPSession();
    const times = async () => {
        const found = [];
        for (let i = 0; i < LOADS; i += 1) {
            await page.reload();
            found.push(await page.evaluate(() => window.boardDrawn));
        }
        return median(found);
    };
    const warm = await times();
    await page.setCacheEnabled(false);
    await session.send('Network.setBypassServiceWorker', { bypass: true });
    const cold = await times();
    const p = page;
    console.log(`board_drawn_cold_ms ${cold.toFixed(1)}`);
    console.log(`board_drawn_warm_ms ${warm.toFixed(1)}`);

    // A repaint while the player answers: nine boxes and the question (1級), the core's plan
    // and its drawing, REPAINTS times.
    const repaint = await p.evaluate(async (count) => {
        const { loadCore } = await import('./core.js');
        const { Board } = await import('./board.js');
        const core = await loadCore('mabatakiban.wasm');
        const rows = [3, 3, 3, 0, 3, 3, 5, 0, 3, 3, 7, 0, 3, 3, 9, 0, 5, 3, 5, 0, 5, 3, 9, 0, 7, 3, 5, 0, 7, 2, 9, 0, 9, 2, 9, 0, 9, 1, 9, 0, 9];
        core.load(new TextEncoder().encode(rows.join('\r\n')), new Uint8Array());
        core.event('start');
        core.event('timer', 1);
        core.event('timer', 1);
        const canvas = document.createElement('canvas');
        document.body.append(canvas);
        const board = new Board(canvas, core.layout());
        board.resize(640, devicePixelRatio);
        const times = [];
        let runs = 0;
        for (let i = 0; i < count; i += 1) {
            const start = performance.now();
            const plan = core.paint();
            board.draw(plan);
            times.push(performance.now() - start);
            runs = plan.length;
        }
        // performance.now() is coarse in a page; the whole loop gives the mean as well.
        return { median: times.sort((a, b) => a - b)[times.length >> 1], mean: times.reduce((a, b) => a + b) / count, runs };
    }, REPAINTS);
    console.log(`repaint_runs ${repaint.runs}`);
    console.log(`repaint_median_ms ${repaint.median.toFixed(3)}`);
    console.log(`repaint_mean_ms ${repaint.mean.toFixed(3)}`);
});
