// A player at a desktop browser, with the mouse and the keyboard: the toolbar, both settings
// dialogs with typed values, a whole game that follows them, the evaluation over the board, the
// record and the help page that shows it, the About dialog, a reload that keeps everything, and
// the end. Date stands still at 2026-03-01 10:00:00 in Tokyo: every game has the problems of that
// second, whose first two are
//   0: target "1" at (14, 1); others (9, 10), (5, 8), (6, 0), ...
//   1: target "J" at (19, 9); others (10, 8), (2, 5), (14, 5), ...
import assert from 'node:assert/strict';
import { click, kept, open, ready, shot, square, squareShows, test, until, untilSaid } from './lib.mjs';

const CLOCK = Date.UTC(2026, 2, 1, 1, 0, 0);
const tool = (name) => `#toolbar button[aria-label="${name}"]`;
const dialog = (caption) => `aria/${caption}[role="dialog"]`;
const field = (name) => `aria/${name}[role="textbox"]`;
const FACTORY_ROWS = ['3 3 7 0', '3 3 9 0', '5 3 5 0', '5 3 9 0', '7 3 5 0', '7 2 9 0', '9 2 9 0', '9 1 9 0'];

async function retype(page, selector, text) {
    await click(page, selector);
    await page.keyboard.down('Control');
    await page.keyboard.press('a');
    await page.keyboard.up('Control');
    await page.keyboard.type(text);
}

const value = (page, selector) => page.$eval(selector, (e) => e.value);
const fields = (page) => Promise.all(['文字の数', '表示時間', 'トライ回数'].map((name) => value(page, field(name))));
const closed = (page, caption) => page.waitForSelector(dialog(caption), { hidden: true });

async function clickSquare(page, column, row) {
    const { x, y } = await square(page, column, row);
    await page.mouse.click(x, y);
}

test('game', async (browser, { url }) => {
    const page = await open(browser, url, { clock: CLOCK });
    const buttons = (node) => [...(node.role === 'button' ? [node.name] : []), ...(node.children ?? []).flatMap(buttons)];
    const names = buttons(await page.accessibility.snapshot());
    assert.deepEqual(names, ['スタート', 'スタート', 'ゲーム設定', 'バージョン', 'Webヘルプ', 'ホームページ', '終了', 'ファイル']);
    await page.hover(tool('Webヘルプ'));
    await until(page, () => document.getElementById('tooltip')?.textContent === 'Webヘルプ');

    // The game settings: a first visit plays 9級. OK takes the grade the text's first byte
    // names (a full-width digit's is 0x82: 8級); the close box keeps the grade.
    await click(page, tool('ゲーム設定'));
    assert.equal(await value(page, field('級')), '1:９級');
    assert.deepEqual(await page.$$eval('dialog[open] option', (o) => o.map((e) => e.textContent)),
        ['0:10級', '1:９級', '2:８級', '3:７級', '4:６級', '5:５級', '6:４級', '7:３級', '8:２級', '9:１級']);
    await retype(page, field('級'), '１級');
    await click(page, 'aria/ＯＫ[role="button"]');
    await closed(page, 'ゲーム設定');
    await click(page, tool('ゲーム設定'));
    assert.equal(await value(page, field('級')), '2:８級');
    await page.select('dialog[open] select', '5:５級');
    assert.equal(await value(page, field('級')), '5:５級');
    const escape = async () => {
        for (let i = 0; i < 3; i += 1) {
            await page.keyboard.press('Escape');
        }
    };
    await escape();
    await click(page, 'aria/閉じる[role="button"]');
    await closed(page, 'ゲーム設定');
    await click(page, tool('ゲーム設定'));
    assert.equal(await value(page, field('級')), '2:８級');

    // The detailed settings open on 10級. A grade's button stores the typed fields, read as the
    // Windows program reads them (nine bytes, leading digits), into the grade shown; the close box
    // drops what was typed since.
    await click(page, 'aria/詳細設定[role="button"]');
    await page.waitForSelector(dialog('詳細設定'));
    assert.deepEqual(await fields(page), ['3', '3', '3']);
    assert.equal(await page.$eval('aria/１０級[role="radio"]', (e) => e.checked), true);
    await retype(page, field('文字の数'), ' 4x');
    await retype(page, field('表示時間'), '1');
    await retype(page, field('トライ回数'), '2');
    await click(page, 'aria/９級[role="radio"]');
    assert.deepEqual(await fields(page), ['3', '3', '5']);
    await retype(page, field('文字の数'), '1234567890');
    await click(page, 'aria/１０級[role="radio"]');
    assert.deepEqual(await fields(page), ['4', '1', '2']);
    await click(page, 'aria/９級[role="radio"]');
    assert.deepEqual(await fields(page), ['123456789', '3', '5']);
    await retype(page, field('文字の数'), '7');
    await page.keyboard.press('Enter');
    await click(page, 'aria/閉じる[role="button"]');
    await closed(page, '詳細設定');
    await page.select('dialog[open] select', '0:10級');
    await shot(page, 'game-settings');
    await click(page, 'aria/ＯＫ[role="button"]');
    await closed(page, 'ゲーム設定');
    assert.equal(await kept(page, 'setdata.ini'),
        `${['4 1 2 0', '123456789 3 5 0', ...FACTORY_ROWS, '0'].join(' ').replaceAll(' ', '\r\n')}\r\n`);

    // 10級 is now four symbols, one second, two problems: a miss, then both targets.
    await click(page, tool('スタート'));
    await untilSaid(page, '「1」は何処ですか？');
    await shot(page, 'game-question');
    await clickSquare(page, 9, 10);
    await untilSaid(page, '不正解です');
    assert.ok(await squareShows(page, 9, 10, [255, 0, 0]), 'the miss in red');
    await clickSquare(page, 14, 1);
    await untilSaid(page, '正解です');
    assert.ok(await squareShows(page, 14, 1, [0, 255, 0]), 'the target in green');
    await untilSaid(page, '「J」は何処ですか？');
    await clickSquare(page, 19, 9);
    await page.waitForSelector(dialog('あなたの脳レベルの評価'));
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
    const paints = await page.$eval('#board', (canvas) => Number(canvas.dataset.paints));
    await until(page, (p) => Number(document.getElementById('board').dataset.paints) > p, paints);
    assert.equal(await page.$eval('#live', (e) => e.textContent), '正解です');
    await shot(page, 'game-evaluation');
    await escape();
    await page.keyboard.press('s');
    await click(page, tool('スタート'));
    await click(page, 'aria/OK[role="button"]');
    await closed(page, 'あなたの脳レベルの評価');
    await until(page, () => {
        const canvas = document.getElementById('board');
        return canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data.every((v, i) => i % 4 === 3 || v === 0);
    });
    assert.equal(await kept(page, 'record.csv'),
        'date,grade,symbols,seconds,problems,misses,total\r\n2026-03-01 10:00:00,10,4,1,2,1,47\r\n');

    // The help page with the record, and the About dialog.
    const row = '<tr><th>10級</th><td>1</td><td>47</td><td>2026-03-01</td><td>47</td><td>2026-03-01</td></tr>';
    const helpShows = async (text) => {
        await click(page, tool('Webヘルプ'));
        await until(page, (t) => document.querySelector('dialog[open] iframe')?.srcdoc.includes(t), text);
        await shot(page, 'game-help');
        await click(page, 'aria/閉じる[role="button"]');
    };
    await helpShows(row);
    // Its links lead to its own parts.
    await click(page, tool('Webヘルプ'));
    await until(page, () => document.querySelector('dialog[open] iframe')?.srcdoc);
    const help = page.frames().find((frame) => frame.url() === 'about:srcdoc');
    await help.click('a[href="#grades"]');
    await until(help, () => scrollY > 0 && document.getElementById('grades') !== null);
    await click(page, 'aria/閉じる[role="button"]');
    await click(page, tool('バージョン'));
    await page.waitForSelector(dialog('このソフトについて'));
    const about = await page.$eval('dialog[open] .client', (e) => e.innerText);
    for (const text of ['わすれないでね', 'バージョン１．２０', '画面に出てくる数字を憶えるゲーム']) {
        assert.ok(about.includes(text), `About: ${about}`);
    }
    await click(page, 'dialog[open] .client button');
    await closed(page, 'このソフトについて');

    // A reload keeps the settings and the record.
    await page.reload();
    await ready(page);
    await click(page, tool('ゲーム設定'));
    assert.equal(await value(page, field('級')), '0:10級');
    await click(page, 'aria/詳細設定[role="button"]');
    assert.deepEqual(await fields(page), ['4', '1', '2']);
    await click(page, 'aria/閉じる[role="button"]');
    await closed(page, '詳細設定');
    await click(page, 'aria/閉じる[role="button"]');
    await closed(page, 'ゲーム設定');
    await helpShows(row);

    await click(page, tool('終了'));
    await page.waitForSelector('#ended', { visible: true });
    await page.waitForSelector('#window', { hidden: true });
    assert.deepEqual(page.errors, []);
});
