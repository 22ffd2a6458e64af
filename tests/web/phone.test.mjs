// A player on a phone: the page fits portrait and landscape without sideways scrolling; a game
// answered by touch, then, in a second tab open all along, one started and answered from the
// keyboard; the record keeps both. The settings kept in the browser make 9級 a game of one
// problem of one symbol shown for a second; Date stands still, so its target is always at
// (14, 1).
import assert from 'node:assert/strict';
import { join } from 'node:path';
import { ROOT, center, kept, open, shot, square, test, until, untilSaid } from './lib.mjs';

const ROWS = [3, 3, 3, 0, 1, 1, 1, 0, 3, 3, 7, 0, 3, 3, 9, 0, 5, 3, 5, 0, 5, 3, 9, 0, 7, 3, 5, 0, 7, 2, 9, 0, 9, 2, 9, 0, 9, 1, 9, 0, 1];
const EVALUATION = 'aria/あなたの脳レベルの評価[role="dialog"]';

const fitsAcross = (page) => page.evaluate(() => document.documentElement.scrollWidth <= innerWidth);

await test('phone', async (browser, { url }) => {
    const options = {
        width: 390, height: 844, ratio: 3, touch: true, clock: Date.UTC(2026, 2, 1, 1, 0, 0),
        files: { 'setdata.ini': ROWS.map((v) => `${v}\r\n`).join('') },
    };
    const page = await open(browser, url, options);
    const other = await open(browser, url, options);
    await page.bringToFront();
    assert.ok(await fitsAcross(page), 'portrait scrolls sideways');
    const tap = async (where) => page.touchscreen.tap(where.x, where.y);

    await tap(await center(page, '#toolbar button[aria-label="スタート"]'));
    await untilSaid(page, '「1」は何処ですか？');
    await shot(page, 'phone-question');
    await tap(await square(page, 14, 1));
    await untilSaid(page, '正解です');
    await page.waitForSelector(EVALUATION);
    await shot(page, 'phone-evaluation');
    await tap(await center(page, 'aria/OK[role="button"]'));
    await page.waitForSelector(EVALUATION, { hidden: true });

    // The keyboard: S starts; on the board the arrows show the box chosen, Enter answers there.
    await other.bringToFront();
    await other.keyboard.press('s');
    await untilSaid(other, '「1」は何処ですか？');
    await other.focus('#board');
    await other.keyboard.press('ArrowRight');
    await other.keyboard.press('Enter');
    await untilSaid(other, '正解です');
    await other.waitForSelector(EVALUATION);
    await other.keyboard.press('Enter'); // on OK, which has the focus
    await other.waitForSelector(EVALUATION, { hidden: true });
    assert.equal((await kept(page, 'record.csv')).split('\r\n').filter((l) => l.endsWith(',9,1,1,1,0,36')).length, 2);
    await page.bringToFront();

    await page.setViewport({ width: 844, height: 390, deviceScaleFactor: 3, hasTouch: true, isMobile: true });
    assert.ok(await fitsAcross(page), 'landscape scrolls sideways');
    await shot(page, 'phone-landscape');
    assert.deepEqual([...page.errors, ...other.errors], []);
});

// Every control of every dialog a target of 24 x 24 pixels at least, on the screen and clear of
// the others, upright and on its side; the toolbar's pictures drawn from as many pixels as the
// screen has or more (reduced smoothly), the evaluation's in its exact colours; no hover
// outline left where a finger tapped.
const targets = (page) => page.evaluate(() => {
    const top = [...document.querySelectorAll('dialog[open]')].pop();
    return [...top.querySelectorAll('button, select, input:not([type="radio"]), label.radio')].map((e) => {
        const { left, top: y, right, bottom } = e.getBoundingClientRect();
        return { name: top.querySelector('.title').textContent + ': ' + (e.getAttribute('aria-label') ?? e.textContent),
            left, top: y, right, bottom };
    });
});

function assertTargets(found, screen) {
    assert.ok(found.length > 0, screen);
    for (const [i, t] of found.entries()) {
        assert.ok(t.right - t.left >= 24 && t.bottom - t.top >= 24, `${screen} ${t.name}: ${t.right - t.left} x ${t.bottom - t.top}`);
        assert.ok(t.left >= 0 && t.top >= 0 && t.right <= screen.split(' x ')[0] && t.bottom <= screen.split(' x ')[1],
            `${screen} ${t.name} off the screen`);
        for (const u of found.slice(i + 1)) {
            const overlap = Math.min(t.right, u.right) - Math.max(t.left, u.left) > 0.5
                && Math.min(t.bottom, u.bottom) - Math.max(t.top, u.top) > 0.5;
            assert.ok(!overlap, `${screen} ${t.name} overlaps ${u.name}`);
        }
    }
}

// The colours the evaluation's picture is made of: white, black, the head's, the brain's, its
// wrinkles' and its gloss's.
const KEY_COLOURS = [[255, 255, 255], [0, 0, 0], [224, 192, 128], [160, 96, 0], [96, 64, 0], [255, 251, 240]];

await test('phone screens', async (browser, { url }) => {
    const options = {
        width: 390, height: 844, ratio: 3, touch: true, clock: Date.UTC(2026, 2, 1, 1, 0, 0),
        files: { 'setdata.ini': ROWS.map((v) => `${v}\r\n`).join('') },
    };
    const page = await open(browser, url, options);
    const tap = async (selector) => {
        const { x, y } = await center(page, selector);
        await page.touchscreen.tap(x, y);
    };
    const close = async () => {
        const count = await page.$$eval('dialog[open]', (d) => d.length);
        await tap('dialog[open]:last-of-type .close');
        await page.waitForFunction((n) => document.querySelectorAll('dialog[open]').length < n, {}, count);
    };

    await tap('#toolbar button[aria-label="ゲーム設定"]');
    assert.equal(await page.$eval('#toolbar button[aria-label="ゲーム設定"]', (b) => getComputedStyle(b).outlineStyle), 'none');
    await close();

    for (const [width, height] of [[390, 844], [844, 390]]) {
        await page.setViewport({ width, height, deviceScaleFactor: 3, hasTouch: true, isMobile: true });
        await until(page, (w) => innerWidth === w, width);
        await page.evaluate(() => new Promise(requestAnimationFrame)); // laid out for it
        const screen = `${width} x ${height}`;
        await tap('#toolbar button[aria-label="ゲーム設定"]');
        assertTargets(await targets(page), screen);
        await tap('aria/詳細設定[role="button"]');
        await page.waitForSelector('aria/詳細設定[role="dialog"]');
        assertTargets(await targets(page), screen);
        await shot(page, `phone-detail-${width}`);
        await close();
        await close();
        await tap('#toolbar button[aria-label="バージョン"]');
        assertTargets(await targets(page), screen);
        await close();
        await tap('#toolbar button[aria-label="Webヘルプ"]');
        assertTargets(await targets(page), screen);
        await close();
        await tap('#files');
        assertTargets(await targets(page), screen);
        const [chooser] = await Promise.all([page.waitForFileChooser(), tap('aria/setdata.ini を読み込む[role="button"]')]);
        await chooser.accept([join(ROOT, 'resources', 'toolbar.bmp')]);
        await page.waitForSelector('dialog.message');
        assertTargets(await targets(page), screen);
        await tap('aria/OK[role="button"]');
        await close();

        await tap('#toolbar button[aria-label="スタート"]');
        await untilSaid(page, '「1」は何処ですか？');
        await page.touchscreen.tap(...Object.values(await square(page, 14, 1)));
        await page.waitForSelector(EVALUATION);
        assertTargets(await targets(page), screen);
        const stray = await until(page, (keys) => {
            const canvas = document.querySelector('dialog[open] canvas');
            const c = canvas.getContext('2d');
            const picture = c.getImageData(0, 0, canvas.width, canvas.width).data; // the lines start below
            if (picture[3] !== 255) {
                return false; // not drawn yet
            }
            const known = new Set(keys.map((k) => k.join()));
            let others = 0;
            for (let i = 0; i < picture.length; i += 4) {
                others += !known.has(`${picture[i]},${picture[i + 1]},${picture[i + 2]}`);
            }
            return { others };
        }, KEY_COLOURS);
        assert.deepEqual(await stray.jsonValue(), { others: 0 }, `${screen}: the evaluation's colours`);
        await tap('aria/OK[role="button"]');
        await page.waitForSelector(EVALUATION, { hidden: true });
    }

    // Three device pixels a design pixel: the 300 % strip as it is; 2.75: that strip reduced,
    // in colours between its own.
    const strip = (shown) => shown.evaluate(async () => {
        const bitmap = await createImageBitmap(await (await fetch('pictures/300/toolbar.png')).blob(), { colorSpaceConversion: 'none' });
        const source = new OffscreenCanvas(bitmap.width, bitmap.height).getContext('2d');
        source.drawImage(bitmap, 0, 0);
        const own = source.getImageData(0, 0, bitmap.width, bitmap.height).data;
        const colours = new Set();
        for (let i = 0; i < own.length; i += 4) {
            colours.add(`${own[i]},${own[i + 1]},${own[i + 2]}`);
        }
        const canvases = [...document.querySelectorAll('#toolbar canvas')];
        const pixels = canvases.map((canvas) => canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data);
        const cell = bitmap.height;
        const same = canvases.every((canvas, n) => canvas.width === cell && pixels[n].every((v, i) => {
            const x = (i >> 2) % cell;
            const y = Math.floor((i >> 2) / cell);
            return v === own[4 * (y * bitmap.width + n * cell + x) + (i & 3)];
        }));
        const between = pixels.some((p) => p.some((_, i) => i % 4 === 0 && !colours.has(`${p[i]},${p[i + 1]},${p[i + 2]}`)));
        return { side: canvases[0].width, same, between };
    });
    await page.setViewport({ width: 390, height: 844, deviceScaleFactor: 3, hasTouch: true, isMobile: true });
    await until(page, () => document.querySelector('#toolbar canvas').width === 96);
    assert.deepEqual(await strip(page), { side: 96, same: true, between: false });
    const reduced = await open(browser, url, { ...options, files: undefined, ratio: 2.75 });
    await until(reduced, () => document.querySelector('#toolbar canvas').getContext('2d').getImageData(0, 0, 1, 1).data[3] === 255);
    assert.deepEqual(await strip(reduced), { side: 88, same: false, between: true });
    await shot(reduced, 'phone-toolbar-2.75');
    assert.deepEqual([...page.errors, ...reduced.errors], []);
});
