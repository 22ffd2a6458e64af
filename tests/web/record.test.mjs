// The record the browser keeps: the browser is asked to keep the page's storage once a visit's
// first game is recorded and never before, and the ファイル dialog says what it answered. Then the
// help page over a year of games at a desktop's and a phone's size: the calendar and the chart keep
// their text at 11 pixels or more and show their newest end, the record's table heads stay on one
// line. The settings kept in the browser make 9級 a game of one problem of one symbol; Date stands
// still at 2026-03-01 10:00:00 in Tokyo, so its target is always at (14, 1).
import assert from 'node:assert/strict';
import { click, open, ready, shot, square, test, until, untilSaid } from './lib.mjs';

const SETTINGS = [3, 3, 3, 0, 1, 1, 1, 0, 3, 3, 7, 0, 3, 3, 9, 0, 5, 3, 5, 0, 5, 3, 9, 0, 7, 3, 5, 0, 7, 2, 9, 0, 9, 2, 9, 0, 9, 1, 9, 0, 1]
    .map((v) => `${v}\r\n`).join('');
const CLOCK = Date.UTC(2026, 2, 1, 1, 0, 0);
const EVALUATION = 'aria/あなたの脳レベルの評価[role="dialog"]';
const KEPT = 'このブラウザは、記録を消さずに保存することを許可しています。';
const NOT_KEPT = 'このブラウザは、空き容量が足りないときなどに、保存した記録を消すことがあります。'
    + 'ときどき「書き出す」で record.csv を書き出しておけば、記録をなくしません。';

// The page with the player's record and these settings kept before it loads again; from then on
// the browser answers granted to a request to keep the page's storage, and counts the requests.
async function reopened(browser, url, size, record, granted) {
    const page = await open(browser, url, { ...size, clock: CLOCK });
    await page.evaluate((files) => Object.entries(files).forEach(([name, text]) => localStorage.setItem(`mabatakiban/${name}`, text)),
        { 'setdata.ini': SETTINGS, 'record.csv': record });
    await page.evaluateOnNewDocument((answer) => {
        let kept = false;
        window.keepRequests = 0;
        const persist = async () => ((window.keepRequests += 1), (kept = answer));
        Object.defineProperties(navigator.storage, { persist: { value: persist }, persisted: { value: async () => kept } });
    }, granted);
    await page.reload();
    await ready(page);
    return page;
}

async function filesSay(page, name) {
    await click(page, '#files');
    const said = await until(page, () => document.querySelector('dialog[open] .kept')?.textContent);
    await (name && shot(page, name));
    await click(page, 'aria/閉じる[role="button"]');
    return said.jsonValue();
}

async function play(page) {
    await click(page, '#toolbar button[aria-label="スタート"]');
    await untilSaid(page, '「1」は何処ですか？');
    const { x, y } = await square(page, 14, 1);
    await page.mouse.click(x, y);
    await click(page, 'aria/OK[role="button"]');
    await page.waitForSelector(EVALUATION, { hidden: true });
}

// 1,000 games over the year up to the clock's day.
const yearOfGames = () => 'date,grade,symbols,seconds,problems,misses,total\r\n' + Array.from({ length: 1000 }, (_, i) => {
    const day = new Date(CLOCK + 9 * 3600000 - Math.floor(((999 - i) * 365) / 1000) * 86400000).toISOString().slice(0, 10);
    return `${day} 10:00:00,${9 - Math.floor(i / 125)},5,3,9,${i % 3},${50 + (i * 7) % 51}\r\n`;
}).join('');

test('record', async (browser, { url }) => {
    for (const granted of [true, false]) {
        const page = await reopened(browser, url, {}, '', granted);
        assert.equal(await filesSay(page), NOT_KEPT, 'before any game');
        await click(page, '#toolbar button[aria-label="Webヘルプ"]');
        await click(page, 'aria/閉じる[role="button"]');
        assert.equal(await page.evaluate(() => window.keepRequests), 0, 'asked before the first game');
        await play(page);
        await play(page);
        assert.equal(await page.evaluate(() => window.keepRequests), 1, 'requests after two games');
        assert.equal(await filesSay(page, `record-files-${granted}`), granted ? KEPT : NOT_KEPT, `granted ${granted}`);
        assert.deepEqual(page.errors, []);
        await page.close();
    }

    for (const [name, size] of [['desktop', { width: 1280, height: 800 }], ['phone', { width: 390, height: 844, ratio: 3, touch: true }]]) {
        const page = await reopened(browser, url, size, yearOfGames(), false);
        await click(page, '#toolbar button[aria-label="Webヘルプ"]');
        await until(page, () => document.querySelector('dialog[open] iframe')?.srcdoc);
        const help = page.frames().find((frame) => frame.url() === 'about:srcdoc');
        await help.waitForSelector('#record');
        const seen = await help.evaluate(() => {
            // A line of text is 1.7 characters high; a head of two lines would be 3.4.
            const wraps = (th) => th.clientHeight > 2.5 * parseFloat(getComputedStyle(th).fontSize);
            const today = document.querySelector('#record .today');
            const [square, box] = [today, today.closest('.scroll')].map((e) => e.getBoundingClientRect());
            return {
                smallest: Math.min(...[...document.querySelectorAll('#record svg text')]
                    .map((text) => parseFloat(getComputedStyle(text).fontSize) * text.ownerSVGElement.getScreenCTM().a)),
                wrapped: [...document.querySelectorAll('#record thead th')].filter(wraps).map((th) => th.textContent),
                todayShown: square.left >= box.left && square.right <= box.right,
                calendar: document.querySelector('#record svg.calendar').getAttribute('aria-label'),
            };
        });
        assert.ok(seen.smallest >= 11, `${name}: text of ${seen.smallest} pixels`);
        assert.deepEqual(seen.wrapped, [], `${name}: heads on more than one line`);
        assert.ok(seen.todayShown, `${name}: today's square scrolled out of sight`);
        assert.equal(seen.calendar, '遊んだ日のカレンダー（2025-02-24〜2026-03-01）');
        await shot(page, `record-help-${name}`);
        await help.evaluate(() => document.querySelector('#record table').scrollIntoView());
        await shot(page, `record-help-${name}-tables`);
        assert.deepEqual(page.errors, []);
        await page.close();
    }
});
