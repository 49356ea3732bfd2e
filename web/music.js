// The game's music on the page: FluidSynth compiled for the web (the js-synthesizer package)
// with the page's SoundFont, offered to the program as Module.trundlebopMusic, which the
// music stand-in drives (src/platform/dmusic/synth_web.cpp) as it drives FluidSynth on the
// desktop: same settings, a file player moved on by the samples rendered, the same calls.
"use strict";

// The music object the program finds at once, so the game need not wait for the
// synthesizer to start: until the synthesizer is ready it is silent and remembers the piece
// it was asked to play, which starts from its beginning once the synthesizer is there.
function makeTrundlebopMusic(fontUrl) {
  let real = null;
  let failed = false;
  let pending = null;
  let volume = 1;
  let begun = false;
  // The synthesizer's scripts and the font load once begin() is called (when the game
  // shows its first frame), so the menu does not wait for them.
  const begin = () => {
    if (begun) return;
    begun = true;
    makeSynthesizer(fontUrl).then((made) => {
      if (!made) { failed = true; return; }
      real = made;
      real.volume(volume);
      real.loadFont();
      if (pending) real.start(pending);
      pending = null;
    }, (e) => { failed = true; console.warn("trundlebop: no music: " + e); });
  };
  const silent = (left, right) => { left.fill(0); right.fill(0); };
  return {
    hasFont: () => (real ? real.hasFont() : !failed),
    begin,
    start(bytes) { if (real) return real.start(bytes); pending = bytes.slice(); return true; },
    stop() { if (real) real.stop(); pending = null; },
    playing: () => (real ? real.playing() : pending !== null),
    channels: () => (real ? real.channels() : 16),
    control(channel, control, value) { if (real) real.control(channel, control, value); },
    bank(channel, bank) { if (real) real.bank(channel, bank); },
    program(channel, program) { if (real) real.program(channel, program); },
    allNotesOff() { if (real) real.allNotesOff(); },
    volume(v) { volume = v; if (real) real.volume(v); },
    render: (left, right) => (real ? real.render(left, right) : silent(left, right)),
  };
}

// Resolves to the synthesizer once it is ready, or to null when it cannot load (the game
// then plays without music).
async function makeSynthesizer(fontUrl) {
  await loadScript("libfluidsynth.js");
  await loadScript("js-synthesizer.min.js");
  const fluid = window.Module;  // libfluidsynth's own module, from its script
  if (!window.JSSynth || !fluid) return null;
  await JSSynth.waitForReady();
  const synth = new JSSynth.Synthesizer();
  // As on the desktop: room for the busiest passages, a modest room and a light chorus.
  synth.init(44100, {
    polyphony: 96, initialGain: 0.5, reverbActive: true, reverbRoomSize: 0.4, reverbDamp: 0.3,
    reverbWidth: 0.8, reverbLevel: 0.5, chorusActive: true, chorusLevel: 0.8,
  });
  const raw = synth.getRawSynthesizer();
  // The synthesizer's own messages would fill the page's console; it keeps quiet instead.
  for (let level = 0; level <= 4; ++level) fluid._fluid_set_log_function(level, 0, 0);
  const settings = synth._settings;
  const setString = fluid.cwrap("fluid_settings_setstr", "number", ["number", "string", "string"]);
  const setInt = fluid.cwrap("fluid_settings_setint", "number", ["number", "string", "number"]);
  // Players made from now on move on with the samples rendered, and leave the channels to us.
  setString(settings, "player.timing-source", "sample");
  setInt(settings, "player.reset-synth", 0);
  // Notes sound from when the font arrives (loading it gives every channel its instrument).
  let fontFailed = false;
  let font = null;
  const loadFont = () => {
    font = font || fetch(fontUrl).then((response) => {
      if (!response.ok) throw new Error(fontUrl + ": " + response.status);
      return gunzipped(response);
    }).then((bytes) => synth.loadSFont(bytes)).catch((e) => {
      fontFailed = true;
      console.warn("trundlebop: the SoundFont did not load: " + e);
    });
    return font;
  };
  let player = 0;
  const stop = () => {
    if (!player) return;
    fluid._fluid_player_stop(player);
    fluid._delete_fluid_player(player);
    player = 0;
  };
  return {
    hasFont: () => !fontFailed,
    loadFont,
    start(bytes) {
      stop();
      player = fluid._new_fluid_player(raw);
      if (!player) return false;
      const at = fluid._malloc(bytes.length);
      fluid.HEAPU8.set(bytes, at);
      const ok = fluid._fluid_player_add_mem(player, at, bytes.length) === 0 && fluid._fluid_player_play(player) === 0;
      fluid._free(at);
      if (!ok) stop();
      return ok;
    },
    stop,
    playing: () => player !== 0 && fluid._fluid_player_get_status(player) === 1,
    channels: () => fluid._fluid_synth_count_midi_channels(raw),
    control: (channel, control, value) => synth.midiControl(channel, control, value),
    bank: (channel, bank) => synth.midiBankSelect(channel, bank),
    program: (channel, program) => synth.midiProgramChange(channel, program),
    allNotesOff: () => synth.midiAllNotesOff(),
    volume: (volume) => synth.setGain(0.5 * volume),
    render: (left, right) => synth.render([left, right]),
  };
}

// The bytes of a gzip-compressed response (the page's server compresses nothing itself).
async function gunzipped(response) {
  const stream = response.body.pipeThrough(new DecompressionStream("gzip"));
  return await new Response(stream).arrayBuffer();
}

function loadScript(url) {
  return new Promise((resolve, reject) => {
    const script = document.createElement("script");
    script.src = url;
    script.onload = resolve;
    script.onerror = () => reject(new Error(url + " did not load"));
    document.head.appendChild(script);
  });
}
