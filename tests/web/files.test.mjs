// The player's files: exported byte for byte as the Windows program writes them, and imported by
// its reading rules, checked against what the Windows program itself writes back after reading
// its own fixtures. A file that cannot be one is refused and changes nothing; what the page
// keeps survives a reload.
import assert from 'node:assert/strict';
import { existsSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { HERE, ROOT, click, corpus, kept, open, ready, shot, test } from './lib.mjs';

const lines = (...values) => Buffer.from(values.map((v) => `${v}\r\n`).join(''));
const zeros = (count) => Array(count).fill(0);

test('files', async (browser, { url }) => {
    const page = await open(browser, url);
    const folder = mkdtempSync(join(tmpdir(), 'mabatakiban-files-'));
    const session = await page.createCDPSession();
    await session.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: folder });

    const files = async () => {
        await click(page, '#files');
        await page.waitForSelector('aria/ファイル[role="dialog"]');
    };
    const exported = async (name) => {
        const path = join(folder, name);
        rmSync(path, { force: true });
        await files();
        await click(page, `aria/${name} を書き出す[role="button"]`);
        for (const deadline = Date.now() + 20000; !existsSync(path) && Date.now() < deadline;) {
            await new Promise((resolve) => setImmediate(resolve));
        }
        await click(page, 'aria/閉じる[role="button"]');
        return readFileSync(path);
    };
    // Chooses path to import as name; resolves with what the page then says.
    const imported = async (name, path) => {
        await files();
        const [chooser] = await Promise.all([page.waitForFileChooser(),
            click(page, `aria/${name} を読み込む[role="button"]`)]);
        await chooser.accept([path]);
        await page.waitForSelector('dialog.message');
        return page.$eval('dialog.message', (e) => e.innerText);
    };
    const replace = async (name, path) => {
        await imported(name, path);
        await click(page, 'aria/置き換える[role="button"]');
        await page.waitForSelector('dialog.message', { hidden: true });
        await click(page, 'aria/閉じる[role="button"]');
    };

    // A first visit keeps the factory settings, as a first run of the Windows program writes them.
    assert.deepEqual(await exported('setdata.ini'), corpus('default.ini'));
    const written = {
        'lf.ini': corpus('default.ini'),
        'one-line.ini': corpus('default.ini'),
        'ctrl-z.ini': lines(3, 3, 3, 0, 3, 3, ...zeros(35)),
        'extremes.ini': lines(2147483647, -2147483648, 0, -1, -1981284353, 0, 0, 0, 0, 0, 42, 1,
            -2147483648, 2147483647, ...zeros(27)),
        'long-tokens.ini': lines(3, 3, 3, 0, 734294471, 1486618625, 7, 12, 5, ...zeros(32)),
    };
    for (const [fixture, bytes] of Object.entries(written)) {
        await replace('setdata.ini', join(ROOT, 'tests', 'fuzz', 'corpus', fixture));
        assert.deepEqual(await exported('setdata.ini'), bytes, fixture);
    }

    const record = join(HERE, 'record.csv');
    const question = await imported('record.csv', record);
    assert.match(question, /今の記録 0回を、「record\.csv」の記録 3回（最後は 2026-12-08 06:35:00）で置き換えます/);
    await shot(page, 'files-import');
    await click(page, 'aria/置き換える[role="button"]');
    await page.waitForSelector('dialog.message', { hidden: true });
    await click(page, 'aria/閉じる[role="button"]');
    assert.deepEqual(await exported('record.csv'), readFileSync(record));

    // Refused: a picture (not text), and a file larger than any settings file can be.
    const before = [await kept(page, 'setdata.ini'), await kept(page, 'record.csv')];
    const large = join(folder, 'large.ini');
    writeFileSync(large, '1 '.repeat(40000));
    for (const [name, path, reason] of [['setdata.ini', join(ROOT, 'resources', 'toolbar.bmp'), 'テキストのファイルではありません'],
        ['record.csv', join(ROOT, 'resources', 'rank1.bmp'), 'テキストのファイルではありません'],
        ['setdata.ini', large, '大きすぎます']]) {
        const said = await imported(name, path);
        assert.ok(said.includes(reason) && said.includes('今の設定と記録はそのままです'), said);
        await click(page, 'aria/OK[role="button"]');
        await click(page, 'aria/閉じる[role="button"]');
    }
    assert.deepEqual([await kept(page, 'setdata.ini'), await kept(page, 'record.csv')], before);

    await page.reload();
    await ready(page);
    assert.deepEqual(await exported('setdata.ini'), written['long-tokens.ini']);
    assert.deepEqual(await exported('record.csv'), readFileSync(record));
    rmSync(folder, { recursive: true, force: true });
    assert.deepEqual(page.errors, []);
});
