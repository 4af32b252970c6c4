'use strict';
// The web requests in headless Chromium: starts the test server on
// loopback serving the probe page (probe.cpp built with emscripten into
// <folder>/index.html), loads it, and checks what each command gave.
//   NODE_PATH=<tests/web/node_modules> node check.js <folder>
// Exits 1 on any failure. Every wait is bounded.
const { chromium } = require('playwright-core');
const { spawn } = require('child_process');
const path = require('path');

const folder = path.resolve(process.argv[2] || '');
const server = path.join(__dirname, '..', 'http_test_server.py');
const WAIT_MS = 60000;

const expected = [
  /^get \/hello: status 200, 5 bytes, \[hello\]$/,
  /^requests started, 5 waiting$/,
  /^\/missing: status 404, 8 bytes, \[not here\]$/,
  /^\/redirect\/2: status 200, 7 bytes, \[arrived\]$/,
  /^\/bytes: status 200, 256 bytes/,
  /^\/size\/4194305: status -1, 0 bytes/,
  /^\/stream\/4194305: status -1, 0 bytes/,
  /^get ftp: status -1, 0 bytes/,
];

function startServer() {
  return new Promise((resolve, reject) => {
    const child = spawn('python3', [server, '--files', folder], { stdio: ['ignore', 'pipe', 'inherit'] });
    let out = '';
    const timer = setTimeout(() => reject(new Error('the test server did not start')), 10000);
    child.stdout.on('data', (data) => {
      out += data;
      const port = /port (\d+)\nready/.exec(out);
      if (port) {
        clearTimeout(timer);
        resolve({ child, port: Number(port[1]) });
      }
    });
  });
}

async function main() {
  const { child, port } = await startServer();
  const browser = await chromium.launch({
    executablePath: process.env.AEROX_CHROMIUM || '/usr/bin/chromium',
    args: ['--no-sandbox'],
  });
  const lines = [];
  let failed = false;
  try {
    const page = await browser.newPage();
    page.on('console', (message) => lines.push(message.text()));
    page.on('pageerror', (error) => lines.push('page error: ' + error.message));
    await page.goto(`http://127.0.0.1:${port}/index.html`);
    const until = Date.now() + WAIT_MS;
    while (!lines.includes('web requests: done') && Date.now() < until) {
      await new Promise((resolve) => setTimeout(resolve, 100));
    }
    for (const pattern of expected) {
      if (!lines.some((line) => pattern.test(line))) {
        console.log('missing: ' + pattern);
        failed = true;
      }
    }
    if (!lines.includes('web requests: done')) failed = true;
  } finally {
    await browser.close();
    child.kill();
  }
  console.log(lines.join('\n'));
  console.log(failed ? 'web requests: FAILED' : 'web requests: passed');
  process.exit(failed ? 1 : 0);
}

main().catch((error) => {
  console.log(error.message);
  process.exit(1);
});
