// Writes examples/gallery.pgp with Quillon's own writer: graphs made as the
// Properties dialog makes them, one of each plane form, with undefined
// stretches and clipping at the view interval. Run once by hand:
//   quillon_make_gallery examples/gallery.pgp
// It is a tool of the source tree, not part of the installed program.
#include <cstdint>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "graph/graph.h"
#include "io/document.h"

namespace {

using namespace quillon;

class ConsoleDialogs : public DocumentDialogs {
 public:
  void Report(const std::string& title, const std::string& text, MessageIcon) override {
    std::cerr << title << ": " << text << '\n';
    ++messages;
  }
  std::optional<FileChoice> AskFileName(FileDialogMode, const std::string&,
                                        const std::string&) override {
    return std::nullopt;
  }
  Answer Ask(const std::string&, const std::string&, MessageIcon, QuestionButtons) override {
    return Answer::No;
  }
  int messages = 0;
};

constexpr std::int32_t Rgb(std::int32_t red, std::int32_t green, std::int32_t blue) {
  return red + 256 * green + 65536 * blue;
}

// coordType 1 Cartesian or 2 polar; funForm 2 explicit (second is y or r) or
// 3 parametric (first and second are x and y, or a and r, of u).
struct Curve {
  const char* name;
  std::int32_t coordType, funForm;
  const char *first, *second;
  float from, to;
  std::int32_t steps, color, width;
};

// Adds a graph as OK in the Properties dialog and the Draw command do.
bool AddCurve(Document& document, const Curve& c) {
  const std::shared_ptr<Graph> graph = document.MakeGraph();
  graph->id = document.LastGraphID();
  graph->name = c.name;
  graph->coordinates = static_cast<CoordinateSystem>(c.coordType);
  graph->form = static_cast<FunctionForm>(c.funForm);
  graph->expressionX = "0";
  graph->expressionY = graph->form == FunctionForm::Parametric ? c.first : "0";
  graph->expressionZ = c.second;
  graph->stepsV = c.steps;
  graph->maxU = 1.0f;
  graph->minV = c.from;
  graph->maxV = c.to;
  graph->fillStyle = FillStyle::Standard;
  graph->firstColor = graph->secondColor = Rgb(0, 0, 255);
  graph->lineColor = c.color;
  graph->lineWidth = c.width;
  graph->material = MaterialPreset::Gold;
  graph->displayMode = 2;
  graph->smoothness = 2;
  graph->showFunctionGraph = true;
  return document.AddDialogGraph(graph);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: quillon_make_gallery OUT.pgp\n";
    return 2;
  }
  const Curve curves[] = {
      {"wave", 1, 2, "", "2*sin(x)", -15, 15, 300, Rgb(0, 0, 255), 2},
      // Defined only where x^2 >= 25: two branches with a gap between them.
      {"hyperbola branches", 1, 2, "", "sqr(x^2-25)-6", -15, 15, 300, Rgb(0, 150, 0), 2},
      // Near its poles the values leave the view interval -50..50 and are
      // clipped, so no line joins the branches.
      {"tangent", 1, 2, "", "tan(x/2)", -15, 15, 600, Rgb(220, 0, 0), 1},
      {"lissajous figure", 1, 3, "8*sin(3*u)", "6*sin(2*u)", 0, 6.283185f, 600, Rgb(0, 150, 160),
       1},
      {"rose", 2, 2, "", "6*cos(4*a)", 0, 6.283185f, 800, Rgb(150, 0, 150), 2},
      {"spiral", 2, 3, "u", "u/2", 0, 18.84956f, 600, Rgb(230, 120, 0), 1},
  };
  ConsoleDialogs dialogs;
  Document document(dialogs);
  for (const Curve& curve : curves) {
    if (!AddCurve(document, curve)) {
      std::cerr << "cannot add " << curve.name << '\n';
      return 1;
    }
  }
  return document.WriteGraphFile(argv[1]) && dialogs.messages == 0 ? 0 : 1;
}
