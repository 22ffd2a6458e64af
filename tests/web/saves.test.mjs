// What the browser keeps, when it will and when it will not: a refused save is told once and costs
// no press; a text file without a number is no settings file; settings stored in one tab are the
// other tab's, from its next game on.
import assert from 'node:assert/strict';
import { join } from 'node:path';
import { CLOCK, HERE, click, kept, oneSymbolAt9, open, test, until, untilSaid } from './lib.mjs';

const notices = (page) => page.$eval('#notices', (e) => (e.hidden ? [] : [...e.children].map((line) => line.textContent)));
const label = (page) => page.$eval('#board', (e) => e.getAttribute('aria-label'));

await test('refused save', async (browser, { url }) => {
    const page = await browser.newPage();
    await page.evaluateOnNewDocument(() => {
        Storage.prototype.setItem = () => {
            throw new DOMException('The quota has been exceeded.', 'QuotaExceededError');
        };
    });
    await page.goto(url);
    await page.waitForSelector('html[data-ready]');
    // A first visit saves its settings at once: told in a line, with no dialog in the way.
    assert.match((await notices(page)).join(), /^保存できません：このブラウザに setdata\.ini を保存できませんでした[^,]*$/);
    assert.equal(await page.$('dialog[open]'), null);
    // The first press of Start starts the game; the line waits while it is on. Another refusal
    // (the grade chosen) is not told again.
    await click(page, '#toolbar button[aria-label="スタート"]');
    await until(page, () => document.getElementById('live').textContent.endsWith('は何処ですか？'));
    assert.deepEqual(await notices(page), []);
    await click(page, '#toolbar button[aria-label="ゲーム設定"]');
    await page.select('dialog[open] select', '0:10級');
    await click(page, 'aria/ＯＫ[role="button"]');
    assert.equal(await page.$$eval('#notices .notice', (lines) => lines.length), 1);
    await click(page, '#toolbar button[aria-label="終了"]');
    assert.equal(await page.$eval('#ended .lost', (e) => !e.hidden && e.textContent),
        '設定と記録を、このブラウザに保存できませんでした。今回の変更は、このページを閉じると失われます。');
});

await test('settings between tabs', async (browser, { url }) => {
    const options = { clock: CLOCK, files: { 'setdata.ini': oneSymbolAt9(0) } };
    const [one, other] = [await open(browser, url, options), await open(browser, url, options)];
    // The other tab's game of 10級 (three symbols) begins; here, another program's .ini is
    // refused, then 9級 chosen.
    await other.bringToFront();
    await click(other, '#toolbar button[aria-label="スタート"]');
    await one.bringToFront();
    await click(one, '#files');
    const [chooser] = await Promise.all([one.waitForFileChooser(), click(one, 'aria/setdata.ini を読み込む[role="button"]')]);
    await chooser.accept([join(HERE, 'desktop.ini')]);
    assert.equal(await (await one.waitForSelector('dialog.message .body')).evaluate((e) => e.innerText.replace(/\n+/g, '\n')),
        '「desktop.ini」はsetdata.iniとして読み込めません：設定のファイルではありません（数がひとつもありません）。\n今の設定と記録はそのままです。');
    await click(one, 'aria/OK[role="button"]');
    await click(one, 'aria/閉じる[role="button"]');
    assert.equal(await kept(one, 'setdata.ini'), oneSymbolAt9(0));
    await click(one, '#toolbar button[aria-label="ゲーム設定"]');
    await one.select('dialog[open] select', '1:９級');
    await click(one, 'aria/ＯＫ[role="button"]');
    // There the game goes on as it began, with the keyboard's three boxes to choose from; the
    // next is one of 9級.
    await other.bringToFront();
    await untilSaid(other, '「1」は何処ですか？');
    await other.focus('#board');
    await other.keyboard.press('ArrowRight');
    assert.match(await label(other), /^盤：3個の箱/);
    await click(other, '#toolbar button[aria-label="スタート"]');
    await until(other, () => document.getElementById('board').getAttribute('aria-label') === '盤');
    await until(other, () => document.getElementById('board').getAttribute('aria-label') !== '盤');
    assert.match(await label(other), /^盤：1個の箱/);
    await other.focus('#board');
    await other.keyboard.press('Enter');
    await until(other, () => localStorage.getItem('mabatakiban/record.csv')?.endsWith(',9,1,1,1,0,36\r\n'));
    assert.deepEqual([...one.errors, ...other.errors], []);
});
