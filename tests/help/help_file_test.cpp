// Checks vex.chm and vex-en.chm as the help viewer reads them. The test
// fixtures help_chm_unpack_ja and _en unpack the built files with
// extract_chmLib into VEX_HELP_UNPACKED_DIR_JA and _EN; these tests then
// require that the pages the viewer is told about are inside each and that
// every link between them resolves there:
//   - the contents file, the index file and the default topic named in the
//     file's #SYSTEM record;
//   - every page named in the contents (toc.hhc) and the index (index.hhk);
//   - every href and src of every page, with its #fragment when it has one
//     (the target page must have an element with that id or an <a name>);
//   - every page's style sheet.
// Links with a scheme (http:, mailto: ...) leave the help file and are not
// followed.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Attributes of one tag, lower-case names, values as written (no entity
// decoding: the help pages' links use none).
struct HtmlTag {
  std::string name;
  std::vector<std::pair<std::string, std::string>> attributes;
};

// The bounds of what is read: a help page or project file is a few kB.
constexpr std::uintmax_t kMaxFileSize = 4 * 1024 * 1024;

// Reads a whole file; empty when it is missing, not a regular file or larger
// than kMaxFileSize.
std::string ReadFileText(const fs::path &path) {
  std::error_code error;
  if (!fs::is_regular_file(path, error) || fs::file_size(path, error) > kMaxFileSize) return "";
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string ToLower(std::string text) {
  for (char &c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

bool IsHtmlSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

// Reads the opening tags of an HTML text in order. Comments, declarations and
// closing tags are skipped; attribute values may be in double or single
// quotes or unquoted; a '>' inside a quoted value does not end the tag.
std::vector<HtmlTag> ReadTags(const std::string &html) {
  std::vector<HtmlTag> tags;
  std::size_t pos = 0;
  const std::size_t size = html.size();
  while ((pos = html.find('<', pos)) != std::string::npos) {
    if (html.compare(pos, 4, "<!--") == 0) {
      std::size_t end = html.find("-->", pos + 4);
      if (end == std::string::npos) break;
      pos = end + 3;
      continue;
    }
    ++pos;
    if (pos >= size || !((html[pos] >= 'a' && html[pos] <= 'z') || (html[pos] >= 'A' && html[pos] <= 'Z')))
      continue;  // closing tag, declaration or a lone '<'
    HtmlTag tag;
    while (pos < size && !IsHtmlSpace(html[pos]) && html[pos] != '>' && html[pos] != '/')
      tag.name += html[pos++];
    tag.name = ToLower(tag.name);
    while (pos < size && html[pos] != '>') {
      if (IsHtmlSpace(html[pos]) || html[pos] == '/') {
        ++pos;
        continue;
      }
      std::string name;
      while (pos < size && !IsHtmlSpace(html[pos]) && html[pos] != '=' && html[pos] != '>')
        name += html[pos++];
      while (pos < size && IsHtmlSpace(html[pos])) ++pos;
      std::string value;
      if (pos < size && html[pos] == '=') {
        ++pos;
        while (pos < size && IsHtmlSpace(html[pos])) ++pos;
        if (pos < size && (html[pos] == '"' || html[pos] == '\'')) {
          char quote = html[pos++];
          std::size_t end = html.find(quote, pos);
          if (end == std::string::npos) end = size;
          value = html.substr(pos, end - pos);
          pos = end < size ? end + 1 : size;
        } else {
          while (pos < size && !IsHtmlSpace(html[pos]) && html[pos] != '>') value += html[pos++];
        }
      }
      tag.attributes.emplace_back(ToLower(name), value);
    }
    tags.push_back(tag);
  }
  return tags;
}

// The value of an attribute, or empty.
std::string AttributeOf(const HtmlTag &tag, const std::string &name) {
  for (const auto &[key, value] : tag.attributes)
    if (key == name) return value;
  return "";
}

// True when the page has an element with this id, or an <a name> of it.
bool HasAnchor(const std::string &html, const std::string &fragment) {
  for (const HtmlTag &tag : ReadTags(html)) {
    for (const auto &[key, value] : tag.attributes)
      if (value == fragment && (key == "id" || (key == "name" && tag.name == "a"))) return true;
  }
  return false;
}

// Checks one link written on the page at path `from` (relative to root, "" for
// a name given by the contents, the index or #SYSTEM). Returns an empty text
// when the target is a file inside root (and, with a fragment, has the anchor),
// else what is wrong.
std::string CheckLink(const fs::path &root, const fs::path &from, const std::string &link) {
  std::size_t colon = link.find(':');
  if (colon != std::string::npos && link.find_first_of("/?#") > colon) return "";  // has a scheme
  std::size_t hash = link.find('#');
  std::string file = link.substr(0, hash);
  std::string fragment = hash == std::string::npos ? "" : link.substr(hash + 1);
  if (file.find('?') != std::string::npos || file.find('\\') != std::string::npos)
    return "'" + link + "' is not a plain relative path";

  fs::path target = file.empty() ? from : (from.parent_path() / file).lexically_normal();
  if (file.empty() && from.empty()) return "'" + link + "' names no page";
  if (target.empty() || target.is_absolute() || *target.begin() == "..")
    return "'" + link + "' leaves the help file";
  std::error_code error;
  if (!fs::is_regular_file(root / target, error)) return "'" + link + "': " + target.string() + " is not inside";
  if (!fragment.empty() && !HasAnchor(ReadFileText(root / target), fragment))
    return "'" + link + "': " + target.string() + " has no anchor '" + fragment + "'";
  return "";
}

// The values of <param name="Local" value="..."> of a contents or index file.
// The file is Shift-JIS; the names of pages are ASCII, and no Shift-JIS
// trail byte is a quote, so it is read as bytes.
std::vector<std::string> ReadSitemapLocals(const std::string &sitemap) {
  std::vector<std::string> locals;
  for (const HtmlTag &tag : ReadTags(sitemap)) {
    if (tag.name == "param" && ToLower(AttributeOf(tag, "name")) == "local")
      locals.push_back(AttributeOf(tag, "value"));
  }
  return locals;
}

// The #SYSTEM record of a compiled help file: a 4-byte version, then entries
// of a 2-byte code, a 2-byte length and that many bytes (little-endian).
// Returns the NUL-terminated text of the first entry with the code, or empty.
std::string ReadSystemEntry(const std::string &system, unsigned code) {
  std::size_t pos = 4;
  while (pos + 4 <= system.size()) {
    auto byte = [&](std::size_t i) { return static_cast<unsigned>(static_cast<unsigned char>(system[i])); };
    unsigned entryCode = byte(pos) | byte(pos + 1) << 8;
    std::size_t length = byte(pos + 2) | byte(pos + 3) << 8;
    pos += 4;
    if (pos + length > system.size()) break;
    if (entryCode == code) {
      std::string text = system.substr(pos, length);
      return text.substr(0, text.find('\0'));
    }
    pos += length;
  }
  return "";
}

// Everything wrong with an unpacked help file in folder root, one text each.
std::vector<std::string> CheckUnpackedHelp(const fs::path &root) {
  std::vector<std::string> problems;
  auto check = [&](const fs::path &from, const std::string &link, const std::string &where) {
    std::string problem = CheckLink(root, from, link);
    if (!problem.empty()) problems.push_back(where + ": " + problem);
  };

  // #SYSTEM codes: 0 contents file, 1 index file, 2 default topic.
  std::string system = ReadFileText(root / "#SYSTEM");
  if (system.empty()) problems.push_back("#SYSTEM is missing");
  const char *kSystemNames[] = {"contents file", "index file", "default topic"};
  for (unsigned code = 0; code < 3 && !system.empty(); ++code)
    check("", ReadSystemEntry(system, code), std::string("#SYSTEM ") + kSystemNames[code]);

  for (const char *sitemap : {"toc.hhc", "index.hhk"}) {
    std::string text = ReadFileText(root / sitemap);
    std::vector<std::string> locals = ReadSitemapLocals(text);
    if (locals.empty()) problems.push_back(std::string(sitemap) + " is missing or names no page");
    for (const std::string &local : locals) check("", local, sitemap);
  }

  std::error_code error;
  for (fs::recursive_directory_iterator it(root, error), end; !error && it != end; it.increment(error)) {
    std::error_code typeError;
    if (!it->is_regular_file(typeError) || it->path().extension() != ".html") continue;
    fs::path page = it->path().lexically_relative(root);
    bool hasStyleSheet = false;
    for (const HtmlTag &tag : ReadTags(ReadFileText(it->path()))) {
      for (const char *attribute : {"href", "src"}) {
        std::string link = AttributeOf(tag, attribute);
        if (!link.empty()) check(page, link, page.string());
      }
      if (tag.name == "link" && ToLower(AttributeOf(tag, "rel")) == "stylesheet" &&
          CheckLink(root, page, AttributeOf(tag, "href")).empty())
        hasStyleSheet = true;
    }
    if (!hasStyleSheet) problems.push_back(page.string() + ": no style sheet inside the help file");
  }
  if (error) problems.push_back("cannot list " + root.string() + ": " + error.message());
  return problems;
}

std::string JoinLines(const std::vector<std::string> &lines) {
  std::string text;
  for (const std::string &line : lines) text += line + "\n";
  return text;
}

// ---- The checks themselves, on a small tree with planted faults ----------------

class HelpLinkCheck : public testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::path(testing::TempDir()) /
            (std::string("help_file_check_") + testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_ / "sub");
    // #SYSTEM: contents toc.hhc, index index.hhk, default topic missing.html.
    std::string system("\x03\0\0\0", 4);
    auto entry = [&](char code, const std::string &text) {
      system += std::string(1, code) + '\0' + static_cast<char>(text.size() + 1) + '\0' + text + '\0';
    };
    entry(0, "toc.hhc");
    entry(1, "index.hhk");
    entry(2, "missing.html");
    Write("#SYSTEM", system);
    Write("toc.hhc", "<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Local\" value=\"a.html\">"
                     "</OBJECT><LI><OBJECT><param name=\"Local\" value=\"gone.html\"></OBJECT></UL>");
    Write("index.hhk", "<param name=\"Local\" value=\"sub/c.html#part\">");
    Write("vex.css", "body {}");
    Write("a.html",
          "<link rel=\"stylesheet\" href=\"vex.css\"><!-- <a href=\"commented.html\"> -->"
          "<a href='sub/c.html#part'>ok</a> <a href=\"b.html\">broken</a> <a href=\"sub/c.html#nowhere\">x</a>"
          "<a href=\"../outside.html\">x</a> <a href=\"http://example.invalid/\">web</a> <a href=\"#top\">x</a>"
          "<img src=\"pic.png\" alt=\"a > b\">");
    Write("sub/c.html", "<link rel=stylesheet href=\"../vex.css\"><h2 id=\"part\">p</h2><a name=\"p2\"></a>"
                        "<a href=\"#p2\">self</a> <a href=\"../a.html\">up</a>");
    Write("sub/d.html", "<link rel=\"stylesheet\" href=\"vex.css\">");
  }
  void TearDown() override { fs::remove_all(root_); }
  void Write(const std::string &name, const std::string &text) {
    std::ofstream(root_ / name, std::ios::binary) << text;
  }
  fs::path root_;
};

TEST_F(HelpLinkCheck, ReportsEachBrokenLinkAndNothingElse) {
  std::vector<std::string> problems = CheckUnpackedHelp(root_);
  std::sort(problems.begin(), problems.end());
  std::vector<std::string> expected = {
      "#SYSTEM default topic: 'missing.html': missing.html is not inside",
      "a.html: '#top': a.html has no anchor 'top'",
      "a.html: '../outside.html' leaves the help file",
      "a.html: 'b.html': b.html is not inside",
      "a.html: 'pic.png': pic.png is not inside",
      "a.html: 'sub/c.html#nowhere': sub/c.html has no anchor 'nowhere'",
      "sub/d.html: 'vex.css': sub/vex.css is not inside",
      "sub/d.html: no style sheet inside the help file",
      "toc.hhc: 'gone.html': gone.html is not inside",
  };
  EXPECT_EQ(problems, expected) << JoinLines(problems);
}

TEST_F(HelpLinkCheck, AnEmptyFolderIsNoHelpFile) {
  fs::remove_all(root_);
  fs::create_directories(root_);
  std::vector<std::string> problems = CheckUnpackedHelp(root_);
  EXPECT_EQ(problems.size(), 3u) << JoinLines(problems);  // #SYSTEM, toc.hhc, index.hhk
}

// ---- The built vex.chm and vex-en.chm ---------------------------------------------

// A compiled help file: the folder it was unpacked into, the folder of its
// pages; the style sheets of help/ go into both.
struct UnpackedHelp {
  const char *language;
  fs::path root;
  fs::path pages;
};

const UnpackedHelp kUnpackedHelps[] = {
    {"ja", VEX_HELP_UNPACKED_DIR_JA, VEX_HELP_SOURCE_DIR},
    {"en", VEX_HELP_UNPACKED_DIR_EN, fs::path(VEX_HELP_SOURCE_DIR) / "en"},
};

void PrintTo(const UnpackedHelp &help, std::ostream *out) { *out << help.language; }

class HelpFileUnpacked : public testing::TestWithParam<UnpackedHelp> {};

TEST_P(HelpFileUnpacked, EveryNamedPageIsInsideAndEveryLinkResolves) {
  const fs::path &root = GetParam().root;
  EXPECT_EQ(JoinLines(CheckUnpackedHelp(root)), "");
  // Every page and style sheet of the sources was compiled in.
  std::error_code error;
  for (const auto &[dir, extension] : {std::pair{GetParam().pages, ".html"},
                                       std::pair{fs::path(VEX_HELP_SOURCE_DIR), ".css"}}) {
    for (const auto &entry : fs::directory_iterator(dir, error)) {
      if (entry.path().extension() == extension)
        EXPECT_TRUE(fs::is_regular_file(root / entry.path().filename())) << entry.path().filename();
    }
    EXPECT_FALSE(error) << error.message();
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, HelpFileUnpacked, testing::ValuesIn(kUnpackedHelps),
                         [](const testing::TestParamInfo<UnpackedHelp> &info) { return info.param.language; });

}  // namespace
