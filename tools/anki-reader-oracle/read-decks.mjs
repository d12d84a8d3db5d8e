// Reads the sample decks in tests/exchange/data with anki-reader and writes what it found in each
// (the decks and their cards, the note type's name and fields as the cards name them, every note's
// fields, the media names and sizes) beside it as
// NAME.expected.tsv, which tests/exchange/oracle_test.cpp compares with the decks' contents.
import { readFile, writeFile } from 'node:fs/promises';
import { fileURLToPath } from 'node:url';
import path from 'node:path';
import { readAnkiPackage } from 'anki-reader';

const data = path.join(path.dirname(fileURLToPath(import.meta.url)), '../../tests/exchange/data');
const escaped = (field) => field.replaceAll('\\', '\\\\').replaceAll('\t', '\\t').replaceAll('\n', '\\n');

async function reading(name) {
  const bytes = await readFile(path.join(data, `${name}.apkg`));
  const { collection, media } = await readAnkiPackage(new Blob([bytes]));
  const lines = [];
  const notes = new Map();
  const noteTypes = new Set();
  const decks = Object.values(collection.getDecks()).sort((a, b) => (a.getName() < b.getName() ? -1 : 1));
  for (const deck of decks) {
    const cards = Object.values(deck.getCards());
    lines.push(`deck\t${deck.getName()}\t${cards.length}`);
    for (const card of cards) {
      notes.set(card.getNoteId(), card.getOrderedFields());
      noteTypes.add(['notetype', card.getModel().getName(), ...Object.keys(card.getFields())].join('\t'));
    }
  }
  lines.push(...noteTypes);
  const noteIds = [...notes.keys()].sort((a, b) => (BigInt(a) < BigInt(b) ? -1 : 1));
  for (const id of noteIds) lines.push(['note', ...notes.get(id).map(escaped)].join('\t'));
  for (const [file, blob] of Object.entries(media)) lines.push(`media\t${file}\t${blob.size}`);
  return lines;
}

for (const name of ['Latin', 'Accented', 'Cyrillic']) {
  const header = `# what anki-reader read in ${name}.apkg (tools/anki-reader-oracle/read-decks.mjs)`;
  const lines = await reading(name);
  await writeFile(path.join(data, `${name}.expected.tsv`), [header, ...lines, ''].join('\n'));
  console.log(`${name}: ${lines.length} lines`);
}
