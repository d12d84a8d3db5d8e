#include "lookup/articleview.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace zembo {

namespace {

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

bool startsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

std::vector<std::string_view> linesOf(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    lines.push_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

// "{a}, {b}" as a and b; text outside braces is kept when there are none.
std::vector<std::string> bracedItems(std::string_view list) {
  std::vector<std::string> items;
  for (std::size_t open = list.find('{'); open != std::string_view::npos; open = list.find('{', open + 1)) {
    const std::size_t close = list.find('}', open);
    if (close == std::string_view::npos) break;
    items.emplace_back(trimmed(list.substr(open + 1, close - open - 1)));
  }
  if (items.empty() && !trimmed(list).empty()) items.emplace_back(trimmed(list));
  return items;
}

// The headword line: "Hund /hˈʊnt/ <masc, n, sg>".
ArticleBlock parseHeadwordLine(std::string_view line) {
  ArticleBlock block;
  line = trimmed(line);
  std::size_t end = line.size();
  const std::size_t slash = line.find(" /");
  const std::size_t angle = line.find(" <");
  end = std::min({end, slash, angle});
  block.headword = std::string(trimmed(line.substr(0, end)));
  if (slash != std::string_view::npos) {
    const std::size_t close = line.find('/', slash + 2);
    if (close != std::string_view::npos) block.pronunciation = std::string(line.substr(slash + 2, close - slash - 2));
  }
  if (angle != std::string_view::npos) {
    const std::size_t close = line.find('>', angle);
    std::string_view tags =
        line.substr(angle + 2, close == std::string_view::npos ? std::string_view::npos : close - angle - 2);
    while (!tags.empty()) {
      const std::size_t comma = tags.find(',');
      const std::string_view tag = trimmed(tags.substr(0, comma));
      if (!tag.empty()) block.grammar.emplace_back(tag);
      if (comma == std::string_view::npos) break;
      tags.remove_prefix(comma + 1);
    }
  }
  return block;
}

// A sense line: its leading labels apart, the grammar tags of its translations ("dog <n>") gone.
ArticleSense parseSenseLine(std::string_view line) {
  ArticleSense sense;
  line = trimmed(line);
  while (startsWith(line, "[")) {
    const std::size_t close = line.find(']');
    if (close == std::string_view::npos) break;
    sense.labels.emplace_back(trimmed(line.substr(1, close - 1)));
    line = trimmed(line.substr(close + 1));
  }
  std::string text;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '<') {
      const std::size_t close = line.find('>', i);
      if (close != std::string_view::npos) {
        while (!text.empty() && text.back() == ' ') text.pop_back();
        // An abbreviation may follow the tag at once: "avenue <n>Ave" is "avenue Ave".
        if (close + 1 < line.size() && line[close + 1] != ' ' && line[close + 1] != ',') text += ' ';
        i = close;
        continue;
      }
    }
    text += line[i];
  }
  // A label after a translation stood before the comma that the tag left behind: "corf [Br.] ,".
  std::string tidy;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == ' ' && i + 1 < text.size() && (text[i + 1] == ',' || text[i + 1] == ' ')) continue;
    tidy += text[i];
  }
  sense.text = std::string(trimmed(tidy));
  return sense;
}

// "2. go, ride": the number's length with its dot and blank, or 0.
std::size_t numberedSenseMark(std::string_view line) {
  std::size_t i = 0;
  while (i < line.size() && std::isdigit(static_cast<unsigned char>(line[i]))) ++i;
  if (i == 0 || i + 1 >= line.size() || line[i] != '.' || line[i + 1] != ' ') return 0;
  return i + 2;
}

ArticleSense& currentSense(ArticleBlock& block) {
  if (block.senses.empty()) block.senses.emplace_back();
  return block.senses.back();
}

void addBodyLine(ArticleBlock& block, std::string_view raw) {
  const std::string_view line = trimmed(raw);
  if (line.empty()) return;
  if (startsWith(line, "Note:")) {
    currentSense(block).notes.emplace_back(trimmed(line.substr(5)));
  } else if (startsWith(line, "Synonyms:") || startsWith(line, "Synonym:")) {
    for (std::string& s : bracedItems(line.substr(line.find(':') + 1))) currentSense(block).synonyms.push_back(s);
  } else if (startsWith(line, "see:")) {
    for (std::string& r : bracedItems(line.substr(4)))
      if (std::find(block.references.begin(), block.references.end(), r) == block.references.end())
        block.references.push_back(r);
  } else if (line.front() == '"' && line.find("\"  - ") != std::string_view::npos) {
    const std::size_t split = line.find("\"  - ");
    currentSense(block).examples.emplace_back(std::string(line.substr(1, split - 1)),
                                              std::string(trimmed(line.substr(split + 5))));
  } else if (const std::size_t mark = numberedSenseMark(line)) {
    block.senses.push_back(parseSenseLine(line.substr(mark)));
  } else if (block.senses.empty() || !block.senses.back().text.empty()) {
    block.senses.push_back(parseSenseLine(line));
  } else {
    // Notes or examples came before the translation: it still belongs to their sense.
    ArticleSense parsed = parseSenseLine(line);
    block.senses.back().labels = std::move(parsed.labels);
    block.senses.back().text = std::move(parsed.text);
  }
}

bool sameHeadwordLine(const ArticleBlock& a, const ArticleBlock& b) {
  return a.headword == b.headword && a.pronunciation == b.pronunciation && a.grammar == b.grammar;
}

void merge(std::vector<ArticleBlock>& blocks, ArticleBlock block) {
  if (block.headword.empty()) return;
  for (ArticleBlock& earlier : blocks) {
    if (!sameHeadwordLine(earlier, block)) continue;
    for (ArticleSense& s : block.senses) earlier.senses.push_back(std::move(s));
    for (std::string& r : block.references)
      if (std::find(earlier.references.begin(), earlier.references.end(), r) == earlier.references.end())
        earlier.references.push_back(std::move(r));
    return;
  }
  blocks.push_back(std::move(block));
}

// The index of a grammar tag in ArticleWords::grammar, or -1 for a tag shown as it is.
int grammarNameIndex(std::string_view tag) {
  static constexpr std::string_view tags[][3] = {
      {"n", "noun", ""},       {"v", "verb", "vt"},         {"adj", "adjective", ""},    {"adv", "adverb", ""},
      {"pron", "pronoun", ""}, {"prep", "preposition", ""}, {"conj", "conjunction", ""}, {"interj", "int", "intj"},
      {"num", "numeral", ""},  {"art", "article", ""},      {"masc", "m", ""},           {"fem", "f", ""},
      {"neut", "nt", ""},      {"pl", "plural", ""}};
  for (int i = 0; i < static_cast<int>(std::size(tags)); ++i)
    for (std::string_view name : tags[i])
      if (!name.empty() && name == tag) return i;
  return -1;
}

constexpr int nounTag = 0, masculineTag = 10, feminineTag = 11, neuterTag = 12, pluralTag = 13;

bool hasTag(const ArticleBlock& block, int index) {
  return std::any_of(block.grammar.begin(), block.grammar.end(),
                     [index](const std::string& tag) { return grammarNameIndex(tag) == index; });
}

bool startsWithVowelSound(std::string_view word) {
  if (word.empty()) return false;
  const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(word.front())));
  // Accented vowels and a mute h take l' too; their first UTF-8 byte is enough for é, è, ê, â, î.
  return std::string_view("aeiouyh").find(c) != std::string_view::npos || startsWith(word, "\xC3\xA9") ||
         startsWith(word, "\xC3\xA8") || startsWith(word, "\xC3\xAA") || startsWith(word, "\xC3\xA2") ||
         startsWith(word, "\xC3\xAE");
}

// Brackets in a translation ("corf [Br.]") are labels, set apart from the words.
std::string withLabelsSetApart(std::string_view text) {
  std::string html;
  std::size_t at = 0;
  for (std::size_t open = text.find('['); open != std::string_view::npos; open = text.find('[', at)) {
    const std::size_t close = text.find(']', open);
    if (close == std::string_view::npos) break;
    html += escapeHtml(text.substr(at, open - at));
    html += "<span style=\"color:#6a6a6a\"><i>" + escapeHtml(text.substr(open + 1, close - open - 1)) + "</i></span>";
    at = close + 1;
  }
  return html + escapeHtml(text.substr(at));
}

std::string joined(const std::vector<std::string>& items, std::string_view separator) {
  std::string all;
  for (const std::string& item : items) {
    if (!all.empty()) all += separator;
    all += item;
  }
  return all;
}

}  // namespace

std::vector<ArticleBlock> parseArticles(std::string_view articles) {
  std::vector<ArticleBlock> blocks;
  ArticleBlock block;
  bool inArticle = false, afterEmptyLine = true;
  for (std::string_view line : linesOf(articles)) {
    const bool empty = trimmed(line).empty();
    const bool startsArticle =
        !empty && (!inArticle || (afterEmptyLine && line.front() != ' ' && line.front() != '\t'));
    if (startsArticle) {
      if (inArticle) merge(blocks, std::move(block));
      block = parseHeadwordLine(line);
      inArticle = true;
    } else if (inArticle) {
      addBodyLine(block, line);
    }
    afterEmptyLine = empty;
  }
  if (inArticle) merge(blocks, std::move(block));
  return blocks;
}

std::vector<std::string> splitGrammarNames(std::string_view names) {
  std::vector<std::string> split;
  while (true) {
    const std::size_t bar = names.find('|');
    split.emplace_back(names.substr(0, bar));
    if (bar == std::string_view::npos) break;
    names.remove_prefix(bar + 1);
  }
  return split;
}

std::string nounArticle(const ArticleBlock& block, std::string_view language) {
  if (!hasTag(block, nounTag)) return {};
  const bool plural = hasTag(block, pluralTag);
  const int gender = hasTag(block, masculineTag)  ? 0
                     : hasTag(block, feminineTag) ? 1
                     : hasTag(block, neuterTag)   ? 2
                                                  : -1;
  if (language == "de") {
    if (plural) return "die";
    return gender < 0 ? std::string() : std::string(gender == 0 ? "der" : gender == 1 ? "die" : "das");
  }
  if (language == "fr") {
    if (plural) return "les";
    if (gender < 0 || gender == 2) return {};
    if (startsWithVowelSound(block.headword)) return "l'";
    return gender == 0 ? "le" : "la";
  }
  if (language == "nl") {
    if (plural) return "de";
    return gender < 0 ? std::string() : std::string(gender == 2 ? "het" : "de");
  }
  return {};
}

std::string grammarText(const ArticleBlock& block, const ArticleWords& words) {
  std::vector<std::string> shown;
  for (const std::string& tag : block.grammar) {
    if (tag == "sg") continue;  // a noun is singular unless it says otherwise
    const int index = grammarNameIndex(tag);
    shown.push_back(index >= 0 && index < static_cast<int>(words.grammar.size()) && !words.grammar[index].empty()
                        ? words.grammar[index]
                        : tag);
  }
  return joined(shown, ", ");
}

void leadWithSenseOf(std::vector<ArticleBlock>& blocks, std::string_view first) {
  if (first.empty()) return;
  // "road Rd, ..." begins with "road": the translation ends where a blank, comma or semicolon does.
  const auto beginsWithFirst = [first](const ArticleSense& sense) {
    return sense.text.starts_with(first) &&
           (sense.text.size() == first.size() || std::strchr(" ,;", sense.text[first.size()]) != nullptr);
  };
  for (ArticleBlock& block : blocks) {
    const auto lead = std::find_if(block.senses.begin(), block.senses.end(), beginsWithFirst);
    if (lead != block.senses.end()) std::rotate(block.senses.begin(), lead, lead + 1);
  }
}

std::string articleHtml(const std::vector<ArticleBlock>& blocks, const ArticleWords& words) {
  std::string html;
  for (const ArticleBlock& block : blocks) {
    html += "<p style=\"margin-top:6px; margin-bottom:2px\"><span style=\"font-size:x-large\">";
    const std::string article = nounArticle(block, words.language);
    if (!article.empty())
      html += "<span style=\"color:#8a4b00\">" + escapeHtml(article) + "</span>" + (article.back() == '\'' ? "" : " ");
    html += "<b>" + escapeHtml(block.headword) + "</b></span>";
    if (!block.pronunciation.empty())
      html += " &nbsp;<span style=\"color:#1f4e8c\">/" + escapeHtml(block.pronunciation) + "/</span>";
    const std::string grammar = grammarText(block, words);
    if (!grammar.empty()) html += " &nbsp;<i style=\"color:#555555\">" + escapeHtml(grammar) + "</i>";
    html += "</p>";
    int number = 0;
    for (const ArticleSense& sense : block.senses) {
      html +=
          "<p style=\"margin-top:4px; margin-bottom:0px; margin-left:4px\"><b>" + std::to_string(++number) + ".</b> ";
      for (const std::string& label : sense.labels)
        html += "<span style=\"color:#6a6a6a\"><i>" + escapeHtml(label) + "</i></span> ";
      html += withLabelsSetApart(sense.text) + "</p>";
      for (const std::string& note : sense.notes)
        html += "<p style=\"margin:0px; margin-left:22px; color:#555555\"><small>" + escapeHtml(words.note) + ": " +
                escapeHtml(note) + "</small></p>";
      for (const auto& [example, translation] : sense.examples)
        html += "<p style=\"margin:0px; margin-left:22px\"><i>" + escapeHtml(example) + "</i> &#8211; " +
                escapeHtml(translation) + "</p>";
      if (!sense.synonyms.empty())
        html += "<p style=\"margin:0px; margin-left:22px; color:#555555\"><small>" + escapeHtml(words.synonyms) + ": " +
                escapeHtml(joined(sense.synonyms, ", ")) + "</small></p>";
    }
    if (!block.references.empty())
      html += "<p style=\"margin-top:4px; margin-left:4px; color:#555555\"><small>" + escapeHtml(words.seeAlso) + ": " +
              escapeHtml(joined(block.references, ", ")) + "</small></p>";
  }
  return html;
}

std::string reverseHeadingHtml(std::string_view word) {
  return "<p style=\"margin-top:2px; margin-bottom:2px; background-color:#e8e8e8\"><b>" + escapeHtml(word) + "</b></p>";
}

}  // namespace zembo
