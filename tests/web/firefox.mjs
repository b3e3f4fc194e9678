// The page in Firefox (Debian's firefox-esr, headless, over WebDriver BiDi):
// the sample game to 38, one refusal, and the phone arrangement at 390 px,
// with nothing thrown or logged as an error.
//   node firefox.mjs ORIGIN LAYOUT_JSON   (HOME must be writable)
import {readFileSync} from 'node:fs';
import puppeteer from 'puppeteer-core';

const [origin, layoutFile] = process.argv.slice(2);
const layout = JSON.parse(readFileSync(layoutFile, 'utf8'));
const phoneFaults = readFileSync(new URL('phone_faults.js', import.meta.url), 'utf8');
const REFUSAL = 'ひらがな50音のみで入力してね。';

function check(condition, message) {
  if (!condition)
    throw new Error(message);
}

async function open(page) {
  await page.goto(origin + '/');
  await page.waitForFunction("performance.getEntriesByName('minukape-ready').length > 0", {timeout: 60000});
}

const value = (page, id) => page.$eval('#' + id, e => e.value);

async function game(page) {
  await open(page);
  await page.click('#Command1');
  await page.waitForFunction("Text3.value == '38'", {timeout: 60000});
  check(await value(page, 'Text4') === '332115111153', 'the digits in Text4');
  console.log('PASS game');
}

async function refusal(page) {
  await page.click('#Text1');
  await page.keyboard.type('a');
  await page.waitForFunction('Refusal.open', {timeout: 10000});
  check(await page.$eval('#RefusalText', e => e.textContent) === REFUSAL, 'the refusal says something else');
  await page.keyboard.press('Enter');
  await page.waitForFunction('!Refusal.open', {timeout: 10000});
  check(await value(page, 'Text1') === '' && await page.$eval('#Command1', e => e.disabled),
        'the box is not emptied, or the button is on');
  console.log('PASS refusal');
}

async function phone(page) {
  await page.setViewport({width: 390, height: 844, isMobile: true, hasTouch: true});
  await open(page);
  const faults = await page.evaluate(`(${phoneFaults})(${JSON.stringify(layout)})`);
  check(faults.length === 0, faults.join('; '));
  await page.screenshot({path: process.env.SHOT});
  console.log('PASS phone');
}

const browser = await puppeteer.launch({browser: 'firefox', executablePath: '/usr/bin/firefox-esr', headless: true});
const errors = [];
try {
  const page = await browser.newPage();
  page.on('console', message => ['error', 'warn'].includes(message.type()) && errors.push(message.text()));
  page.on('pageerror', error => errors.push(String(error)));
  await game(page);
  await refusal(page);
  await phone(page);
  check(errors.length === 0, `logged: ${errors.join('; ')}`);
} finally {
  await browser.close();
}
