// The page: loads the game files and the program, starts the game at once, and carries its
// picture, input and sound (the web host's side in the page, Module.trundlebopPage).
"use strict";

(function () {
  const $ = (id) => document.getElementById(id);
  const canvas = $("screen");
  const context = canvas.getContext("2d");
  const noteCanvas = $("note");
  const stage = $("stage");
  const events = [];
  const storagePrefix = "trundlebop.";
  let image = null;
  let program = null;
  let audio = null;  // {context, node} once the player started the sound
  // What the page's tests read: frames shown, when the first came and the bytes fetched by
  // then, the sound's level, the last pass's trace record and the recent pass starts.
  const status = { framesShown: 0, firstFrameAt: 0, bytesBeforeFirstFrame: 0, audioLevel: 0, started: false,
                   trace: null, traces: [], passStarts: [] };
  window.trundlebopStatus = status;

  // ---------------------------------------------------------------- settings
  // The browser's storage holds the settings file's keys, each as "trundlebop.<key>".
  const setting = (key) => localStorage.getItem(storagePrefix + key);
  const storeSetting = (key, value) => localStorage.setItem(storagePrefix + key, value);
  function storedSettings() {
    const lines = [];
    for (let i = 0; i < localStorage.length; ++i) {
      const key = localStorage.key(i);
      if (key.startsWith(storagePrefix)) lines.push(key.slice(storagePrefix.length) + " = " + localStorage.getItem(key));
    }
    return lines.join("\n") + "\n";
  }

  // ---------------------------------------------------------------- picture
  function layout() {
    const full = document.fullscreenElement === stage;
    const roomW = full ? window.innerWidth : Math.min(window.innerWidth - 16, 1280);
    const roomH = full ? window.innerHeight : window.innerHeight - $("bar").offsetHeight - 24;
    let scale = Math.min(roomW / canvas.width, roomH / canvas.height);
    if (setting("integer_scaling") === "true") scale = Math.max(1, Math.floor(scale));
    scale = Math.max(scale, 0.25);
    for (const c of [canvas, noteCanvas]) {
      c.style.width = Math.round(canvas.width * scale) + "px";
      c.style.height = Math.round(canvas.height * scale) + "px";
    }
  }
  window.addEventListener("resize", layout);
  document.addEventListener("fullscreenchange", layout);
  function toggleFullScreen() {
    if (document.fullscreenElement) document.exitFullscreen();
    else stage.requestFullscreen().catch(() => {});
  }

  let noteTimer = 0;
  function showNote(argb, width, height, x, y, ms) {
    const note = new ImageData(width, height);
    for (let i = 0; i < argb.length; ++i) {
      const p = argb[i];
      note.data[4 * i] = (p >>> 16) & 255;
      note.data[4 * i + 1] = (p >>> 8) & 255;
      note.data[4 * i + 2] = p & 255;
      note.data[4 * i + 3] = (p >>> 24) === 0 ? 0 : 220;  // slightly see-through
    }
    const c = noteCanvas.getContext("2d");
    c.clearRect(0, 0, noteCanvas.width, noteCanvas.height);
    c.putImageData(note, x, y);
    clearTimeout(noteTimer);
    noteTimer = setTimeout(() => c.clearRect(0, 0, noteCanvas.width, noteCanvas.height), ms);
  }

  // ---------------------------------------------------------------- input
  // Keys the game uses whose default the browser must not act on: scrolling, reloading,
  // its developer tools, leaving full screen, focus moves.
  const kept = new Set(["Space", "ArrowUp", "ArrowDown", "ArrowLeft", "ArrowRight", "Enter", "NumpadEnter",
    "Escape", "Tab", "Backspace", "F1", "F5", "F6", "F7", "F8", "F9", "F10", "F12", "Slash", "Quote"]);
  function key(event, down) {
    if (!status.started) {
      if (down) startSound();
      event.preventDefault();
      return;
    }
    if (event.code === "F11") {
      if (down && !event.repeat) toggleFullScreen();
      event.preventDefault();
      return;
    }
    if (kept.has(event.code) || event.ctrlKey) event.preventDefault();
    events.push({ kind: 1, a: down ? 1 : 0, b: event.repeat ? 1 : 0, position: event.code, meaning: event.key });
  }
  window.addEventListener("keydown", (e) => key(e, true));
  window.addEventListener("keyup", (e) => key(e, false));
  window.addEventListener("blur", () => {
    // Keys held when the page loses the keyboard would never come up.
    for (const code of held) events.push({ kind: 1, a: 0, b: 0, position: code, meaning: "" });
    held.clear();
  });
  const held = new Set();
  window.addEventListener("keydown", (e) => held.add(e.code));
  window.addEventListener("keyup", (e) => held.delete(e.code));

  canvas.addEventListener("mousedown", (event) => {
    if (event.button !== 0) return;
    if (!status.started) { startSound(); return; }
    const box = canvas.getBoundingClientRect();
    const x = Math.floor((event.clientX - box.left) * canvas.width / box.width);
    const y = Math.floor((event.clientY - box.top) * canvas.height / box.height);
    events.push({ kind: 2, a: x, b: y, c: event.detail === 2 ? 1 : 0 });
  });
  $("start").addEventListener("mousedown", () => startSound());

  // Game controllers, read once a pass: the standard layout's A, B, X, Y, Start, Back and
  // D-pad (PadButton's order), and the left stick.
  const padButtons = [0, 1, 2, 3, 9, 8, 12, 13, 14, 15];
  const pads = new Map();
  function pollPads() {
    const seen = new Set();
    for (const pad of (navigator.getGamepads ? navigator.getGamepads() : [])) {
      if (!pad || pad.mapping !== "standard") continue;
      seen.add(pad.index);
      const before = pads.get(pad.index) || { buttons: [], x: 0, y: 0 };
      const now = { buttons: padButtons.map((b) => !!(pad.buttons[b] && pad.buttons[b].pressed)), x: 0, y: 0 };
      now.x = Math.round(Math.max(-1, Math.min(1, pad.axes[0] || 0)) * 32767);
      now.y = Math.round(Math.max(-1, Math.min(1, pad.axes[1] || 0)) * 32767);
      now.buttons.forEach((down, i) => {
        if (down !== !!before.buttons[i]) events.push({ kind: 3, a: pad.index, b: i, c: down ? 1 : 0 });
      });
      if (now.x !== before.x || now.y !== before.y) events.push({ kind: 4, a: pad.index, b: now.x, c: now.y });
      pads.set(pad.index, now);
    }
    for (const index of [...pads.keys()]) {
      if (!seen.has(index)) { pads.delete(index); events.push({ kind: 5, a: index }); }
    }
  }

  // Touch controls, shown only on touch screens: each button holds its key while touched.
  if (window.matchMedia("(pointer: coarse)").matches || navigator.maxTouchPoints > 0) {
    document.body.classList.add("touch");
  }
  for (const button of document.querySelectorAll("[data-code]")) {
    const press = (down) => (e) => {
      e.preventDefault();
      if (!status.started) { startSound(); return; }
      events.push({ kind: 1, a: down ? 1 : 0, b: 0, position: button.dataset.code, meaning: "" });
    };
    button.addEventListener("touchstart", press(true), { passive: false });
    button.addEventListener("touchend", press(false), { passive: false });
    button.addEventListener("touchcancel", press(false), { passive: false });
  }
  for (const button of document.querySelectorAll("[data-level]")) {
    button.addEventListener("click", () => {
      if (!status.started) startSound();
      events.push({ kind: 6, a: Number(button.dataset.level) });
      canvas.focus();
    });
  }
  $("fullscreen").addEventListener("click", toggleFullScreen);
  const integer = $("integer");
  integer.checked = setting("integer_scaling") === "true";
  integer.addEventListener("change", () => { storeSetting("integer_scaling", integer.checked ? "true" : "false"); layout(); });
  $("recording").addEventListener("click", () => {
    if (program) download(program.FS.readFile("/recording.script"), "trundlebop-session.script");
  });

  function download(bytes, name) {
    const url = URL.createObjectURL(new Blob([bytes]));
    const a = document.createElement("a");
    a.href = url;
    a.download = name;
    document.body.appendChild(a);
    a.click();
    a.remove();
    setTimeout(() => URL.revokeObjectURL(url), 10000);
  }

  // ---------------------------------------------------------------- sound
  // Browsers start sound only after the player acts: the first click or key starts it.
  async function startSound() {
    if (status.started) return;
    status.started = true;
    $("start").hidden = true;
    try {
      const ctx = new AudioContext({ sampleRate: 44100, latencyHint: "interactive" });
      await ctx.audioWorklet.addModule("sound_worklet.js");
      const node = new AudioWorkletNode(ctx, "trundlebop-sound", { outputChannelCount: [2] });
      node.port.onmessage = (event) => { status.audioLevel = event.data; };
      node.connect(ctx.destination);
      await ctx.resume();
      audio = { context: ctx, node };
    } catch (e) {
      console.warn("trundlebop: no sound: " + e);
    }
  }
  function playSound(samples) {
    if (audio) audio.node.port.postMessage(samples, [samples.buffer]);
  }

  // A turn of the browser's event loop without a timer's delay.
  const channel = new MessageChannel();
  const waiting = [];
  channel.port1.onmessage = () => { const resolve = waiting.shift(); if (resolve) resolve(); };
  function yieldToBrowser() {
    return new Promise((resolve) => { waiting.push(resolve); channel.port2.postMessage(0); });
  }

  // Bytes the page fetched so far, headers included, the page itself among them.
  function bytesFetched() {
    let total = 0;
    for (const entry of performance.getEntriesByType("navigation")) total += entry.transferSize;
    for (const entry of performance.getEntriesByType("resource")) total += entry.transferSize;
    return total;
  }
  status.bytesFetched = bytesFetched;

  // ---------------------------------------------------------------- start
  // The game files come as one gzip-compressed pack: "name size" lines, a blank line, then
  // the files' bytes one after another.
  async function gameFiles() {
    const response = await fetch("game.pack.gz");
    if (!response.ok) throw new Error("game.pack.gz: " + response.status);
    const bytes = new Uint8Array(await new Response(response.body.pipeThrough(new DecompressionStream("gzip"))).arrayBuffer());
    let end = 0;
    while (end + 1 < bytes.length && !(bytes[end] === 10 && bytes[end + 1] === 10)) ++end;
    const lines = new TextDecoder().decode(bytes.subarray(0, end)).split("\n");
    let at = end + 2;
    performance.mark("trundlebop-files");
    return lines.map((line) => {
      const [name, size] = line.split(" ");
      const file = { name, bytes: bytes.subarray(at, at + Number(size)) };
      at += Number(size);
      return file;
    });
  }

  async function start() {
    // The game files, the program and the synthesizer load side by side.
    const music = makeTrundlebopMusic("soundfont.sf2.gz");
    const files = gameFiles();
    const made = TrundlebopProgram({
      trundlebopPage: {
        nextEvent() { if (events.length === 0) pollPads(); return events.shift(); },
        openCanvas(title, width, height) {
          document.title = title;
          canvas.width = noteCanvas.width = width;
          canvas.height = noteCanvas.height = height;
          layout();
        },
        showPicture(rgba, width, height) {
          // The picture goes to the canvas straight from the program's memory, through an
          // ImageData kept while the program's buffer stays where it is.
          if (!image || image.data.buffer !== rgba.buffer || image.data.byteOffset !== rgba.byteOffset ||
              image.width !== width || image.height !== height) {
            image = new ImageData(new Uint8ClampedArray(rgba.buffer, rgba.byteOffset, rgba.length), width, height);
          }
          context.putImageData(image, 0, 0);
          if (++status.framesShown === 1) {
            status.firstFrameAt = performance.now();
            status.bytesBeforeFirstFrame = bytesFetched();
            program.trundlebopMusic.begin();
            $("loading").hidden = true;
          }
        },
        showNote,
        passBegins() {
          status.passStarts.push(performance.now());
          if (status.passStarts.length > 2000) status.passStarts.splice(0, 1000);
        },
        trace(fields) {
          status.trace = fields;
          status.traces.push(fields);
          if (status.traces.length > 400) status.traces.splice(0, 200);
        },
        setCursorVisible(visible) { canvas.style.cursor = visible ? "default" : "none"; },
        playSound,
        yieldToBrowser,
        download,
        storeSetting,
        storedSettings,
      },
      locateFile: (file) => file,
      print: (text) => console.log(text),
      printErr: (text) => console.warn(text),
    });
    made.then(() => performance.mark("trundlebop-program"));
    const [gameFileList, made2] = await Promise.all([files, made]);
    program = made2;
    performance.mark("trundlebop-loaded");
    // The music stand-in finds the synthesizer here when the game makes its performance.
    program.trundlebopMusic = music;
    program.FS.mkdir("/game");
    program.FS.mkdir("/screenshots");
    for (const f of gameFileList) program.FS.writeFile("/game/" + f.name, f.bytes);
    window.trundlebopProgram = program;
    program.callMain([]);
  }
  start().catch((e) => { $("loading").textContent = "The game could not start: " + e; });
})();
