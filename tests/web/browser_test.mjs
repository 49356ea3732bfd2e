// The page played in headless Chromium, driven as a player would: load it from a local
// server, click to start, Enter, ride and jump, Levels 2 and 3 from the page's buttons,
// Escape back; whole-number scaling and F11's full screen; the canvas of the menu and of a
// level at rest against the native program's captures of the same states; the worklet's
// sound once the menu music plays; the session's recording replayed by the native program. Prints what it measured (bytes, times, pass
// periods) as a JSON line; exits 1 on a failed check.
//
//   node browser_test.mjs SITE_DIR NATIVE_PROGRAM ASSET_DIR [PASSES_TO_MEASURE]
import { spawn, spawnSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { fileURLToPath } from "node:url";

const here = path.dirname(fileURLToPath(import.meta.url));
const { chromium } = await import(path.join(here, "../../web/node_modules/playwright-core/index.mjs"));
const [site, native, assets, measureArg] = process.argv.slice(2);
const passesToMeasure = Number(measureArg || 1000);
const work = fs.mkdtempSync(path.join(os.tmpdir(), "trundlebop-web-"));
const failures = [];
const check = (ok, what) => { console.log((ok ? "ok   " : "FAIL ") + what); if (!ok) failures.push(what); };

function nativeShot(script, pass, name) {
  const input = path.join(work, name + ".script");
  fs.writeFileSync(input, script);
  const out = path.join(work, name + ".png");
  const run = spawnSync(native, ["--headless", "--data", assets, "--input", input, "--frames", String(pass + 1),
    "--shot", pass + ":" + out], { encoding: "utf8" });
  if (run.status !== 0) throw new Error("the native program failed: " + run.stderr);
  return out;
}

function differingPixels(a, b) {
  const run = spawnSync("python3", ["-c", "import sys; sys.path.insert(0, sys.argv[1]); from png_pixels import " +
    "differing_pixels; print(differing_pixels(sys.argv[2], sys.argv[3]))", path.dirname(here), a, b], { encoding: "utf8" });
  return run.stdout.trim();
}

// The static server, on a port the system picks.
const server = spawn("python3", ["-u", "-m", "http.server", "--bind", "127.0.0.1", "--directory", site, "0"],
  { stdio: ["ignore", "pipe", "ignore"] });
const port = await new Promise((resolve, reject) => {
  let text = "";
  server.stdout.on("data", (d) => {
    text += d;
    const m = /port (\d+)/.exec(text);
    if (m) resolve(Number(m[1]));
  });
  setTimeout(() => reject(new Error("the server did not start")), 10000);
});

const context = await chromium.launchPersistentContext(path.join(work, "profile"), {
  executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
  headless: true,
  acceptDownloads: true,
  viewport: { width: 1000, height: 760 },
  args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run", "--disable-background-networking",
    "--disable-component-update", "--disable-sync", "--autoplay-policy=user-gesture-required"],
});
const measured = {};
try {
  const page = context.pages()[0] || (await context.newPage());
  const outside = [];
  page.on("request", (r) => { if (!r.url().startsWith("http://127.0.0.1:" + port + "/") && !r.url().startsWith("data:")) outside.push(r.url()); });
  page.on("pageerror", (e) => check(false, "no error on the page: " + e.message));
  const status = () => page.evaluate(() => window.trundlebopStatus);
  const trace = async () => JSON.parse((await status()).trace || "{}");
  const waitTrace = (test, what, timeout = 15000) =>
    page.waitForFunction(`(() => { const t = JSON.parse(window.trundlebopStatus.trace || "{}"); return ${test}; })()`,
      null, { timeout, polling: 50 }).then(() => true, () => false).then((ok) => check(ok, what));
  const canvasShot = async (name) => {
    const url = await page.evaluate(() => document.getElementById("screen").toDataURL("image/png"));
    const file = path.join(work, name + ".png");
    fs.writeFileSync(file, Buffer.from(url.split(",")[1], "base64"));
    return file;
  };

  const downloadRecording = async (name) => {
    const [download] = await Promise.all([page.waitForEvent("download"), page.click("#recording")]);
    const file = path.join(work, name + ".script");
    await download.saveAs(file);
    return file;
  };
  // The native program replays a recording headless for `passes` passes: its trace, and
  // the frame of pass `shot` when asked.
  const replay = (recording, passes, { shot }) => {
    const seconds = /--time (\d+)/.exec(fs.readFileSync(recording, "utf8"))[1];
    const traceFile = recording + ".trace";
    const shotFile = recording + ".png";
    const args = ["--headless", "--data", assets, "--input", recording, "--time", seconds, "--frames", String(passes),
      "--trace", traceFile];
    if (shot) args.push("--shot", shot + ":" + shotFile);
    const run = spawnSync(native, args, { encoding: "utf8" });
    if (run.status !== 0) throw new Error("the native replay failed: " + run.stderr);
    return { trace: fs.readFileSync(traceFile, "utf8").trim().split("\n").map((l) => JSON.parse(l)), shot: shotFile };
  };

  // A game controller the test holds: the page reads pads through navigator.getGamepads.
  await page.addInitScript(() => {
    const pad = { index: 0, mapping: "standard", axes: [0, 0, 0, 0],
      buttons: Array.from({ length: 17 }, () => ({ pressed: false, value: 0 })) };
    window.testPad = { press(button, down) { pad.buttons[button] = { pressed: down, value: down ? 1 : 0 }; } };
    navigator.getGamepads = () => [pad];
  });
  await page.goto("http://127.0.0.1:" + port + "/");
  await page.waitForFunction(() => window.trundlebopStatus && window.trundlebopStatus.framesShown > 0, null,
    { timeout: 30000 });
  let s = await status();
  measured.firstMenuFrameMs = Math.round(s.firstFrameAt);
  measured.bytesBeforeMenu = s.bytesBeforeFirstFrame;

  // The menu at rest, against the native program's menu.
  await waitTrace("t.screen === -1 && t.pass > 20", "the menu shows");
  check(differingPixels(await canvasShot("menu"), nativeShot("", 50, "native-menu")) === "0",
    "the menu's pixels are the native program's");

  // Click to start: the sound begins, and the menu music is heard.
  await page.click("#start");
  const heard = await page.waitForFunction(() => window.trundlebopStatus.audioLevel > 0.001, null,
    { timeout: 15000, polling: 100 }).then(() => true, () => false);
  check(heard, "the worklet plays the menu music (not silence)");

  // Enter: Level 1, at rest, against the native program's replay of the session so far (the
  // street is laid out from the calendar, which the recording carries).
  await page.keyboard.press("Enter");
  await waitTrace("t.screen === 0 && t.level === 1", "Enter starts Level 1");
  await page.waitForTimeout(1500);
  const level1 = await canvasShot("level1");
  const restPass = (await trace()).pass;
  const early = await downloadRecording("early");
  check(differingPixels(level1, replay(early, restPass + 1, { shot: restPass }).shot) === "0",
    "Level 1 at rest has the native program's pixels");

  // Ride right and jump.
  const startX = (await trace()).l1.x;
  await page.keyboard.down("ArrowRight");
  await page.waitForTimeout(1200);
  await page.keyboard.down("Space");
  await page.waitForTimeout(200);
  await page.keyboard.up("Space");
  await waitTrace("t.l1.jumping !== 0 || t.l1.vy !== 0", "Space jumps", 3000);
  await page.waitForTimeout(800);
  await page.keyboard.up("ArrowRight");
  check((await trace()).l1.x > startX + 50, "Right rides the board along the street");
  const scrolled = await page.evaluate(() => window.scrollY);
  check(scrolled === 0, "Space and the arrows do not scroll the page");

  // The levels from the page's buttons (browsers keep Ctrl+1..3), then Escape to the menu.
  await page.click("[data-level='2']");
  await waitTrace("t.level === 2 && t.screen === 0", "the Level 2 button switches to Level 2");
  await page.click("[data-level='3']");
  await waitTrace("t.level === 3 && t.screen === 0", "the Level 3 button switches to Level 3");
  await page.keyboard.press("Escape");
  await waitTrace("t.screen === -1", "Escape goes back to the menu");

  // A controller's Start acts as Enter, by the default pad bindings.
  await page.evaluate(() => window.testPad.press(9, true));
  await waitTrace("t.screen === 0", "a game controller's Start starts the game");
  await page.evaluate(() => window.testPad.press(9, false));
  await page.keyboard.press("Escape");
  await waitTrace("t.screen === -1", "Escape goes back to the menu again");

  // F5 turns the music down and the browser keeps it under the settings file's key (and does
  // not reload the page); F12 offers the frame as a PNG file.
  await page.keyboard.press("F5");
  const kept = await page.waitForFunction(() => localStorage.getItem("trundlebop.music_volume"), null,
    { timeout: 3000 }).then((h) => h.jsonValue(), () => null);
  check(kept !== null && Number(kept) < 100, "F5 turns the music down, kept as music_volume = " + kept);
  const [picture] = await Promise.all([page.waitForEvent("download", { timeout: 5000 }), page.keyboard.press("F12")]);
  check(/^trundlebop-.*\.png$/.test(picture.suggestedFilename()), "F12 offers the frame as " +
    picture.suggestedFilename());

  // The recording so far, replayed by the native program, gives the page's passes.
  await page.waitForTimeout(500);
  s = await status();
  const pageTraces = s.traces.map((t) => JSON.parse(t));
  const last = pageTraces[pageTraces.length - 1].pass;
  const replayed = replay(await downloadRecording("session"), last, {}).trace;
  let same = pageTraces.length > 50;
  for (const t of pageTraces) {
    const r = replayed[t.pass - 1];
    delete t.tick;
    if (r) delete r.tick;
    if (!r || JSON.stringify(r) !== JSON.stringify(t)) { same = false; console.log("pass " + t.pass + " differs"); break; }
  }
  check(same, "the downloaded recording replays natively as the page played it (last " + pageTraces.length +
    " passes, all but the tick)");

  // The pace of the main loop over PASSES_TO_MEASURE passes.
  const before = (await status()).passStarts.length;
  await page.waitForFunction((n) => window.trundlebopStatus.passStarts.length >= n, before + passesToMeasure + 1,
    { timeout: passesToMeasure * 60 + 10000, polling: 500 });
  const starts = (await status()).passStarts.slice(-(passesToMeasure + 1));
  const periods = starts.slice(1).map((t, i) => t - starts[i]).sort((a, b) => a - b);
  measured.passes = periods.length;
  measured.meanPassMs = +(periods.reduce((a, b) => a + b, 0) / periods.length).toFixed(2);
  measured.p99PassMs = +periods[Math.floor(periods.length * 0.99) - 1].toFixed(2);
  measured.maxPassMs = +periods[periods.length - 1].toFixed(2);
  measured.bytesInAll = await page.evaluate(() => window.trundlebopStatus.bytesFetched());
  check(outside.length === 0, "no request leaves the page's own server" + (outside.length ? ": " + outside[0] : ""));
  check(!(await page.isVisible("#touch")), "no touch controls without a touch screen");

  // Whole-number scaling: the canvas shows at a whole multiple of the game's size, kept as
  // integer_scaling; without it the canvas fills the room it has, its proportions kept.
  const shown = () => page.evaluate(() => {
    const box = document.getElementById("screen").getBoundingClientRect();
    return { w: box.width, h: box.height, kept: localStorage.getItem("trundlebop.integer_scaling") };
  });
  await page.click("#integer");
  let size = await shown();
  check(size.w % 640 === 0 && size.w * 3 === size.h * 4 && size.kept === "true",
    `whole-number scaling shows the canvas at a whole multiple: ${size.w} x ${size.h}`);
  await page.click("#integer");
  size = await shown();
  check(size.w % 640 !== 0 && Math.abs(size.w * 3 - size.h * 4) <= 4 && size.kept === "false",
    `without it the canvas fills its room at the game's proportions: ${size.w} x ${size.h}`);

  // F11 puts the game's stage in full screen and takes it out again.
  await page.focus("#screen");
  await page.keyboard.press("F11");
  const full = await page.waitForFunction(() => document.fullscreenElement && document.fullscreenElement.id === "stage",
    null, { timeout: 5000 }).then(() => true, () => false);
  check(full, "F11 shows the game in full screen");
  await page.keyboard.press("F11");
  const left = await page.waitForFunction(() => !document.fullscreenElement, null, { timeout: 5000 })
    .then(() => true, () => false);
  check(left, "F11 again leaves full screen");

  // On a touch screen the touch controls show, and their Enter starts the game.
  const touchBrowser = await chromium.launch({ executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
    headless: true, args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
      "--disable-background-networking", "--disable-component-update", "--disable-sync"] });
  try {
    const touch = await (await touchBrowser.newContext({ hasTouch: true, viewport: { width: 800, height: 900 } }))
      .newPage();
    await touch.goto("http://127.0.0.1:" + port + "/");
    await touch.waitForFunction(() => window.trundlebopStatus && window.trundlebopStatus.framesShown > 10, null,
      { timeout: 30000 });
    check(await touch.isVisible("#touch"), "the touch controls show on a touch screen");
    await touch.tap("#start");
    await touch.dispatchEvent("#touch [data-code='Enter']", "touchstart");
    await touch.waitForTimeout(200);
    await touch.dispatchEvent("#touch [data-code='Enter']", "touchend");
    const started = await touch.waitForFunction(() => JSON.parse(window.trundlebopStatus.trace || "{}").screen === 0,
      null, { timeout: 10000 }).then(() => true, () => false);
    check(started, "the touch Enter button starts the game");
  } finally {
    await touchBrowser.close();
  }
} finally {
  await context.close();
  server.kill();
  fs.rmSync(work, { recursive: true, force: true });
}
console.log("measured " + JSON.stringify(measured));
console.log(failures.length === 0 ? "the page plays in Chromium" : failures.length + " checks failed");
process.exit(failures.length === 0 ? 0 : 1);
