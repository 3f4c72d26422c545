// The calculator's one-shot work, as on each Enter: a fresh slot line copied
// into a fresh buffer and evaluated through EvaluateLine. Measured in the same
// run against three baselines:
//   floor     std::from_chars of the line's literals + std::to_chars of its result
//   muparser  SetExpr + Eval of the same expression, every call (one-shot use)
//   to_chars  std::to_chars scientific, precision 9, against FormatResult
// The ratios are printed at the end with PASS/MISS per target; nothing fails.

#include <benchmark/benchmark.h>
#include <muParser.h>

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "engine.h"

namespace {

struct TypicalLine {
  std::string vex;       // the slot line as the window side sends it
  std::string muparser;  // the same computation in muparser syntax
  std::vector<std::string> literals;
  double result = 0.0;
};

std::vector<TypicalLine> typicalLines;
std::vector<double> randomDoubles;

// 33 decimals joined by "+", exactly 200 characters.
std::string MakeLongSum() {
  std::string sum;
  for (int i = 0; i < 33; ++i) {
    if (i > 0) sum += '+';
    int whole = 10 + (i * 37) % 90;
    int fraction = (i * 53 + 11) % 100;
    if (i % 11 == 0) whole += 100;  // three of them get a third digit
    sum += std::to_string(whole) + '.' + (fraction < 10 ? "0" : "") + std::to_string(fraction);
  }
  return sum;
}

// The number literals of an expression, as the floor baseline reads them.
std::vector<std::string> ExtractLiterals(const std::string &expression) {
  std::vector<std::string> literals;
  std::size_t i = 0;
  auto isDigit = [&](std::size_t k) {
    return k < expression.size() && expression[k] >= '0' && expression[k] <= '9';
  };
  while (i < expression.size()) {
    bool previousIsLetter = i > 0 && std::isalpha(static_cast<unsigned char>(expression[i - 1]));
    if (!previousIsLetter && (isDigit(i) || (expression[i] == '.' && isDigit(i + 1)))) {
      std::size_t start = i;
      while (isDigit(i) || (i < expression.size() && expression[i] == '.')) ++i;
      if (i < expression.size() && (expression[i] == 'E' || expression[i] == 'e')) {
        std::size_t k = i + 1;
        if (k < expression.size() && (expression[k] == '+' || expression[k] == '-')) ++k;
        if (isDigit(k)) {
          i = k;
          while (isDigit(i)) ++i;
        }
      }
      literals.push_back(expression.substr(start, i - start));
    } else {
      ++i;
    }
  }
  return literals;
}

double EvaluateOnce(const std::string &text, int *code) {
  char line[kLineBufferSize] = {};
  std::memcpy(line, text.c_str(), text.size() + 1);
  double value = 0.0;
  int stop = 0;
  *code = EvaluateLine(line, &value, &stop, true);
  return value;
}

double Modulo(double a, double b) { return std::fmod(a, b); }
double BitAnd(double a, double b) {
  return static_cast<double>(static_cast<std::int64_t>(a) & static_cast<std::int64_t>(b));
}

void SetUpMuparser(mu::Parser &parser, double *a, double *b) {
  parser.DefineVar("A", a);
  parser.DefineVar("B", b);
  parser.DefineFun("mod", Modulo);
  parser.DefineFun("band", BitAnd);
}

void PrepareData() {
  int code;
  EvaluateOnce("A= 3", &code);
  EvaluateOnce("B= 4", &code);

  std::string sum = MakeLongSum();
  if (sum.size() != 200) std::fprintf(stderr, "warning: long sum is %zu characters\n", sum.size());
  struct Pair { const char *vex; const char *muparser; };
  const Pair pairs[] = {
      {"1+2*3", "1+2*3"},
      {"SIN(30)*2+A", "sin(30*(_pi/180))*2+A"},
      {"(A^2/SIN(2*PI/B))-A/2", "(A^2/sin(2*_pi/B*(_pi/180)))-A/2"},
      {"SQRT(A*A+B*B)", "sqrt(A*A+B*B)"},
      {"12345.678901234*3.5-1E-5", "12345.678901234*3.5-1E-5"},
      {"7 MOD 3 + (255 AND 15)", "mod(7,3) + (band(255,15))"},
      {nullptr, nullptr},  // the long sum
  };
  double a = 3, b = 4;
  mu::Parser parser;
  SetUpMuparser(parser, &a, &b);
  for (const Pair &pair : pairs) {
    TypicalLine line;
    std::string expression = pair.vex ? pair.vex : sum;
    line.vex = "Z= " + expression;
    line.muparser = pair.muparser ? pair.muparser : sum;
    line.literals = ExtractLiterals(expression);
    line.result = EvaluateOnce(line.vex, &code);
    if (code != 0) std::fprintf(stderr, "warning: %s gives code %d\n", line.vex.c_str(), code);
    parser.SetExpr(line.muparser);
    double check = parser.Eval();
    if (std::fabs(check - line.result) > 1e-9 * std::fmax(1.0, std::fabs(check))) {
      std::fprintf(stderr, "warning: %s is %.17g here, %.17g in muparser\n", line.vex.c_str(),
                   line.result, check);
    }
    typicalLines.push_back(line);
  }

  std::mt19937_64 random(20240607);
  for (int i = 0; i < 1024; ++i) {
    double value;
    if (i % 2 == 0) {
      std::uniform_real_distribution<double> mantissa(1.0, 10.0);
      std::uniform_int_distribution<int> exponent(-12, 15);
      value = mantissa(random) * std::pow(10.0, exponent(random));
      if (random() & 1) value = -value;
      if (i % 8 == 0) value = std::floor(value);
    } else {
      std::uint64_t bits = random();
      std::memcpy(&value, &bits, sizeof value);
    }
    randomDoubles.push_back(value);
  }
}

// ---- The measured work -----------------------------------------------------

void BenchEvaluateLine(benchmark::State &state, const TypicalLine *line) {
  double value = 0.0;
  int stop = 0;
  for (auto _ : state) {
    char buffer[kLineBufferSize];
    std::memcpy(buffer, line->vex.c_str(), line->vex.size() + 1);
    int code = EvaluateLine(buffer, &value, &stop, true);
    benchmark::DoNotOptimize(code);
    benchmark::DoNotOptimize(buffer);
  }
}

void BenchFloor(benchmark::State &state, const TypicalLine *line) {
  for (auto _ : state) {
    double sum = 0.0;
    for (const std::string &literal : line->literals) {
      double value = 0.0;
      std::from_chars(literal.data(), literal.data() + literal.size(), value);
      sum += value;
    }
    benchmark::DoNotOptimize(sum);
    char text[32];
    auto end = std::to_chars(text, text + sizeof text, line->result,
                             std::chars_format::scientific, 9);
    benchmark::DoNotOptimize(end.ptr);
    benchmark::DoNotOptimize(text);
  }
}

void BenchMuparser(benchmark::State &state, const TypicalLine *line) {
  double a = 3, b = 4;
  mu::Parser parser;
  SetUpMuparser(parser, &a, &b);
  for (auto _ : state) {
    parser.SetExpr(line->muparser);
    double value = parser.Eval();
    benchmark::DoNotOptimize(value);
  }
}

void BenchFormatResult(benchmark::State &state) {
  for (auto _ : state) {
    for (double value : randomDoubles) {
      char text[kResultTextSize];
      FormatResult(value, text);
      benchmark::DoNotOptimize(text);
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(randomDoubles.size()));
}

void BenchToChars(benchmark::State &state) {
  for (auto _ : state) {
    for (double value : randomDoubles) {
      char text[32];
      auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, 9);
      benchmark::DoNotOptimize(end.ptr);
      benchmark::DoNotOptimize(text);
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(randomDoubles.size()));
}

// ---- Collecting the times and printing the ratios ------------------------------

// Keeps the CPU time per iteration (ns) of every run while printing as usual.
class RecordingReporter : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> nanoseconds;

  void ReportRuns(const std::vector<Run> &runs) override {
    for (const Run &run : runs) {
      if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
      double seconds = run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
      nanoseconds[run.benchmark_name()] = seconds * 1e9;
    }
    ConsoleReporter::ReportRuns(runs);
  }
};

// Geometric mean over the typical lines of one group; 0 when a line is missing.
double GeometricMean(const std::map<std::string, double> &times, const std::string &group) {
  double logSum = 0.0;
  for (std::size_t i = 0; i < typicalLines.size(); ++i) {
    auto it = times.find(group + "/" + std::to_string(i));
    if (it == times.end() || it->second <= 0.0) return 0.0;
    logSum += std::log(it->second);
  }
  return std::exp(logSum / static_cast<double>(typicalLines.size()));
}

void PrintRatio(const char *name, double numerator, double denominator, bool atMost,
                double target) {
  if (numerator <= 0.0 || denominator <= 0.0) {
    std::printf("  %-46s %9s   %s %5.1f   n/a\n", name, "-", atMost ? "<=" : ">=", target);
    return;
  }
  double ratio = numerator / denominator;
  bool pass = atMost ? ratio <= target : ratio >= target;
  std::printf("  %-46s %9.2f   %s %5.1f   %s\n", name, ratio, atMost ? "<=" : ">=", target,
              pass ? "PASS" : "MISS");
}

}  // namespace

int main(int argc, char **argv) {
  PrepareData();
  for (std::size_t i = 0; i < typicalLines.size(); ++i) {
    std::string index = std::to_string(i);
    benchmark::RegisterBenchmark(("EvaluateLine/" + index).c_str(), BenchEvaluateLine,
                                 &typicalLines[i]);
    benchmark::RegisterBenchmark(("Floor/" + index).c_str(), BenchFloor, &typicalLines[i]);
    benchmark::RegisterBenchmark(("MuparserOneShot/" + index).c_str(), BenchMuparser,
                                 &typicalLines[i]);
  }
  benchmark::RegisterBenchmark("FormatResult/1024", BenchFormatResult);
  benchmark::RegisterBenchmark("ToChars/1024", BenchToChars);

  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RecordingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  std::printf("\nTypical lines (degree mode, A=3, B=4):\n");
  for (std::size_t i = 0; i < typicalLines.size(); ++i) {
    std::string shown = typicalLines[i].vex;
    if (shown.size() > 40) shown = shown.substr(0, 37) + "...";
    std::printf("  %zu  %s\n", i, shown.c_str());
  }

  const std::map<std::string, double> &t = reporter.nanoseconds;
  double evaluate = GeometricMean(t, "EvaluateLine");
  double floor = GeometricMean(t, "Floor");
  double muparser = GeometricMean(t, "MuparserOneShot");
  auto find = [&](const char *name) {
    auto it = t.find(name);
    return it == t.end() ? 0.0 : it->second;
  };
  double format = find("FormatResult/1024");
  double toChars = find("ToChars/1024");

  std::printf("\nGeometric means (CPU ns per call): EvaluateLine %.1f, floor %.1f, "
              "muparser one-shot %.1f\n", evaluate, floor, muparser);
  std::printf("Per value (CPU ns): FormatResult %.1f, to_chars %.1f\n\n",
              format / 1024.0, toChars / 1024.0);
  std::printf("  %-46s %9s   %-8s   %s\n", "Ratio", "measured", "target", "result");
  PrintRatio("EvaluateLine / floor", evaluate, floor, true, 3.0);
  PrintRatio("muparser one-shot / EvaluateLine", muparser, evaluate, false, 20.0);
  PrintRatio("FormatResult / to_chars", format, toChars, true, 2.0);
  return 0;
}
