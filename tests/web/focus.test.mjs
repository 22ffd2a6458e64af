// The keyboard in the dialogs: Tab and Shift+Tab go round the controls of the dialog on top, the
// detailed settings over the game settings, and never out to the page; wherever the focus is, a
// ring of two pixels in black shows it.
import assert from 'node:assert/strict';
import { click, open, test } from './lib.mjs';

await test('focus', async (browser, { url }) => {
    const page = await open(browser, url);
    await click(page, '#toolbar button[aria-label="ゲーム設定"]');
    await click(page, 'aria/詳細設定[role="button"]');
    await page.waitForSelector('aria/詳細設定[role="dialog"]');
    // What has the focus, whether it is in the dialog on top, and the ring around it (drawn on
    // a radio button's or a drop-down list's box for what is inside).
    const focused = () => page.evaluate(() => {
        const e = document.activeElement;
        const top = [...document.querySelectorAll('dialog[open]')].pop();
        const ring = getComputedStyle(e.closest('.radio, .combo') ?? e);
        return {
            name: e.getAttribute('aria-label') ?? e.closest('label')?.textContent ?? e.textContent,
            inTop: top.contains(e) && !e.classList.contains('guard'),
            ring: `${ring.outlineStyle} ${ring.outlineWidth} ${ring.outlineColor}`,
        };
    });
    for (const key of ['Tab', 'Shift+Tab']) {
        const seen = new Set();
        for (let i = 0; i < 20; i += 1) {
            if (key === 'Shift+Tab') {
                await page.keyboard.down('Shift');
            }
            await page.keyboard.press('Tab');
            await page.keyboard.up('Shift');
            const { name, inTop, ring } = await focused();
            assert.ok(inTop, `${key} ${i}: the focus left the dialog for ${name}`);
            assert.equal(ring, 'solid 2px rgb(0, 0, 0)', `${key} ${i}: ${name}`);
            seen.add(name);
        }
        // The close box, the three fields with their lists, the chosen grade and OK.
        assert.deepEqual([...seen].sort(), ['ＯＫ', '一覧', '文字の数', '表示時間', 'トライ回数', '閉じる', '１０級'].sort(), key);
    }
    assert.deepEqual(page.errors, []);
});
