// What the browser tests share: their checks, their waits for a condition,
// and how a run ends, with the page's console after a failure.
export class Failure extends Error {}

export function check(condition, what) {
  if (!condition)
    throw new Failure(what);
}

let passed = 0;
export function ok(what) {
  passed += 1;
  console.log(`ok - ${what}`);
}

// A bench timing what it waits for asks again more often than every 50 ms.
export async function waitFor(condition, what, limit = 20000, every = 50) {
  const deadline = Date.now() + limit;
  for (;;) {
    if (await condition())
      return;
    if (Date.now() > deadline)
      throw new Failure(`timed out waiting for ${what}`);
    await new Promise((resolve) => setTimeout(resolve, every));
  }
}

// Runs the test, tidies up whatever happened, and exits with its status.
export async function runChecks(name, main, consoleLines, tidyUp) {
  let status = 0;
  try {
    await main();
  } catch (error) {
    status = 1;
    console.log(`not ok - ${error instanceof Failure ? error.message : error.stack}`);
    console.log('--- the page\'s console:');
    for (const line of consoleLines)
      console.log(line);
  } finally {
    await tidyUp();
  }
  console.log(`${name}: ${passed} passed, ${status} failed`);
  process.exit(status);
}
