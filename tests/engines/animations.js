// Plays the exported GIF, APNG and WebP pictures of animations.json through the browser's
// own decoder (WebCodecs ImageDecoder): frame count, loop count and durations, and for
// the lossless ones every frame against the numbered frame of the same number. The
// pictures are also shown in <img> elements, so that screenshots catch them playing.
"use strict";

const report = [];
let passed = 0;
let failed = 0;

function say(line) {
  report.push(line);
  document.getElementById("report").textContent = report.join("\n");
}

function check(ok, line) {
  if (ok) ++passed;
  else ++failed;
  say(`${ok ? "ok  " : "FAIL"} ${line}`);
}

function premultiplied(rgba) {
  const out = new Uint8Array(rgba.length);
  for (let i = 0; i < rgba.length; i += 4) {
    const a = rgba[i + 3];
    for (let c = 0; c < 3; ++c) out[i + c] = Math.round((rgba[i + c] * a) / 255);
    out[i + 3] = a;
  }
  return out;
}

async function rgbaOf(frame) {
  const out = new Uint8Array(frame.codedWidth * frame.codedHeight * 4);
  await frame.copyTo(out, { format: "RGBA" });
  return out;
}

// The largest channel difference between two premultiplied pictures.
function largestDifference(a, b) {
  let largest = 0;
  for (let i = 0; i < a.length; ++i) largest = Math.max(largest, Math.abs(a[i] - b[i]));
  return largest;
}

async function decode(url, type) {
  const response = await fetch(url);
  const decoder = new ImageDecoder({ data: response.body, type, premultiplyAlpha: "none",
                                     colorSpaceConversion: "none" });
  await decoder.completed;
  const track = decoder.tracks.selectedTrack;
  const frames = [];
  for (let i = 0; i < track.frameCount; ++i) {
    const { image } = await decoder.decode({ frameIndex: i });
    frames.push({ duration: image.duration / 1000, width: image.displayWidth,
                  height: image.displayHeight, rgba: await rgbaOf(image) });
    image.close();
  }
  const result = { frames, repetitions: track.repetitionCount };
  decoder.close();
  return result;
}

async function main() {
  const manifest = await (await fetch("animations.json")).json();
  const { count, width, height, frameMs } = manifest.frames;
  const expected = [];
  for (let i = 0; i < count; ++i)
    expected.push(premultiplied((await pngPixels(
      `${manifest.frames.prefix}${String(i).padStart(4, "0")}.png`)).rgba));
  const loop = count * frameMs;
  for (const picture of manifest.pictures) {
    const shown = document.createElement("img");
    shown.src = picture.url;
    document.getElementById("pictures").appendChild(shown);

    const { frames, repetitions } = await decode(picture.url, picture.type);
    const total = frames.reduce((sum, f) => sum + f.duration, 0);
    say(`${picture.name}: ${frames.length} frames, ${total.toFixed(1)} ms a loop ` +
        `(first ${frames[0].duration.toFixed(1)} ms), repetitions ${repetitions}, ` +
        `${frames[0].width}×${frames[0].height}`);
    check(repetitions === Infinity, `${picture.name} loops forever`);
    check(frames.every((f) => f.width === width && f.height === height),
          `${picture.name} has the canvas size ${width}×${height}`);
    // The loop keeps its length to the millisecond (GIF: to its hundredths of a second).
    check(Math.abs(total - loop) <= picture.toleranceMs,
          `${picture.name} lasts ${total.toFixed(1)} ms, the loop ${loop.toFixed(1)} ms`);
    if (picture.frames !== undefined)
      check(frames.length === picture.frames,
            `${picture.name} has ${frames.length} frames, expected ${picture.frames}`);
    if (picture.exact) {
      let worst = 0;
      frames.forEach((f, i) => {
        worst = Math.max(worst, largestDifference(premultiplied(f.rgba), expected[i]));
      });
      check(worst <= 1, `${picture.name} frames match the numbered frames (largest difference ${worst})`);
    } else if (picture.oneBitAlpha) {
      const alphas = new Set();
      for (const f of frames) for (let i = 3; i < f.rgba.length; i += 4) alphas.add(f.rgba[i]);
      check([...alphas].every((a) => a === 0 || a === 255),
            `${picture.name} is either transparent or opaque (${alphas.size} alpha values)`);
    }
  }
  say(`RESULT animations: ${passed} passed, ${failed} failed`);
}

main()
  .catch((error) => say(`ERROR ${error && error.stack ? error.stack : error}`))
  .finally(() => { document.title = "done"; });
