#include "exchange/apkg.h"

#include <sqlite3.h>
#include <zip.h>

#include <cstdio>
#include <cstring>
#include <set>

#include "exchange/ankischema.h"
#include "exchange/privatefolder.h"
#include "exchange/sha1.h"
#include "platform/safefiles.h"

namespace zembo {
namespace {

std::uint64_t first64Bits(const Sha1Digest& digest) {
  std::uint64_t value = 0;
  for (int i = 0; i < 8; ++i) value = value << 8 | digest[i];
  return value;
}

// An id that looks like the millisecond times Anki gives its note types and decks (2001 to 2033),
// the same for the same key, so that a list exported again lands in the same deck and note type.
std::int64_t stableId(std::string_view key) {
  constexpr std::uint64_t span = 1'000'000'000'000;
  return std::int64_t(span + first64Bits(sha1(key)) % span);
}

std::string json(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
          out += escaped;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

std::string number(std::int64_t n) { return std::to_string(n); }

struct Ids {
  std::int64_t model;
  std::int64_t deck;
  std::int64_t seconds;  // now, for the mod fields that count seconds
};

// The ords of the fields a template's question shows: Anki's card requirement ("any" of them
// filled), which versions before 2.1.28 need to make the cards at all.
std::string requiredFields(const AnkiDeck& deck, const AnkiTemplate& card) {
  std::string ords;
  for (std::size_t f = 0; f < deck.fieldNames.size(); ++f) {
    const std::string& name = deck.fieldNames[f];
    if (card.questionFormat.find("{{" + name + "}}") == std::string::npos &&
        card.questionFormat.find(":" + name + "}}") == std::string::npos)
      continue;
    ords += (ords.empty() ? "" : ",") + number(std::int64_t(f));
  }
  return ords.empty() ? "0" : ords;
}

std::string fieldsJson(const AnkiDeck& deck) {
  std::string out = "[";
  for (std::size_t f = 0; f < deck.fieldNames.size(); ++f) {
    out += std::string(f ? "," : "") + "{\"name\":" + json(deck.fieldNames[f]) + ",\"ord\":" + number(std::int64_t(f)) +
           ",\"sticky\":false,\"rtl\":false,\"font\":\"Arial\",\"size\":20,\"media\":[]}";
  }
  return out + "]";
}

std::string templatesJson(const AnkiDeck& deck) {
  std::string out = "[";
  for (std::size_t t = 0; t < deck.templates.size(); ++t) {
    const AnkiTemplate& card = deck.templates[t];
    out += std::string(t ? "," : "") + "{\"name\":" + json(card.name) + ",\"ord\":" + number(std::int64_t(t)) +
           ",\"qfmt\":" + json(card.questionFormat) + ",\"afmt\":" + json(card.answerFormat) +
           ",\"bqfmt\":\"\",\"bafmt\":\"\",\"did\":null,\"bfont\":\"\",\"bsize\":0}";
  }
  return out + "]";
}

std::string requirementsJson(const AnkiDeck& deck) {
  std::string out = "[";
  for (std::size_t t = 0; t < deck.templates.size(); ++t) {
    out += std::string(t ? "," : "") + "[" + number(std::int64_t(t)) + ",\"any\",[" +
           requiredFields(deck, deck.templates[t]) + "]]";
  }
  return out + "]";
}

constexpr const char* cardCss =
    ".card {\n font-family: arial;\n font-size: 20px;\n text-align: center;\n color: black;\n background-color: "
    "white;\n}\n";

std::string modelsJson(const AnkiDeck& deck, const Ids& ids) {
  const std::string id = number(ids.model);
  return "{" + json(id) + ":{\"id\":" + id + ",\"name\":" + json(deck.noteTypeName) +
         ",\"type\":0,\"mod\":" + number(ids.seconds) + ",\"usn\":-1,\"sortf\":0,\"did\":" + number(ids.deck) +
         ",\"tmpls\":" + templatesJson(deck) + ",\"flds\":" + fieldsJson(deck) + ",\"css\":" + json(cardCss) +
         ",\"latexPre\":" + json(ankiLatexPreamble) + ",\"latexPost\":" + json("\\end{document}") +
         ",\"latexsvg\":false,\"req\":" + requirementsJson(deck) + ",\"tags\":[],\"vers\":[]}}";
}

std::string deckJson(std::int64_t id, std::string_view name, std::int64_t seconds) {
  return json(number(id)) + ":{\"id\":" + number(id) + ",\"mod\":" + number(seconds) + ",\"name\":" + json(name) +
         ",\"usn\":-1,\"lrnToday\":[0,0],\"revToday\":[0,0],\"newToday\":[0,0],\"timeToday\":[0,0],"
         "\"collapsed\":false,\"browserCollapsed\":false,\"desc\":\"\",\"dyn\":0,\"conf\":1,\"extendNew\":0,"
         "\"extendRev\":0}";
}

std::string decksJson(const AnkiDeck& deck, const Ids& ids) {
  return "{" + deckJson(1, "Default", ids.seconds) + "," + deckJson(ids.deck, deck.name, ids.seconds) + "}";
}

constexpr const char* deckOptionsJson =
    "{\"1\":{\"id\":1,\"mod\":0,\"name\":\"Default\",\"usn\":0,\"maxTaken\":60,\"autoplay\":true,\"timer\":0,"
    "\"replayq\":true,\"dyn\":false,"
    "\"new\":{\"bury\":false,\"delays\":[1.0,10.0],\"initialFactor\":2500,\"ints\":[1,4,0],\"order\":1,"
    "\"perDay\":20},"
    "\"rev\":{\"bury\":false,\"ease4\":1.3,\"ivlFct\":1.0,\"maxIvl\":36500,\"perDay\":200,\"hardFactor\":1.2},"
    "\"lapse\":{\"delays\":[10.0],\"leechAction\":1,\"leechFails\":8,\"minInt\":1,\"mult\":0.0}}}";

std::string configJson(const AnkiDeck& deck, const Ids& ids) {
  return "{\"activeDecks\":[" + number(ids.deck) + "],\"curDeck\":" + number(ids.deck) +
         ",\"newSpread\":0,\"collapseTime\":1200,\"timeLim\":0,\"estTimes\":true,\"dueCounts\":true,\"curModel\":" +
         json(number(ids.model)) + ",\"nextPos\":" + number(std::int64_t(deck.notes.size()) + 1) +
         ",\"sortType\":\"noteFld\",\"sortBackwards\":false,\"addToCur\":true,\"schedVer\":2}";
}

// An open database, closed when it goes.
struct Database {
  sqlite3* db = nullptr;
  ~Database() { sqlite3_close(db); }
  std::string message() const { return db ? sqlite3_errmsg(db) : "out of memory"; }
};

// A prepared statement, finalized when it goes.
struct Statement {
  sqlite3_stmt* statement = nullptr;
  ~Statement() { sqlite3_finalize(statement); }
  void text(int column, std::string_view value) const {
    sqlite3_bind_text(statement, column, value.data(), int(value.size()), SQLITE_TRANSIENT);
  }
  void integer(int column, std::int64_t value) const { sqlite3_bind_int64(statement, column, value); }
  bool step() const { return sqlite3_step(statement) == SQLITE_DONE && sqlite3_reset(statement) == SQLITE_OK; }
};

bool execute(const Database& database, const char* sql, std::string& error) {
  if (sqlite3_exec(database.db, sql, nullptr, nullptr, nullptr) == SQLITE_OK) return true;
  error = "cannot write the collection: " + database.message();
  return false;
}

bool prepare(const Database& database, const char* sql, Statement& statement, std::string& error) {
  if (sqlite3_prepare_v2(database.db, sql, -1, &statement.statement, nullptr) == SQLITE_OK) return true;
  error = "cannot write the collection: " + database.message();
  return false;
}

bool insertCollectionRow(const Database& database, const AnkiDeck& deck, const Ids& ids, std::int64_t now,
                         std::string& error) {
  Statement row;
  if (!prepare(database, "insert into col values (1,?,?,?,11,0,0,0,?,?,?,?,'{}')", row, error)) return false;
  const std::int64_t dayStart = ids.seconds - ids.seconds % 86400;
  row.integer(1, dayStart);
  row.integer(2, now);
  row.integer(3, now);
  row.text(4, configJson(deck, ids));
  row.text(5, modelsJson(deck, ids));
  row.text(6, decksJson(deck, ids));
  row.text(7, deckOptionsJson);
  if (row.step()) return true;
  error = "cannot write the collection: " + database.message();
  return false;
}

std::string joinedFields(const AnkiNote& note) {
  std::string joined;
  for (std::size_t f = 0; f < note.fields.size(); ++f) joined += (f ? "\x1f" : "") + note.fields[f];
  return joined;
}

bool insertNotesAndCards(const Database& database, const AnkiDeck& deck, const Ids& ids, std::int64_t now,
                         std::string& error) {
  Statement notes;
  Statement cards;
  if (!prepare(database, "insert into notes values (?,?,?,?,-1,'',?,?,?,0,'')", notes, error) ||
      !prepare(database, "insert into cards values (?,?,?,?,?,-1,0,0,?,0,0,0,0,0,0,0,0,'')", cards, error))
    return false;
  const std::int64_t templates = std::int64_t(deck.templates.size());
  for (std::size_t n = 0; n < deck.notes.size(); ++n) {
    const AnkiNote& note = deck.notes[n];
    const std::int64_t noteId = now + std::int64_t(n);
    notes.integer(1, noteId);
    notes.text(2, note.guid);
    notes.integer(3, ids.model);
    notes.integer(4, ids.seconds);
    notes.text(5, joinedFields(note));
    notes.text(6, stripHtml(note.fields[0]));
    notes.integer(7, fieldChecksum(note.fields[0]));
    bool written = notes.step();
    for (std::int64_t t = 0; written && t < templates; ++t) {
      cards.integer(1, now + std::int64_t(n) * templates + t);
      cards.integer(2, noteId);
      cards.integer(3, ids.deck);
      cards.integer(4, t);
      cards.integer(5, ids.seconds);
      cards.integer(6, std::int64_t(n) + 1);  // new cards come in the list's order
      written = cards.step();
    }
    if (!written) {
      error = "cannot write the collection: " + database.message();
      return false;
    }
  }
  return true;
}

bool writeCollection(const std::filesystem::path& file, const AnkiDeck& deck, std::int64_t now, std::string& error) {
  Database database;
  if (sqlite3_open_v2(file.c_str(), &database.db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
    error = "cannot make the collection: " + database.message();
    return false;
  }
  const Ids ids{stableId("note type\x1f" + deck.noteTypeName), stableId("deck\x1f" + deck.name), now / 1000};
  return execute(database, "pragma page_size = 4096; pragma journal_mode = delete; begin", error) &&
         execute(database, ankiSchema11, error) && insertCollectionRow(database, deck, ids, now, error) &&
         insertNotesAndCards(database, deck, ids, now, error) && execute(database, "commit", error);
}

std::string mediaMapJson(const AnkiDeck& deck) {
  std::string out = "{";
  for (std::size_t m = 0; m < deck.media.size(); ++m)
    out += std::string(m ? "," : "") + json(number(std::int64_t(m))) + ":" + json(deck.media[m].name);
  return out + "}";
}

// Adds an entry to the archive; the source is the archive's from here on, added or not.
bool addEntry(zip_t* archive, const std::string& name, zip_source_t* source, bool compress, std::int64_t now) {
  if (source == nullptr) return false;
  const zip_int64_t index = zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_UTF_8);
  if (index < 0) {
    zip_source_free(source);
    return false;
  }
  const zip_uint64_t entry = zip_uint64_t(index);
  // The same time for every entry: two exports of the same list at the same time are the same bytes.
  return zip_set_file_compression(archive, entry, compress ? ZIP_CM_DEFLATE : ZIP_CM_STORE, 0) == 0 &&
         zip_file_set_mtime(archive, entry, time_t(now / 1000), 0) == 0;
}

bool addEntries(zip_t* archive, const std::filesystem::path& collection, const AnkiDeck& deck,
                const std::string& mediaMap, std::int64_t now) {
  if (!addEntry(archive, "collection.anki2", zip_source_file(archive, collection.c_str(), 0, -1), true, now) ||
      !addEntry(archive, "media", zip_source_buffer(archive, mediaMap.data(), mediaMap.size(), 0), true, now))
    return false;
  for (std::size_t m = 0; m < deck.media.size(); ++m) {
    const std::string& bytes = deck.media[m].bytes;
    if (!addEntry(archive, std::to_string(m), zip_source_buffer(archive, bytes.data(), bytes.size(), 0), false, now))
      return false;
  }
  return true;
}

bool writeZip(const std::filesystem::path& zipFile, const std::filesystem::path& collection, const AnkiDeck& deck,
              std::int64_t now, std::string& error) {
  int code = 0;
  zip_t* archive = zip_open(zipFile.c_str(), ZIP_CREATE | ZIP_EXCL, &code);
  if (archive == nullptr) {
    zip_error_t failure;
    zip_error_init_with_code(&failure, code);
    error = "cannot make the package: " + std::string(zip_error_strerror(&failure));
    zip_error_fini(&failure);
    return false;
  }
  // Read when the archive is closed, so it lives until then.
  const std::string mediaMap = mediaMapJson(deck);
  if (!addEntries(archive, collection, deck, mediaMap, now) || zip_close(archive) != 0) {
    error = "cannot make the package: " + std::string(zip_strerror(archive));
    zip_discard(archive);
    return false;
  }
  return true;
}

bool copyInto(const std::filesystem::path& source, std::FILE* out) {
  std::FILE* in = std::fopen(source.c_str(), "rb");
  if (in == nullptr) return false;
  char buffer[65536];
  std::size_t n = 0;
  bool copied = true;
  while (copied && (n = std::fread(buffer, 1, sizeof buffer, in)) > 0) copied = std::fwrite(buffer, 1, n, out) == n;
  copied = copied && !std::ferror(in);
  std::fclose(in);
  return copied;
}

bool validMediaName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." && name.find_first_of("/\\") == std::string_view::npos &&
         name.find('\0') == std::string_view::npos;
}

// What Anki could not import as meant: said before anything is written.
std::string deckProblem(const AnkiDeck& deck) {
  if (deck.fieldNames.empty()) return "the note type has no fields";
  if (deck.templates.empty()) return "the note type has no card templates";
  std::set<std::string> guids;
  for (const AnkiNote& note : deck.notes) {
    if (note.fields.size() != deck.fieldNames.size()) return "a note has not as many fields as the note type";
    if (note.guid.empty() || !guids.insert(note.guid).second) return "each note needs a guid of its own";
    for (const std::string& field : note.fields)
      if (field.find('\x1f') != std::string::npos) return "a field holds the character that separates fields";
  }
  std::set<std::string> names;
  for (const AnkiMedia& media : deck.media) {
    if (!validMediaName(media.name)) return "a media file has no valid name: " + media.name;
    if (!names.insert(media.name).second) return "two media files are named " + media.name;
  }
  return {};
}

}  // namespace

std::string stableGuid(std::string_view key) {
  static constexpr char table[] =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789!#$%&()*+,-./:;<=>?@[]^_`{|}~";
  static_assert(sizeof table - 1 == 91);
  std::uint64_t value = first64Bits(sha1(key));
  std::string guid;
  while (value != 0) {
    guid.insert(guid.begin(), table[value % 91]);
    value /= 91;
  }
  return guid.empty() ? std::string(1, table[0]) : guid;
}

std::int64_t fieldChecksum(std::string_view firstField) {
  const Sha1Digest digest = sha1(stripHtml(firstField));
  return std::int64_t(digest[0]) << 24 | std::int64_t(digest[1]) << 16 | std::int64_t(digest[2]) << 8 | digest[3];
}

bool writeApkg(const std::filesystem::path& target, const AnkiDeck& deck, std::string& error, std::int64_t now) {
  error = deckProblem(deck);
  if (!error.empty()) return false;
  const PrivateFolder folder;
  if (folder.path().empty()) {
    error = folder.error();
    return false;
  }
  const std::filesystem::path collection = folder.path() / "collection.anki2";
  const std::filesystem::path zipFile = folder.path() / "package.zip";
  if (!writeCollection(collection, deck, now, error) || !writeZip(zipFile, collection, deck, now, error)) return false;
  if (replaceFileSafely(target, [&zipFile](std::FILE* out) { return copyInto(zipFile, out); })) return true;
  error = "cannot write " + target.string() + ": " + std::strerror(errno);
  return false;
}

}  // namespace zembo
