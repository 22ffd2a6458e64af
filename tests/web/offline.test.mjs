// After a first visit the page opens, plays and shows its help page with no network at all.
import assert from 'node:assert/strict';
import { click, open, ready, test, until } from './lib.mjs';

test('offline', async (browser, site) => {
    const page = await open(browser, site.url);
    await until(page, () => navigator.serviceWorker.controller !== null);
    site.stop();
    await page.setOfflineMode(true);
    await page.reload();
    await ready(page);
    // The toolbar's pictures came from the kept copy too.
    await until(page, () => document.querySelector('#toolbar canvas').getContext('2d').getImageData(8, 8, 1, 1).data[3] === 255);
    await click(page, '#toolbar button[aria-label="スタート"]');
    await until(page, () => {
        const canvas = document.getElementById('board');
        return canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data.some((v, i) => i % 4 !== 3 && v === 255);
    });
    await click(page, '#toolbar button[aria-label="Webヘルプ"]');
    await until(page, () => document.querySelector('dialog[open] iframe')?.srcdoc.includes('<section id="record">'));
    assert.deepEqual(page.errors, []);
});
