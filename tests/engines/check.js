// Loads every exported sheet of cases.json in one engine (?engine=pixi or ?engine=phaser),
// draws each frame at the origin of a canvas-sized stage, as a game places an untrimmed
// sprite, reads the stage back and compares it with the numbered frame of the same
// number. The verdict goes into <pre id="report">; the title becomes "done" at the end.
"use strict";

const report = [];
let passed = 0;
let failed = 0;

function say(line) {
  report.push(line);
  document.getElementById("report").textContent = report.join("\n");
}

function frameName(base, index) {
  return `${base}_${String(index).padStart(4, "0")}`;
}

// Straight colour premultiplied as the engines' blending stores it on the stage.
function premultiplied(rgba) {
  const out = new Uint8Array(rgba.length);
  for (let i = 0; i < rgba.length; i += 4) {
    const a = rgba[i + 3];
    out[i] = Math.round((rgba[i] * a) / 255);
    out[i + 1] = Math.round((rgba[i + 1] * a) / 255);
    out[i + 2] = Math.round((rgba[i + 2] * a) / 255);
    out[i + 3] = a;
  }
  return out;
}

// The drawing buffer top row first (WebGL reads bottom-up).
function readStage(gl, width, height) {
  const raw = new Uint8Array(width * height * 4);
  gl.readPixels(0, 0, width, height, gl.RGBA, gl.UNSIGNED_BYTE, raw);
  const out = new Uint8Array(raw.length);
  const stride = width * 4;
  for (let y = 0; y < height; ++y)
    out.set(raw.subarray((height - 1 - y) * stride, (height - y) * stride), y * stride);
  return out;
}

// Null when every channel is within one step, else where and how it first differs.
function difference(got, want, width) {
  let count = 0;
  let first = null;
  let largest = 0;
  for (let i = 0; i < want.length; ++i) {
    const d = Math.abs(got[i] - want[i]);
    if (d <= 1) continue;
    largest = Math.max(largest, d);
    if (count++ === 0) {
      const p = i >> 2;
      first = `(${p % width},${Math.floor(p / width)}) got ${got.slice(p * 4, p * 4 + 4)} ` +
              `want ${want.slice(p * 4, p * 4 + 4)}`;
    }
  }
  return count ? `${count} channels differ by up to ${largest}, first at ${first}` : null;
}

async function expectedFrames(manifest) {
  const frames = [];
  for (let i = 0; i < manifest.frames.count; ++i) {
    const url = `${manifest.frames.prefix}${String(i).padStart(4, "0")}.png`;
    const png = await pngPixels(url);
    frames.push(premultiplied(png.rgba));
  }
  return frames;
}

async function atlasesOf(one) {
  const atlases = [];
  for (const url of one.atlases) atlases.push({ url, json: await (await fetch(url)).json() });
  return atlases;
}

function record(engine, one, index, problem) {
  if (problem) {
    ++failed;
    say(`FAIL ${engine} ${one.name} ${frameName(one.base, index)}: ${problem}`);
  } else {
    ++passed;
  }
}

// What an engine needs of the atlases themselves: every frame once, on the sheet its
// atlas names, and the other sheets listed for a loader to follow.
function checkAtlases(one, atlases, count) {
  const seen = new Map();
  for (const { url, json } of atlases) {
    const frames = Array.isArray(json.frames)
      ? json.frames.map((f) => [f.filename, f])
      : Object.entries(json.frames);
    for (const [name] of frames) seen.set(name, (seen.get(name) || 0) + 1);
    const others = json.meta.related_multi_packs || [];
    if (others.length !== atlases.length - 1)
      say(`FAIL atlas ${one.name} ${url}: lists ${others.length} other sheets of ${atlases.length}`);
  }
  for (let i = 0; i < count; ++i)
    if (seen.get(frameName(one.base, i)) !== 1)
      return `${frameName(one.base, i)} appears ${seen.get(frameName(one.base, i)) || 0} times`;
  if (seen.size !== count) return `${seen.size} frames listed for ${count}`;
  return null;
}

async function checkPixi(manifest, expected) {
  const { width, height } = manifest.frames;
  const app = new PIXI.Application();
  await app.init({ width, height, backgroundAlpha: 0, preference: "webgl", antialias: false,
                   preserveDrawingBuffer: true, autoStart: false, resolution: 1 });
  document.body.appendChild(app.canvas);
  const gl = app.renderer.gl;
  for (const one of manifest.cases) {
    const atlases = await atlasesOf(one);
    // PixiJS names frames by their key in the hash; an array's entries become "0", "1", …
    if (Array.isArray(atlases[0].json.frames)) {
      say(`skip pixi ${one.name}: PixiJS reads the hash layout only`);
      continue;
    }
    const premultipliedSheet = atlases[0].json.meta.premultipliedAlpha === true;
    // The first atlas brings the others through meta.related_multi_packs.
    const sheet = await PIXI.Assets.load({
      src: atlases[0].url,
      data: { textureOptions: premultipliedSheet ? { alphaMode: "premultiplied-alpha" } : {} },
    });
    const textures = Object.assign({}, sheet.textures,
                                   ...sheet.linkedSheets.map((linked) => linked.textures));
    const animated = [sheet, ...sheet.linkedSheets]
      .reduce((n, s) => n + ((s.animations[one.base] || []).filter(Boolean).length), 0);
    if (animated !== manifest.frames.count) {
      ++failed;
      say(`FAIL pixi ${one.name}: animations.${one.base} holds ${animated} frames`);
    }
    for (let i = 0; i < manifest.frames.count; ++i) {
      const texture = textures[frameName(one.base, i)];
      if (!texture) {
        record("pixi", one, i, "no such texture");
        continue;
      }
      app.stage.removeChildren();
      const sprite = new PIXI.Sprite(texture);
      sprite.position.set(0, 0);
      app.stage.addChild(sprite);
      app.renderer.render(app.stage);
      record("pixi", one, i, difference(readStage(gl, width, height), expected[i], width));
    }
  }
  app.destroy(true);
}

function nextRender(game) {
  return new Promise((resolve) => game.events.once("postrender", resolve));
}

async function checkPhaser(manifest, expected) {
  const { width, height } = manifest.frames;
  const loads = [];
  for (const one of manifest.cases) loads.push({ one, atlases: await atlasesOf(one) });
  let scene = null;
  const ready = new Promise((resolve) => {
    // eslint-disable-next-line no-new
    window.game = new Phaser.Game({
      type: Phaser.WEBGL, width, height, transparent: true, banner: false,
      render: { preserveDrawingBuffer: true, antialias: true },
      scene: {
        preload() {
          // Phaser takes each sheet as an atlas of its own, under its own key.
          for (const { one, atlases } of loads)
            atlases.forEach(({ url, json }, k) => {
              const base = url.slice(0, url.lastIndexOf("/") + 1);
              this.load.atlas(`${one.name}#${k}`, base + json.meta.image, url);
            });
        },
        create() {
          scene = this;
          resolve();
        },
      },
    });
  });
  await ready;
  const game = window.game;
  const gl = game.renderer.gl;
  for (const { one, atlases } of loads) {
    const keys = atlases.map((_, k) => `${one.name}#${k}`);
    if (atlases[0].json.meta.premultipliedAlpha === true) {
      // Phaser premultiplies every upload; a sheet that already is, goes up as it is.
      for (const key of keys) {
        const glTexture = scene.textures.get(key).source[0].glTexture;
        glTexture.pma = false;
        glTexture.update(glTexture.pixels, glTexture.width, glTexture.height, glTexture.flipY,
                         glTexture.wrapS, glTexture.wrapT, glTexture.minFilter,
                         glTexture.magFilter, glTexture.format);
      }
    }
    const problem = checkAtlases(one, atlases, manifest.frames.count);
    if (problem) {
      ++failed;
      say(`FAIL atlas ${one.name}: ${problem}`);
    }
    for (let i = 0; i < manifest.frames.count; ++i) {
      const name = frameName(one.base, i);
      const key = keys.find((k) => scene.textures.get(k).has(name));
      if (!key) {
        record("phaser", one, i, "no such frame");
        continue;
      }
      const image = scene.add.image(0, 0, key, name).setOrigin(0, 0);
      await nextRender(game);
      await nextRender(game);
      record("phaser", one, i, difference(readStage(gl, width, height), expected[i], width));
      image.destroy();
    }
  }
  game.destroy(true);
}

async function main() {
  const engine = new URLSearchParams(location.search).get("engine");
  const manifest = await (await fetch("cases.json")).json();
  const expected = await expectedFrames(manifest);
  if (engine === "pixi") await checkPixi(manifest, expected);
  else if (engine === "phaser") await checkPhaser(manifest, expected);
  else throw new Error(`unknown engine ${engine}`);
  say(`RESULT ${engine}: ${passed} passed, ${failed} failed`);
}

main()
  .catch((error) => say(`ERROR ${error && error.stack ? error.stack : error}`))
  .finally(() => { document.title = "done"; });
