// Evaluation allocates nothing: global operator new and delete are replaced
// in this test program by counting versions (allocation_counter.cpp), and
// many lines - results, errors of every code, every function name, deep
// nesting - run between two readings of the counter.
#include <gtest/gtest.h>

#include <string>

#include "allocation_counter.h"
#include "engine.h"
#include "engine_test_helpers.h"

namespace {

class AllocationTest : public CleanEngineStateTest {};

TEST_F(AllocationTest, CounterSeesAllocations) {
  long before = CountAllocations();
  std::string *s = new std::string(100, 'x');
  delete s;
  EXPECT_GE(CountAllocations() - before, 1);
}

TEST_F(AllocationTest, EvaluationAllocatesNothing) {
  static const char *const kLines[] = {
      "A= 1+2*3", "B= A MOD 3", "C= 7 DEV 2 AND 3 OR 4 XOR 5", "D= NOT 0", "E= (NOT 0)",
      "F= 2**10", "G= 1e999", "H= 1/0", "I= SQR(-1)", "J= 1+*2", "K= 1e300*1e300",
      "L= 1e300*1e300-1e300*1e300", "M= 0x80000000", "N= 5\\0", "O= 0^-1", "P= 10^400",
      "Q= ABS(-3)+INT(2.5)+FIX(-2.5)+SQR(16)+SQRT(9)", "R= SIN(1)+COS(1)+TAN(1)",
      "S= ATAN(1)+ATN(2)+LOG(3)+EXP(4)", "T= ACS(0.5)+ACOS(0.1)+ASN(0.5)+ASIN(0.2)",
      "U= LGT(100)+LOG10(1000)", "V= SIN(1E22)", "W= -2147483648\\-1", "X= ((((((((((1",
      "Y= SIN30", "Z= ; comment", "a= [1+2]*{3} ' note", "b= 1+2)))", "c= 0X1F+017",
      "d= (-8)^(1/3)", "e= 2^-1074", "f= 1.234567891e-100", "g= ~5&3", "h= 3&~5"};
  // One round first, so that anything a library sets up lazily is in place.
  char buffer[kLineBufferSize];
  double value = 0;
  int stop = 0;
  for (const char *line : kLines) {
    std::strcpy(buffer, line);
    EvaluateLine(buffer, &value, &stop, false);
  }
  std::string deep = "i= " + std::string(kMaxExpressionLength - 1, '(') + "1";
  long before = CountAllocations();
  int codes = 0;
  for (int round = 0; round < 200; ++round) {
    for (const char *line : kLines) {
      std::strcpy(buffer, line);
      codes += EvaluateLine(buffer, &value, &stop, (round & 1) != 0);
    }
    std::strcpy(buffer, deep.c_str());
    codes += EvaluateLine(buffer, &value, &stop, false);
  }
  EXPECT_EQ(CountAllocations() - before, 0);
  EXPECT_GT(codes, 0);  // errors were among the lines
}

}  // namespace
