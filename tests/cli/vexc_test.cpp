// Runs the built vexc as a child process and checks its output lines, its
// standard error and its exit status.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine.h"

extern char **environ;

namespace {

struct RunResult {
  int status = -1;  // exit status, or -1 when the child did not exit normally
  std::string out;
  std::string err;
};

std::string MakeTempFile(const std::string &content) {
  char name[] = "/tmp/vexc_test_XXXXXX";
  int fd = mkstemp(name);
  if (fd < 0) return "";
  std::size_t written = 0;
  while (written < content.size()) {
    ssize_t n = write(fd, content.data() + written, content.size() - written);
    if (n <= 0) break;
    written += static_cast<std::size_t>(n);
  }
  close(fd);
  return name;
}

std::string ReadAndRemoveFile(const std::string &name) {
  std::string content;
  if (std::FILE *f = std::fopen(name.c_str(), "rb")) {
    char chunk[4096];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) content.append(chunk, n);
    std::fclose(f);
  }
  std::remove(name.c_str());
  return content;
}

// Runs vexc with the arguments and the bytes of input on standard input.
RunResult RunVexc(const std::vector<std::string> &arguments,
                  const std::string &input = "") {
  RunResult result;
  std::string inName = MakeTempFile(input);
  std::string outName = MakeTempFile("");
  std::string errName = MakeTempFile("");

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, inName.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, outName.c_str(), O_WRONLY | O_TRUNC, 0);
  posix_spawn_file_actions_addopen(&actions, 2, errName.c_str(), O_WRONLY | O_TRUNC, 0);

  std::vector<char *> argv;
  std::string program = VEXC_PATH;
  argv.push_back(program.data());
  std::vector<std::string> copies = arguments;
  for (std::string &a : copies) argv.push_back(a.data());
  argv.push_back(nullptr);

  pid_t pid;
  if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) == 0) {
    int wstatus = 0;
    if (waitpid(pid, &wstatus, 0) == pid && WIFEXITED(wstatus)) {
      result.status = WEXITSTATUS(wstatus);
    }
  }
  posix_spawn_file_actions_destroy(&actions);
  std::remove(inName.c_str());
  result.out = ReadAndRemoveFile(outName);
  result.err = ReadAndRemoveFile(errName);
  return result;
}

std::string Message(int code) { return EvalErrorMessage(code); }

std::vector<std::string> SplitLines(const std::string &text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// Error stream of a usage error: one line naming the problem.
void ExpectUsageError(const RunResult &r, const std::string &fragment) {
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find(fragment), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "not one line: " << r.err;
}

// ---- Arguments and standard input ----------------------------------------

TEST(VexcInput, ArgumentsGiveOneLineEach) {
  RunResult r = RunVexc({"1+2*3", "2^10", "10/4"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "7.\n1024.\n2.5\n");
  EXPECT_EQ(r.err, "");
}

TEST(VexcInput, StandardInputLinesWithAndWithoutFinalNewline) {
  EXPECT_EQ(RunVexc({}, "1+2*3\n2^10\n").out, "7.\n1024.\n");
  EXPECT_EQ(RunVexc({}, "1+2*3\n2^10").out, "7.\n1024.\n");
}

TEST(VexcInput, EmptyInputPrintsNothing) {
  RunResult r = RunVexc({}, "");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "");
}

TEST(VexcInput, EmptyLineIsASyntaxError) {
  RunResult r = RunVexc({}, "1\n\n2\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "1.\n" + Message(kEvalSyntax) + "\n2.\n");
}

TEST(VexcInput, CrLfLineEndsAreAccepted) {
  RunResult r = RunVexc({}, "1+2\r\n3*4\r\n5-6\r");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "3.\n12.\n-1.\n");
}

TEST(VexcInput, AssignmentCarriesAcrossLines) {
  EXPECT_EQ(RunVexc({}, "A= 1+2\nB= A*A\nA+B\n").out, "3.\n9.\n12.\n");
  EXPECT_EQ(RunVexc({"A= 5", "a+1"}).out, "5.\n6.\n");
}

TEST(VexcInput, FailedAssignmentStoresZero) {
  RunResult r = RunVexc({}, "A= 5\nA= 1/0\nA+1\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "5.\n" + Message(kEvalDivideByZero) + "\n1.\n");
}

TEST(VexcInput, DegreeModeAppliesToEveryLine) {
  EXPECT_EQ(RunVexc({"--deg", "SIN(30)*2", "COS(60)"}).out, "1.\n0.5\n");
  EXPECT_NE(RunVexc({"SIN(30)*2"}).out, "1.\n");
}

TEST(VexcInput, OptionsMayFollowExpressions) {
  EXPECT_EQ(RunVexc({"SIN(30)*2", "--deg"}).out, "1.\n");
}

TEST(VexcInput, CommentsAndBracketsPassUnchanged) {
  EXPECT_EQ(RunVexc({"[1+2]*{3} ; note"}).out, "9.\n");
}

// ---- Leading minus and "--" -----------------------------------------------

TEST(VexcArguments, MinusBeforeDigitPointOrBracketIsAnExpression) {
  RunResult r = RunVexc({"-1+2", "-.5", "-(2+3)", "-[1]"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "1.\n-0.5\n-5.\n-1.\n");
}

TEST(VexcArguments, DoubleDashEndsOptions) {
  RunResult r = RunVexc({"--", "-PI", "--deg"});
  EXPECT_EQ(r.status, 1);  // "--deg" is now an expression
  std::vector<std::string> lines = SplitLines(r.out);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "-3.141592654");
  EXPECT_EQ(lines[1], Message(kEvalSyntax));
}

TEST(VexcArguments, MinusBeforeLetterIsAnOption) {
  RunResult r = RunVexc({"-PI"});
  ExpectUsageError(r, "unknown option '-PI'");
  EXPECT_EQ(r.out, "");
}

// ---- --radix --------------------------------------------------------------

TEST(VexcRadix, SuccessfulResultsInRadix) {
  EXPECT_EQ(RunVexc({"--radix", "16", "--", "-1", "255.9"}).out, "ffffffff\nff\n");
  EXPECT_EQ(RunVexc({"--radix", "8", "8", "0X1F"}).out, "10\n37\n");
  EXPECT_EQ(RunVexc({"--radix", "2", "5"}).out, "101\n");
  EXPECT_EQ(RunVexc({"--radix", "10", "0.5"}).out, "0.5\n");
}

TEST(VexcRadix, ErrorsKeepTheirMessage) {
  RunResult r = RunVexc({"--radix", "16", "1/0", "1+*2", "15"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, Message(kEvalDivideByZero) + "\n" + Message(kEvalSyntax) + "\nf\n");
}

// ---- --tsv ----------------------------------------------------------------

TEST(VexcTsv, FieldsOfSuccess) {
  RunResult r = RunVexc({"--tsv", "1+2", "Z= -0.5"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out,
            "0\t3\t4008000000000000\t3.\n"
            "0\t4\tbfe0000000000000\t-0.5\n");
}

TEST(VexcTsv, FieldsOfErrors) {
  RunResult r = RunVexc({"--tsv", "1+*2", "A= 5/0", "1E999"});
  EXPECT_EQ(r.status, 1);
  std::vector<std::string> lines = SplitLines(r.out);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "4\t2\t0000000000000000\t" + Message(kEvalSyntax));
  EXPECT_EQ(lines[1].substr(0, 2), "2\t");
  EXPECT_EQ(lines[1].substr(lines[1].rfind('\t') + 1), Message(kEvalDivideByZero));
  EXPECT_EQ(lines[2].substr(0, 2), "1\t");
  EXPECT_EQ(lines[2].substr(lines[2].rfind('\t') + 1), Message(kEvalOverflow));
}

TEST(VexcTsv, WithRadixTheTextIsTheRadixText) {
  EXPECT_EQ(RunVexc({"--tsv", "--radix", "16", "255"}).out,
            "0\t3\t406fe00000000000\tff\n");
}

TEST(VexcTsv, InfinityAndNanBits) {
  RunResult r = RunVexc({"--tsv", "1E300*1E300", "A= 1E300*1E300", "A-A"});
  std::vector<std::string> lines = SplitLines(r.out);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "0\t11\t7ff0000000000000\t1.#INF");
  EXPECT_EQ(lines[2], "0\t3\tfff8000000000000\t-1.#IND");
}

// ---- Exit statuses and usage errors -----------------------------------------

TEST(VexcStatus, OneFailedLineGivesOneButAllLinesArePrinted) {
  RunResult r = RunVexc({"1", "SQRT(-1)", "2"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "1.\n" + Message(kEvalArgument) + "\n2.\n");
  EXPECT_EQ(r.err, "");
}

struct UsageCase {
  const char *name;
  std::vector<std::string> arguments;
  std::string errorFragment;
};

class VexcUsage : public testing::TestWithParam<UsageCase> {};

TEST_P(VexcUsage, ExitsWithTwoAndNamesTheProblem) {
  RunResult r = RunVexc(GetParam().arguments);
  ExpectUsageError(r, GetParam().errorFragment);
  EXPECT_EQ(r.out, "");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VexcUsage,
    testing::Values(
        UsageCase{"UnknownLongOption", {"--frobnicate", "1"}, "unknown option '--frobnicate'"},
        UsageCase{"UnknownShortOption", {"-x"}, "unknown option '-x'"},
        UsageCase{"RadixWithoutValue", {"1", "--radix"}, "--radix needs a value"},
        UsageCase{"RadixThree", {"--radix", "3", "1"}, "invalid radix '3'"},
        UsageCase{"RadixWord", {"--radix", "sixteen", "1"}, "invalid radix 'sixteen'"},
        UsageCase{"RadixLeadingZero", {"--radix", "016", "1"}, "invalid radix '016'"},
        UsageCase{"LangWithoutValue", {"1", "--lang"}, "--lang needs a value"},
        UsageCase{"LangUpperCase", {"--lang", "EN", "1"}, "invalid language 'EN'"},
        UsageCase{"ControlBytesInOption", {"--a\tb\x01"}, "unknown option '--a?b?'"},
        UsageCase{"OverlongExpression", {"1", std::string(256, '1')},
                  "expression 2 is longer than 255 bytes"}),
    [](const testing::TestParamInfo<UsageCase> &info) { return std::string(info.param.name); });

TEST(VexcStatus, ExpressionOf255BytesIsAccepted) {
  std::string sum = "1";
  while (sum.size() < 255) sum += "+1";
  ASSERT_EQ(sum.size(), 255u);
  RunResult r = RunVexc({sum});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "128.\n");
}

TEST(VexcStatus, OverlongInputLineStopsWithTwo) {
  std::string ok(255, '1');
  RunResult r = RunVexc({}, "1+1\n" + ok + "\r\n" + std::string(256, '2') + "\n3\n");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "vexc: line 3: longer than 255 bytes\n");
  std::vector<std::string> lines = SplitLines(r.out);
  ASSERT_EQ(lines.size(), 2u);  // the lines before it, nothing after
  EXPECT_EQ(lines[0], "2.");
}

TEST(VexcStatus, NulByteInLineStopsWithTwo) {
  RunResult r = RunVexc({}, std::string("1\n2\n3\0+4\n5\n", 10));
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "vexc: line 3: contains a NUL byte\n");
  EXPECT_EQ(r.out, "1.\n2.\n");
}

TEST(VexcStatus, HelpExplainsOptionsAndExitCodes) {
  RunResult r = RunVexc({"--help"});
  EXPECT_EQ(r.status, 0);
  for (const char *word : {"Usage: vexc", "--deg", "--radix", "--tsv", "--lang", "--version", "--",
                           "Exit status", "Examples", "MOD", "PI", "A-Z"}) {
    EXPECT_NE(r.out.find(word), std::string::npos) << word;
  }
  EXPECT_EQ(r.err, "");
}

// ---- Hostile input ---------------------------------------------------------

TEST(VexcHostile, BinaryLinesGiveOneKnownLineEach) {
  std::string input;
  unsigned state = 12345;
  int lineCount = 0;
  for (int line = 0; line < 300; ++line) {
    int length = static_cast<int>(state % 120);
    for (int i = 0; i < length; ++i) {
      state = state * 1103515245u + 12345u;
      char c = static_cast<char>((state >> 16) & 0xFF);
      if (c == '\0' || c == '\n') c = '(';
      input += c;
    }
    state = state * 1103515245u + 12345u;
    input += '\n';
    ++lineCount;
  }
  RunResult r = RunVexc({"--tsv"}, input);
  ASSERT_TRUE(r.status == 0 || r.status == 1) << r.err;
  std::vector<std::string> lines = SplitLines(r.out);
  ASSERT_EQ(static_cast<int>(lines.size()), lineCount);
  for (const std::string &line : lines) {
    std::size_t tab = line.rfind('\t');
    ASSERT_NE(tab, std::string::npos);
    int code = line[0] - '0';
    std::string text = line.substr(tab + 1);
    if (code == 0) {
      EXPECT_LE(text.size(), kResultTextSize - 1) << line;
    } else {
      EXPECT_EQ(text, Message(code)) << line;
    }
  }
}

}  // namespace
