// Opens the check page in headless Chromium (the system's, through puppeteer-core),
// waits until it says it is done and prints its report; page errors go to stderr. With
// SHOT_PREFIX it then takes two screenshots a quarter of a second apart,
// SHOT_PREFIX-1.png and SHOT_PREFIX-2.png, to show pictures that play.
//   node run_page.js CHROMIUM URL [SHOT_PREFIX]
"use strict";
const puppeteer = require("puppeteer-core");

async function main() {
  const [chromium, url, shots] = process.argv.slice(2);
  const browser = await puppeteer.launch({
    executablePath: chromium,
    headless: true,
    args: ["--no-sandbox", "--use-angle=swiftshader", "--enable-unsafe-swiftshader",
           "--no-first-run"],
  });
  try {
    const page = await browser.newPage();
    await page.setViewport({ width: 860, height: 420 });
    page.on("pageerror", (error) => console.error(`page error: ${error.message}`));
    page.on("console", (message) => {
      if (message.type() === "error") console.error(`console: ${message.text()}`);
    });
    await page.goto(url);
    await page.waitForFunction(() => document.title === "done", { timeout: 300000, polling: 500 });
    console.log(await page.$eval("#report", (element) => element.textContent));
    if (shots) {
      await page.screenshot({ path: `${shots}-1.png` });
      await new Promise((resolve) => setTimeout(resolve, 250));
      await page.screenshot({ path: `${shots}-2.png` });
    }
  } finally {
    await browser.close();
  }
}

main().catch((error) => {
  console.error(error.stack || String(error));
  process.exit(1);
});
