// The page's two timings in headless Chromium, served by python3 -m http.server: the time
// from navigation to the first menu frame over fresh loads (no cache), with where it went,
// and the period between pass starts over many passes once the sound has started. Prints
// the median, spread and machine load; asserts nothing.
//
//   node bench/web_timing.mjs SITE_DIR [LOADS=15] [PASSES=1000]
import { spawn } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { fileURLToPath } from "node:url";

const here = path.dirname(fileURLToPath(import.meta.url));
const { chromium } = await import(path.join(here, "../web/node_modules/playwright-core/index.mjs"));
const [site, loadsArg, passesArg] = process.argv.slice(2);
const loads = Number(loadsArg || 15);
const passes = Number(passesArg || 1000);
const load = () => os.loadavg().map((l) => l.toFixed(2)).join(" ");

const server = spawn("python3", ["-u", "-m", "http.server", "--bind", "127.0.0.1", "--directory", site, "0"],
  { stdio: ["ignore", "pipe", "ignore"] });
const port = await new Promise((resolve) => {
  let text = "";
  server.stdout.on("data", (d) => { text += d; const m = /port (\d+)/.exec(text); if (m) resolve(Number(m[1])); });
});
const url = "http://127.0.0.1:" + port + "/";
const browser = await chromium.launch({
  executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
  headless: true,
  args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run", "--disable-background-networking",
    "--disable-component-update", "--disable-sync", "--autoplay-policy=user-gesture-required"],
});
const summary = (values) => {
  const v = [...values].sort((a, b) => a - b);
  const at = (q) => v[Math.min(v.length - 1, Math.floor(q * v.length))];
  return { median: at(0.5), min: v[0], max: v[v.length - 1], p90: at(0.9) };
};
try {
  console.log("load before: " + load());
  const firsts = [];
  const parts = {};
  for (let i = 0; i < loads; ++i) {
    const context = await browser.newContext({ viewport: { width: 1000, height: 760 } });
    const page = await context.newPage();
    await page.goto(url);
    await page.waitForFunction(() => window.trundlebopStatus && window.trundlebopStatus.framesShown > 0, null,
      { timeout: 30000, polling: 10 });
    const t = await page.evaluate(() => {
      const resource = (name) => performance.getEntriesByType("resource").find((e) => e.name.endsWith(name));
      const mark = (name) => (performance.getEntriesByName(name)[0] || {}).startTime;
      const nav = performance.getEntriesByType("navigation")[0];
      return { first: window.trundlebopStatus.firstFrameAt, html: nav.responseEnd, domLoaded: nav.domContentLoadedEventEnd,
        wasm: resource("trundlebop_page.wasm").responseEnd, pack: resource("game.pack.gz").responseEnd,
        script: resource("trundlebop_page.js").responseEnd, files: mark("trundlebop-files"),
        program: mark("trundlebop-program"), loaded: mark("trundlebop-loaded"),
        fetched: performance.getEntriesByType("resource").filter((e) => e.name.endsWith(".wasm")).length };
    });
    firsts.push(t.first);
    for (const [k, v] of Object.entries(t)) (parts[k] = parts[k] || []).push(v);
    await context.close();
  }
  const s = summary(firsts);
  console.log(`navigation to the first menu frame over ${loads} loads: median ${s.median.toFixed(0)} ms, ` +
    `min ${s.min.toFixed(0)}, p90 ${s.p90.toFixed(0)}, max ${s.max.toFixed(0)}`);
  for (const [k, v] of Object.entries(parts)) if (v.every((x) => x !== undefined)) console.log(`  ${k.padEnd(10)} median ${summary(v).median.toFixed(0)} ms`);
  console.log("load after the loads: " + load());

  if (passes > 0) {
    const context = await browser.newContext({ viewport: { width: 1000, height: 760 } });
    const page = await context.newPage();
    await page.goto(url);
    await page.waitForFunction(() => window.trundlebopStatus && window.trundlebopStatus.framesShown > 0, null,
      { timeout: 30000 });
    await page.click("#start");
    await page.waitForTimeout(1000);
    const before = await page.evaluate(() => window.trundlebopStatus.passStarts.length);
    await page.waitForFunction((n) => window.trundlebopStatus.passStarts.length >= n, before + passes + 1,
      { timeout: passes * 100, polling: 500 });
    const starts = (await page.evaluate(() => window.trundlebopStatus.passStarts)).slice(-(passes + 1));
    const periods = starts.slice(1).map((t, i) => t - starts[i]).sort((a, b) => a - b);
    const mean = periods.reduce((a, b) => a + b, 0) / periods.length;
    const p = (q) => periods[Math.floor(periods.length * q) - 1];
    console.log(`pass period over ${periods.length} passes: mean ${mean.toFixed(2)} ms, p50 ${p(0.5).toFixed(2)}, ` +
      `p99 ${p(0.99).toFixed(2)}, max ${periods[periods.length - 1].toFixed(2)}, ` +
      `min ${periods[0].toFixed(2)}; over 32 ms: ${periods.filter((x) => x > 32).length}`);
    console.log("load after the passes: " + load());
    await context.close();
  }
} finally {
  await browser.close();
  server.kill();
}
