// Generates tests/forecast/fsrs_reference.json: review logs replayed through ts-fsrs (the
// reference FSRS-6 scheduler, default parameters, short-term stability on, no fuzz), with the
// memory state after the last review and the retrievability at several later moments.
// Run once with `npm install && node generate.mjs`; the tests read the committed output.
import { writeFileSync } from 'node:fs';
import { createEmptyCard, fsrs, FSRSVersion } from 'ts-fsrs';

const scheduler = fsrs({ enable_fuzz: false, enable_short_term: true });

// Small deterministic generator (mulberry32) so the logs are the same on every run.
function random(seed) {
  return () => {
    seed = (seed + 0x6d2b79f5) | 0;
    let t = Math.imul(seed ^ (seed >>> 15), 1 | seed);
    t = (t + Math.imul(t ^ (t >>> 7), 61 | t)) ^ t;
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
}

const minute = 60 * 1000;
const hour = 60 * minute;
const day = 24 * hour;
const start = Date.parse('2026-03-14T09:26:53.589Z');

function replay(name, steps) {
  // steps: [milliseconds after the previous review, rating]
  let card = createEmptyCard(new Date(start));
  let at = start;
  const reviews = [];
  for (const [gap, rating] of steps) {
    at += gap;
    card = scheduler.next(card, new Date(at), rating).card;
    reviews.push({ at: new Date(at).toISOString(), rating });
  }
  const later = [-hour, minute, 23 * hour + 59 * minute, day, 36 * hour, 3 * day + 5 * hour,
                 10 * day, 45 * day, 400 * day, 3650 * day];
  const recall = later.map((offset) => ({
    at: new Date(at + offset).toISOString(),
    r: scheduler.get_retrievability(card, new Date(at + offset), false),
  }));
  return { name, reviews, stability: card.stability, difficulty: card.difficulty, recall };
}

const cases = [
  replay('one Good', [[0, 3]]),
  replay('one Again', [[0, 1]]),
  replay('one Hard', [[0, 2]]),
  replay('one Easy', [[0, 4]]),
  replay('Again then Good the same day', [[0, 1], [5 * minute, 3]]),
  replay('many the same day', [[0, 3], [minute, 1], [minute, 2], [minute, 3], [hour, 3], [hour, 4]]),
  replay('Good every day for a week', Array.from({ length: 7 }, (_, i) => [i ? day : 0, 3])),
  replay('Hard every other day', Array.from({ length: 6 }, (_, i) => [i ? 2 * day : 0, 2])),
  replay('lapse after a long gap', [[0, 3], [day, 3], [5 * day, 3], [200 * day, 1], [10 * minute, 3]]),
  replay('two minutes across midnight UTC', [[0, 3], [14 * hour + 32 * minute, 3], [2 * minute, 3]]),
  replay('23 hours on the same day', [[-9 * hour, 3], [23 * hour + 30 * minute, 3]]),
  replay('years apart', [[0, 3], [700 * day, 3], [1500 * day, 2], [3 * 365 * day, 1]]),
  replay('Again repeatedly', Array.from({ length: 8 }, (_, i) => [i ? 3 * day : 0, 1])),
  replay('Again and Hard alternating', Array.from({ length: 10 }, (_, i) => [i ? 17 * hour : 0, i % 2 ? 2 : 1])),
];

const next = random(20261208);
const gaps = [0, minute, 20 * minute, 3 * hour, 20 * hour, day, 2 * day + hour, 6 * day, 30 * day, 120 * day];
for (let n = 0; n < 60; ++n) {
  const steps = [];
  const length = 1 + Math.floor(next() * 25);
  for (let i = 0; i < length; ++i) {
    const gap = i === 0 ? 0 : Math.floor(gaps[Math.floor(next() * gaps.length)] * (0.5 + next()));
    // Mostly the three ratings the program records, some Easy for the formulas' sake.
    const roll = next();
    const rating = roll < 0.25 ? 1 : roll < 0.45 ? 2 : roll < 0.95 ? 3 : 4;
    steps.push([gap, rating]);
  }
  cases.push(replay(`random ${n + 1}`, steps));
}

const out = new URL('../../tests/forecast/fsrs_reference.json', import.meta.url);
writeFileSync(out, JSON.stringify({ generator: `ts-fsrs ${FSRSVersion}`, cases }, null, 1) + '\n');
console.log(`${cases.length} logs written to ${out.pathname}`);
