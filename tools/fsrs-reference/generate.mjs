// Writes the scheduler's reference data: random review histories scheduled by ts-fsrs (fuzz off)
// with the state, stability, difficulty and interval after every review. Run with
//   npm install && node generate.mjs | gzip -9n > ../../tests/review/data/fsrs-reference.txt.gz
// (see README.md beside this file). The generator is seeded, so a run gives the same file.
import { fsrs, generatorParameters, createEmptyCard } from 'ts-fsrs';

const histories = Number(process.argv[2] ?? 10000);

// mulberry32: small, seeded and the same on every machine.
let seed = 20261209;
function random() {
  seed = (seed + 0x6d2b79f5) | 0;
  let t = seed;
  t = Math.imul(t ^ (t >>> 15), t | 1);
  t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
  return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
}
const between = (low, high) => low + Math.floor(random() * (high - low + 1));

function randomGrade() {
  const r = random();
  return r < 0.15 ? 1 : r < 0.3 ? 2 : r < 0.85 ? 3 : 4;
}

// Minutes until the next review: often the same day (the learning steps, a second look), else
// around the interval the card was given, early or late.
function randomGap(card, now) {
  const r = random();
  if (r < 0.25) return between(0, 120);
  if (r < 0.4) return between(121, 1439);
  const dueIn = Math.max(1, Math.round((card.due.getTime() - now) / 60000));
  if (r < 0.75) return Math.max(0, dueIn + between(-60, 60 * 24 * 3));
  return between(1, Math.max(2, Math.round(dueIn * 2.5)));
}

const scheduler = fsrs(generatorParameters({ enable_fuzz: false }));
const out = [];
out.push('# ts-fsrs reference histories: "h START" starts a card at START (minutes since 1970, UTC);');
out.push('# each review: GAP GRADE -> STATE STABILITY DIFFICULTY SCHEDULED_DAYS DUE_MINUTES');
for (let h = 0; h < histories; h++) {
  let now = between(20000000, 30000000) * 1; // minutes, somewhere in 2008-2027
  let card = createEmptyCard(new Date(now * 60000));
  out.push(`h ${now}`);
  const reviews = between(1, 16);
  for (let i = 0; i < reviews; i++) {
    const gap = i === 0 ? between(0, 3000) : randomGap(card, now * 60000);
    now += gap;
    const grade = randomGrade();
    card = scheduler.next(card, new Date(now * 60000), grade).card;
    const dueMinutes = Math.round((card.due.getTime() - now * 60000) / 60000);
    out.push(`${gap} ${grade} ${card.state} ${card.stability} ${card.difficulty} ${card.scheduled_days} ${dueMinutes}`);
  }
}
process.stdout.write(out.join('\n') + '\n');
