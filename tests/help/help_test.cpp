// Checks the help pages against the program: every example is evaluated by the
// engine; what the pages say about settings keys, menu items, keys and vexc's
// options is read back from the sources that define them; and the table of
// contents, the index, the project file and the links must agree with the
// pages that exist. Every check runs on each language of the help: the
// Japanese pages in help/ and the English ones in help/en/, which share the
// style sheets of help/.
//
// How examples are written in the pages:
//
//   <code class="ex" ATTRIBUTES>EXPRESSION</code> → <samp>EXPECTED</samp>
//
// The expected text of an example is the first <samp> after its <code>; no
// other example may stand between the two. Optional attributes:
//   data-slot="L"   evaluate the way slot L is evaluated: the line is
//                   "L= EXPRESSION", which also stores the value (0 on an
//                   error) in variable L
//   data-deg="1"    angles in degrees (radians otherwise)
//   data-radix="N"  N = 2, 8 or 16: a successful result is shown in radix N
//   data-tsv="1"    the expected text is a line of vexc --tsv: code, stop
//                   position, the value's IEEE-754 bits as 16 lower-case hex
//                   digits and the text, separated by tabs
//   data-stop="K"   the evaluation stops after K bytes of the normalised
//                   expression (on an error the caret goes one before it)
// Without data-slot the expression is passed as it stands, so "A= 3" assigns
// to A, as a line given to vexc does. The variables are all 0 at the start of
// each page; the examples of a page run in page order, and each sees the
// variables left by those before it. The entities &amp; &lt; &gt; &quot; and
// &#39; are decoded in both texts. An error's expected text is the message in
// the page's language.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "engine.h"
#include "settings_values.h"
#include "ui_texts.h"

namespace {

namespace fs = std::filesystem;

const fs::path kHelpRoot = VEX_HELP_SOURCE_DIR;
const fs::path kSourceDir = VEX_SOURCE_DIR;

// The result field's messages of the English interface.
const char *EnglishMessage(int code) { return GetEvalMessage(code, UiLanguage::kEnglish); }

// One language of the help and what its pages are read against.
struct HelpLanguage {
  const char *code;                    // "ja", "en"
  fs::path dir;                        // pages, contents, index, project file
  const char *(*message)(int code);    // the result field's message of a code
  const char *rcLanguage;              // the LANGUAGE block of its resources
  const char *keyListHeading;          // menus.html: the table of all keys
  const char *vexcUsageHeading;        // vexc.html: the table of options
  const char *chmFile;                 // the compiled file, "" when not built
};

const HelpLanguage kLanguages[] = {
    {"ja", kHelpRoot, EvalErrorMessage, "LANG_JAPANESE", "<h2>キー操作の一覧</h2>",
     "<h2>使い方</h2>", VEX_HELP_CHM_FILE_JA},
    {"en", kHelpRoot / "en", EnglishMessage, "LANG_ENGLISH",
     "<h2>All keys</h2>", "<h2>Usage</h2>", VEX_HELP_CHM_FILE_EN},
};

// Test names and messages show the language, not the address.
void PrintTo(const HelpLanguage *language, std::ostream *out) { *out << language->code; }

std::vector<const HelpLanguage *> LanguageList() {
  std::vector<const HelpLanguage *> list;
  for (const HelpLanguage &language : kLanguages) list.push_back(&language);
  return list;
}

std::string LanguageName(const testing::TestParamInfo<const HelpLanguage *> &info) {
  return info.param->code;
}

struct HelpExample {
  std::string expression;
  std::string expected;
  char slot = 0;  // 0: no assignment prefix is added
  bool degrees = false;
  int radix = 10;
  bool tsv = false;
  int stop = -1;  // -1: not checked
  int line = 0;   // line of the page, for messages
};

// ---- Reading the help sources -------------------------------------------------

std::string ReadFileText(const fs::path &path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The file names of one folder's files with the extension, sorted.
std::vector<std::string> ListFiles(const fs::path &dir, const char *extension) {
  std::vector<std::string> files;
  std::error_code error;
  for (const auto &entry : fs::directory_iterator(dir, error)) {
    if (entry.path().extension() == extension) files.push_back(entry.path().filename().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::vector<std::string> ListPages(const HelpLanguage &language) { return ListFiles(language.dir, ".html"); }

// Where a file a page names is taken from when the help file is compiled: the
// style sheets are shared, everything else is the language's own.
fs::path PartPath(const HelpLanguage &language, const std::string &name) {
  return fs::path(name).extension() == ".css" ? kHelpRoot / name : language.dir / name;
}

int CountLines(const std::string &text, std::size_t end) {
  return 1 + static_cast<int>(std::count(text.begin(), text.begin() + end, '\n'));
}

std::string DecodeEntities(const std::string &text) {
  static const struct { const char *entity; char c; } kEntities[] = {
      {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&#39;", '\''}};
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    bool decoded = false;
    for (const auto &e : kEntities) {
      std::size_t n = std::strlen(e.entity);
      if (text.compare(i, n, e.entity) == 0) {
        out += e.c;
        i += n;
        decoded = true;
        break;
      }
    }
    if (!decoded) out += text[i++];
  }
  return out;
}

// The attributes of an opening tag as name/value pairs (values in double quotes).
std::vector<std::pair<std::string, std::string>> ReadAttributes(const std::string &tag) {
  std::vector<std::pair<std::string, std::string>> attributes;
  std::size_t pos = 0;
  while ((pos = tag.find("=\"", pos)) != std::string::npos) {
    std::size_t nameStart = tag.find_last_of(" \t\n", pos) + 1;
    std::size_t valueEnd = tag.find('"', pos + 2);
    if (valueEnd == std::string::npos) break;
    attributes.emplace_back(tag.substr(nameStart, pos - nameStart),
                            tag.substr(pos + 2, valueEnd - pos - 2));
    pos = valueEnd + 1;
  }
  return attributes;
}

// Applies one attribute of an example's <code> tag; false for an unknown name
// or a value the example format does not allow.
bool ApplyAttribute(const std::string &name, const std::string &value, HelpExample *example) {
  if (name == "class") return value == "ex";
  if (name == "data-slot") {
    if (value.size() != 1 || value[0] < 'A' || value[0] > 'Z') return false;
    example->slot = value[0];
    return true;
  }
  if (name == "data-deg" || name == "data-tsv") {
    if (value != "0" && value != "1") return false;
    (name == "data-deg" ? example->degrees : example->tsv) = value == "1";
    return true;
  }
  if (name == "data-radix") {
    if (value != "2" && value != "8" && value != "10" && value != "16") return false;
    example->radix = std::stoi(value);
    return true;
  }
  if (name == "data-stop") {
    if (value.empty() || value.size() > 3 ||
        value.find_first_not_of("0123456789") != std::string::npos)
      return false;
    example->stop = std::stoi(value);
    return true;
  }
  return false;
}

// Collects the examples of one page in page order. Returns an empty text, or a
// description of the first markup problem found.
std::string ParseExamples(const std::string &html, std::vector<HelpExample> *examples) {
  const std::string kOpen = "<code class=\"ex\"";
  std::size_t pos = 0;
  while ((pos = html.find(kOpen, pos)) != std::string::npos) {
    HelpExample example;
    example.line = CountLines(html, pos);
    std::string where = "line " + std::to_string(example.line) + ": ";
    std::size_t tagEnd = html.find('>', pos);
    std::size_t codeEnd = html.find("</code>", pos);
    if (tagEnd == std::string::npos || codeEnd == std::string::npos || codeEnd < tagEnd)
      return where + "unterminated example";
    for (const auto &[name, value] : ReadAttributes(html.substr(pos + 5, tagEnd - pos - 5))) {
      if (!ApplyAttribute(name, value, &example))
        return where + "bad attribute " + name + "=\"" + value + "\"";
    }
    std::string raw = html.substr(tagEnd + 1, codeEnd - tagEnd - 1);
    if (raw.find('<') != std::string::npos) return where + "markup inside an example";
    example.expression = DecodeEntities(raw);

    std::size_t sampStart = html.find("<samp", codeEnd);
    std::size_t nextExample = html.find(kOpen, codeEnd);
    if (sampStart == std::string::npos || (nextExample != std::string::npos && nextExample < sampStart))
      return where + "example without its <samp>";
    std::size_t sampText = html.find('>', sampStart) + 1;
    std::size_t sampEnd = html.find("</samp>", sampText);
    if (sampEnd == std::string::npos) return where + "unterminated <samp>";
    std::string expected = html.substr(sampText, sampEnd - sampText);
    if (expected.find('<') != std::string::npos) return where + "markup inside a <samp>";
    example.expected = DecodeEntities(expected);
    examples->push_back(example);
    pos = sampEnd;
  }
  return "";
}

std::vector<HelpExample> ReadPageExamples(const HelpLanguage &language, const std::string &page,
                                          std::string *problem) {
  std::vector<HelpExample> examples;
  *problem = ParseExamples(ReadFileText(language.dir / page), &examples);
  return examples;
}

// ---- Running an example ---------------------------------------------------------

std::string FormatBits(double value) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  std::string text(16, '0');
  for (int i = 15; i >= 0; --i, bits >>= 4) text[i] = "0123456789abcdef"[bits & 0xF];
  return text;
}

struct ExampleOutcome {
  std::string text;
  int stop = 0;
};

// Evaluates an example the way the calculator does and gives the text it
// would show in the language (or vexc's --tsv line).
ExampleOutcome RunExample(const HelpExample &example, const HelpLanguage &language) {
  std::string source = example.slot ? std::string(1, example.slot) + "= " + example.expression
                                    : example.expression;
  char line[kLineBufferSize] = {};
  std::memcpy(line, source.data(), std::min(source.size(), kLineBufferSize - 1));
  double value = 0;
  int stop = 0;
  int code = EvaluateLine(line, &value, &stop, example.degrees);
  std::string text(line, std::find(line, line + kLineBufferSize, '\0'));
  if (code != kEvalOk) text = language.message(code);
  if (code == kEvalOk && example.radix != 10) {
    char radixText[kRadixTextSize] = {};
    FormatRadix(value, example.radix, radixText);
    text.assign(radixText, std::find(radixText, radixText + kRadixTextSize, '\0'));
  }
  if (example.tsv)
    text = std::to_string(code) + "\t" + std::to_string(stop) + "\t" + FormatBits(value) + "\t" + text;
  return {text, stop};
}

struct LanguagePage {
  const HelpLanguage *language;
  std::string page;
};

void PrintTo(const LanguagePage &page, std::ostream *out) { *out << page.language->code << "/" << page.page; }

std::vector<LanguagePage> ListPagesWithExamples() {
  std::vector<LanguagePage> pages;
  for (const HelpLanguage &language : kLanguages) {
    for (const auto &page : ListPages(language)) {
      std::string problem;
      if (!ReadPageExamples(language, page, &problem).empty() || !problem.empty())
        pages.push_back({&language, page});
    }
  }
  return pages;
}

// ---- The examples -----------------------------------------------------------------

class HelpPageExamples : public testing::TestWithParam<LanguagePage> {};

TEST_P(HelpPageExamples, EveryExampleShowsItsText) {
  const auto &[language, page] = GetParam();
  std::string problem;
  std::vector<HelpExample> examples = ReadPageExamples(*language, page, &problem);
  ASSERT_EQ(problem, "") << language->code << "/" << page;
  ClearVariables();
  for (const HelpExample &example : examples) {
    ASSERT_LE(example.expression.size(), kMaxExpressionLength);
    ExampleOutcome outcome = RunExample(example, *language);
    std::string where = std::string(language->code) + "/" + page + ":" + std::to_string(example.line) +
                        ": " + example.expression;
    EXPECT_EQ(outcome.text, example.expected) << where;
    if (example.stop >= 0) EXPECT_EQ(outcome.stop, example.stop) << where;
  }
}

INSTANTIATE_TEST_SUITE_P(Pages, HelpPageExamples, testing::ValuesIn(ListPagesWithExamples()),
                         [](const testing::TestParamInfo<LanguagePage> &info) {
                           std::string name = info.param.language->code + ("_" + info.param.page);
                           name.erase(name.find('.'));
                           std::replace_if(name.begin(), name.end(),
                                           [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
                           return name;
                         });

// The checks that take a whole language of the help.
class HelpLanguageTest : public testing::TestWithParam<const HelpLanguage *> {
 protected:
  const HelpLanguage &Language() const { return *GetParam(); }
  fs::path Dir() const { return GetParam()->dir; }
};
using HelpExamples = HelpLanguageTest;
using HelpContents = HelpLanguageTest;
using HelpStatements = HelpLanguageTest;
using HelpFile = HelpLanguageTest;

TEST_P(HelpExamples, PagesOnTheLanguageShowEveryMessage) {
  std::set<std::string> shown;
  std::size_t count = 0;
  for (const auto &page : ListPages(Language())) {
    std::string problem;
    for (const auto &example : ReadPageExamples(Language(), page, &problem)) {
      shown.insert(example.expected);
      ++count;
    }
  }
  EXPECT_GE(count, 100u) << "the pages hold fewer examples than expected: is the markup broken?";
  for (int code : {kEvalOverflow, kEvalDivideByZero, kEvalSyntax, kEvalArgument})
    EXPECT_TRUE(shown.count(Language().message(code))) << "no example shows message " << code;
}

TEST(HelpExampleMarkup, MarkupProblemsAreReported) {
  std::vector<HelpExample> examples;
  EXPECT_NE(ParseExamples("<code class=\"ex\">1+2</code> <code class=\"ex\">3</code> <samp>3.</samp>", &examples), "");
  EXPECT_NE(ParseExamples("<code class=\"ex\" data-radx=\"16\">1</code> <samp>1</samp>", &examples), "");
  EXPECT_NE(ParseExamples("<code class=\"ex\" data-slot=\"AB\">1</code> <samp>1.</samp>", &examples), "");
  EXPECT_NE(ParseExamples("<code class=\"ex\">1</code> no result", &examples), "");
  examples.clear();
  ASSERT_EQ(ParseExamples("<code class=\"ex\" data-slot=\"C\" data-radix=\"16\" data-stop=\"3\">3&amp;~5</code>"
                          " &rarr; <samp class=\"r\">2</samp>", &examples), "");
  ASSERT_EQ(examples.size(), 1u);
  EXPECT_EQ(examples[0].expression, "3&~5");
  EXPECT_EQ(examples[0].expected, "2");
  EXPECT_EQ(examples[0].slot, 'C');
  EXPECT_EQ(examples[0].radix, 16);
  EXPECT_EQ(examples[0].stop, 3);
}

// ---- Table of contents, index, project file, links ----------------------------------

std::vector<std::string> ReadSitemapLocals(const fs::path &file) {
  std::vector<std::string> locals;
  std::string text = ReadFileText(file);
  const std::string kLocal = "<param name=\"Local\" value=\"";
  for (std::size_t pos = 0; (pos = text.find(kLocal, pos)) != std::string::npos;) {
    pos += kLocal.size();
    locals.push_back(text.substr(pos, text.find('"', pos) - pos));
  }
  return locals;
}

std::vector<std::string> ReadProjectSection(const fs::path &dir, const std::string &section) {
  std::istringstream in(ReadFileText(dir / "vex.hhp"));
  std::vector<std::string> lines;
  bool inside = false;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] == '[') inside = line == "[" + section + "]";
    else if (inside && !line.empty()) lines.push_back(line);
  }
  return lines;
}

TEST_P(HelpContents, TableOfContentsListsEveryPageOnce) {
  std::vector<std::string> pages = ListPages(Language());
  ASSERT_FALSE(pages.empty()) << "no pages found in " << Dir().string();
  std::vector<std::string> locals = ReadSitemapLocals(Dir() / "toc.hhc");
  std::vector<std::string> sorted = locals;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end()) << "a page is listed twice";
  sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
  EXPECT_EQ(sorted, pages);
}

TEST_P(HelpContents, IndexPointsOnlyToExistingPages) {
  std::vector<std::string> pages = ListPages(Language());
  std::vector<std::string> locals = ReadSitemapLocals(Dir() / "index.hhk");
  EXPECT_FALSE(locals.empty());
  for (const auto &local : locals)
    EXPECT_TRUE(std::binary_search(pages.begin(), pages.end(), local)) << local;
}

TEST_P(HelpContents, ProjectFileNamesEveryPageAndItsParts) {
  std::vector<std::string> files = ReadProjectSection(Dir(), "FILES");
  std::vector<std::string> expected = ListPages(Language());
  for (const auto &styleSheet : ListFiles(kHelpRoot, ".css")) expected.push_back(styleSheet);
  std::sort(files.begin(), files.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(files, expected);

  for (const auto &option : ReadProjectSection(Dir(), "OPTIONS")) {
    for (const char *key : {"Contents file=", "Index file=", "Default topic="}) {
      if (option.rfind(key, 0) == 0)
        EXPECT_TRUE(fs::exists(Dir() / option.substr(std::strlen(key)))) << option;
    }
  }
}

TEST_P(HelpContents, LinksBetweenPagesResolve) {
  for (const auto &page : ListPages(Language())) {
    std::string html = ReadFileText(Dir() / page);
    for (std::size_t pos = 0; (pos = html.find("href=\"", pos)) != std::string::npos;) {
      pos += 6;
      std::string target = html.substr(pos, html.find_first_of("\"#", pos) - pos);
      EXPECT_TRUE(fs::exists(PartPath(Language(), target))) << page << " links to " << target;
    }
  }
}

bool IsValidUtf8(const std::string &text) {
  for (std::size_t i = 0; i < text.size();) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    int extra = c < 0x80 ? 0 : (c >> 5) == 0x6 ? 1 : (c >> 4) == 0xE ? 2 : (c >> 3) == 0x1E ? 3 : -1;
    if (extra < 0 || i + extra >= text.size()) return false;
    for (int k = 1; k <= extra; ++k)
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    i += extra + 1;
  }
  return true;
}

TEST_P(HelpContents, PagesAreUtf8AndSaySo) {
  for (const auto &page : ListPages(Language())) {
    std::string html = ReadFileText(Dir() / page);
    EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos) << page;
    EXPECT_TRUE(IsValidUtf8(html)) << page;
  }
}

// ---- Statements tied to the program's sources ---------------------------------------------
// What the pages say about settings keys, menu items, keys and vexc's options,
// read back from the sources that define them.

// The visible text of some markup: tags removed, entities decoded, blanks at
// both ends dropped.
std::string StripTags(const std::string &html) {
  std::string text;
  for (std::size_t i = 0; i < html.size(); ++i) {
    if (html[i] == '<') {
      i = html.find('>', i);
      if (i == std::string::npos) break;
    } else {
      text += html[i];
    }
  }
  text = DecodeEntities(text);
  std::size_t first = text.find_first_not_of(" \t\n");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t\n") - first + 1);
}

// The data rows of the first table after `marker` on a page: the visible text
// of each <td>.
std::vector<std::vector<std::string>> ReadTableAfter(const std::string &html, const std::string &marker) {
  std::vector<std::vector<std::string>> rows;
  std::size_t start = html.find(marker);
  if (start == std::string::npos) return rows;
  start = html.find("<table>", start);
  std::size_t end = html.find("</table>", start);
  if (start == std::string::npos || end == std::string::npos) return rows;
  for (std::size_t row = html.find("<tr>", start); row < end; row = html.find("<tr>", row + 1)) {
    std::size_t rowEnd = std::min(html.find("</tr>", row), end);
    std::vector<std::string> cells;
    for (std::size_t cell = html.find("<td", row); cell < rowEnd; cell = html.find("<td", cell + 1)) {
      std::size_t textStart = html.find('>', cell) + 1;
      cells.push_back(StripTags(html.substr(textStart, html.find("</td>", textStart) - textStart)));
    }
    if (!cells.empty()) rows.push_back(cells);
  }
  return rows;
}

// The texts between the double quotes of each line of a source file that
// starts (after blanks) with prefix.
std::vector<std::string> ReadQuotedAfter(const std::string &source, const std::string &prefix) {
  std::vector<std::string> found;
  std::istringstream in(source);
  for (std::string line; std::getline(in, line);) {
    std::size_t at = line.find_first_not_of(" \t");
    if (at == std::string::npos || line.compare(at, prefix.size(), prefix) != 0) continue;
    std::size_t open = line.find('"', at);
    std::size_t close = open == std::string::npos ? open : line.find('"', open + 1);
    if (close != std::string::npos) found.push_back(line.substr(open + 1, close - open - 1));
  }
  return found;
}

// "--help, -h" as its parts.
std::vector<std::string> SplitAtCommas(const std::string &text) {
  std::vector<std::string> parts;
  for (std::size_t from = 0; from < text.size();) {
    std::size_t comma = std::min(text.find(", ", from), text.size());
    parts.push_back(text.substr(from, comma - from));
    from = comma + 2;
  }
  return parts;
}

std::string Narrow(const wchar_t *text) { return std::string(text, text + std::wcslen(text)); }

// The key and the vexc option of the language choice, with the default the
// pages give. The program's sources have them once the English interface is
// in; until then they are expected from here.
const char kLanguageKey[] = "Lang";
const char kLanguageDefault[] = "ja";
const char kLanguageOption[] = "--lang L";

// A resource script with the scripts it includes from its folder ("vex_en.rc")
// in their place.
std::string ReadResourceScript(const fs::path &path) {
  std::istringstream in(ReadFileText(path));
  std::string script;
  for (std::string line; std::getline(in, line);) {
    const std::string kInclude = "#include \"";
    std::size_t end = line.rfind(".rc\"");
    if (line.rfind(kInclude, 0) == 0 && end != std::string::npos && end > kInclude.size())
      script += ReadFileText(path.parent_path() / line.substr(kInclude.size(), end + 3 - kInclude.size()));
    else
      script += line + "\n";
  }
  return script;
}

// The part of the resource script for one language: from its LANGUAGE
// statement (at the start of a line) to the next one. Empty when there is none.
std::string ReadRcLanguageBlock(const std::string &rc, const std::string &language) {
  std::size_t start = rc.find("\nLANGUAGE " + language);
  if (start == std::string::npos) return "";
  std::size_t end = rc.find("\nLANGUAGE ", start + 1);
  return rc.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

TEST_P(HelpStatements, SettingsPageNamesEveryKeyWithItsDefault) {
  std::string page = ReadFileText(Dir() / "settings.html");
  EXPECT_NE(page.find("[" + Narrow(kOptionsSection) + "]"), std::string::npos);
  EXPECT_NE(page.find("[" + Narrow(kSlotsSection) + "]"), std::string::npos);

  // The keys the program knows, from their constants' source lines.
  std::set<std::string> programKeys;
  for (const auto &text : ReadQuotedAfter(ReadFileText(kSourceDir / "window/logic/settings_values.h"),
                                          "inline constexpr wchar_t kKey"))
    programKeys.insert(text);
  ASSERT_FALSE(programKeys.empty());
  programKeys.insert(kLanguageKey);

  const std::pair<std::string, std::string> kDefaults[] = {
      {Narrow(kKeyWx), std::to_string(kDefaultPosition)}, {Narrow(kKeyWy), std::to_string(kDefaultPosition)},
      {Narrow(kKeyTop), std::to_string(kDefaultTop)},     {Narrow(kKeyView), std::to_string(kDefaultView)},
      {Narrow(kKeyTime), std::to_string(kDefaultTime)},   {Narrow(kKeyTbar), std::to_string(kDefaultTbar)},
      {Narrow(kKeyBeep), std::to_string(kDefaultBeep)},   {Narrow(kKeyCbo), std::to_string(kDefaultSlot)},
      {Narrow(kKeyDeg), std::to_string(kDefaultDeg)},     {Narrow(kKeyRadix), std::to_string(kDefaultRadix)},
      {kLanguageKey, kLanguageDefault},                   {Narrow(kKeyTheme), Narrow(kDefaultThemeText)}};
  std::set<std::string> pageKeys;
  for (const auto &row : ReadTableAfter(page, "[" + Narrow(kOptionsSection) + "] ")) {
    ASSERT_GE(row.size(), 2u);
    // "Wx, Wy": keys that share a row share its default.
    for (const auto &key : SplitAtCommas(row[0])) {
      pageKeys.insert(key);
      auto known = std::find_if(std::begin(kDefaults), std::end(kDefaults),
                                [&](const auto &entry) { return entry.first == key; });
      if (known == std::end(kDefaults)) ADD_FAILURE() << key << ": no default known to this test";
      else EXPECT_EQ(row[1], known->second) << "default of " << key;
    }
  }
  EXPECT_EQ(pageKeys, programKeys);
}

TEST_P(HelpStatements, MenuItemsAndKeysAreThoseOfTheResources) {
  std::string script = ReadResourceScript(kSourceDir / "resources/vex.rc");
  std::string rc = ReadRcLanguageBlock(script, Language().rcLanguage);
  std::string menusHtml = ReadFileText(Dir() / "menus.html");
  std::string menusPage = StripTags(menusHtml);
  std::string trayPage = StripTags(ReadFileText(Dir() / "tray.html"));
  ASSERT_NE(rc.find("VexMenu1 MENU"), std::string::npos) << Language().rcLanguage;

  // Every item as the pages write it ("元に戻す(U)"), on the page of its
  // menu: the main menu on menus.html, the tray icon's on tray.html; every
  // key shown beside an item is named on menus.html.
  std::set<std::string> shownKeys;
  std::size_t trayMenuStart = rc.find("VexMenu1 MENU");
  std::size_t count = 0;
  for (std::size_t at = rc.find("MENUITEM \""); at != std::string::npos; at = rc.find("MENUITEM \"", at + 1)) {
    std::size_t open = at + 9;
    std::string text = rc.substr(open + 1, rc.find('"', open + 1) - open - 1);
    std::size_t tab = text.find("\\t");  // written as the two characters \t
    std::string label = text.substr(0, tab);
    label.erase(std::remove(label.begin(), label.end(), '&'), label.end());
    const std::string &page = at < trayMenuStart ? menusPage : trayPage;
    EXPECT_NE(page.find(label), std::string::npos) << label;
    if (tab != std::string::npos) {
      std::string key = text.substr(tab + 2);
      shownKeys.insert(key);
      EXPECT_NE(menusPage.find(key), std::string::npos) << label << " " << key;
    }
    ++count;
  }
  EXPECT_GE(count, 20u);

  // The accelerators as the pages write them: "=", "Ctrl+A", "F1". A
  // language without a table of its own has the script's first one.
  std::set<std::string> accelerators;
  if (rc.find("ACCELERATORS") == std::string::npos) rc = script;
  std::size_t tableStart = rc.find("ACCELERATORS");
  ASSERT_NE(tableStart, std::string::npos);
  std::istringstream table(rc.substr(rc.find("BEGIN", tableStart) + 5,
                                     rc.find("END", tableStart) - rc.find("BEGIN", tableStart) - 5));
  for (std::string line; std::getline(table, line);) {
    std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos) continue;
    std::string key = line.substr(first, line.find(',') - first);
    if (key.size() == 3 && key[0] == '"') key = key.substr(1, 1);
    else if (key.rfind("VK_", 0) == 0) key = key.substr(3);
    if (line.find("CONTROL") != std::string::npos) key = "Ctrl+" + key;
    accelerators.insert(key);
  }
  EXPECT_GE(accelerators.size(), 6u);

  // The key list names every accelerator, and only keys the resources show
  // (Enter, handled by the message loop itself, is the one other).
  std::set<std::string> listed;
  for (const auto &row : ReadTableAfter(menusHtml, Language().keyListHeading)) {
    // "Ctrl+Z / X / C / V": the later keys take the first one's modifiers.
    std::string cell = row[0];
    std::string first = cell.substr(0, cell.find(" / "));
    std::string modifiers = first.substr(0, first.rfind('+') + 1);
    listed.insert(first);
    for (std::size_t at = cell.find(" / "); at != std::string::npos; at = cell.find(" / ", at + 1))
      listed.insert(modifiers + cell.substr(at + 3, cell.find(" / ", at + 3) - at - 3));
  }
  for (const auto &key : accelerators) EXPECT_TRUE(listed.count(key)) << key << " is not in the key list";
  for (const auto &key : listed)
    EXPECT_TRUE(key == "Enter" || accelerators.count(key) || shownKeys.count(key)) << key << " is in no resource";
}

TEST_P(HelpStatements, VexcPageNamesEveryOptionOfItsHelpText) {
  // The option lines of vexc's help text: "  --deg        angles ...".
  std::set<std::string> options;
  std::istringstream source(ReadFileText(kSourceDir / "cli/vexc.cpp"));
  for (std::string line; std::getline(source, line);) {
    std::size_t at = line.find("\"  -");
    if (at == std::string::npos || line.find_first_not_of(' ') != at) continue;
    for (const auto &name : SplitAtCommas(line.substr(at + 3, line.find("  ", at + 3) - at - 3)))
      options.insert(name);
  }
  EXPECT_GE(options.size(), 6u);
  if (std::none_of(options.begin(), options.end(),
                   [](const std::string &name) { return name.rfind("--lang", 0) == 0; }))
    options.insert(kLanguageOption);

  std::string page = ReadFileText(Dir() / "vexc.html");
  std::set<std::string> listed;
  for (const auto &row : ReadTableAfter(page, Language().vexcUsageHeading))
    for (const auto &name : SplitAtCommas(row[0])) listed.insert(name);
  EXPECT_EQ(listed, options);
  EXPECT_NE(page.find("<samp>vexc " VEX_VERSION_TEXT "</samp>"), std::string::npos)
      << "the version vexc --version prints";
}

// ---- The compiled help file -------------------------------------------------------------

TEST_P(HelpFile, CompiledFileHoldsEveryPage) {
  std::string chmPath = Language().chmFile;
  if (chmPath.empty()) GTEST_SKIP() << "chmcmd was not found at configure time; the help files are not built";
  std::string chm = ReadFileText(chmPath);
  ASSERT_GE(chm.size(), 4u) << chmPath;
  EXPECT_EQ(chm.substr(0, 4), "ITSF");
  for (const auto &name : ListPages(Language())) EXPECT_NE(chm.find("/" + name), std::string::npos) << name;
  EXPECT_NE(chm.find("/toc.hhc"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Languages, HelpExamples, testing::ValuesIn(LanguageList()), LanguageName);
INSTANTIATE_TEST_SUITE_P(Languages, HelpContents, testing::ValuesIn(LanguageList()), LanguageName);
INSTANTIATE_TEST_SUITE_P(Languages, HelpStatements, testing::ValuesIn(LanguageList()), LanguageName);
INSTANTIATE_TEST_SUITE_P(Languages, HelpFile, testing::ValuesIn(LanguageList()), LanguageName);

}  // namespace
