// Which boxes are proven free of zeros although their interval, a hull
// across a pole, holds 0: a quotient whose numerator excludes 0, and what
// keeps it so. Runs of boxes tell the same as one box at a time.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "expr/compiled_expression.h"
#include "support/compiled_text.h"

namespace quillon {
namespace {

struct ZeroCase {
  const char* text;
  Interval x;
  bool excludesZero;
};

const ZeroCase kCases[] = {
    {"1/x", {-1, 1}, true},         {"(x+1)/x", {-0.5, 0.5}, true},
    {"(x+1)/x", {-2, 2}, false},  // the numerator holds 0 at x = -1
    {"1/x+1", {-1, 1}, false},    // 0 at x = -1
    {"-(1/x)", {-1, 1}, true},      {"abs(1/x)", {-1, 1}, true},
    {"sqr(1/x)", {-1, 1}, true},    {"(1/x)*(2/x)", {-1, 1}, true},
    {"(1/x)*x", {-1, 1}, false},    {"(1/x)^3", {-1, 1}, true},
    {"1/(x-x)", {-1, 1}, true},   // no value anywhere
    {"x/x", {-1, 1}, false},      // 0/0 has none, but 0.5/0.5 is no zero: unproven
    {"tan(x)", {1, 2}, true},     // a pole at pi/2, sin near 1
    {"tan(x)", {1, 3.5}, false},  // and a zero at pi
    {"tan(x)", {-0.5, 0.5}, false}, {"sec(x)", {1, 2}, true},
    {"csec(x)", {-1, 1}, true},     {"ctan(x)", {3, 3.3}, true},  // a pole at pi, cos near -1
    {"ctan(x)", {1, 2}, false},                                   // its zero at pi/2
    {"x", {-1, 1}, false},          {"x^2+1", {-1, 1}, true},
};

TEST(ZeroFree, QuotientsAcrossPoles) {
  for (const ZeroCase& c : kCases) {
    SCOPED_TRACE(c.text);
    const CompiledExpression code = testing::Compile(c.text);
    VariableBox box;
    box.X = c.x;
    const DecoratedInterval one = code.EvaluateBox(box);
    EXPECT_EQ(one.ExcludesZero(), c.excludesZero);
    // The same box inside a run, beside a box far from the pole.
    const std::vector<Interval> run = {{5, 6}, c.x, {5, 6}};
    // Results written over, as a caller reusing its buffer has them.
    DecoratedInterval stale;
    stale.zeroFree = true;
    std::vector<DecoratedInterval> results(run.size(), stale);
    code.EvaluateBoxes(box, Variable::X, run.data(), run.size(), results.data());
    EXPECT_EQ(results[1].ExcludesZero(), c.excludesZero);
    EXPECT_EQ(results[1].zeroFree, one.zeroFree);
    box.X = run[0];
    EXPECT_EQ(results[0].zeroFree, code.EvaluateBox(box).zeroFree);
  }
}

}  // namespace
}  // namespace quillon
