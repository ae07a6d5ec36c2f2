// The exact straight-alpha RGBA of an 8-bit, non-interlaced PNG (colour types 2 and 6),
// decoded here rather than through a canvas: a 2D canvas stores premultiplied colour and
// would round away the colour of nearly transparent pixels before the comparison.
"use strict";

async function inflate(blob) {
  const stream = blob.stream().pipeThrough(new DecompressionStream("deflate"));
  return new Uint8Array(await new Response(stream).arrayBuffer());
}

function paeth(a, b, c) {
  const p = a + b - c;
  const pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
  if (pa <= pb && pa <= pc) return a;
  return pb <= pc ? b : c;
}

async function pngPixels(url) {
  const response = await fetch(url);
  if (!response.ok) throw new Error(`${url}: ${response.status}`);
  const bytes = new Uint8Array(await response.arrayBuffer());
  const view = new DataView(bytes.buffer);
  let width = 0, height = 0, colourType = 0;
  const chunks = [];
  for (let at = 8; at < bytes.length;) {
    const length = view.getUint32(at);
    const type = String.fromCharCode(...bytes.subarray(at + 4, at + 8));
    const data = bytes.subarray(at + 8, at + 8 + length);
    if (type === "IHDR") {
      width = view.getUint32(at + 8);
      height = view.getUint32(at + 12);
      colourType = data[9];
      if (data[8] !== 8 || data[12] !== 0 || (colourType !== 2 && colourType !== 6))
        throw new Error(`${url}: only 8-bit RGB(A) without interlace is read here`);
    } else if (type === "IDAT") {
      chunks.push(data);
    }
    at += 12 + length;
  }
  const raw = await inflate(new Blob(chunks));
  const channels = colourType === 6 ? 4 : 3;
  const stride = width * channels;
  const rows = new Uint8Array(stride * height);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (stride + 1)];
    const line = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
    const out = rows.subarray(y * stride, (y + 1) * stride);
    const up = y > 0 ? rows.subarray((y - 1) * stride, y * stride) : new Uint8Array(stride);
    for (let i = 0; i < stride; ++i) {
      const a = i >= channels ? out[i - channels] : 0;
      const b = up[i];
      const c = i >= channels ? up[i - channels] : 0;
      const x = line[i];
      switch (filter) {
        case 0: out[i] = x; break;
        case 1: out[i] = x + a; break;
        case 2: out[i] = x + b; break;
        case 3: out[i] = x + ((a + b) >> 1); break;
        case 4: out[i] = x + paeth(a, b, c); break;
        default: throw new Error(`${url}: bad filter ${filter}`);
      }
    }
  }
  const rgba = new Uint8Array(width * height * 4);
  for (let p = 0; p < width * height; ++p) {
    rgba[p * 4] = rows[p * channels];
    rgba[p * 4 + 1] = rows[p * channels + 1];
    rgba[p * 4 + 2] = rows[p * channels + 2];
    rgba[p * 4 + 3] = channels === 4 ? rows[p * channels + 3] : 255;
  }
  return { width, height, rgba };
}
