// Compiles arbitrary bytes as an expression and evaluates what comes out (and
// the bytes themselves, as a postfix text) at a few points, with the tests'
// reference evaluator and with CompiledExpression; the two must agree bit for
// bit, including where an evaluation fails. Boxes around the points must
// enclose the double-precision value of every point in them, which the float
// evaluation rounds. Any disagreement aborts.
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "expr/compiled_expression.h"
#include "expr/engine_error.h"
#include "expr/expression_compiler.h"
#include "expr/random_generator.h"
#include "expr/reporter.h"
#include "expr/undefined_mark.h"
#include "support/reference_evaluator.h"

namespace quillon {
namespace {

const float kInfinity = std::numeric_limits<float>::infinity();
const float kNotANumber = std::numeric_limits<float>::quiet_NaN();
// No evaluation returns NaN, so a NaN marks a result not written.
const float kUntouched = kNotANumber;

const std::vector<float>& Points() {
  static const std::vector<float> points = {-2.0f, -1.0f,   -0.5f, 0.0f,    0.5f,      1.0f,
                                            2.0f,  3.1416f, 1e30f, -710.0f, kInfinity, kNotANumber};
  return points;
}

void Abort(const char* what, const std::string& postfix) {
  std::fprintf(stderr, "%s for postfix text '%s'\n", what, postfix.c_str());
  std::abort();
}

// Whether body throws the engine's error.
template <typename Body>
bool Throws(Body body) {
  try {
    body();
  } catch (const EngineError&) {
    return true;
  }
  return false;
}

class CountingReporter : public Reporter {
 public:
  void Report(const std::string&, const std::string&, MessageIcon) override { ++count; }
  int count = 0;
};

// The reference, the single and the block evaluations agree.
void CheckAgreement(const std::string& postfix, Variable varying) {
  using testing::EvaluationPath;
  VariableValues values;
  values.Y = 0.75f;
  values.T = -3.0f;
  const testing::EvaluationRun reference =
      testing::Evaluations(EvaluationPath::Reference, postfix, values, varying, Points());
  for (const EvaluationPath path : {EvaluationPath::Single, EvaluationPath::Blocks}) {
    if (!testing::SameRun(reference,
                          testing::Evaluations(path, postfix, values, varying, Points())))
      Abort("different results or failures", postfix);
  }
  const bool anyValue = reference.error || !std::isnan(reference.results[0]);
  if (CompiledExpression(postfix).YieldsValue() != anyValue)
    Abort("YieldsValue is wrong", postfix);
}

// The same bits of the enclosure and the same decoration.
bool SameEnclosure(const DecoratedInterval& a, const DecoratedInterval& b) {
  return std::memcmp(&a.value, &b.value, sizeof a.value) == 0 &&
         a.decoration.defined == b.decoration.defined &&
         a.decoration.continuous == b.decoration.continuous;
}

float AsFloatResult(const std::optional<double>& value) {
  return value && std::fabs(*value) <= FLT_MAX ? static_cast<float>(*value) : UndefinedMark;
}

// Boxes in x around each finite point (the point itself, a narrow and a wide
// box), y fixed: EvaluateBox must enclose EvaluatePoint at the box's ends and
// middle and agree with EvaluateBoxes and EvaluateJet; each of those points' float
// evaluation must be its double value rounded.
void CheckEnclosures(const std::string& postfix) {
  const CompiledExpression compiled(postfix);
  VariableBox fixed;
  fixed.Y = Interval::Point(0.75);
  std::vector<Interval> boxes;
  for (const float p : Points()) {
    if (!std::isfinite(p))
      continue;
    for (const float radius : {0.0f, 1e-3f, 0.5f})
      boxes.push_back({static_cast<double>(p - radius), static_cast<double>(p + radius)});
  }
  std::vector<DecoratedInterval> many(boxes.size());
  const bool manyThrew = Throws(
      [&] { compiled.EvaluateBoxes(fixed, Variable::X, boxes.data(), boxes.size(), many.data()); });
  bool anyThrew = false;
  RandomGenerator floatRandom;
  RandomGenerator doubleRandom;
  for (std::size_t b = 0; b < boxes.size(); ++b) {
    VariableBox box = fixed;
    box.X = boxes[b];
    DecoratedInterval enclosure;
    const bool boxThrows = Throws([&] { enclosure = compiled.EvaluateBox(box); });
    if (!boxThrows && !anyThrew && !SameEnclosure(enclosure, many[b]))
      Abort("EvaluateBoxes differs from EvaluateBox", postfix);
    if (!boxThrows) {
      // The jet's value is EvaluateBox's, whatever its derivatives do.
      const DecoratedJet jet = compiled.EvaluateJet(box, Variable::X);
      if (!SameEnclosure(jet.value, enclosure) || jet.value.zeroFree != enclosure.zeroFree)
        Abort("EvaluateJet's value differs from EvaluateBox", postfix);
    }
    anyThrew = anyThrew || boxThrows;
    if (enclosure.decoration.continuous &&
        enclosure.decoration.defined != Definedness::Everywhere) {
      Abort("continuous but not defined everywhere", postfix);
    }
    const float ends[] = {static_cast<float>(box.X.lo),
                          static_cast<float>(box.X.lo + (box.X.hi - box.X.lo) / 2),
                          static_cast<float>(box.X.hi)};
    for (const float x : ends) {
      VariableValues point;
      point.X = x;
      point.Y = static_cast<float>(fixed.Y.lo);
      VariablePoint precise;
      precise.X = point.X;
      precise.Y = point.Y;
      // Both evaluations run even when one fails, so that the two
      // generators of RND stay in step.
      float single = kUntouched;
      std::optional<double> value;
      const bool singleFailed = Throws([&] { compiled.Evaluate(point, single, floatRandom); });
      const bool preciseFailed =
          Throws([&] { value = compiled.EvaluatePoint(precise, doubleRandom); });
      if (singleFailed != preciseFailed)
        Abort("the float and double evaluations fail differently", postfix);
      if (preciseFailed && !boxThrows)
        Abort("a point fails where its box did not", postfix);
      if (preciseFailed || boxThrows || std::isnan(single))
        continue;  // the box may throw for other points; the text may leave no value
      const float rounded = AsFloatResult(value);
      if (std::memcmp(&single, &rounded, sizeof single) != 0)
        Abort("the float evaluation is not the double one rounded", postfix);
      if (value && (enclosure.decoration.defined == Definedness::Nowhere ||
                    !enclosure.value.Contains(*value))) {
        Abort("a point's value lies outside its box's enclosure", postfix);
      }
      if (!value && enclosure.decoration.defined == Definedness::Everywhere)
        Abort("a box proven defined holds a point without value", postfix);
    }
  }
  if (manyThrew != anyThrew)
    Abort("EvaluateBoxes and EvaluateBox fail differently", postfix);
}

}  // namespace
}  // namespace quillon

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quillon;
  const std::string text(reinterpret_cast<const char*>(data), size);
  CountingReporter reporter;
  ExpressionCompiler engine(&reporter);
  std::string postfix;
  const std::int32_t result = engine.InfixToPostfix(text, postfix);
  if (reporter.count != (result == 0 ? 0 : 1))
    std::abort();
  for (const std::string& candidate : {postfix, text}) {
    CheckAgreement(candidate, Variable::X);
    CheckAgreement(candidate, Variable::U);
    CheckEnclosures(candidate);
  }
  return 0;
}
