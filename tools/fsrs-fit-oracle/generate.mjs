// Writes the optimizer's test data: the reviews of four simulated learners, and the weights the
// reference optimizer (fsrs-rs, through its Node binding) fits to the training part of each of them
// and of the learner that zembo's own scheduler drove. Run with
//   npm install && node generate.mjs
// (see README.md beside this file). The learners are seeded, so a run gives the same files.
import { readFileSync, writeFileSync } from 'node:fs';
import { gunzipSync, gzipSync } from 'node:zlib';
import { computeParameters, FSRSBindingItem, FSRSBindingReview } from '@open-spaced-repetition/binding';

const dataFolder = new URL('../../tests/review/data/fit/', import.meta.url);
const DEFAULTS = [0.212, 1.2931, 2.3065, 8.2956, 6.4133, 0.8334, 3.0194, 0.001, 1.8722, 0.1666, 0.796,
  1.4835, 0.0614, 0.2629, 1.6483, 0.6014, 1.8729, 0.5425, 0.0912, 0.0658, 0.1542];
const firstDay = 20000; // the learners start in October 2024

// mulberry32: small, seeded and the same on every machine.
function generator(seed) {
  return () => {
    seed = (seed + 0x6d2b79f5) | 0;
    let t = seed;
    t = Math.imul(t ^ (t >>> 15), t | 1);
    t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
}

// ---- FSRS-6: the memory of a learner (with the learner's true weights) and the scheduler's
// estimate of it (with the default weights).
const clampS = (s) => Math.min(Math.max(s, 0.001), 36500);
const clampD = (d) => Math.min(Math.max(d, 1), 10);
const curveFactor = (w) => 0.9 ** (1 / -w[20]) - 1;
const curve = (w, t, s) => (1 + curveFactor(w) * t / s) ** -w[20];
const initialDifficulty = (w, g) => w[4] - Math.exp(w[5] * (g - 1)) + 1;
function nextDifficulty(w, d, g) {
  const damped = d + -w[6] * (g - 3) * (10 - d) / 9;
  return clampD(w[7] * initialDifficulty(w, 4) + (1 - w[7]) * damped);
}
function afterRecall(w, d, s, r, g) {
  const bonus = g === 2 ? w[15] : g === 4 ? w[16] : 1;
  return clampS(s * (1 + Math.exp(w[8]) * (11 - d) * s ** -w[9] * (Math.exp(w[10] * (1 - r)) - 1) * bonus));
}
function afterForgetting(w, d, s, r) {
  const forgotten = w[11] * d ** -w[12] * ((s + 1) ** w[13] - 1) * Math.exp(w[14] * (1 - r));
  return clampS(Math.min(forgotten, s / Math.exp(w[17] * w[18])));
}
function sameDay(w, s, g) {
  let increase = Math.exp(w[17] * (g - 3 + w[18])) * s ** -w[19];
  if (g >= 2) increase = Math.max(increase, 1);
  return clampS(s * increase);
}
function remember(w, memory, elapsedDays, g) {
  if (!memory) return { s: clampS(Math.max(w[g - 1], 0.1)), d: clampD(initialDifficulty(w, g)) };
  const d = nextDifficulty(w, memory.d, g);
  if (elapsedDays === 0) return { s: sameDay(w, memory.s, g), d };
  const r = curve(w, elapsedDays, memory.s);
  return { s: g === 1 ? afterForgetting(w, memory.d, memory.s, r) : afterRecall(w, memory.d, memory.s, r, g), d };
}
function interval(w, s, retention) {
  const days = s / curveFactor(w) * (retention ** (1 / -w[20]) - 1);
  return Math.min(Math.max(Math.round(days), 1), 36500);
}

// ---- The learners.
const learners = [
  {
    name: 'steady', seed: 11, cards: 1500, newPerDay: 15, days: 330, retention: 0.9, skipShare: 0.05,
    lateShare: 0.1, mostLate: 3, slip: 0.08, firstGrades: [0.2, 0.1, 0.6, 0.1], passGrades: [0.1, 0.8, 0.1],
    w: with_(DEFAULTS, { 0: 0.3, 1: 1.0, 2: 3.0, 3: 10, 8: 1.4, 11: 1.0, 20: 0.4 }),
  },
  {
    name: 'hurried', seed: 23, cards: 900, newPerDay: 20, days: 240, retention: 0.85, skipShare: 0.3,
    lateShare: 0.35, mostLate: 7, slip: 0.15, firstGrades: [0.3, 0.15, 0.5, 0.05], passGrades: [0.25, 0.7, 0.05],
    w: with_(DEFAULTS, { 0: 0.1, 1: 0.6, 2: 1.5, 3: 6, 8: 1.5, 9: 0.2, 11: 1.8, 20: 0.35 }),
  },
  {
    name: 'careful', seed: 37, cards: 600, newPerDay: 8, days: 400, retention: 0.95, skipShare: 0.1,
    lateShare: 0.05, mostLate: 2, slip: 0.05, firstGrades: [0.1, 0.1, 0.5, 0.3], passGrades: [0.05, 0.6, 0.35],
    w: with_(DEFAULTS, { 0: 0.5, 1: 2, 2: 5, 3: 15, 8: 2.3, 10: 1.0, 11: 2.2, 16: 2.5, 17: 0.3, 18: 0.3, 19: 0.1, 20: 0.12 }),
  },
  {
    name: 'sparse', seed: 41, cards: 300, newPerDay: 4, days: 365, retention: 0.9, skipShare: 0.5,
    lateShare: 0.2, mostLate: 14, slip: 0.1, firstGrades: [0.25, 0.15, 0.5, 0.1], passGrades: [0.15, 0.75, 0.1],
    w: with_(DEFAULTS, { 4: 7, 6: 2, 9: 0.3, 13: 0.4, 14: 1.2, 20: 0.5 }),
  },
];

function with_(w, changes) {
  const copy = w.slice();
  for (const [i, value] of Object.entries(changes)) copy[Number(i)] = value;
  return copy;
}

function pick(random, shares) {
  let r = random();
  for (let i = 0; i < shares.length; i++) {
    if (r < shares[i]) return i;
    r -= shares[i];
  }
  return shares.length - 1;
}

// The minutes until the next review after grade g, as a scheduler with learning steps of 1 and 10
// minutes and a relearning step of 10 gives them; null when the card leaves the steps for days.
function stepMinutes(card, g) {
  if (card.phase === 'review') {
    if (g === 1) { card.phase = 'relearning'; return 10; }
    return null;
  }
  if (g === 1) { card.step = 0; return card.phase === 'learning' ? 1 : 10; }
  if (g === 2) return card.phase === 'learning' ? 6 : 15;
  if (g === 3 && card.phase === 'learning' && card.step === 0) { card.step = 1; return 10; }
  card.phase = 'review';
  return null;
}

// One card's reviews, [day, grade] each, from the day it is introduced to the end of the run.
function simulateCard(learner, random, studyDays, introduced) {
  const card = { phase: 'learning', step: 0 };
  let minute = introduced * 1440 + 540 + Math.floor(random() * 600);
  let truth = null, estimate = null, lastDay = 0, lastMinute = 0;
  const reviews = [];
  while (minute < learner.days * 1440) {
    const day = Math.floor(minute / 1440);
    const elapsed = truth ? day - lastDay : 0;
    let grade;
    if (!truth) grade = 1 + pick(random, learner.firstGrades);
    else {
      const t = elapsed > 0 ? elapsed : (minute - lastMinute) / 1440;
      const recall = curve(learner.w, t, truth.s) * (elapsed > 0 ? 1 : 1 - learner.slip);
      grade = random() < recall ? 2 + pick(random, learner.passGrades) : 1;
    }
    truth = remember(learner.w, truth, elapsed, grade);
    estimate = remember(DEFAULTS, estimate, elapsed, grade);
    reviews.push([firstDay + day, grade]);
    lastDay = day;
    lastMinute = minute;
    const minutes = stepMinutes(card, grade);
    if (minutes !== null) { minute += minutes; continue; }
    let days = interval(DEFAULTS, estimate.s, learner.retention);
    if (days >= 3) days = Math.max(2, Math.round(days * (0.95 + 0.1 * random())));
    if (random() < learner.lateShare) days += 1 + Math.floor(random() * learner.mostLate);
    let next = day + days;
    while (next < learner.days && !studyDays[next]) next++;
    minute = next * 1440 + 540 + Math.floor(random() * 600);
  }
  return reviews;
}

function simulate(learner) {
  const random = generator(learner.seed);
  const studyDays = Array.from({ length: learner.days + 1 }, () => random() >= learner.skipShare);
  const studied = studyDays.flatMap((studies, day) => (studies ? [day] : []));
  const cards = [];
  for (let i = 0; i < learner.cards; i++) {
    const introduced = studied[Math.floor(i / learner.newPerDay)];
    if (introduced === undefined) break;
    cards.push(simulateCard(learner, random, studyDays, introduced));
  }
  return cards;
}

// ---- The files: "CARD DAY GRADE" a line, gzipped.
function writeDataset(name, cards, about) {
  const lines = [`# ${about}`, '# card\tday\tgrade'];
  cards.forEach((reviews, card) => reviews.forEach(([day, grade]) => lines.push(`${card}\t${day}\t${grade}`)));
  writeFileSync(new URL(`${name}.tsv.gz`, dataFolder), gzipSync(lines.join('\n') + '\n', { level: 9 }));
}

function readDataset(name) {
  const text = gunzipSync(readFileSync(new URL(`${name}.tsv.gz`, dataFolder))).toString();
  const cards = [];
  for (const line of text.split('\n')) {
    if (line === '' || line.startsWith('#')) continue;
    const [card, day, grade] = line.split('\t').map(Number);
    (cards[card] ??= []).push([day, grade]);
  }
  return cards;
}

// ---- The oracle: the same split and the same items as zembo's fit.

// The "lowbias32" mixer, as splitForFit hashes a card's index; one card in five is held back.
function isHeldBack(index) {
  let x = index >>> 0;
  x = (x ^ (x >>> 16)) >>> 0;
  x = Math.imul(x, 0x7feb352d) >>> 0;
  x = (x ^ (x >>> 15)) >>> 0;
  x = Math.imul(x, 0x846ca68b) >>> 0;
  x = (x ^ (x >>> 16)) >>> 0;
  return x % 5 === 0;
}

// Each review a day or more after the one before, with all the card's reviews up to it, in the
// order the reviews were made (by day, then card).
function itemsOf(cards) {
  const items = [];
  cards.forEach((reviews, card) => {
    for (let k = 1; k < reviews.length; k++) {
      if (reviews[k][0] > reviews[k - 1][0]) items.push({ day: reviews[k][0], card, reviews: reviews.slice(0, k + 1) });
    }
  });
  items.sort((a, b) => a.day - b.day || a.card - b.card);
  return items.map(({ reviews }) => new FSRSBindingItem(
    reviews.map(([day, grade], k) => new FSRSBindingReview(grade, k === 0 ? 0 : Math.max(day - reviews[k - 1][0], 0)))));
}

async function oracleWeights(cards) {
  const training = cards.filter((_, index) => !isHeldBack(index));
  return computeParameters(itemsOf(training), { enableShortTerm: true, numRelearningSteps: 1 });
}

const names = [];
for (const learner of learners) {
  writeDataset(learner.name, simulate(learner),
    `simulated learner "${learner.name}", true weights ${learner.w.join(' ')}, retention ${learner.retention}`);
  names.push(learner.name);
}
names.push('zembo-scheduled');
const out = ['# the weights the reference optimizer fits to the training part of each dataset', '# dataset\tw0 ... w20'];
for (const name of names) {
  const w = await oracleWeights(readDataset(name));
  out.push([name, ...w.map((x) => x.toPrecision(9))].join('\t'));
  console.log(name, w.map((x) => x.toFixed(4)).join(' '));
}
writeFileSync(new URL('oracle-weights.tsv', dataFolder), out.join('\n') + '\n');
