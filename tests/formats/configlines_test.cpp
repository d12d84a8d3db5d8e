#include "formats/configlines.h"

#include <string>
#include <vector>

#include "tests/support/testenv.h"

namespace zembo {
namespace {

using namespace std::string_literals;

class ConfigLinesTest : public test::TempDirTest {};

// The text as it reads: each CR LF pair one LF.
std::string withLfEnds(std::string text) {
  for (std::size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos;) text.erase(at, 1);
  return text;
}

// A file's bytes as readConfigLines must give them back: CR LF reads as LF, every other byte
// (a NUL, a lone CR) stays, a line longer than a line buffer comes in pieces, and a last line
// without its end comes as it is.
TEST_F(ConfigLinesTest, EveryShapeOfLineReadsBackByteForByte) {
  const std::string long600(600, 'x');
  const struct {
    std::string file;
    std::vector<std::string> lines;
  } cases[] = {
      {"", {}},
      {"[taal]\nDuits,german,0\n", {"[taal]\n", "Duits,german,0\n"}},
      {"[taal]\r\nDuits,german,0\r\n", {"[taal]\n", "Duits,german,0\n"}},
      {"[taal]\nDuits,german,0", {"[taal]\n", "Duits,german,0"}},
      {"a\0b\n\0\n"s, {"a\0b\n"s, "\0\n"s}},
      {"a\rb\r\r\n", {"a\rb\r\n"}},
      {"\n\n", {"\n", "\n"}},
      {long600 + "\n", {long600.substr(0, 299), long600.substr(299, 299), "xx\n"}},
  };
  for (const auto& c : cases) {
    test::writeFile("zembo.ini", c.file);
    std::vector<std::string> lines;
    ASSERT_EQ(readConfigLines("zembo.ini", lines), ConfigRead::whole);
    EXPECT_EQ(lines, c.lines) << testing::PrintToString(c.file);
    // Joined again they are the file, its CR LF line ends made LF.
    EXPECT_EQ(joinConfigLines(lines), withLfEnds(c.file));
  }
}

TEST_F(ConfigLinesTest, AMissingFileCannotBeOpenedAndAFolderCannotBeRead) {
  std::vector<std::string> lines;
  EXPECT_EQ(readConfigLines("zembo.ini", lines), ConfigRead::cannotOpen);
  std::filesystem::create_directory("zembo.ini");
  EXPECT_EQ(readConfigLines("zembo.ini", lines), ConfigRead::cannotRead);
  EXPECT_TRUE(lines.empty());
}

TEST_F(ConfigLinesTest, KeysAndLineEnds) {
  const struct {
    std::string line, key;
  } keys[] = {
      {"Portugees,portuguese,0,Braziliaans\n", "Braziliaans"},
      {"Duits,german,0\n", "Duits"},
      {"Duits,,,x\n", "Duits"},  // empty fields do not count
      {"a,b,c,d,e", "d"},
      {",,,\n", ""},
      {"\n", ""},
      {"", ""},
  };
  for (const auto& k : keys) EXPECT_EQ(configLineKey(k.line), k.key) << k.line;

  const struct {
    std::string line, withoutEnd, ended;
    bool empty;
  } ends[] = {
      {"a\n", "a", "a\n", false}, {"a", "a", "a\n", false},   {"\n", "", "\n", true},
      {"", "", "", true},         {" \n", " ", " \n", false}, {"a\r", "a\r", "a\r\n", false},
  };
  for (const auto& e : ends) {
    EXPECT_EQ(withoutLineEnd(e.line), e.withoutEnd) << e.line;
    EXPECT_EQ(isEmptyConfigLine(e.line), e.empty) << e.line;
    std::string text = e.line;
    endLine(text);
    EXPECT_EQ(text, e.ended) << e.line;
  }
}

// The lines of a text as readConfigLines gives them.
std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = std::min(text.find('\n', at), text.size() - 1) + 1;
    lines.push_back(text.substr(at, end - at));
    at = end;
  }
  return lines;
}

// Taking a language's line out, adding one and replacing one: the key matches in any ASCII case,
// and every line the rewrite does not touch comes back byte for byte.
TEST_F(ConfigLinesTest, RewritesTouchOnlyTheLanguagesLine) {
  enum Rewrite { without, with, replaced };
  const std::string nul = "# \0 \n"s;
  const struct {
    Rewrite rewrite;
    std::string file, key, expected;
  } cases[] = {
      {without, "[taal]\nDuits,german,0\n" + nul + "DUITS,x,1\nFrans,french,0\n", "duits",
       "[taal]\n" + nul + "Frans,french,0\n"},
      {without, "[taal]\nPortugees,portuguese,0,Braziliaans\n", "Portugees",
       "[taal]\nPortugees,portuguese,0,Braziliaans\n"},
      {with, "[taal]\nFrans,french,0\n\n[selected]\nx\n", "", "[taal]\nFrans,french,0\nNew,dutch,0\n\n[selected]\nx\n"},
      {with, "\n[TAAL]\r\nFrans,french,0\n\n", "", "\n[TAAL]\nFrans,french,0\nNew,dutch,0\n\n"},
      {with, "[taal]\nFrans,french,0", "", "[taal]\nFrans,french,0\nNew,dutch,0\n\n"},
      {with, nul + "[selected]\nx\n\n", "", nul + "[selected]\nx\n\n\n[taal]\nNew,dutch,0\n\n"},
      {with, "", "", "\n[taal]\nNew,dutch,0\n\n"},
      {replaced, "[taal]\nduits,g,0\n" + nul + "Frans,f,0\nDUITS,x,1\n\n", "Duits",
       "[taal]\nNew,dutch,0\n" + nul + "Frans,f,0\n\n"},
      {replaced, "[taal]\nFrans,f,0\nDuits,g,0", "duits", "[taal]\nFrans,f,0\nNew,dutch,0\n"},
      {replaced, "[taal]\nFrans,f,0\n\n", "Duits", "[taal]\nFrans,f,0\nNew,dutch,0\n\n"},
  };
  for (const auto& c : cases) {
    const std::vector<std::string> lines = linesOf(withLfEnds(c.file));
    std::string text;
    if (c.rewrite == without) text = joinConfigLines(withoutLanguageLines(lines, c.key));
    if (c.rewrite == with) text = withLanguageLine(lines, "[taal]", "New,dutch,0");
    if (c.rewrite == replaced) text = withLanguageLineReplaced(lines, c.key, "[taal]", "New,dutch,0");
    EXPECT_EQ(text, c.expected) << testing::PrintToString(c.file);
  }
}

}  // namespace
}  // namespace zembo
