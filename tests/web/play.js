'use strict';
// Plays the web build of Aerox in headless Chromium, as a player would:
// the page loads and starts the program, the menu is drawn, the arrow
// follows the keys, Return starts play over the sea with the status line
// above it, a volume changed in OPTIONS is still there after a reload, and
// Escape on the menu ends the program, which the page then says. Nothing on
// the way may raise a page error or an error line from the program.
//   node play.js <folder with index.html>            the test; exits 1 on any failure
//   node play.js <folder with index.html> --measure  figures only: first menu frame, frame rate, sizes
//   ... --pages <folder>  also the test pages there: scene3d.html (its
//       cube's shadow on the ground, lit ground beside it and the lit top)
//       files.html (the per-user folder across visits, the file picker)
//       and video.html (the test video's pictures climbing through its frames)
// AEROX_WEB_SHOTS=<folder> keeps a screenshot of the page where a check
// failed; AEROX_WEB_VERBOSE=1 relays the page's console.
// Every wait is bounded, and so is the whole run.
const { chromium } = require('playwright-core');
const { spawn } = require('child_process');
const fs = require('fs');
const http = require('http');
const net = require('net');
const path = require('path');
const zlib = require('zlib');

const folder = path.resolve(process.argv[2] || '');
const measuring = process.argv.includes('--measure');
const pagesAt = process.argv.indexOf('--pages');
const pagesFolder = pagesAt > 0 && process.argv[pagesAt + 1] ? path.resolve(process.argv[pagesAt + 1]) : null;
const WAIT_MS = 30000;        // any one thing the test waits for
const WHOLE_RUN_MS = 240000;  // the whole run
const W = 320, H = 240;

class Failure extends Error {}
function fail(message) { throw new Failure(message); }
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// --- The frame, read back from the page as 320x240 RGBA ---

// A screenshot of the canvas (scaled by a whole factor on the page) is
// decoded in the page itself and sampled at each game pixel's centre. With
// rows [y0, y1) given, only that band is taken (far quicker, for a check
// that must keep up with a playing video); the other rows stay black.
async function grab(page, y0 = 0, y1 = H) {
  let png;
  if (y0 === 0 && y1 === H) {
    png = await page.locator('#canvas').screenshot({ timeout: WAIT_MS });
  } else {
    const box = await page.locator('#canvas').boundingBox();
    const clip = { x: box.x, y: box.y + (y0 * box.height) / H, width: box.width, height: ((y1 - y0) * box.height) / H };
    png = await page.screenshot({ clip, timeout: WAIT_MS });
  }
  const band = await page.evaluate(async ({ data, w, h }) => {
    const bytes = Uint8Array.from(atob(data), (c) => c.charCodeAt(0));
    const bitmap = await createImageBitmap(new Blob([bytes], { type: 'image/png' }));
    const canvas = new OffscreenCanvas(bitmap.width, bitmap.height);
    const context = canvas.getContext('2d');
    context.drawImage(bitmap, 0, 0);
    const all = context.getImageData(0, 0, bitmap.width, bitmap.height).data;
    const out = new Uint8Array(w * h * 4);
    for (let y = 0; y < h; ++y) {
      const sy = Math.floor((y + 0.5) * bitmap.height / h);
      for (let x = 0; x < w; ++x) {
        const sx = Math.floor((x + 0.5) * bitmap.width / w);
        out.set(all.subarray((sy * bitmap.width + sx) * 4, (sy * bitmap.width + sx) * 4 + 4), (y * w + x) * 4);
      }
    }
    let text = '';
    for (let i = 0; i < out.length; i += 0x8000) text += String.fromCharCode.apply(null, out.subarray(i, i + 0x8000));
    return btoa(text);
  }, { data: png.toString('base64'), w: W, h: y1 - y0 });
  const pixels = Buffer.alloc(W * H * 4);
  Buffer.from(band, 'base64').copy(pixels, y0 * W * 4);
  return new Frame(pixels);
}

class Frame {
  constructor(pixels) { this.pixels = pixels; }
  // Pixels in [x0, x1) x [y0, y1) for which test(r, g, b) holds.
  count(x0, y0, x1, y1, test) {
    let n = 0;
    for (let y = y0; y < y1; ++y) {
      for (let x = x0; x < x1; ++x) {
        const i = (y * W + x) * 4;
        if (test(this.pixels[i], this.pixels[i + 1], this.pixels[i + 2])) ++n;
      }
    }
    return n;
  }
  lit(x0, y0, x1, y1) { return this.count(x0, y0, x1, y1, (r, g, b) => r + g + b > 60); }
  // Which pixels of a rectangle are lit, as a string: compares drawings.
  litMask(x0, y0, x1, y1) {
    let mask = '';
    for (let y = y0; y < y1; ++y) for (let x = x0; x < x1; ++x) mask += this.lit(x, y, x + 1, y + 1) ? '#' : '.';
    return mask;
  }
}

const isBlueWater = (r, g, b) => b > r + 30 && b > g;
// The menu: "Score: 0" at the bottom, the menu picture, and the title's
// warm letters (every other screen's text is white).
const isWarm = (r, g, b) => r > b + 60;
const menuShown = (f) => f.lit(120, 218, 240, 234) > 20 && f.lit(10, 145, 140, 235) > 300 &&
                         f.count(60, 0, 260, 60, isWarm) > 500;
// The arrow left of the menu's rows, 18 pixels apart from y 145.
const arrowAt = (f, row) => f.lit(0, 145 + 18 * row, 10, 163 + 18 * row) > 10;
const arrowRow = (f) => [0, 1, 2, 3, 4].filter((row) => arrowAt(f, row));
const seaShown = (f) => f.count(0, 20, W, H, isBlueWater) > (W * 200) / 2;
// "Score" and "Lives" in the font's white over the sea, whose wave crests
// are a paler blue.
const isWhite = (r, g, b) => r > 220 && g > 220 && b > 200 && r + 10 >= b;
const statusLineShown = (f) => f.count(0, 0, 50, 10, isWhite) > 20 && f.count(220, 0, 270, 10, isWhite) > 20;
const optionsShown = (f) => f.lit(120, 20, 200, 30) > 20 && f.lit(40, 50, 120, 60) > 20 && !menuShown(f);
// The VOLUME row's value ("100%", "90%"...): row 2 of OPTIONS.
const volumeMask = (f) => f.litMask(200, 90, 250, 100);

async function waitForFrame(page, what, test) {
  const start = Date.now();
  let frame = null;
  while (Date.now() - start < WAIT_MS) {
    frame = await grab(page);
    if (test(frame)) return frame;
    await sleep(50);
  }
  // The page as it was, for whoever looks into the failure.
  if (process.env.AEROX_WEB_SHOTS) {
    await page.screenshot({ path: path.join(process.env.AEROX_WEB_SHOTS, 'web-test-failure.png') }).catch(() => {});
  }
  fail(`${what}: not seen within ${WAIT_MS / 1000} s`);
}

// A key held across several of the menu's readings (75 ms apart), then let go.
async function press(page, key) {
  await page.keyboard.down(key);
  await sleep(200);
  await page.keyboard.up(key);
  await sleep(150);
}

// --- The page and its server ---

function freePort() {
  return new Promise((resolve, reject) => {
    const server = net.createServer();
    server.on('error', reject);
    server.listen(0, '127.0.0.1', () => {
      const { port } = server.address();
      server.close(() => resolve(port));
    });
  });
}

async function serve(dir) {
  const port = await freePort();
  const server = spawn('python3', ['-m', 'http.server', '--bind', '127.0.0.1', String(port)],
                       { cwd: dir, stdio: 'ignore' });
  const url = `http://127.0.0.1:${port}/`;
  const start = Date.now();
  for (;;) {
    const up = await new Promise((resolve) => {
      const request = http.get(url, (response) => { response.resume(); resolve(response.statusCode === 200); });
      request.on('error', () => resolve(false));
      request.setTimeout(2000, () => { request.destroy(); resolve(false); });
    });
    if (up) return { server, url };
    if (Date.now() - start > WAIT_MS) { server.kill(); fail('the web server did not answer'); }
    await sleep(100);
  }
}

class Watch {
  constructor(page) {
    this.lines = [];
    this.errors = [];
    page.on('console', (message) => {
      const text = message.text();
      this.lines.push(text);
      if (process.env.AEROX_WEB_VERBOSE) console.log(`  page: ${text}`);
      if (message.type() === 'error') this.errors.push(`console error: ${text}`);
    });
    page.on('pageerror', (error) => this.errors.push(`page error: ${error.message}`));
  }
  async line(text) {
    const start = Date.now();
    while (Date.now() - start < WAIT_MS) {
      if (this.lines.some((l) => l.includes(text))) return;
      await sleep(50);
    }
    fail(`"${text}" did not reach the console within ${WAIT_MS / 1000} s`);
  }
  forget() { this.lines = []; }
}

// Saves reach the browser's storage a moment after the program writes them.
async function storeSettled(page) {
  const start = Date.now();
  while (Date.now() - start < WAIT_MS) {
    const idle = await page.evaluate(() => !!Module.aeroxStore && !Module.aeroxStore.busy && !Module.aeroxStore.again);
    if (idle) return;
    await sleep(50);
  }
  fail('the saved files did not reach the browser storage');
}

async function visible(page, selector, shown, failure) {
  try {
    await page.waitForSelector(selector, { state: shown ? 'visible' : 'hidden', timeout: WAIT_MS });
  } catch (error) {
    fail(failure);
  }
}

// --- The checks ---

async function openOptions(page) {
  await press(page, 'ArrowDown');
  await waitForFrame(page, 'the arrow on OPTIONS', (f) => arrowRow(f).join() === '1');
  await press(page, 'Enter');
  await waitForFrame(page, 'the OPTIONS screen', optionsShown);
  await press(page, 'ArrowDown');
  await press(page, 'ArrowDown');
  return volumeMask(await waitForFrame(page, 'the arrow on VOLUME', (f) => f.lit(20, 90, 30, 100) > 3));
}

async function test(page, watch, url) {
  await page.goto(url, { timeout: WAIT_MS });
  await watch.line('Init OK');
  let frame = await waitForFrame(page, 'the menu', menuShown);
  if (arrowRow(frame).join() !== '0') fail(`the arrow is on rows [${arrowRow(frame)}], not on START`);
  await visible(page, '#sound', true, 'the page does not ask for a key while the sound is held back');
  console.log('ok: the menu is drawn, the arrow on the first row, the page asks for a key for sound');

  const before = await openOptions(page);
  await visible(page, '#sound', false, 'the request for a key stays after keys were pressed');
  await press(page, 'ArrowLeft');
  frame = await waitForFrame(page, 'the volume changed', (f) => volumeMask(f) !== before);
  const changed = volumeMask(frame);
  await storeSettled(page);
  console.log('ok: ArrowDown moves the arrow, OPTIONS opens, Left changes the volume; the sound runs');

  await press(page, 'Escape');
  await waitForFrame(page, 'the menu after OPTIONS', (f) => menuShown(f) && arrowRow(f).join() === '1');
  await press(page, 'ArrowUp');
  await waitForFrame(page, 'the arrow back on START', (f) => arrowRow(f).join() === '0');
  await press(page, 'Enter');
  await waitForFrame(page, 'play over the sea with the score and lives line', (f) => seaShown(f) && statusLineShown(f));
  console.log('ok: Return starts play over the sea, the score and lives line above it');

  watch.forget();
  await page.reload({ timeout: WAIT_MS });
  await watch.line('Init OK');
  await waitForFrame(page, 'the menu after a reload', menuShown);
  const after = await openOptions(page);
  if (after !== changed) fail('the volume set before the reload is not the one shown after it');
  console.log('ok: the volume set in OPTIONS survives a reload');

  await press(page, 'Escape');
  await waitForFrame(page, 'the menu', menuShown);
  await press(page, 'Escape');
  await visible(page, '#ended', true, 'Escape on the menu did not end the program, or the page did not say so');
  await watch.line('Aerox ended (0)');
  console.log('ok: Escape on the menu ends the program and the page says so');
}

// The 3D page (WebGL 1 through emscripten's emulation of the fixed
// pipeline): it says where its probes land, and the canvas shows there
// the ambient alone in the shadow (0x30 a channel) and the ambient plus a
// white light at 45 degrees on the lit ground and the cube's top (0x30 +
// 180). Browsers' rasterisers differ a little: the tolerance is wide, and
// the shadow must be far darker than the ground beside it.
async function scene3d(browser, dir) {
  const { server, url } = await serve(dir);
  try {
    const page = await browser.newPage({ viewport: { width: 800, height: 640 } });
    const watch = new Watch(page);
    await page.goto(`${url}scene3d.html`, { timeout: WAIT_MS });
    await watch.line('scene3d probe top');
    const probes = {};
    for (const line of watch.lines) {
      const m = /^scene3d probe (\w+) (-?\d+) (-?\d+)$/.exec(line);
      if (m) probes[m[1]] = { x: Number(m[2]), y: Number(m[3]) };
    }
    for (const name of ['shadow', 'beside', 'top']) {
      const p = probes[name];
      if (!p || p.x < 0 || p.x >= W || p.y < 0 || p.y >= H) fail(`the 3D page's probe "${name}" is not on the screen`);
    }
    const grey = (f, p) => {
      const i = (p.y * W + p.x) * 4;
      return [f.pixels[i], f.pixels[i + 1], f.pixels[i + 2]];
    };
    const near = (rgb, level, tolerance) => rgb.every((c) => Math.abs(c - level) <= tolerance);
    const shown = (f) => near(grey(f, probes.shadow), 0x30, 24) && near(grey(f, probes.beside), 0x30 + 180, 30) &&
                         near(grey(f, probes.top), 0x30 + 180, 30) &&
                         grey(f, probes.beside)[0] - grey(f, probes.shadow)[0] > 100;
    let last = null;
    const frame = await waitForFrame(page, 'the 3D page\'s lit ground, lit cube top and the shadow', (f) => {
      last = f;
      return shown(f);
    }).catch((error) => {
      if (last) {
        error.message += ` (shadow ${grey(last, probes.shadow)}, beside ${grey(last, probes.beside)},` +
                         ` top ${grey(last, probes.top)})`;
      }
      throw error;
    });
    console.log(`ok: the 3D page shows its cube's shadow (${grey(frame, probes.shadow)}) beside lit ground` +
                ` (${grey(frame, probes.beside)}) in WebGL 1`);
    if (watch.errors.length) fail(watch.errors.join('\n'));
    await page.close();
  } finally {
    server.kill();
  }
}

// The files page: what one visit writes to the per-user folder (a line, an
// INI value, a screenshot) the next visit reads back from the browser's
// storage; a file given to the page's file picker is read back through
// DialogPath.
async function filesPage(browser, dir) {
  const { server, url } = await serve(dir);
  try {
    const page = await browser.newPage({ viewport: { width: 800, height: 640 } });
    const watch = new Watch(page);
    await page.goto(`${url}files.html`, { timeout: WAIT_MS });
    await watch.line("files visit 1 kept 'none' screenshot 0");
    await watch.line('files saved all');
    await page.waitForSelector('#aerox-file-input', { state: 'attached', timeout: WAIT_MS });
    const download = page.waitForEvent('download', { timeout: WAIT_MS });
    await page.setInputFiles('#aerox-file-input',
                             { name: 'note.txt', mimeType: 'text/plain', buffer: Buffer.from('picked line\n') });
    await watch.line("files chosen 'picked line'");
    console.log('ok: the files page reads back a file chosen in its file picker');
    await watch.line('files save offered yes');
    const saved = await download;
    const chunks = [];
    for await (const chunk of await saved.createReadStream()) chunks.push(chunk);
    const body = Buffer.concat(chunks).toString();
    if (saved.suggestedFilename() !== 'saved.txt' || body !== 'saved line\n') {
      fail(`the save dialog's download is '${saved.suggestedFilename()}' holding ${JSON.stringify(body)}`);
    }
    console.log('ok: a file written through the save dialog is offered to the player as a download');
    await storeSettled(page);
    watch.forget();
    await page.reload({ timeout: WAIT_MS });
    await watch.line("files visit 2 kept 'written on visit 1' screenshot 1");
    console.log('ok: a line, an INI value and a screenshot written by the files page survive a reload');
    if (watch.errors.length) fail(watch.errors.join('\n'));
    await page.close();
  } finally {
    server.kill();
  }
}

// The video page: the test video's size and length, then its pictures
// drawn at (80, 60) while it plays, read from the canvas: the frame number
// its eight bars spell (white for 1, the most significant on the left)
// must climb through the video's 30 frames, and the video must end about
// when its 2 seconds are over (the page's sound, started by a key, times it).
async function videoPage(browser, dir) {
  const { server, url } = await serve(dir);
  try {
    const page = await browser.newPage({ viewport: { width: 800, height: 640 } });
    const watch = new Watch(page);
    await page.goto(`${url}video.html`, { timeout: WAIT_MS });
    await watch.line('video loaded');
    if (!watch.lines.includes('video loaded 160 120 2.00')) {
      fail(`the video page tells another size or length: ${watch.lines.filter((l) => l.startsWith('video '))}`);
    }
    await press(page, 'Space');
    await watch.line('video playing');
    const started = Date.now();
    const numbers = [];  // the frames read, in the order read
    let reads = 0;
    const barNumber = (f) => {
      let number = 0;
      for (let bar = 0; bar < 8; ++bar) {
        const i = ((60 + 30) * W + 80 + bar * 20 + 10) * 4;
        const level = (f.pixels[i] + f.pixels[i + 1] + f.pixels[i + 2]) / 3;
        if (level > 96 && level < 160) return -1;
        number = number * 2 + (level >= 160 ? 1 : 0);
      }
      return number;
    };
    while (!watch.lines.includes('video ended') && Date.now() - started < WAIT_MS) {
      ++reads;
      const number = barNumber(await grab(page, 90, 91));
      if (number >= 0 && number < 30 && number !== numbers[numbers.length - 1]) numbers.push(number);
    }
    const ms = Date.now() - started;
    if (!watch.lines.includes('video ended')) fail(`the video did not end within ${WAIT_MS / 1000} s`);
    // Each picture read is a later one than the one before, and the last
    // near the end: however slowly the machine lets the canvas be read (on
    // a loaded one, two or three frames in the 2 s), that is the video
    // playing forward. The page's grey around the video reads as no frame.
    const climbing = numbers.every((n, i) => i === 0 || n > numbers[i - 1]);
    if (numbers.length < 2 || !climbing || numbers[numbers.length - 1] < 20) {
      fail(`the video page's pictures were not seen climbing through the frames (seen ${numbers} in ${reads} reads)`);
    }
    // Read back between frames as the canvas is screenshot: a wide bound.
    if (ms < 1500 || ms > 6000) fail(`the 2 s video played for ${ms} ms`);
    console.log(`ok: the video page plays the test video (160x120, 2 s) in ${ms} ms, frames ${numbers} seen`);
    if (watch.errors.length) fail(watch.errors.join('\n'));
    await page.close();
  } finally {
    server.kill();
  }
}

async function measure(page, watch, url) {
  const start = Date.now();
  await page.goto(url, { timeout: WAIT_MS });
  await waitForFrame(page, 'the menu', menuShown);
  const firstMenu = Date.now() - start;
  await press(page, 'Enter');
  await waitForFrame(page, 'play', seaShown);
  // One clear of colour and depth per frame shown (the presenter's).
  await page.evaluate(() => {
    const clear = GLctx.clear.bind(GLctx);
    window.aeroxFrames = 0;
    window.aeroxFrom = performance.now();
    GLctx.clear = (mask) => { if (mask & 0x100) ++window.aeroxFrames; clear(mask); };
  });
  await sleep(10000);
  const fps = await page.evaluate(() => (window.aeroxFrames * 1000) / (performance.now() - window.aeroxFrom));
  const wasm = fs.readFileSync(path.join(folder, 'aerox.wasm'));
  const js = fs.readFileSync(path.join(folder, 'aerox.js'));
  const data = fs.statSync(path.join(folder, 'aerox.data')).size;
  const kb = (n) => `${Math.round(n / 1024)} KB`;
  console.log(`first menu frame: ${firstMenu} ms after the page was asked for (polled every ~100 ms)`);
  console.log(`frames per second over 10 s of play: ${fps.toFixed(1)}`);
  console.log(`aerox.wasm: ${kb(wasm.length)}, gzipped ${kb(zlib.gzipSync(wasm, { level: 9 }).length)}`);
  console.log(`aerox.js: ${kb(js.length)}, gzipped ${kb(zlib.gzipSync(js, { level: 9 }).length)}; aerox.data: ${kb(data)}`);
  if (watch.errors.length) console.log(watch.errors.join('\n'));
}

async function main() {
  if (!fs.existsSync(path.join(folder, 'index.html'))) fail(`no index.html in ${folder}`);
  const { server, url } = await serve(folder);
  let browser = null;
  // A run stopped from outside (a timeout's signal) takes its server along.
  for (const signal of ['SIGTERM', 'SIGINT']) {
    process.on(signal, () => { server.kill(); process.exit(1); });
  }
  const overall = setTimeout(() => {
    console.error(`web test: FAILED, the whole run took longer than ${WHOLE_RUN_MS / 1000} s`);
    server.kill();
    process.exit(1);
  }, WHOLE_RUN_MS);
  try {
    browser = await chromium.launch({
      executablePath: process.env.AEROX_CHROMIUM || '/usr/bin/chromium',
      timeout: WAIT_MS,
      // SwiftShader's WebGL. Headless Chromium holds the sound back until
      // a key or click, as a browser does for a page not yet touched.
      args: ['--no-sandbox', '--use-gl=angle', '--use-angle=swiftshader', '--enable-unsafe-swiftshader'],
    });
    const page = await browser.newPage({ viewport: { width: 800, height: 640 } });
    const watch = new Watch(page);
    if (measuring) {
      await measure(page, watch, url);
    } else {
      await test(page, watch, url);
      if (watch.errors.length) fail(watch.errors.join('\n'));
      if (pagesFolder) {
        await scene3d(browser, pagesFolder);
        await filesPage(browser, pagesFolder);
        await videoPage(browser, pagesFolder);
      }
    }
  } finally {
    clearTimeout(overall);
    if (browser) await browser.close().catch(() => {});
    server.kill();
  }
}

main().then(() => {
  if (!measuring) console.log('web test: passed');
}, (error) => {
  console.error(`web test: FAILED: ${error instanceof Failure ? error.message : error.stack}`);
  process.exit(1);
});
