// Generates tests/forecast/fsrs_reference.json: review logs replayed through ts-fsrs (the
// reference FSRS-6 scheduler, default parameters, short-term stability on, no fuzz), with the
// memory state after the last review and the retrievability at several later moments.
// Run once with `npm install && node generate.mjs`; the tests read the committed output.
//
// The program's study day starts at 04:00 local time, and ts-fsrs counts days between UTC
// dates, so each review is fed to ts-fsrs at its time moved by its local UTC offset minus
// 4 hours: two reviews then fall on the same ts-fsrs date exactly when they fall on the same
// study day. Each log is kept in one time zone (written with it), and the recall at a later
// moment uses the exact time since the last review.
import { writeFileSync } from 'node:fs';
import { createEmptyCard, default_w, forgetting_curve, fsrs, FSRSVersion } from 'ts-fsrs';

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
const defaultStart = Date.parse('2026-03-14T09:26:53.589Z');
const newYork = 'America/New_York'; // summer time from March to November
const kolkata = 'Asia/Kolkata';     // UTC+05:30 all year

// The zone's offset from UTC at a moment, in milliseconds.
function utcOffset(zone, ms) {
  const name = new Intl.DateTimeFormat('en-US', { timeZone: zone, timeZoneName: 'longOffset' })
    .formatToParts(new Date(ms)).find((part) => part.type === 'timeZoneName').value;
  const match = /GMT([+-])(\d\d):(\d\d)/.exec(name);
  if (!match)
    return 0;
  const sign = match[1] === '-' ? -1 : 1;
  return sign * (Number(match[2]) * hour + Number(match[3]) * minute);
}

// The moment ts-fsrs is given for a review at `ms`: its study-day clock.
function studyClock(zone, ms) {
  return new Date(ms + utcOffset(zone, ms) - 4 * hour);
}

function replay(name, steps, zone = newYork, start = defaultStart) {
  // steps: [milliseconds after the previous review, rating]
  let card = createEmptyCard(studyClock(zone, start));
  let at = start;
  const reviews = [];
  for (const [gap, rating] of steps) {
    at += gap;
    card = scheduler.next(card, studyClock(zone, at), rating).card;
    reviews.push({ at: new Date(at).toISOString(), rating });
  }
  const later = [-hour, minute, 23 * hour + 59 * minute, day, 36 * hour, 3 * day + 5 * hour,
                 10 * day, 45 * day, 400 * day, 3650 * day];
  const recall = later.map((offset) => ({
    at: new Date(at + offset).toISOString(),
    r: forgetting_curve(default_w, Math.max(offset, 0) / day, card.stability),
  }));
  return { name, zone, reviews, stability: card.stability, difficulty: card.difficulty, recall };
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
  // 03:59 and 04:01 local are two study days; 19:59 and 20:01 in New York (midnight UTC) one.
  replay('two minutes across 04:00 in New York', [[0, 3], [2 * minute, 3]], newYork,
         Date.parse('2026-06-10T07:59:00.000Z')),
  replay('two minutes across 04:00 in Kolkata', [[0, 3], [2 * minute, 3]], kolkata,
         Date.parse('2026-06-09T22:29:00.000Z')),
  replay('two minutes across midnight UTC in New York', [[0, 3], [2 * minute, 3]], newYork,
         Date.parse('2026-06-09T23:59:00.000Z')),
  replay('two minutes across midnight UTC in Kolkata', [[0, 3], [2 * minute, 3]], kolkata,
         Date.parse('2026-06-09T23:59:00.000Z')),
  replay('across the start of summer time', [[0, 3], [day, 3], [day, 1], [day, 3], [hour, 3]], newYork,
         Date.parse('2026-03-07T08:30:00.000Z')),
  replay('across the end of summer time', [[0, 3], [23 * hour + 30 * minute, 3], [day, 2], [3 * day, 3]],
         newYork, Date.parse('2026-10-31T08:10:00.000Z')),
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
  cases.push(replay(`random ${n + 1}`, steps, n % 2 ? kolkata : newYork));
}

const out = new URL('../../tests/forecast/fsrs_reference.json', import.meta.url);
writeFileSync(out, JSON.stringify({ generator: `ts-fsrs ${FSRSVersion}`, cases }, null, 1) + '\n');
console.log(`${cases.length} logs written to ${out.pathname}`);
