// How the browser test and tools/bench-web start the page's server and a
// headless Chromium, so both measure and play the same browser the same way.
import { spawn } from 'node:child_process';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import puppeteer from 'puppeteer-core';

// The benchmark reaches puppeteer through here, where it is installed.
export { PredefinedNetworkConditions } from 'puppeteer-core';

export const ROOT = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');

// Debian's Chromium runs headless as root only without its sandbox; WebGL
// needs SwiftShader where there is no GPU.
export const CHROMIUM_ARGS = [
  '--no-sandbox',
  '--use-angle=swiftshader',
  '--enable-unsafe-swiftshader',
  '--disable-background-networking',
  '--disable-component-update',
  '--disable-sync',
  '--no-first-run',
];

export function launchChromium(userDataDir, viewport) {
  return puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    userDataDir,
    defaultViewport: viewport,
    args: CHROMIUM_ARGS,
  });
}

// tools/serve-web on a free port; resolves to its address and the process.
export function startServer() {
  return new Promise((resolve, reject) => {
    const server = spawn(path.join(ROOT, 'tools/serve-web'), ['0'], { stdio: ['ignore', 'pipe', 'ignore'] });
    server.on('error', reject);
    server.on('exit', (code) => reject(new Error(`tools/serve-web ended with status ${code}`)));
    server.stdout.setEncoding('utf8');
    server.stdout.on('data', (text) => {
      const address = text.match(/http:\/\/127\.0\.0\.1:\d+\//);
      if (address)
        resolve({ url: address[0], server });
    });
  });
}
