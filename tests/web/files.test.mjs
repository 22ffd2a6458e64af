// The player's files and what the browser keeps: exported byte for byte as the Windows program
// writes them, and imported by its reading rules, checked against what the Windows program itself
// writes back after reading its own fixtures. A file that cannot be one is refused, and やめる
// keeps what was there; either way nothing changes. The kept record stays within its bound.
import assert from 'node:assert/strict';
import { existsSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import {
    CLOCK, FACTORY_ROWS, HEADER, HERE, ROOT, click, corpus, kept, open, playOne, ready, settingsFile, shot, test,
} from './lib.mjs';

const lines = (...values) => Buffer.from(values.map((v) => `${v}\r\n`).join(''));
const zeros = (count) => Array(count).fill(0);
const folder = mkdtempSync(join(tmpdir(), 'mabatakiban-files-'));
process.on('exit', () => rmSync(folder, { recursive: true, force: true }));
// 9級 a game of one problem of one symbol shown for a second.
const write = (name, bytes) => (writeFileSync(join(folder, name), bytes), join(folder, name));
const QUICK = { 'setdata.ini': settingsFile('3 3 3 0', '1 1 1 0', ...FACTORY_ROWS, '1') };

async function files(page) {
    await click(page, '#files');
    await page.waitForSelector('aria/ファイル[role="dialog"]');
}

async function exported(page, name) {
    const path = join(folder, name);
    rmSync(path, { force: true });
    await files(page);
    await click(page, `aria/${name} を書き出す[role="button"]`);
    for (const deadline = Date.now() + 20000; !existsSync(path) && Date.now() < deadline;) {
        await new Promise((resolve) => setImmediate(resolve));
    }
    await click(page, 'aria/閉じる[role="button"]');
    return readFileSync(path);
}

// Chooses path to import as name, answers the question with answer and closes the files
// dialog; resolves with what the page asked.
async function imported(page, name, path, answer) {
    await files(page);
    const [chooser] = await Promise.all([page.waitForFileChooser(), click(page, `aria/${name} を読み込む[role="button"]`)]);
    await chooser.accept([path]);
    await page.waitForSelector('dialog.message');
    const question = await page.$eval('dialog.message', (e) => e.innerText);
    await click(page, `aria/${answer}[role="button"]`);
    await page.waitForSelector('dialog.message', { hidden: true });
    await click(page, 'aria/閉じる[role="button"]');
    return question;
}

const both = (page) => Promise.all([kept(page, 'setdata.ini'), kept(page, 'record.csv')]);

test('files', async (browser, { url }) => {
    await browser.setDownloadBehavior({ policy: 'allow', downloadPath: folder });
    const page = await open(browser, url);
    // A first visit keeps the factory settings, as a first run of the Windows program writes them.
    assert.deepEqual(await exported(page, 'setdata.ini'), corpus('default.ini'));
    const written = {
        'lf.ini': corpus('default.ini'),
        'one-line.ini': corpus('default.ini'),
        'ctrl-z.ini': lines(3, 3, 3, 0, 3, 3, ...zeros(35)),
        'extremes.ini': lines(2147483647, -2147483648, 0, -1, -1981284353, 0, 0, 0, 0, 0, 42, 1,
            -2147483648, 2147483647, ...zeros(27)),
        'long-tokens.ini': lines(3, 3, 3, 0, 734294471, 1486618625, 7, 12, 5, ...zeros(32)),
    };
    for (const [fixture, bytes] of Object.entries(written)) {
        await imported(page, 'setdata.ini', join(ROOT, 'tests', 'fuzz', 'corpus', fixture), '置き換える');
        assert.deepEqual(await exported(page, 'setdata.ini'), bytes, fixture);
    }

    const record = join(HERE, 'record.csv');
    const question = await imported(page, 'record.csv', record, '置き換える');
    assert.match(question, /今の記録 0回を、「record\.csv」の記録 3回（最後は 2026-12-08 06:35:00）で置き換えます/);
    assert.deepEqual(await exported(page, 'record.csv'), readFileSync(record));

    // Refused: pictures, a text with one NUL byte (not text), files larger than any settings file
    // or record can be (64 KB and 16 MB). Answered with やめる: another settings file and record.
    const before = await both(page);
    for (const [name, path, reason] of [['setdata.ini', join(ROOT, 'resources', 'toolbar.bmp'), 'テキストのファイルではありません'],
        ['record.csv', join(ROOT, 'resources', 'rank1.bmp'), 'テキストのファイルではありません'],
        ['record.csv', write('nul.csv', `${HEADER}2026-03-01 10:00:00,10,4,1,2,1,4\x007\r\n`), 'テキストのファイルではありません'],
        ['setdata.ini', write('large.ini', '1 '.repeat(40000)), '大きすぎます（64 KB まで）'],
        ['record.csv', write('large.csv', Buffer.alloc(16 * 1024 * 1024 + 1, '1')), '大きすぎます（16,384 KB まで）']]) {
        const said = await imported(page, name, path, 'OK');
        assert.ok(said.includes(reason) && said.includes('今の設定と記録はそのままです'), `${path}: ${said}`);
    }
    await imported(page, 'setdata.ini', join(ROOT, 'tests', 'fuzz', 'corpus', 'extremes.ini'), 'やめる');
    await imported(page, 'record.csv', write('other.csv', `${HEADER}2026-03-01 10:00:00,10,4,1,2,1,47\r\n`), 'やめる');
    assert.deepEqual(await both(page), before);

    await page.reload();
    await ready(page);
    assert.deepEqual(await exported(page, 'setdata.ini'), written['long-tokens.ini']);
    assert.deepEqual(await exported(page, 'record.csv'), readFileSync(record));
});

// What the browser keeps of a record is at most 1 MB (1,048,576 bytes): the header and the newest
// whole lines that fit with it, whether the record was imported larger or grew there. Of 45,000
// games of 35 bytes that is, after the header's 50 bytes, the newest 29,957; with the next game's
// 34, the newest 29,956.
test('record bound', async (browser, { url }) => {
    const page = await open(browser, url, { time: CLOCK, files: QUICK });
    const date = (i) => new Date(Date.UTC(2020, 0, 1, 0, 0, i)).toISOString().slice(0, 19).replace('T', ' ');
    const games = Array.from({ length: 45000 }, (_, i) => `${date(i)},10,3,3,3,0,57\r\n`);
    const keeps = async (expected) => {
        const got = await kept(page, 'record.csv');
        assert.ok(got === expected, `kept ${got.length} bytes from ${got.slice(50, 70)} to ${got.slice(-36)}, not ${expected.length}`);
    };
    const question = await imported(page, 'record.csv', write('big.csv', HEADER + games.join('')), '置き換える');
    assert.ok(question.includes('大きな記録なので、新しいほうから 1024 KB 分だけを保存します'), question);
    await keeps(HEADER + games.slice(-29957).join(''));
    await playOne(page);
    await keeps(`${HEADER}${games.slice(-29956).join('')}2026-03-01 10:00:04,9,1,1,1,0,36\r\n`);
});
