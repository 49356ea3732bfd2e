// Unpacks the game files' gzip pack off the page's own thread, which meanwhile prepares the
// program: the compressed bytes come in, the unpacked bytes go back (both moved, not copied).
"use strict";

onmessage = async (event) => {
  try {
    const stream = new Blob([event.data]).stream().pipeThrough(new DecompressionStream("gzip"));
    const bytes = await new Response(stream).arrayBuffer();
    postMessage(bytes, [bytes]);
  } catch (e) {
    postMessage(String(e));
  }
};
