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
// screen has or more, reduced smoothly; the evaluation's in their own colours; no hover outline
// left where a finger tapped.
const badTargets = (page) => page.evaluate(() => {
    const top = [...document.querySelectorAll('dialog[open]')].pop();
    const boxes = [...top.querySelectorAll('button, select, input:not([type="radio"]), label.radio')]
        .map((e) => [e.getAttribute('aria-label') ?? e.textContent, e.getBoundingClientRect()]);
    return boxes.length === 0 ? ['none'] : boxes.flatMap(([name, b], i) => [
        ...(b.width < 24 || b.height < 24 ? [`${name}: ${b.width} x ${b.height}`] : []),
        ...(b.left < 0 || b.top < 0 || b.right > innerWidth || b.bottom > innerHeight ? [`${name} off the screen`] : []),
        ...boxes.slice(i + 1).filter(([, c]) => Math.min(b.right, c.right) - Math.max(b.left, c.left) > 0.5
            && Math.min(b.bottom, c.bottom) - Math.max(b.top, c.top) > 0.5).map(([other]) => `${name} over ${other}`)]);
});

// How many pixels of the canvases, in their top square, have none of the colours given.
const strays = (page, selector, colours) => page.evaluate((s, known) => [...document.querySelectorAll(s)].reduce((n, canvas) => {
    const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.width).data;
    for (let i = 0; i < data.length; i += 4) {
        n += !known.includes(`${data[i]},${data[i + 1]},${data[i + 2]}`);
    }
    return n;
}, 0), selector, colours);
// The pictures' palette: a cube of 236 colours and the twenty of the Windows system palette.
const PALETTE = [...Array(236).keys()].map((i) => `${32 * ((i + 10) % 8)},${32 * (((i + 10) >> 3) % 8)},${64 * ((i + 10) >> 6)}`)
    .concat(['0,0,0', '128,0,0', '0,128,0', '128,128,0', '0,0,128', '128,0,128', '0,128,128', '192,192,192', '192,220,192',
        '166,202,240', '255,251,240', '160,160,164', '128,128,128', '255,0,0', '0,255,0', '255,255,0', '0,0,255', '255,0,255',
        '0,255,255', '255,255,255']);
// The evaluation's: white, black, the head's, the brain's, its wrinkles' and its gloss's.
const KEY_COLOURS = ['255,255,255', '0,0,0', '224,192,128', '160,96,0', '96,64,0', '255,251,240'];

await test('phone screens', async (browser, { url }) => {
    const options = { width: 390, height: 844, ratio: 3, touch: true, clock: Date.UTC(2026, 2, 1, 1, 0, 0),
        files: { 'setdata.ini': ROWS.map((v) => `${v}\r\n`).join('') } };
    const page = await open(browser, url, options);
    const tap = async (selector) => page.touchscreen.tap(...Object.values(await center(page, selector)));
    const tool = (name) => `#toolbar button[aria-label="${name}"]`;
    const close = () => tap('dialog[open]:last-of-type .close');
    await tap(tool('ゲーム設定'));
    assert.equal(await page.$eval(tool('ゲーム設定'), (b) => getComputedStyle(b).outlineStyle), 'none');
    await close();
    assert.equal(await strays(page, '#toolbar canvas', PALETTE), 0, 'the 300 % strip as it is');

    for (const [width, height] of [[390, 844], [844, 390]]) {
        await page.setViewport({ width, height, deviceScaleFactor: 3, hasTouch: true, isMobile: true });
        await until(page, (w) => innerWidth === w, width);
        await page.evaluate(() => new Promise(requestAnimationFrame)); // laid out for it
        const check = async (name) => assert.deepEqual(await badTargets(page), [], `${name} at ${width} x ${height}`);
        // The detailed settings over the game settings; then both closed.
        for (const [name, closes] of [['ゲーム設定', 0], ['詳細設定', 2], ['バージョン', 1], ['Webヘルプ', 1]]) {
            await tap(name === '詳細設定' ? 'aria/詳細設定[role="button"]' : tool(name));
            await check(name);
            for (let i = 0; i < closes; i += 1) {
                await close();
            }
        }
        await tap('#files');
        await check('ファイル');
        const [chooser] = await Promise.all([page.waitForFileChooser(), tap('aria/setdata.ini を読み込む[role="button"]')]);
        await chooser.accept([join(ROOT, 'resources', 'toolbar.bmp')]);
        await page.waitForSelector('dialog.message');
        await check('読み込めません');
        await tap('aria/OK[role="button"]');
        await close();
        await tap(tool('スタート'));
        await untilSaid(page, '「1」は何処ですか？');
        await page.touchscreen.tap(...Object.values(await square(page, 14, 1)));
        await page.waitForSelector(EVALUATION);
        await check('あなたの脳レベルの評価');
        await until(page, () => document.querySelector('dialog[open] canvas').getContext('2d').getImageData(0, 0, 1, 1).data[3] === 255);
        assert.equal(await strays(page, 'dialog[open] canvas', KEY_COLOURS), 0, 'the evaluation in its own colours');
        await shot(page, `phone-evaluation-${width}`);
        await tap('aria/OK[role="button"]');
        await page.waitForSelector(EVALUATION, { hidden: true });
    }
    // At 2.75, that strip reduced: in colours between its own.
    const reduced = await open(browser, url, { ...options, files: undefined, ratio: 2.75 });
    await until(reduced, () => document.querySelector('#toolbar canvas').getContext('2d').getImageData(0, 0, 1, 1).data[3] === 255);
    assert.ok(await strays(reduced, '#toolbar canvas', PALETTE) > 0, 'the strip reduced without smoothing');
    assert.deepEqual([...page.errors, ...reduced.errors], []);
});
