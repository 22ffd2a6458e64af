// A player at the board of a desktop browser: a whole game with the mouse and its evaluation and
// record; the pacing of the phases; the keyboard's box and its answers; the end. The page's
// clock is stepped from 2026-03-01 10:00:00 in Tokyo, so the problems are known (see lib.mjs).
import assert from 'node:assert/strict';
import {
    CLOCK, FACTORY_ROWS, HEADER, chosen, click, clickSquare, kept, looks, open, said, settingsFile, shot, step, test, tool, until,
} from './lib.mjs';

const EVALUATION = 'dialog.evaluation[open]';

// 10級 is four symbols, one second, two problems: a miss, then both targets.
test('mouse game', async (browser, { url }) => {
    const files = { 'setdata.ini': settingsFile('4 1 2 0', '3 3 5 0', ...FACTORY_ROWS, '0') };
    const page = await open(browser, url, { time: CLOCK, files });
    await click(page, tool('スタート'));
    await step(page, 2000);
    assert.equal(await said(page), '「1」は何処ですか？');
    await shot(page, 'play-question');
    await clickSquare(page, 9, 10);
    assert.deepEqual([await said(page), await looks(page, [[9, 10]])], ['不正解です', 'r'], 'the miss in red');
    await step(page, 500);
    await clickSquare(page, 14, 1);
    assert.deepEqual([await said(page), await looks(page, [[14, 1], [9, 10], [5, 8], [6, 0]])], ['正解です', 'grww'],
        'the target in green, the miss red, the others uncovered');
    await step(page, 4500);
    assert.equal(await said(page), '「J」は何処ですか？');
    await step(page, 500);
    await clickSquare(page, 19, 9);
    await step(page, 2000);
    await page.waitForSelector(EVALUATION);
    assert.deepEqual(await page.$$eval('dialog[open] li', (l) => l.map((e) => e.textContent)), [
        '文字数4：得点4×4＝16点 おまけ１点', '時間1秒：得点9×3＝27点', '問題数2：得点2×4＝8点',
        '間違数1：減点1×5＝5点', '合計得点：47点／100点']);
    // The brain of 40 to 59 points over the head: the brain where the mask is black, the head
    // around it, the white field above.
    const pixels = await until(page, () => {
        const canvas = document.querySelector('dialog[open] canvas');
        const k = canvas.width / 298;
        const at = ([x, y]) => [...canvas.getContext('2d').getImageData(Math.floor((x + 0.5) * k), Math.floor((y + 0.5) * k), 1, 1).data.slice(0, 3)];
        const found = [[110, 95], [73, 128], [80, 75]].map(at);
        return found[0][0] !== 0 && found;
    });
    assert.deepEqual(await pixels.jsonValue(), [[160, 96, 0], [224, 192, 128], [255, 255, 255]]);
    // Behind it the board keeps the answer's message through the phase timer's last tick, and
    // nothing there can be pressed; Esc closes nothing.
    const paints = () => page.$eval('#board', (canvas) => Number(canvas.dataset.paints));
    const before = await paints();
    await step(page, 500);
    assert.ok(await paints() > before, 'the last tick repaints');
    assert.equal(await said(page), '正解です');
    await shot(page, 'play-evaluation');
    for (let i = 0; i < 3; i += 1) {
        await page.keyboard.press('Escape');
    }
    await page.keyboard.press('s');
    await click(page, tool('スタート'));
    await click(page, `${EVALUATION} .push`);
    await page.waitForSelector(EVALUATION, { hidden: true });
    assert.ok(await page.$eval('#board', (canvas) => canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height)
        .data.every((v, i) => i % 4 === 3 || v === 0)), 'the board black after the game');
    assert.equal(await kept(page, 'record.csv'), `${HEADER}2026-03-01 10:00:09,10,4,1,2,1,47\r\n`);
});

// What the board shows at each change, from Start to the second question (the first answered
// 4.5 seconds in): each of the first two problems' squares (target first: w a character on black,
// W a white box, g green, "." black; see lib.mjs), and the message. The symbols stand three
// seconds, the boxes one, then the question; after the answer's two seconds the next problem
// comes at the next tick of the one-second phase. After 終了 nothing plays.
test('pacing and the end', async (browser, { url }) => {
    const page = await open(browser, url, { time: CLOCK }); // a first visit plays 9級: 3 symbols, 3 seconds
    const squares = [[14, 1], [9, 10], [5, 8], [19, 9], [10, 8], [2, 5]];
    const seen = [];
    await click(page, tool('スタート'));
    for (let t = 0; t <= 11500; t += 500) {
        if (t === 4500) {
            await clickSquare(page, 14, 1);
        }
        const now = `${await looks(page, squares)} ${await said(page)}`;
        if (now !== seen[seen.length - 1]?.[1]) {
            seen.push([t, now]);
        }
        await step(page, 500);
    }
    assert.deepEqual(seen, [[0, 'www... '], [3000, 'WWW... '], [4000, 'WWW... 「1」は何処ですか？'],
        [4500, 'gww... 正解です'], [7000, '...www '], [10000, '...WWW '], [11000, '...WWW 「J」は何処ですか？']]);

    // Nothing a player can reach is left of the board after 終了, here left while an answer's
    // message holds with a box chosen; whatever still reaches the board, nothing plays.
    await clickSquare(page, 19, 9);
    await page.keyboard.press('ArrowUp');
    assert.notEqual(await chosen(page), null, 'a box chosen');
    await click(page, tool('終了'));
    await page.waitForSelector('#ended', { visible: true });
    await page.waitForSelector('#window', { hidden: true });
    const record = await kept(page, 'record.csv');
    await page.$eval('#board', (board) => board.dispatchEvent(new KeyboardEvent('keydown', { key: 'Enter', bubbles: true })));
    await step(page, 5000);
    assert.deepEqual([await said(page), await kept(page, 'record.csv'), await page.$('dialog[open]')],
        ['正解です', record, null]);
});

// Each arrow key goes to the nearest box in its direction and stays where there is none; Enter
// and Space answer on the box chosen. 10級 is ten symbols, one second, two problems. From the
// first box in reading order, each key and the box chosen after it.
const ARROWS = [
    // "1" at (14, 1); a miss at (15, 14).
    [['Up', 6, 0], ['Right', 14, 1], ['Left', 6, 0], ['Down', 5, 8], ['Left', 5, 8], ['Right', 8, 8], ['Down', 9, 10],
        ['Up', 8, 8], ['Down', 9, 10], ['Right', 12, 12], ['Right', 15, 14], ['Right', 15, 14], ['Down', 15, 14]],
    // "J" at (19, 9), answered.
    [['Up', 2, 5], ['Down', 3, 8], ['Down', 0, 12], ['Left', 0, 12], ['Right', 10, 12], ['Up', 10, 8], ['Right', 14, 5],
        ['Right', 19, 9], ['Right', 19, 9]],
];

test('keyboard', async (browser, { url }) => {
    const files = { 'setdata.ini': settingsFile('10 1 2 0', '3 3 5 0', ...FACTORY_ROWS, '0') };
    const page = await open(browser, url, { time: CLOCK, files });
    const walk = async (problem) => {
        for (const [key, column, row] of ARROWS[problem]) {
            await page.keyboard.press(`Arrow${key}`);
            assert.deepEqual(await chosen(page), [column, row], `problem ${problem}: ${key} to (${column}, ${row})`);
        }
    };
    await page.keyboard.press('s');
    await step(page, 2000);
    await page.focus('#board');
    await walk(0);
    await shot(page, 'play-keyboard');
    await page.keyboard.press('Enter');
    assert.deepEqual([await said(page), await looks(page, [[15, 14]])], ['不正解です', 'r'], 'Enter answers');
    await step(page, 500);
    await clickSquare(page, 14, 1);
    await step(page, 4500);
    assert.equal(await said(page), '「J」は何処ですか？');
    await walk(1);
    await page.keyboard.press(' ');
    assert.deepEqual([await said(page), await looks(page, [[19, 9]])], ['正解です', 'g'], 'Space answers');
});
