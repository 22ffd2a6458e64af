// A player at a desktop browser with the toolbar and the dialogs: the buttons and their tips,
// both settings dialogs with typed values and the settings file they store, the help page with
// the record, the About dialog, and a reload that keeps everything.
import assert from 'node:assert/strict';
import { FACTORY_ROWS, HEADER, click, kept, open, ready, settingsFile, shot, test, tool, until } from './lib.mjs';

const dialog = (caption) => `aria/${caption}[role="dialog"]`;
const field = (name) => `aria/${name}[role="textbox"]`;

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

test('dialogs', async (browser, { url }) => {
    const files = { 'record.csv': `${HEADER}2026-03-01 10:00:00,10,4,1,2,1,47\r\n` };
    const page = await open(browser, url, { files });
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
    for (let i = 0; i < 3; i += 1) {
        await page.keyboard.press('Escape');
    }
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
    await shot(page, 'dialogs-settings');
    await click(page, 'aria/ＯＫ[role="button"]');
    await closed(page, 'ゲーム設定');
    assert.equal(await kept(page, 'setdata.ini'), settingsFile('4 1 2 0', '123456789 3 5 0', ...FACTORY_ROWS, '0'));

    // The help page with the record, and the About dialog.
    const row = '<tr><th>10級</th><td>1</td><td>47</td><td>2026-03-01</td><td>47</td><td>2026-03-01</td></tr>';
    const helpShows = async (text) => {
        await click(page, tool('Webヘルプ'));
        await until(page, (t) => document.querySelector('dialog[open] iframe')?.srcdoc.includes(t), text);
        await shot(page, 'dialogs-help');
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
    // A build that names no home page shows the game's own help there.
    await click(page, tool('ホームページ'));
    await until(page, (t) => document.querySelector('dialog[open] iframe')?.srcdoc.includes(t), row);
    await click(page, 'aria/閉じる[role="button"]');
    // Every line of the About dialog, its credits the page's own.
    await click(page, tool('バージョン'));
    await page.waitForSelector(dialog('このソフトについて'));
    const about = await page.$$eval('dialog[open] .client > *', (all) => all.map((e) => e.textContent));
    assert.deepEqual(about, ['', '制作：まばたきばん制作室', 'InterFace : HTML5 Canvas', 'ホームページ：ゲーム内のヘルプ',
        'Compiler : clang WebAssembly', '閉じる', 'バージョン１．２０', 'わすれないでね', '画面に出てくる数字を憶えるゲーム']);
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
});
