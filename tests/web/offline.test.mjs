// The page for a returning player: after one visit it shows all it shows online with the server
// gone and the browser's own cache emptied, at any screen's scale; a new build is taken up whole,
// offered in a line between games.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { cpSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { CLOCK, WEB, click, oneSymbolAt9, open, ready, serve, square, test, until, untilSaid } from './lib.mjs';

const OPTIONS = { width: 1000, height: 600, clock: CLOCK, files: { 'setdata.ini': oneSymbolAt9(1) } };
const EVALUATION = 'aria/あなたの脳レベルの評価[role="dialog"]';
const notices = (page) => page.$eval('#notices', (e) => !e.hidden);

async function playOneGame(page) {
    await click(page, '#toolbar button[aria-label="スタート"]');
    await untilSaid(page, '「1」は何処ですか？');
    await page.mouse.click(...Object.values(await square(page, 14, 1)));
    await page.waitForSelector(EVALUATION);
}

await test('offline', async (browser, site) => {
    const first = await open(browser, site.url, OPTIONS);
    await until(first, () => navigator.serviceWorker.controller !== null);
    assert.equal(await notices(first), false, 'a first visit offered a new version');
    await first.close();
    // Days later: no server, and nothing in the browser's own cache.
    await site.stop();
    await (await (await browser.newPage()).createCDPSession()).send('Network.clearBrowserCache');
    for (const ratio of [1, 1.5, 2]) {
        const page = await open(browser, site.url, { ...OPTIONS, files: undefined, ratio }); // kept since
        // Each of the toolbar's pictures, opaque and not of one colour.
        await until(page, () => [...document.querySelectorAll('#toolbar canvas')].every((canvas) => {
            const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
            return data[3] === 255 && data.some((v, i) => v !== data[i % 4]);
        }));
        // The evaluation's head (its colour at (73, 128)) and heading (black in rows 17 to 40).
        await playOneGame(page);
        const found = await until(page, () => {
            const canvas = document.querySelector('dialog[open] canvas');
            const k = canvas.width / 298;
            const c = canvas.getContext('2d');
            const head = [...c.getImageData(Math.floor(73.5 * k), Math.floor(128.5 * k), 1, 1).data];
            const band = c.getImageData(0, Math.ceil(17 * k), canvas.width, Math.floor(24 * k)).data;
            return head[3] === 255 && { head, heading: band.some((_, i) => i % 4 === 0 && band[i] + band[i + 1] + band[i + 2] === 0 && band[i + 3] === 255) };
        });
        assert.deepEqual(await found.jsonValue(), { head: [224, 192, 128, 255], heading: true }, `at ${ratio}`);
        await click(page, 'aria/OK[role="button"]');
        await click(page, '#toolbar button[aria-label="Webヘルプ"]');
        await until(page, () => document.querySelector('dialog[open] iframe')?.srcdoc.includes('<section id="record">'));
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
    execFileSync('find', [one, '-exec', 'touch', '-d', '10 days ago', '{}', '+']);
    cpSync(one, two, { recursive: true, preserveTimestamps: true });
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
        assert.equal(await notices(page), false, 'offered during a game');
        await page.mouse.click(...Object.values(await square(page, 14, 1)));
        await page.waitForSelector(EVALUATION);
        assert.equal(await notices(page), false, 'offered over the evaluation');
        await click(page, 'aria/OK[role="button"]');
        await Promise.all([page.waitForNavigation(), click(page, line)]);
        await ready(page);
        assert.deepEqual(await page.evaluate(async () => [await caches.keys(), await (await fetch('style.css')).text()]),
            [[`${version}-2`], style]);
        assert.equal(await notices(page), false, 'offered again');
        assert.deepEqual(page.errors, []);
    } finally {
        await site.stop();
        rmSync(folder, { recursive: true, force: true });
    }
});
