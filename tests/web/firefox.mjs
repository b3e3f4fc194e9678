// The page in Firefox (Debian's firefox-esr, headless, over WebDriver BiDi):
// the window at its start (START_FAULTS), the sample game to its score, its
// steps' times printed (WATCH_DISPLAY) for run.py to judge, with what it
// plays recorded by run.py around it (RECORD, then a line on stdin each way), one refusal, and
// a group of 8 drawn (GROUP_DRAWN) and one of its pairs played, the phone
// arrangement at 390 px, with nothing thrown or logged as an error.
//   node firefox.mjs ORIGIN LAYOUT EXPECTED   (LAYOUT: tests/window.json's text; EXPECTED: the sample game's
//   score and digits and the refusal's text, from the tests' oracle; HOME must be writable; SHOT: the
//   phone's screenshot; GROUP: a group's link, what it draws and a pair's indexes and score, from the oracle)
import {readFileSync} from 'node:fs';
import {createInterface} from 'node:readline';
import puppeteer from 'puppeteer-core';

const [origin, layout, expected] = process.argv.slice(2);
const {score, digits, refusal} = JSON.parse(expected);
const phoneFaults = readFileSync(new URL('phone_faults.js', import.meta.url), 'utf8');
const check = (holds, message) => { if (!holds) throw new Error(message); };
const until = (page, condition) => page.waitForFunction(condition, {timeout: 60000});
// Says where it stands, and goes on when run.py answers.
const answers = createInterface({input: process.stdin})[Symbol.asyncIterator]();
const told = async what => { console.log(what); await answers.next(); };

const browser = await puppeteer.launch({browser: 'firefox', executablePath: '/usr/bin/firefox-esr', headless: true});
try {
  const page = await browser.newPage(), errors = [];
  page.on('console', message => ['error', 'warn'].includes(message.type()) && errors.push(message.text()));
  page.on('pageerror', error => errors.push(String(error)));
  const open = async () => { await page.goto(origin + '/'); await until(page, "performance.getEntriesByName('minukape-ready').length"); };
  await open();
  const wrong = await page.evaluate(`(${process.env.START_FAULTS})(${layout})`);
  check(wrong.length === 0, wrong.join('; '));
  console.log('PASS start');
  await page.evaluate(process.env.WATCH_DISPLAY);
  await told('RECORD');
  await page.click('#Command1');
  await until(page, `Text3.value == '${score}' && Text4.value == '${digits}'`);
  await told('SHOWN ' + JSON.stringify(await page.evaluate('[pressedAt, shown]')));
  console.log('PASS game');
  await page.click('#Text1');
  await page.keyboard.type('a');
  await until(page, `Refusal.open && RefusalText.textContent == '${refusal}'`);
  await page.keyboard.press('Enter');
  await until(page, "!Refusal.open && Text1.value == '' && Command1.disabled");
  console.log('PASS refusal');
  // A group of 8 by its link: drawn as the oracle has it, and a pair played out in the window.
  const group = JSON.parse(process.env.GROUP);
  await page.goto(origin + '/' + group.link);
  await until(page, 'GroupRanking.children.length');
  const drawn = await page.evaluate(`(${process.env.GROUP_DRAWN})()`);
  check(JSON.stringify(drawn) === JSON.stringify(group.drawn), `the group is drawn as ${JSON.stringify(drawn)}`);
  await page.click(`#GroupRanking [data-first="${group.pair[0]}"][data-second="${group.pair[1]}"]`);
  await until(page, `Text3.value == '${group.pair[2]}'`);
  console.log('PASS group');
  await page.setViewport({width: 390, height: 844});
  await open();
  const faults = await page.evaluate(`(${phoneFaults})(${layout})`);
  check(faults.length === 0, faults.join('; '));
  await page.screenshot({path: process.env.SHOT});
  console.log('PASS phone');
  check(errors.length === 0, `logged: ${errors.join('; ')}`);
} finally {
  await browser.close();
}
