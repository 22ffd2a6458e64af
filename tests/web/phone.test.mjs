// A player on a phone: the page fits portrait and landscape without sideways scrolling; a game
// answered by touch, then, in a second tab open all along, one started and answered from the
// keyboard; the record keeps both. The settings kept in the browser make 9級 a game of one
// problem of one symbol shown for a second; Date stands still, so its target is always at
// (14, 1).
import assert from 'node:assert/strict';
import { center, kept, open, shot, square, test, untilSaid } from './lib.mjs';

const ROWS = [3, 3, 3, 0, 1, 1, 1, 0, 3, 3, 7, 0, 3, 3, 9, 0, 5, 3, 5, 0, 5, 3, 9, 0, 7, 3, 5, 0, 7, 2, 9, 0, 9, 2, 9, 0, 9, 1, 9, 0, 1];
const EVALUATION = 'aria/あなたの脳レベルの評価[role="dialog"]';

const fitsAcross = (page) => page.evaluate(() => document.documentElement.scrollWidth <= innerWidth);

test('phone', async (browser, { url }) => {
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
