// The page for a returning player: after one visit it shows all it shows online with the server
// gone and the browser's own cache emptied, at any screen's scale; a new build is taken up whole,
// offered in a line between games.
import assert from 'node:assert/strict';
import { cpSync, mkdtempSync, readFileSync, readdirSync, rmSync, statSync, utimesSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { WEB, click, open, ready, serve, square, test, until, untilSaid } from './lib.mjs';

// 9級 is one problem of one symbol shown for a second; Date stands still, so its target is
// always at (14, 1).
const ROWS = [3, 3, 3, 0, 1, 1, 1, 0, 3, 3, 7, 0, 3, 3, 9, 0, 5, 3, 5, 0, 5, 3, 9, 0, 7, 3, 5, 0, 7, 2, 9, 0, 9, 2, 9, 0, 9, 1, 9, 0, 1];
const OPTIONS = { width: 1000, height: 600, clock: Date.UTC(2026, 2, 1, 1, 0, 0), files: { 'setdata.ini': ROWS.map((v) => `${v}\r\n`).join('') } };
const EVALUATION = 'aria/あなたの脳レベルの評価[role="dialog"]';

async function playOneGame(page) {
    await click(page, '#toolbar button[aria-label="スタート"]');
    await untilSaid(page, '「1」は何処ですか？');
    const { x, y } = await square(page, 14, 1);
    await page.mouse.click(x, y);
    await page.waitForSelector(EVALUATION);
}

// Each of the toolbar's seven pictures, opaque and not of one colour, and in the evaluation the
// head (its colour at (73, 128)) and the heading (black in rows 17 to 40) of the background.
async function showsAllPictures(page) {
    await until(page, () => [...document.querySelectorAll('#toolbar canvas')].every((canvas) => {
        const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
        return data[3] === 255 && data.some((v, i) => v !== data[i % 4]);
    }));
    await playOneGame(page);
    const found = await until(page, () => {
        const canvas = document.querySelector('dialog[open] canvas');
        const k = canvas.width / 298;
        const c = canvas.getContext('2d');
        const head = [...c.getImageData(Math.floor(73.5 * k), Math.floor(128.5 * k), 1, 1).data];
        const band = c.getImageData(0, Math.ceil(17 * k), canvas.width, Math.floor(24 * k)).data;
        let heading = 0;
        for (let i = 0; i < band.length; i += 4) {
            heading += band[i] + band[i + 1] + band[i + 2] === 0 && band[i + 3] === 255;
        }
        return head[3] === 255 && { head, heading: heading > 0 };
    });
    assert.deepEqual(await found.jsonValue(), { head: [224, 192, 128, 255], heading: true });
    await click(page, 'aria/OK[role="button"]');
    await page.waitForSelector(EVALUATION, { hidden: true });
}

await test('offline', async (browser, site) => {
    const first = await open(browser, site.url, OPTIONS);
    await until(first, () => navigator.serviceWorker.controller !== null);
    assert.equal(await first.$eval('#notices', (e) => e.hidden), true, 'a first visit offered a new version');
    await first.close();
    // Days later: no server, and nothing in the browser's own cache.
    await site.stop();
    const session = await (await browser.newPage()).createCDPSession();
    await session.send('Network.clearBrowserCache');
    for (const ratio of [1, 1.5, 2]) {
        const page = await open(browser, site.url, { ...OPTIONS, files: undefined, ratio }); // kept since
        await showsAllPictures(page);
        if (ratio === 1) {
            await click(page, '#toolbar button[aria-label="Webヘルプ"]');
            await until(page, () => document.querySelector('dialog[open] iframe')?.srcdoc.includes('<section id="record">'));
        }
        assert.deepEqual(page.errors, [], `at ${ratio}`);
        await page.close();
    }
});

// Two builds in turn at one address: the second differs by a byte of style.css and its version.
// The first build's files are old enough for the browser to keep them a day without asking.
await test('update', async (browser) => {
    const folder = mkdtempSync(join(tmpdir(), 'mabatakiban-builds-'));
    const [one, two] = [join(folder, 'one'), join(folder, 'two')];
    cpSync(WEB, one, { recursive: true });
    const old = new Date(Date.now() - 10 * 24 * 3600 * 1000);
    const age = (path) => {
        utimesSync(path, old, old);
        if (statSync(path).isDirectory()) {
            readdirSync(path).forEach((name) => age(join(path, name)));
        }
    };
    age(one);
    cpSync(one, two, { recursive: true });
    const style = `${readFileSync(join(one, 'style.css'), 'utf8')}\n`;
    writeFileSync(join(two, 'style.css'), style);
    const worker = readFileSync(join(one, 'sw.js'), 'utf8');
    const version = /mabatakiban-\w+/.exec(worker)[0];
    writeFileSync(join(two, 'sw.js'), worker.replace(version, `${version}-2`));

    let site = await serve(one);
    const page = await open(browser, site.url, OPTIONS);
    await until(page, () => navigator.serviceWorker.controller !== null);
    await site.stop();
    site = await serve(two, site.port);
    try {
        await page.reload();
        await ready(page);
        const line = 'aria/新しい版で開き直す[role="button"]';
        await page.waitForSelector(line);
        // Not offered while a game is on or its evaluation open.
        await click(page, '#toolbar button[aria-label="スタート"]');
        await untilSaid(page, '「1」は何処ですか？');
        assert.equal(await page.$eval('#notices', (e) => e.hidden), true, 'offered during a game');
        const { x, y } = await square(page, 14, 1);
        await page.mouse.click(x, y);
        await page.waitForSelector(EVALUATION);
        assert.equal(await page.$eval('#notices', (e) => e.hidden), true, 'offered over the evaluation');
        await click(page, 'aria/OK[role="button"]');
        await Promise.all([page.waitForNavigation(), (async () => {
            await page.waitForSelector(line, { visible: true });
            await click(page, line);
        })()]);
        await ready(page);
        assert.deepEqual(await page.evaluate(async () => [await caches.keys(), await (await fetch('style.css')).text()]),
            [[`${version}-2`], style]);
        assert.equal(await page.$eval('#notices', (e) => e.hidden), true, 'offered again');
        assert.deepEqual(page.errors, []);
    } finally {
        await site.stop();
        rmSync(folder, { recursive: true, force: true });
    }
});
