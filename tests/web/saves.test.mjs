// What the browser keeps, when it will and when it will not: a refused save is told once and costs
// no press; settings stored in one tab are the other tab's, from its next game on; a text file
// without a number is no settings file.
import assert from 'node:assert/strict';
import { mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { click, kept, open, test, until, untilSaid } from './lib.mjs';

const CLOCK = Date.UTC(2026, 2, 1, 1, 0, 0);
const EVALUATION = 'aria/あなたの脳レベルの評価[role="dialog"]';
// 9級 is one problem of one symbol shown for a second: with Date standing still, its target is at
// (14, 1). The grade chosen is 10級: three of each.
const ROWS = [3, 3, 3, 0, 1, 1, 1, 0, 3, 3, 7, 0, 3, 3, 9, 0, 5, 3, 5, 0, 5, 3, 9, 0, 7, 3, 5, 0, 7, 2, 9, 0, 9, 2, 9, 0, 9, 1, 9, 0, 0];
const SETTINGS = ROWS.map((v) => `${v}\r\n`).join('');
const notices = (page) => page.$eval('#notices', (e) => (e.hidden ? [] : [...e.children].map((line) => line.textContent)));

await test('refused save', async (browser, { url }) => {
    const page = await browser.newPage();
    await page.evaluateOnNewDocument(() => {
        Storage.prototype.setItem = () => {
            throw new DOMException('The quota has been exceeded.', 'QuotaExceededError');
        };
    });
    const errors = [];
    page.on('pageerror', (error) => errors.push(error));
    await page.goto(url);
    await page.waitForSelector('html[data-ready]');
    // A first visit saves its settings at once: told in a line, with no dialog in the way.
    const said = await notices(page);
    assert.equal(said.length, 1);
    assert.match(said[0], /^保存できません：このブラウザに setdata\.ini を保存できませんでした/);
    assert.equal(await page.$('dialog[open]'), null);
    // The first press of Start starts the game; the line waits while it is on. Another refusal
    // (the grade chosen) is not told again.
    await click(page, '#toolbar button[aria-label="スタート"]');
    await until(page, () => document.getElementById('live').textContent.endsWith('は何処ですか？'));
    assert.deepEqual(await notices(page), []);
    await click(page, '#toolbar button[aria-label="ゲーム設定"]');
    await page.select('dialog[open] select', '0:10級');
    await click(page, 'aria/ＯＫ[role="button"]');
    await page.waitForSelector('dialog[open]', { hidden: true });
    assert.equal(await page.$$eval('#notices .notice', (lines) => lines.length), 1);
    await click(page, '#toolbar button[aria-label="終了"]');
    await page.waitForSelector('#ended', { visible: true });
    assert.equal(await page.$eval('#ended .lost', (e) => !e.hidden && e.textContent), '設定と記録を、このブラウザに保存できませんでした。今回の変更は、このページを閉じると失われます。');
    assert.deepEqual(errors, []);
});

await test('settings between tabs', async (browser, { url }) => {
    const options = { clock: CLOCK, files: { 'setdata.ini': SETTINGS } };
    const one = await open(browser, url, options);
    const other = await open(browser, url, options);
    // The other tab's game of 10級 goes on as it began when this tab chooses 9級; its next game
    // is one of 9級.
    await other.bringToFront();
    await click(other, '#toolbar button[aria-label="スタート"]');
    await one.bringToFront();
    await click(one, '#toolbar button[aria-label="ゲーム設定"]');
    await one.select('dialog[open] select', '1:９級');
    await click(one, 'aria/ＯＫ[role="button"]');
    await one.waitForSelector('dialog[open]', { hidden: true });
    await other.bringToFront();
    // With the keyboard in use the board tells how many boxes there are to choose from.
    const label = () => other.$eval('#board', (e) => e.getAttribute('aria-label'));
    await untilSaid(other, '「1」は何処ですか？');
    await other.focus('#board');
    await other.keyboard.press('ArrowRight');
    assert.match(await label(), /^盤：3個の箱/);
    await click(other, '#toolbar button[aria-label="スタート"]');
    await until(other, () => document.getElementById('board').getAttribute('aria-label') === '盤');
    await until(other, () => document.getElementById('board').getAttribute('aria-label') !== '盤');
    assert.match(await label(), /^盤：1個の箱/);
    await other.focus('#board');
    await other.keyboard.press('Enter');
    await other.waitForSelector(EVALUATION);
    const record = (await kept(other, 'record.csv')).split('\r\n');
    assert.equal(record[1], '2026-03-01 10:00:00,9,1,1,1,0,36');
    await click(other, 'aria/OK[role="button"]');
    await click(other, '#toolbar button[aria-label="ゲーム設定"]');
    assert.equal(await other.$eval('dialog[open] input', (e) => e.value), '1:９級');
    assert.deepEqual([...one.errors, ...other.errors], []);
});

await test('not a settings file', async (browser, { url }) => {
    const page = await open(browser, url, { files: { 'setdata.ini': SETTINGS } });
    const folder = mkdtempSync(join(tmpdir(), 'mabatakiban-ini-'));
    const other = join(folder, 'desktop.ini');
    writeFileSync(other, '[.ShellClassInfo]\r\nIconResource=C:\\Windows\\System32\\imageres.dll,-3\r\n');
    await click(page, '#files');
    const [chooser] = await Promise.all([page.waitForFileChooser(), click(page, 'aria/setdata.ini を読み込む[role="button"]')]);
    await chooser.accept([other]);
    await page.waitForSelector('dialog.message');
    assert.equal(await page.$eval('dialog.message .body', (e) => e.innerText.replace(/\n+/g, '\n')),
        '「desktop.ini」はsetdata.iniとして読み込めません：設定のファイルではありません（数がひとつもありません）。\n今の設定と記録はそのままです。');
    await click(page, 'aria/OK[role="button"]');
    assert.equal(await kept(page, 'setdata.ini'), SETTINGS);
    rmSync(folder, { recursive: true, force: true });
    assert.deepEqual(page.errors, []);
});
