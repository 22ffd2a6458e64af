// The keyboard in the dialogs: Tab and Shift+Tab go round the controls of the dialog on top, the
// detailed settings over the game settings, and never out to the page; wherever the focus is, a
// ring of two pixels in black shows it (around a radio button's or a drop-down list's box).
import assert from 'node:assert/strict';
import { click, open, test } from './lib.mjs';

await test('focus', async (browser, { url }) => {
    const page = await open(browser, url);
    await click(page, '#toolbar button[aria-label="ゲーム設定"]');
    await click(page, 'aria/詳細設定[role="button"]');
    for (const shift of [false, true]) {
        const seen = new Set();
        for (let i = 0; i < 20; i += 1) {
            await (shift ? page.keyboard.down('Shift') : null);
            await page.keyboard.press('Tab');
            await page.keyboard.up('Shift');
            seen.add(await page.evaluate(() => {
                const e = document.activeElement;
                const ring = getComputedStyle(e.closest('.radio, .combo') ?? e);
                const within = [...document.querySelectorAll('dialog[open]')].pop().contains(e) && !e.classList.contains('guard');
                return `${e.getAttribute('aria-label') ?? e.closest('label')?.textContent ?? e.textContent}${within ? '' : ' outside'}: `
                    + `${ring.outlineStyle} ${ring.outlineWidth} ${ring.outlineColor}`;
            }));
        }
        // The close box, the three fields with their lists, the chosen grade and OK.
        assert.deepEqual([...seen].sort(), ['ＯＫ', '一覧', '文字の数', '表示時間', 'トライ回数', '閉じる', '１０級']
            .map((name) => `${name}: solid 2px rgb(0, 0, 0)`).sort(), `shift ${shift}`);
    }
    assert.deepEqual(page.errors, []);
});
