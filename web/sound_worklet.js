// The audio worklet: plays the game's mix, handed over a pass at a time (30 ms of 16-bit
// stereo at 44,100 frames a second), and tells the page how loud its output is.
"use strict";

class TrundlebopSound extends AudioWorkletProcessor {
  constructor() {
    super();
    this.passes = [];  // Int16Array, interleaved stereo, oldest first
    this.at = 0;       // the next frame of passes[0]
    this.playing = false;
    this.level = 0;    // the largest sample since the last report
    this.blocks = 0;
    this.port.onmessage = (event) => {
      this.passes.push(event.data);
      // Two passes queued before playing, so a pass a little late finds sound still queued;
      // more than four means the page fell behind, and the oldest go.
      if (this.passes.length >= 2) this.playing = true;
      while (this.passes.length > 4) { this.passes.shift(); this.at = 0; }
    };
  }

  process(inputs, outputs) {
    const left = outputs[0][0];
    const right = outputs[0][1] || left;
    for (let i = 0; i < left.length; ++i) {
      if (!this.playing || this.passes.length === 0) {
        this.playing = false;
        left[i] = right[i] = 0;
        continue;
      }
      const pass = this.passes[0];
      left[i] = pass[2 * this.at] / 32768;
      right[i] = pass[2 * this.at + 1] / 32768;
      this.level = Math.max(this.level, Math.abs(left[i]), Math.abs(right[i]));
      if (++this.at * 2 >= pass.length) { this.passes.shift(); this.at = 0; }
    }
    if (++this.blocks % 32 === 0) {
      this.port.postMessage(this.level);
      this.level = 0;
    }
    return true;
  }
}

registerProcessor("trundlebop-sound", TrundlebopSound);
