// The quillon command line: `quillon FILE --export-filename=OUT
// [--export-width=W] [--export-height=H] [--export-fit]
// [--export-points-of-interest]` opens FILE as the window does at start and
// writes OUT (.png, .bmp, .svg, .pdf, .pgp or .csv) without a window or
// display server. Without export options the window starts.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "graph/points_of_interest.h"
#include "scene/offscreen_context.h"
#include "scene/picture.h"

namespace quillon {

class Document;

struct CommandLine {
  enum Kind {
    Window,      // no export option: the window opens `file` (may be empty)
    Export,      // write exportPath from `file`
    Help,        // --help
    Version,     // --version
    UsageError,  // `error` says what is wrong
  };
  Kind kind = Window;
  // The arguments that are not options, joined by single blanks, as the
  // window takes its command line.
  std::string file;
  std::string exportPath;
  std::int32_t width = 800;   // pixels
  std::int32_t height = 600;  // pixels
  bool fit = false;
  // A .csv OUT holds the points of interest instead of the sampled points.
  bool pointsOfInterest = false;
  std::string error;
};

// The arguments after the program name.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// Runs a command line of any kind but Window: prints help or version to out,
// or exports; messages go to err, one line each ("Error: ..."). Returns the
// exit status: 0 when done and nothing was told, 1 when FILE cannot be read
// or OUT cannot be written, 2 for a usage error, 3 when OUT was written but
// a message (an error or a warning, such as a damaged FILE read in part)
// was told, so that a script can tell a clean export from one with
// problems. A "Note: ..." line (undecided pixels of implicit graphs or
// undecided pieces of points of interest) tells a limit of the analysis,
// not a problem, and leaves the status 0.
int RunCommandLine(const CommandLine& line, std::ostream& out, std::ostream& err);

// Draws the document as the window shows it on a width x height drawing
// area (pixels), zoomed to fit the shown graphs first when fit is set, in an
// off-screen context of its own. Messages go through the document's
// dialogs; nothing when the renderer cannot start (told there). Throws
// OffscreenError when no context can be made, and what drawing throws.
// undecidedPixels, when given, receives the pixels of implicit graphs that
// were left undecided (drawn in a lighter tone).
std::optional<FrameImage> DrawDocument(Document& document, std::int32_t width, std::int32_t height,
                                       bool fit, std::int64_t* undecidedPixels = nullptr);

// The drawing DrawDocument makes, as lines and polygons
// (scene/picture_capture.h). Throws PictureError when the document's view
// is not one a vector picture holds (a space document) or holds too much,
// besides what DrawDocument throws. undecidedPixels as for DrawDocument.
std::optional<Picture> CaptureDocument(Document& document, std::int32_t width, std::int32_t height,
                                       bool fit, std::int64_t* undecidedPixels = nullptr);

// The points of the shown curves as comma-separated values: a header
// "graph,curve,i,x,y,z", then for each graph of ShowScene of kind 0, 3, 20,
// 21, 22 or 23 one row per point Vert3D(0, i), i = 0..StepV (curve 1), and for
// kind 20 also Vert3DExp2(0, i) (curve 2). Coordinates are the shortest text
// that reads back as the same single value, or "undefined".
std::string CurvePointsCsv(const Document& document);

// The points of interest of the shown explicit Cartesian graphs
// (HasPointsOfInterest) as comma-separated values: a header
// "graph,other,kind,x,y", then rows ordered by graph id, kind (root,
// minimum, maximum, inflection, intersection, y-intercept) and x. `other` is
// the other graph's id for an intersection, listed once under the graph with
// the lower id, and empty otherwise. Numbers are the shortest text that
// reads back as the same double. notes holds one line per graph with
// undecided pieces ("Note: graph 3: 2 pieces of the x range between -0.5
// and 0.25 could not be decided; points of interest there are not listed").
struct PointsOfInterestTable {
  std::string csv;
  std::vector<std::string> notes;
};
PointsOfInterestTable PointsOfInterestCsv(const Document& document,
                                          const AnalysisLimits& limits = {});

}  // namespace quillon
