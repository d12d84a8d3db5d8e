// Importing small dictd dictionaries: what lands in the word files and the configuration file,
// what is skipped, and the failures that leave the folder as it was.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "platform/codepage.h"
#include "tests/importer/importfixture.h"

namespace zembo::test {
namespace {

using Words = std::vector<std::string>;

bool holds(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

std::string cp1251(std::string_view utf8) { return fromUtf8(utf8, 1251); }

TEST_F(ImportTest, ThreeSensesGiveOneRecordAndThreeReverseEntries) {
  const auto dict = writeDictionary("freedict-deu-eng", {article("Haus", "1. house\n2. home\n3. building <n>")});
  const ImportReport report = importInto(dict);
  EXPECT_EQ(wordsOf("zb/language/Ger_Eng.zb"), (Words{"Haus=house, home, building"}));
  EXPECT_EQ(wordsOf("zb/language/Eng_Ger.zb"), (Words{"building=Haus", "home=Haus", "house=Haus"}));
  EXPECT_EQ(report.entriesRead, 1);
  EXPECT_EQ(report.written, 1);
  EXPECT_EQ(report.reverseWritten, 3);
  // The new line closes the language section; every other line stays as it was.
  EXPECT_EQ(readFile("zb/dict.ini"),
            "# pairs\n[language]\nFrench,french,0\nGerman,german,0\n\n[selected]\nFre_Eng.zb\n\n[AddNew]\non\n");
}

// A folder a user named is a host path: its accents and Cyrillic letters never pass a code page.
TEST_F(ImportTest, AFolderWhoseNameHoldsAccentsAndCyrillicIsFoundAndFilled) {
  std::filesystem::rename(dir / "zb", dir / "Wörterbuch Ивана");
  const auto dict = writeDictionary("freedict-deu-eng", {article("Haus", "house")});
  importInto(dict, "Wörterbuch Ивана");
  EXPECT_EQ(wordsOf("Wörterbuch Ивана/language/Ger_Eng.zb"), (Words{"Haus=house"}));
  EXPECT_EQ(wordsOf("Wörterbuch Ивана/language/Eng_Ger.zb"), (Words{"house=Haus"}));
}

TEST_F(ImportTest, PronunciationLabelsExamplesNotesAndReferencesStayOut) {
  const auto dict = writeDictionary(
      "freedict-deu-eng", {{"abschluss",
                            "Abschluss /ˈapʃlʊs/ <masc, n, sg>\n [techn.] closure <n>, end (of a pipe, a tube)\n"
                            "      \"ein Haus bauen\"  - build a house\n         Note: of a kiln\n"
                            "   Synonyms: {Ende}\n\n see: {Abschlüsse}, {Ende}\n\n"},
                           {"anzeige", "Anzeige /x/\n\"train on line\" indication\n"}});
  importInto(dict);
  EXPECT_EQ(wordsOf("zb/language/Ger_Eng.zb"),
            (Words{"Abschluss=closure, end (of a pipe\x82 a tube)", "Anzeige=\"train on line\" indication"}));
}

// Translations that do not fit one record go on in more records of the same word, whole, in both
// files; the first record stays first through the sort.
TEST_F(ImportTest, NoTranslationIsLostToTheFieldInEitherFile) {
  std::vector<DictdArticle> articles{
      article("Bank", "aaaaaaaaa, bbbbbbbbb, ccccccccc, ddddddddd, eeeeeeeee, ffff, " + std::string(51, 'x'))};
  for (char c = 'a'; c <= 'e'; ++c) articles.push_back(article(std::string("Wortteil") + c + "xxxxxx", "word"));
  const ImportReport report = importInto(writeDictionary("freedict-deu-eng", articles));
  const Words forward = wordsOf("zb/language/Ger_Eng.zb");
  ASSERT_GE(forward.size(), 2u);
  EXPECT_EQ(Words(forward.begin(), forward.begin() + 2),
            (Words{"Bank=aaaaaaaaa, bbbbbbbbb, ccccccccc, ddddddddd", "Bank=eeeeeeeee, ffff"}));
  const Words reverse = wordsOf("zb/language/Eng_Ger.zb");
  EXPECT_EQ(Words(reverse.end() - 2, reverse.end()),
            (Words{"word=Wortteilaxxxxxx, Wortteilbxxxxxx, Wortteilcxxxxxx", "word=Wortteildxxxxxx, Wortteilexxxxxx"}));
  EXPECT_EQ(report.translationsWritten, 11);
  EXPECT_EQ(report.translationsTooLong, 1);  // alone longer than a field: the one thing left out
  EXPECT_EQ(report.translationsDropped, 1);
}

// A sense is an article of its own, in no order of use: the everyday one is the article the
// dictionary says most about, and labelled senses come after the others.
TEST_F(ImportTest, TheEverydaySenseComesFirst) {
  const auto dict = writeDictionary(
      "freedict-deu-eng",
      {article("gehen", "turn out <v>\n   Synonym: {ausgehen}"),
       article("gehen", " [geogr.] reach a place <v>, extend <v>\n see: {a}, {b}, {c}, {d}, {e}, {f}, {g}"),
       article("gehen", "fare <v> [Br.]\n see: {a}, {b}, {c}, {d}, {e}, {f}, {g}"),
       article("gehen", "go <v>\n      \"Lass uns gehen!\"  - Let's go!\n see: {gehend}, {gegangen}, {ging}"),
       article("gehen", "walk <v>, stroll <v>\n see: {gehend}"),
       article("gehen", std::string(30, 'g') + ", " + std::string(30, 'h'))});
  importInto(dict);
  EXPECT_EQ(wordsOf("zb/language/Ger_Eng.zb"),
            (Words{"gehen=go, turn out, walk, " + std::string(30, 'g'), "gehen=stroll, " + std::string(30, 'h'),
                   "gehen=reach a place, fare, extend"}));
}

// The article with the most example sentences leads, even with a field label ([zool.] "dog"),
// unless all of it is colloquial ([ugs.]); the rest keep their order. Shapes from deu-eng.
TEST_F(ImportTest, TheMainArticleLeadsWhateverItsFieldLabel) {
  const std::string hund = "Hund /hˈʊnt/ <masc, n, sg>\n";
  const std::string kommen = "kommen /kˈɔmən/ <v, intr>\n";
  const auto dict = writeDictionary(
      "freedict-deu-eng",
      {{"hund", hund + "mine car <n>, mine hutch <n>, mine tub <n>, corf <n> [Br.] , cocoa pan <n> [coll.]\n"
                       "   Synonyms: {Förderwagen}, {Grubenwagen}, {Wagen}, {Grubenhund}, {Hunt}\n\n"
                       " see: {a}, {b}, {c}, {d}, {e}, {f}, {g}, {h}, {i}, {j}\n"},
       {"hund", hund + " [zool.] dog <n>, dawg <n>\n         Note: used to represent American speech\n"
                       "      \"einen Hund abrichten\"  - train a dog\n"
                       "      \"die Hunde loslassen\"  - unleash the dogs\n"},
       {"hund", hund + "canine <n>, K-9 <n> [Am.]\n"},
       {"kommen", kommen + " [ugs.] have an orgasm <v>, cum <v> [slang]\n      \"a\"  - b\n      \"c\"  - d\n"
                           "      \"e\"  - f\n"},
       {"kommen", kommen + " [school] be tested <v>, be asked <v>\n      \"a\"  - b\n"},
       {"kommen", kommen + "come <v>\n      \"a\"  - b\n      \"c\"  - d\n see: {kommend}, {gekommen}\n"},
       {"kommen", kommen + "be forthcoming <v>\n see: {a}, {b}, {c}, {d}, {e}, {f}, {g}\n"}});
  importInto(dict);
  EXPECT_EQ(wordsOf("zb/language/Ger_Eng.zb"),
            (Words{"Hund=dog, mine car, canine, dawg, mine hutch, K-9", "Hund=mine tub, corf, cocoa pan",
                   "kommen=come, be forthcoming, be tested, be asked", "kommen=have an orgasm, cum"}));
}

// Compounds tell the everyday sense where the dictionary's examples do not: more of Schlange's
// compounds speak of a snake than its queue has example sentences and compounds together.
TEST_F(ImportTest, TheSenseThatCompoundsUseLeads) {
  const std::string schlange = "Schlange /ʃlˈaŋə/ <fem, n, sg>\n";
  const auto dict = writeDictionary(
      "freedict-deu-eng",
      {{"schlange", schlange + "fence of fascines <n>, fascine fence <n>\n   Synonyms: {Faschinenzaun}\n"},
       {"schlange", schlange + "line <n>\n      \"in der Schlange\"  - in line\n"},
       {"schlange", schlange + " [zool.] snake <n>\n see: {Schlangen}\n"},
       {"schlange", schlange + " [soc.] queue <n> [Br.] , line <n> [Am.]\n      \"a\"  - b\n      \"c\"  - d\n"},
       article("Schlangenbiss", "snakebite"),
       article("Schlangengift", "snake venom"),
       article("Giftschlange", "venomous snake"),
       article("Seeschlange", "sea snake, sea serpent"),
       article("Klapperschlange", "rattlesnake"),  // not at the start of a word: no use of "snake"
       article("Warteschlange", "queue")});
  importInto(dict);
  Words rows;
  for (const std::string& record : wordsOf("zb/language/Ger_Eng.zb"))
    if (record.starts_with("Schlange=")) rows.push_back(record);
  EXPECT_EQ(rows, (Words{"Schlange=snake, line, fence of fascines, fascine fence", "Schlange=queue"}));
}

// What follows a translation's grammar mark is its abbreviation or symbol, and the pronunciation
// after that no translation: a typed answer "street" must meet "street", not "street St".
TEST_F(ImportTest, AbbreviationsAndPronunciationsGivenWithATranslationStayOut) {
  const std::string strasse = "Straße /ʃtɾˈɑːsə/ <fem, n, sg>\n";
  const auto dict = writeDictionary(
      "freedict-deu-eng",
      {{"straße", strasse + "avenue <n>Ave,  /ˈɑːvɛ/ , alley <n>\n         Note: of trees\n"},
       {"straße", strasse + "road <n>Rd,  /ˌɛɾdˈeː/\n      \"auf offener Straße\"  - on the open road\n"},
       {"straße", strasse + "street <n>St,  /ˌɛstˈeː/\n      \"auf der Straße\"  - on the road, in (on) the street\n"},
       {"dollarzeichen", "Dollarzeichen /dˈɔlaɾtsˌaɪçən/ <neut, n, sg>\ndollar sign <n>$\n"},
       {"smiley", "Smiley <n>\n [comp.] smiley <n>, smily <n>:-)\n"}});
  const ImportReport report = importInto(dict);
  EXPECT_EQ(wordsOf("zb/language/Ger_Eng.zb"), (Words{"Dollarzeichen=dollar sign", "Smiley=smiley, smily",
                                                      "Stra\xDF"
                                                      "e=road, street, avenue, alley"}));
  EXPECT_EQ(report.translationsOutsideCodePage, 0);  // the pronunciations were never translations
}

// Within one article too the first translation of every numbered sense comes before the second
// of any: nld-eng's "ding" leads with "affair, business, businessdeal, case, matter" as sense 1.
TEST_F(ImportTest, TheFirstTranslationOfEveryNumberedSenseComesFirst) {
  const auto dict = writeDictionary(
      "freedict-nld-eng", {article("ding", "1. affair, business, case, matter\n2. thing\n3. article, object\n"),
                           article("gat", "1. aperture, opening\n2. hole\n")});
  importInto(dict);
  EXPECT_EQ(wordsOf("zb/language/Dut_Eng.zb"), (Words{"ding=affair, thing, article, business, object, case",
                                                      "ding=matter", "gat=aperture, hole, opening"}));
}

// Characters a code page lacks become their plain equivalents where there is one; a letter never
// becomes another letter.
TEST_F(ImportTest, CharactersWithAPlainEquivalentAreConvertedAndCounted) {
  const auto dict =
      writeDictionary("freedict-nld-eng", {article("ĳs", "ice"), article("E‐mail", "e‑mail, email"),
                                           article("zĳn", "be (to exist) ‒ live"), article("Łódź", "Lodz")});
  const ImportReport report = importInto(dict);
  EXPECT_EQ(wordsOf("zb/language/Dut_Eng.zb"), (Words{"E-mail=e-mail, email", "ijs=ice", "zijn=be (to exist) - live"}));
  EXPECT_EQ(report.converted, 5);
  EXPECT_EQ(report.skipped[static_cast<int>(SkipCause::headwordOutsideCodePage)], 1);
}

// The headword line: " / " between words is part of the headword, a pronunciation comes right
// after it, and abbreviations given after the pronunciation are headwords of their own.
TEST_F(ImportTest, HeadwordLinesAreReadFromTheirRealShapes) {
  const auto dict = writeDictionary(
      "freedict-eng-deu",
      {{"be hit below the belt", "be / hit below the belt /bˈiː hˈɪt/ <v>\nunter der Gürtellinie sein\n"},
       {"be", "be /bˈiː/ (was /wˈɒz/ <>, were /wˈɜː/ <>, been /bˈiːn/ <>) <v>\nsein <v, intr>\n"},
       {"motor vehicle", "motor vehicle /mˈəʊtə/ (MV /ˌɛmvˈiː/) <n>\nKraftfahrzeug <n>\n"},
       {"marginal number", "marginal number /mˈɑː/ (m.no. /ˌɛm/, ) (MN /ˌɛmˈɛn/) <n>\nRandziffer\n"},
       // The abbreviation stands for itself even where the headword it abbreviates is too long.
       {"autoimmune autonomic ganglionopathy",
        "autoimmune autonomic ganglionopathy /ˌɔːtəʊɪmjˈuːn/ (AAG /ˌeɪeɪdʒˈiː/) <n>\n"
        "autoimmune autonome Ganglionopathie <f>\n"}});
  options.edition = "german";
  const ImportReport report = importInto(dict, "de");
  EXPECT_EQ(wordsOf("de/sprache/Eng_Deu.zb"),
            (Words{"AAG=autoimmune autonome Ganglionopathie", "be=sein",
                   "be / hit below the belt=unter der G\xFCrtellinie sein", "m.no.=Randziffer",
                   "marginal number=Randziffer", "MN=Randziffer", "motor vehicle=Kraftfahrzeug", "MV=Kraftfahrzeug"}));
  EXPECT_EQ(report.skipped[static_cast<int>(SkipCause::headwordTooLong)], 1);
  EXPECT_EQ(report.skipExample[static_cast<int>(SkipCause::headwordTooLong)], "autoimmune autonomic ganglionopathy");
}

// Sense lines: once an article numbers its senses, the lines between the numbers are definitions
// and a number alone is no translation; a comma inside one translation does not split it.
TEST_F(ImportTest, DefinitionsSenseNumbersAndInnerCommasAreNoTranslationsOfTheirOwn) {
  const auto dict = writeDictionary(
      "freedict-deu-eng",
      {article("Hund", "1. dog\n  Haustier, dessen Vorfahre der Wolf ist"),
       article("Haus",
               "1. house\n  Gebäude, in dem Menschen wohnen\n2.\n  aus mehreren Räumen bestehender Teil\n3. family"),
       article("Trichlorethan", "1,1,1-trichloroethane"),
       article("Bitte schön", "welcome (to thanks, formal), here you are"), article("für den Fall, dass", "in case")});
  importInto(dict);
  EXPECT_EQ(wordsOf("zb/language/Ger_Eng.zb"), (Words{"Bitte sch\xF6n=welcome (to thanks\x82 formal), here you are",
                                                      "f\xFCr den Fall, dass=in case", "Haus=house, family", "Hund=dog",
                                                      "Trichlorethan=1\x82"
                                                      "1\x82"
                                                      "1-trichloroethane"}));
  // A headword holds the plain comma a user types; the sign stays inside translation fields, where
  // a comma would part one translation in two.
  EXPECT_EQ(wordsOf("zb/language/Eng_Ger.zb"),
            (Words{"1,1,1-trichloroethane=Trichlorethan", "dog=Hund", "family=Haus", "here you are=Bitte sch\xF6n",
                   "house=Haus", "in case=f\xFCr den Fall\x82 dass", "welcome (to thanks, formal)=Bitte sch\xF6n"}));
}

// The FreeDict+WikDict dictionaries, which say so in their short description, follow every sense
// line with a definition, numbered or not, and may end a sense line with the next sub-sense's number.
TEST_F(ImportTest, AWikDictDictionaryTakesOnlyItsSenseLines) {
  const std::vector<DictdArticle> articles = {
      {"00databaseshort", "00-database-short\nDeutsch-fran\u00E7ais FreeDict+WikDict dictionary ver. 2022.11.18\n"},
      {"Zug", "Zug /t\u0361su\u02D0k/ <n, neut>\nZoug\nein Kanton in der Schweiz\n"},
      {"gehen",
       "gehen /\u0261e\u02D0n/ <v>\n1. aller, marcher 2.\nsich schreitend fortbewegen\n 3.\n"
       "funktionieren, machbar sein\n2. partir, aller\neinen Ort verlassen\n"}};
  options.edition = "french";
  importInto(writeDictionary("freedict-deu-fra", articles), "fr");
  // The first translation of every sense before the second of any.
  EXPECT_EQ(wordsOf("fr/langue/All_Fra.zb"), (Words{"gehen=aller, partir, marcher", "Zug=Zoug"}));
  // A definition may itself begin with a number and a full stop; sense numbers count up from 1
  // and an unnumbered sense is an article's only one (these are the real articles).
  std::filesystem::remove_all(dir / "fr");
  const std::vector<DictdArticle> numberedDefinitions = {
      articles[0],
      {"wir", "wir /viːɐ̯/\nnous\n1. Person Plural; mehrere Personen, die sprechende eingeschlossen\n"},
      {"ihr", "ihr /iːɐ̯/\nvous\n2. Person Plural\n"},
      {"h",
       "h /haː/ <abbreviation, neut>\n1. si\n7. Ton der Grund-(C-Dur-)Tonleiter\n2. h\nStunde\n"
       "3. si mineur\nZeichen für h-Moll\n"},
      {"s", "s /s/ <abbreviation, neut>\ns long 2.\n19. Buchstabe des lateinischen Alphabets\n 3.\nlanges s\n"},
      {"Großonkel",
       "Großonkel /ˈɡʁoːsˌʔɔŋkl̩/ <n, masc>\n"
       "grand-oncle\n1. Grades: Bruder von Großmutter oder Großvater\n"},
      {"kopfstehen",
       "kopfstehen /x/ <v>\n1. faire le poirier\nauf dem Kopf stehen\n2. être dans tous ses états\n"
       "aufgeregt sein\n"}};
  importInto(writeDictionary("freedict-deu-fra", numberedDefinitions), "fr");
  EXPECT_EQ(wordsOf("fr/langue/All_Fra.zb"),
            (Words{"Gro\xDF"
                   "onkel=grand-oncle",
                   "h=si, h, si mineur", "ihr=vous", "kopfstehen=faire le poirier, \xEAtre dans tous ses \xE9tats",
                   "s=s long", "wir=nous"}));
  // The same articles in a dictionary of the other shape keep every line.
  std::filesystem::remove_all(dir / "fr");
  importInto(writeDictionary("freedict-deu-fra", {articles[1]}), "fr");
  EXPECT_EQ(wordsOf("fr/langue/All_Fra.zb"), (Words{"Zug=Zoug, ein Kanton in der Schweiz"}));
}

// Text that went through Windows-1252 read as Latin-1 holds C1 controls where it had signs:
// U+0085 stands for "…" and U+0096 for "–" (real headwords of deu-eng and eng-deu).
TEST_F(ImportTest, C1ControlsBecomeTheSignsTheyStandFor) {
  const auto dict = writeDictionary("freedict-eng-deu",
                                    {article("current\u0096voltage curve", "Strom-Spannungs-Kennlinie"),
                                     article("damage worth millions of \u0085", "Sch\u00E4den in Millionenh\u00F6he"),
                                     article("excremental", "kotartig, Kot\u0085")});
  options.edition = "german";
  const ImportReport report = importInto(dict, "de");
  EXPECT_EQ(wordsOf("de/sprache/Eng_Deu.zb"), (Words{"current\x96voltage curve=Strom-Spannungs-Kennlinie",
                                                     "damage worth millions of \x85=Sch\xE4"
                                                     "den in Millionenh\xF6he",
                                                     "excremental=kotartig, Kot\x85"}));
  EXPECT_EQ(report.skipped[static_cast<int>(SkipCause::headwordOutsideCodePage)], 0);
  EXPECT_EQ(report.converted, 3);
}

TEST_F(ImportTest, SkippedHeadwordsAreCountedByCauseWithAnExample) {
  const std::string word30(30, 'a'), word31(31, 'b');
  const auto dict =
      writeDictionary("freedict-deu-eng", {article(word30, "thirty"), article(word31, "too long"),
                                           article("3α-Androstenol", "androstenol"), article("Leer", " see: {Leere}"),
                                           article("Lang", std::string(51, 'x')), article("Tür", "door")});
  const ImportReport report = importInto(dict);
  EXPECT_EQ(wordsOf("zb/language/Ger_Eng.zb"), (Words{word30 + "=thirty", fromUtf8("Tür", 1252) + "=door"}));
  EXPECT_EQ(report.entriesRead, 6);
  EXPECT_EQ(report.written, 2);
  auto count = [&](SkipCause c) { return report.skipped[static_cast<int>(c)]; };
  auto example = [&](SkipCause c) { return report.skipExample[static_cast<int>(c)]; };
  EXPECT_EQ(count(SkipCause::headwordTooLong), 1);
  EXPECT_EQ(example(SkipCause::headwordTooLong), word31);
  EXPECT_EQ(count(SkipCause::headwordOutsideCodePage), 1);
  EXPECT_EQ(example(SkipCause::headwordOutsideCodePage), "3α-Androstenol");
  EXPECT_EQ(count(SkipCause::noTranslation), 1);
  EXPECT_EQ(example(SkipCause::noTranslation), "Leer");
  EXPECT_EQ(count(SkipCause::noTranslationFits), 1);
  EXPECT_EQ(example(SkipCause::noTranslationFits), "Lang");
}

TEST_F(ImportTest, TwoArticlesOfOneHeadwordMerge) {
  const auto dict = writeDictionary(
      "freedict-deu-eng", {article("Haus", "house"), article("Heim", "home"), article("Haus", "home, house")});
  const ImportReport report = importInto(dict);
  EXPECT_EQ(wordsOf("zb/language/Ger_Eng.zb"), (Words{"Haus=house, home", "Heim=home"}));
  // Heim gives "home" first, Haus second: the reverse entry begins with the word it is first for.
  EXPECT_EQ(wordsOf("zb/language/Eng_Ger.zb"), (Words{"home=Heim, Haus", "house=Haus"}));
  EXPECT_EQ(report.merged, 1);
}

// The articles are read in two halves at once; a headword of both halves is one entry still.
TEST_F(ImportTest, HeadwordOfBothHalvesMerges) {
  std::vector<DictdArticle> articles{article("Bank", "bench, bank")};
  for (int i = 0; i < 998; ++i) articles.push_back(article("Wort" + std::to_string(i), "word"));
  articles.push_back(article("Bank", "bank; shore"));
  const ImportReport report = importInto(writeDictionary("freedict-deu-eng", articles));
  EXPECT_EQ(report.entriesRead, 1000);
  EXPECT_EQ(report.merged, 1);
  EXPECT_EQ(report.written, 999);
  EXPECT_EQ(wordsOf(dir / "zb/language/Ger_Eng.zb").front(), "Bank=bench, bank, shore");
}

TEST_F(ImportTest, CyrillicTargetGoesInWindows1251IntoTheRussianCyrillicEdition) {
  const auto dict = writeDictionary("freedict-eng-rus", {article("house", "дом, здание"), article("cat", "кошка")});
  options.edition = "russiancyr";
  importInto(dict, "ru");
  EXPECT_EQ(readFile("ru/language.ini"), "[Dictionary]\nLanguage=russiancyr\n");
  const std::string forward = cp1251("Анг_Рус.zb"), reverse = cp1251("Рус_Анг.zb");
  EXPECT_EQ(wordsOf(programPath("ru/language/" + forward, 1251)),
            (Words{"cat=" + cp1251("кошка"), "house=" + cp1251("дом, здание")}));
  EXPECT_EQ(wordsOf(programPath("ru/language/" + reverse, 1251)),
            (Words{cp1251("дом") + "=house", cp1251("здание") + "=house", cp1251("кошка") + "=cat"}));
  EXPECT_EQ(readFile("ru/slovar_cyr.ini"),
            "# Language pairs (language, locale, character set) and the direction in use\n[language]\n" +
                cp1251("Английский") + ",english,0\n\n[selected]\n" + forward + "\n\n[AddNew]\non\n");
}

// The replaced line keeps its place, and with it the order of the Language menu.
TEST_F(ImportTest, ImportingTwiceReplacesTheLanguageLineWhereItWas) {
  const auto dict = writeDictionary("freedict-deu-eng", {article("Haus", "house")});
  importInto(dict);
  writeFile("zb/dict.ini", "# pairs\n[language]\nGerman,german,0\nFrench,french,0\n\n[selected]\nFre_Eng.zb\n");
  const ImportReport again = importInto(dict);
  EXPECT_TRUE(again.replacedLine);
  EXPECT_EQ(readFile("zb/dict.ini"),
            "# pairs\n[language]\nGerman,german,0\nFrench,french,0\n\n[selected]\nFre_Eng.zb\n");
  // Without --yes and without a terminal to ask on, nothing changes.
  options.yes = false;
  const auto before = snapshot(dir / "zb");
  EXPECT_THROW(importInto(dict), ImportError);
  EXPECT_EQ(snapshot(dir / "zb"), before);
}

// Whether the language may go is settled from the names alone: a dictionary that could not even
// be read gets the refusal at once, and the menu's question knows the language before reading.
TEST_F(ImportTest, ALanguageThereAlreadyIsRefusedBeforeTheDictionaryIsRead) {
  const auto dict = writeDictionary("freedict-deu-eng", {article("Haus", "house")});
  options.dictionary = dict;
  options.folder = dir / "zb";
  EXPECT_EQ(importTarget(options).languageName, "German");
  EXPECT_FALSE(importTarget(options).alreadyThere);
  std::vector<int> told;
  options.progress = [&](int percent, const std::string&) { told.push_back(percent); };
  importInto(dict);
  ASSERT_FALSE(told.empty());
  EXPECT_TRUE(std::is_sorted(told.begin(), told.end()));
  EXPECT_EQ(told.back(), 100);
  EXPECT_TRUE(importTarget(options).alreadyThere);

  writeFile(dict.string() + ".dict.dz", "not a dictionary at all");
  options.yes = false;
  const auto before = snapshot(dir / "zb");
  try {
    importInto(dict);
    ADD_FAILURE() << "the import succeeded";
  } catch (const ImportError& error) {
    EXPECT_EQ(std::string(error.what()), "German is in dict.ini already; give --yes to replace it");
  }
  EXPECT_EQ(snapshot(dir / "zb"), before);
}

// The importer's rewrite keeps every other line byte for byte, NUL bytes and all.
TEST_F(ImportTest, ConfigurationLinesWithNulBytesStayAsTheyWere) {
  using namespace std::string_literals;
  writeFile("zb/dict.ini", "# pa\0irs\n[language]\nFrench,french,0\0x\n\n[selected]\nFre_Eng.zb\n\n[AddNew]\non\0\n"s);
  importInto(writeDictionary("freedict-deu-eng", {article("Haus", "house")}));
  EXPECT_EQ(
      readFile("zb/dict.ini"),
      "# pa\0irs\n[language]\nFrench,french,0\0x\nGerman,german,0\n\n[selected]\nFre_Eng.zb\n\n[AddNew]\non\0\n"s);
}

// Each failure names its file and leaves the folder as it was.
class FailedImportTest : public ImportTest {
 protected:
  void expectFailure(const std::filesystem::path& dict, const std::string& part) {
    const auto before = snapshot(dir / "zb");
    try {
      importInto(dict);
      ADD_FAILURE() << "the import succeeded";
    } catch (const ImportError& error) {
      EXPECT_TRUE(holds(error.what(), part)) << error.what();
    }
    EXPECT_EQ(snapshot(dir / "zb"), before);
  }
};

TEST_F(FailedImportTest, OffsetPastTheEnd) {
  const auto dict = writeDictionary("freedict-deu-eng", {article("Haus", "house")});
  writeFile("dict/freedict-deu-eng.index", "haus\tA\tBA\nhof\tBA\tBA\n");
  expectFailure(dict, "freedict-deu-eng.dict.dz: an article lies past the end");
}

TEST_F(FailedImportTest, DamagedIndexLine) {
  const auto dict = writeDictionary("freedict-deu-eng", {article("Haus", "house")});
  writeFile("dict/freedict-deu-eng.index", "haus\tA\tBA\nhof BA BA\n");
  expectFailure(dict, "freedict-deu-eng.index:2: damaged index line");
}

TEST_F(FailedImportTest, TruncatedDictzip) {
  std::vector<DictdArticle> articles;
  for (int i = 0; i < 2000; ++i) articles.push_back(article("Wort" + std::to_string(i), "word " + std::to_string(i)));
  const auto dict = writeDictionary("freedict-deu-eng", articles);
  const std::string whole = readFile(dict.string() + ".dict.dz");
  writeFile(dict.string() + ".dict.dz", whole.substr(0, whole.size() / 2));
  expectFailure(dict, "freedict-deu-eng.dict.dz: truncated");
}

TEST_F(FailedImportTest, ArticleThatIsNotUtf8) {
  const auto dict = writeDictionary("freedict-deu-eng", {{"tur", "T\xfcr\ndoor\n"}});
  writeFile(dict.string() + ".dict.dz", dictzip("T\xfcr\ndoor\n", 4096));
  expectFailure(dict, "index line 1 is not UTF-8");
}

TEST_F(FailedImportTest, ArticleThatIsNotUtf8InTheSecondHalf) {
  std::vector<DictdArticle> articles;
  for (int i = 0; i < 999; ++i) articles.push_back(article("Wort" + std::to_string(i), "word " + std::to_string(i)));
  articles.push_back({"tur", "T\xfcr\ndoor\n"});
  expectFailure(writeDictionary("freedict-deu-eng", articles), "index line 1000 is not UTF-8");
}

TEST_F(FailedImportTest, ConfigurationThatCannotBeWrittenLeavesTheWordFilesAsTheyWere) {
  importInto(writeDictionary("freedict-deu-eng", {article("Haus", "house")}));
  std::filesystem::create_directories(dir / "zb" / "dict.ini.new" / "in the way");
  expectFailure(writeDictionary("freedict-deu-eng", {article("Hof", "yard")}), "dict.ini.new");
}

TEST_F(FailedImportTest, ExistingEmptyFolderStaysEmpty) {
  std::filesystem::create_directories(dir / "empty" / "dict.ini.new" / "in the way");
  options.edition = "english";
  const auto before = snapshot(dir / "empty");
  EXPECT_THROW(importInto(writeDictionary("freedict-deu-eng", {article("Haus", "house")}), "empty"), ImportError);
  EXPECT_EQ(snapshot(dir / "empty"), before);
}

TEST_F(FailedImportTest, TargetThatIsNotTheEditionsLanguageNamesTheEditionThatFits) {
  const auto dict = writeDictionary("freedict-deu-fra", {article("Haus", "maison")});
  expectFailure(dict, "import it into a folder of the french edition (--edition french)");
  // Russian has an edition in each alphabet: both fit.
  expectFailure(
      writeDictionary("freedict-eng-rus", {article("house", "дом")}),
      "import it into a folder of the russianlat or russiancyr edition (--edition russianlat or --edition russiancyr)");
}

TEST_F(FailedImportTest, FolderThatIsNotAZemboFolder) {
  const auto dict = writeDictionary("freedict-deu-eng", {article("Haus", "house")});
  std::filesystem::remove(dir / "zb" / "language.ini");
  expectFailure(dict, "is not a zembo folder");
}

TEST_F(FailedImportTest, TheProgramSaysWhyAndEndsWithCode1) {
  const auto dict = writeDictionary("freedict-deu-eng", {article("Haus", "house")});
  writeFile("dict/freedict-deu-eng.index", "haus\tA\tBA\nhof\tBA\tBA\n");
  const std::string command = std::string(ZEMBO_IMPORT) + " " + dict.string() + " zb >out.txt 2>err.txt";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_TRUE(holds(readFile("err.txt"), "zembo-import: "));
  EXPECT_TRUE(holds(readFile("err.txt"), "freedict-deu-eng.dict.dz"));
}

TEST_F(FailedImportTest, NewFolderIsNotLeftBehind) {
  const auto dict = writeDictionary("freedict-deu-eng", {article("Haus", "house")});
  writeFile("dict/freedict-deu-eng.index", "haus\tA\tBA\nhof\tBA\tBA\n");
  options.edition = "english";
  EXPECT_THROW(importInto(dict, "new"), ImportError);
  EXPECT_FALSE(std::filesystem::exists(dir / "new"));
}

}  // namespace
}  // namespace zembo::test
