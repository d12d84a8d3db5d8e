// The deck package as Anki reads it: the collection's tables and their rows checked with SQLite,
// the note type, the decks, the notes' checksums, the cards and the media.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "exchange/apkg.h"
#include "exchange/sha1.h"
#include "tests/exchange/packagetools.h"
#include "tests/exchange/sampledecks.h"
#include "tests/support/testenv.h"

namespace zembo {
namespace {

namespace fs = std::filesystem;
using DeckPackage = test::TempDirTest;
using test::queryRows;
using test::queryValue;

std::string hex(const Sha1Digest& digest) {
  std::string out;
  char pair[3];
  for (const std::uint8_t byte : digest) {
    std::snprintf(pair, sizeof pair, "%02x", byte);
    out += pair;
  }
  return out;
}

// The package written, its collection unpacked beside it as "collection.anki2".
fs::path exported(const AnkiDeck& deck, const fs::path& name = "deck.apkg", std::int64_t now = test::sampleExportTime) {
  std::string error;
  EXPECT_TRUE(writeApkg(name, deck, error, now)) << error;
  EXPECT_EQ(error, "");
  const fs::path collection = name.stem().string() + ".anki2";
  test::writeFile(collection, test::zipEntry(name, "collection.anki2"));
  return collection;
}

TEST(Sha1, MatchesTheStandardVectors) {
  EXPECT_EQ(hex(sha1("")), "da39a3ee5e6b4b0d3255bfef95601890afd80709");
  EXPECT_EQ(hex(sha1("abc")), "a9993e364706816aba3e25717850c26c9cd0d89d");
  EXPECT_EQ(hex(sha1("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq")),
            "84983e441c3bd26ebaae4aa1f95129e5e54670f1");
  EXPECT_EQ(hex(sha1(std::string(1000, 'a'))), "291e9a6c66994949b57ba5e650361e98fc36b1ba");
  EXPECT_EQ(hex(sha1(std::string(1000000, 'a'))), "34aa973cd4c4daa4f61eeb2bdbad27316534016f");
}

TEST(Guids, AreAnkisBase91OfTheKeysHash) {
  EXPECT_EQ(stableGuid("Latin\x1f"
                       "dog"),
            "ooY2Da0bdp");
  EXPECT_EQ(stableGuid("x"), stableGuid("x"));
  EXPECT_NE(stableGuid("x"), stableGuid("y"));
  for (const char c : stableGuid("собака")) {
    EXPECT_TRUE(c > ' ' && c < 127 && c != '"' && c != '\'' && c != '\\') << c;
  }
}

TEST(Checksums, AreTheFirst32BitsOfTheStrippedFieldsSha1) {
  EXPECT_EQ(fieldChecksum("dog"), 3834974802);
  EXPECT_EQ(fieldChecksum("<b>dog</b>"), 3834974802);
  EXPECT_EQ(fieldChecksum("Straße"), 2282514566);
  EXPECT_EQ(fieldChecksum("собака"), 3251280197);
}

TEST(Html, IsEscapedAndStrippedAsAnkiDoes) {
  EXPECT_EQ(escapeHtml("a < b & \"c\"\nd"), "a &lt; b &amp; &quot;c&quot;<br>d");
  EXPECT_EQ(stripHtml("<b>Stra&szlig;e</b> &amp; <i>être</i>&nbsp;x"), "Stra&szlig;e & être x");
  EXPECT_EQ(stripHtml("a&#246;&#x444;<img src=\"dog.jpg\">"), "aöф dog.jpg ");
  EXPECT_EQ(stripHtml("<style>.x{}</style>word<!-- note -->"), "word");
  EXPECT_EQ(htmlToText("Je suis là.<br>Tu es où ?<div>x</div>"), "Je suis là.\nTu es où ?x");
  EXPECT_EQ(stripHtml("a < b"), "a < b");
}

TEST_F(DeckPackage, HoldsTheCollectionTheMediaMapAndTheFilesByNumber) {
  exported(test::sampleDeck("Latin"));
  EXPECT_EQ(test::zipNames("deck.apkg"), (std::vector<std::string>{"collection.anki2", "media", "0", "1"}));
  EXPECT_EQ(test::zipEntry("deck.apkg", "media"), R"({"0":"dog.wav","1":"run.ogg"})");
  EXPECT_EQ(test::zipEntry("deck.apkg", "0"), test::tinyWav());
  EXPECT_EQ(test::zipEntry("deck.apkg", "1"), test::tinyOgg());
}

TEST_F(DeckPackage, HasTheTablesAndIndexesOfSchema11) {
  const fs::path collection = exported(test::sampleDeck("Latin"));
  EXPECT_EQ(queryRows(collection, "select name from sqlite_master where type = 'table' order by name"),
            (std::vector<std::vector<std::string>>{{"cards"}, {"col"}, {"graves"}, {"notes"}, {"revlog"}}));
  EXPECT_EQ(queryValue(collection, "select group_concat(name) from sqlite_master where type = 'index'"),
            "ix_notes_usn,ix_cards_usn,ix_revlog_usn,ix_cards_nid,ix_cards_sched,ix_revlog_cid,ix_notes_csum");
  const auto columns = [&](const std::string& table) {
    return queryValue(collection,
                      "select group_concat(name || ' ' || lower(type)) from pragma_table_info('" + table + "')");
  };
  EXPECT_EQ(columns("col"),
            "id integer,crt integer,mod integer,scm integer,ver integer,dty integer,usn integer,ls integer,conf text,"
            "models text,decks text,dconf text,tags text");
  EXPECT_EQ(columns("notes"),
            "id integer,guid text,mid integer,mod integer,usn integer,tags text,flds text,sfld integer,csum integer,"
            "flags integer,data text");
  EXPECT_EQ(columns("cards"),
            "id integer,nid integer,did integer,ord integer,mod integer,usn integer,type integer,queue integer,"
            "due integer,ivl integer,factor integer,reps integer,lapses integer,left integer,odue integer,"
            "odid integer,flags integer,data text");
  EXPECT_EQ(columns("revlog"),
            "id integer,cid integer,usn integer,ease integer,ivl integer,lastIvl integer,factor integer,"
            "time integer,type integer");
  EXPECT_EQ(columns("graves"), "usn integer,oid integer,type integer");
  EXPECT_EQ(queryValue(collection, "pragma integrity_check"), "ok");
}

TEST_F(DeckPackage, DescribesTheNoteTypeDecksAndOptionsInCol) {
  const fs::path collection = exported(test::sampleDeck("Latin"));
  EXPECT_EQ(queryRows(collection, "select id, ver, usn, crt, mod from col"),
            (std::vector<std::vector<std::string>>{{"1", "11", "0", "1764979200", "1765000000000"}}));
  const std::string model = "(select value from col, json_each(col.models))";
  EXPECT_EQ(queryValue(collection, "select count(*) from col, json_each(col.models)"), "1");
  EXPECT_EQ(queryValue(collection, "select json_extract(" + model + ", '$.name')"), "zembo word");
  EXPECT_EQ(queryValue(collection, "select json_extract(" + model + ", '$.sortf')"), "0");
  EXPECT_EQ(queryValue(collection, "select json_extract(" + model + ", '$.type')"), "0");
  EXPECT_EQ(
      queryValue(collection, "select group_concat(json_extract(f.value, '$.name'), '|') from json_each(json_extract(" +
                                 model + ", '$.flds')) f"),
      "Word|Translation|Pronunciation|Gender/part of speech|Example|Sound");
  EXPECT_EQ(queryValue(collection,
                       "select group_concat(json_extract(t.value, '$.ord') || ':' || "
                       "json_extract(t.value, '$.qfmt'), '|') from json_each(json_extract(" +
                           model + ", '$.tmpls')) t"),
            "0:{{Word}}<br>{{Sound}}|1:{{Translation}}");
  EXPECT_EQ(queryValue(collection, "select json_extract(" + model + ", '$.req')"),
            R"([[0,"any",[0,5]],[1,"any",[1]]])");
  EXPECT_EQ(queryValue(collection, "select json_extract(" + model + ", '$.css') like '%.card%'"), "1");
  EXPECT_EQ(
      queryValue(collection, "select group_concat(json_extract(value, '$.name'), '|') from col, json_each(col.decks)"),
      "Default|Latin");
  EXPECT_EQ(queryValue(collection, "select json_extract(dconf, '$.1.new.perDay') from col"), "20");
  EXPECT_EQ(queryValue(collection, "select json_valid(conf) and json_valid(tags) from col"), "1");
  // The notes belong to the note type, and its id is the key it is listed under.
  EXPECT_EQ(queryValue(collection,
                       "select count(*) from notes, col, json_each(col.models) m where notes.mid = m.key "
                       "and json_extract(m.value, '$.id') = notes.mid"),
            "3");
}

TEST_F(DeckPackage, WritesEachNoteWithItsFieldsSortFieldAndChecksum) {
  const AnkiDeck deck = test::sampleDeck("Latin");
  const fs::path collection = exported(deck);
  const auto notes =
      queryRows(collection, "select id, guid, flds, sfld, csum, usn, tags, flags, data from notes order by id");
  ASSERT_EQ(notes.size(), 3u);
  for (std::size_t n = 0; n < notes.size(); ++n) {
    EXPECT_EQ(notes[n][0], std::to_string(test::sampleExportTime + std::int64_t(n)));
    EXPECT_EQ(notes[n][1], deck.notes[n].guid);
    EXPECT_EQ(notes[n][5], "-1");
    EXPECT_EQ(notes[n][6] + notes[n][7] + notes[n][8], "0");
  }
  EXPECT_EQ(notes[0][2],
            "dog\x1fHund\x1f"
            "dɒɡ\x1fnoun\x1fThe dog barks.\x1f[sound:dog.wav]");
  EXPECT_EQ(notes[0][3], "dog");
  EXPECT_EQ(notes[0][4], "3834974802");
  EXPECT_EQ(notes[1][2],
            "cat\x1fKatze\x1fkæt\x1fnoun\x1f"
            "A cat &amp; a dog\x1f");
}

TEST_F(DeckPackage, MakesANewCardForEachTemplateOfEachNoteInTheDeck) {
  const fs::path collection = exported(test::sampleDeck("Latin"));
  const std::string deckId =
      queryValue(collection, "select key from col, json_each(col.decks) where json_extract(value, '$.name') = 'Latin'");
  const auto cards = queryRows(collection,
                               "select nid, did, ord, type, queue, due, usn, ivl + reps + lapses + odid "
                               "from cards order by id");
  ASSERT_EQ(cards.size(), 6u);
  for (std::size_t c = 0; c < cards.size(); ++c) {
    const std::string note = std::to_string(test::sampleExportTime + std::int64_t(c / 2));
    EXPECT_EQ(cards[c], (std::vector<std::string>{note, deckId, std::to_string(c % 2), "0", "0",
                                                  std::to_string(c / 2 + 1), "-1", "0"}));
  }
  EXPECT_EQ(queryValue(collection, "select count(distinct id) from cards"), "6");
}

TEST_F(DeckPackage, KeepsAccentedAndCyrillicTextAsUtf8) {
  const fs::path accented = exported(test::sampleDeck("Accented"), "accented.apkg");
  EXPECT_EQ(queryValue(accented, "select sfld from notes order by id limit 1"), "Straße");
  EXPECT_EQ(queryValue(accented, "select csum from notes order by id limit 1"), "2282514566");
  EXPECT_EQ(queryValue(accented, "select flds from notes order by id limit 1 offset 1"),
            "être\x1fto be\x1fɛtʁ\x1fverbe\x1fJe suis là.<br>Tu es où ?\x1f");
  const fs::path cyrillic = exported(test::sampleDeck("Cyrillic"), "cyrillic.apkg");
  EXPECT_EQ(queryValue(cyrillic, "select sfld || ' ' || csum from notes order by id limit 1"), "собака 3251280197");
  EXPECT_EQ(test::zipEntry("cyrillic.apkg", "media"), R"({"0":"sobaka.wav","1":"ёж.ogg"})");
}

TEST_F(DeckPackage, GivesTheSameWordsTheSameGuidsAndIdsInALaterExport) {
  const fs::path first = exported(test::sampleDeck("Accented"), "first.apkg");
  const fs::path second = exported(test::sampleDeck("Accented"), "second.apkg", test::sampleExportTime + 86'400'000);
  const std::string stable = "select guid, mid, did from notes join cards on cards.nid = notes.id order by cards.id";
  EXPECT_EQ(queryRows(first, stable), queryRows(second, stable));
  EXPECT_NE(queryValue(first, "select mod from col"), queryValue(second, "select mod from col"));
}

TEST_F(DeckPackage, RoundTripsTheMediaBytes) {
  AnkiDeck deck = test::sampleDeck("Latin");
  std::string every;
  for (int b = 0; b < 256; ++b) every += char(b);
  deck.media.push_back({"all bytes.ogg", every + std::string(100000, '\x55')});
  exported(deck);
  EXPECT_EQ(test::zipEntry("deck.apkg", "2"), deck.media[2].bytes);
}

TEST_F(DeckPackage, IsReadBackByTheImport) {
  for (const std::string& name : test::sampleDeckNames()) {
    const AnkiDeck deck = test::sampleDeck(name);
    exported(deck, name + ".apkg");
    const ApkgRead read = readApkg(name + ".apkg", 1 << 20);
    EXPECT_EQ(read.error, "");
    ASSERT_EQ(read.notes.size(), deck.notes.size());
    for (std::size_t n = 0; n < deck.notes.size(); ++n) EXPECT_EQ(read.notes[n], deck.notes[n].fields);
  }
}

TEST_F(DeckPackage, RefusesWhatAnkiWouldMisreadAndWritesNothing) {
  const auto refusal = [](const AnkiDeck& deck) {
    std::string error;
    EXPECT_FALSE(writeApkg("bad.apkg", deck, error, test::sampleExportTime));
    EXPECT_FALSE(fs::exists("bad.apkg"));
    return error;
  };
  AnkiDeck deck = test::sampleDeck("Latin");
  deck.notes[1].fields.pop_back();
  EXPECT_EQ(refusal(deck), "a note has not as many fields as the note type");
  deck = test::sampleDeck("Latin");
  deck.notes[1].guid = deck.notes[0].guid;
  EXPECT_EQ(refusal(deck), "each note needs a guid of its own");
  deck = test::sampleDeck("Latin");
  deck.notes[0].fields[1] =
      "a\x1f"
      "b";
  EXPECT_EQ(refusal(deck), "a field holds the character that separates fields");
  deck = test::sampleDeck("Latin");
  deck.media[0].name = "../dog.wav";
  EXPECT_EQ(refusal(deck), "a media file has no valid name: ../dog.wav");
  deck.media[0].name = "run.ogg";
  EXPECT_EQ(refusal(deck), "two media files are named run.ogg");
  deck = test::sampleDeck("Latin");
  deck.templates.clear();
  EXPECT_EQ(refusal(deck), "the note type has no card templates");
}

TEST_F(DeckPackage, ReportsAFolderItCannotWriteAndLeavesAnOldPackage) {
  std::string error;
  EXPECT_FALSE(writeApkg("missing/deck.apkg", test::sampleDeck("Latin"), error, test::sampleExportTime));
  EXPECT_NE(error.find("cannot write missing/deck.apkg"), std::string::npos) << error;
  test::writeFile("old.apkg", "old");
  {
    const test::FileSizeLimit full(2000);
    EXPECT_FALSE(writeApkg("old.apkg", test::sampleDeck("Latin"), error, test::sampleExportTime));
  }
  EXPECT_EQ(test::readFile("old.apkg"), "old");
  EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 1);
}

TEST_F(DeckPackage, WritesAnEmptyListAsADeckWithoutNotes) {
  AnkiDeck deck = test::zemboWordDeck("Empty");
  const fs::path collection = exported(deck);
  EXPECT_EQ(queryValue(collection, "select count(*) from notes"), "0");
  EXPECT_EQ(test::zipEntry("deck.apkg", "media"), "{}");
}

}  // namespace
}  // namespace zembo
