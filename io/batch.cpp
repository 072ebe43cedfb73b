#include "io/batch.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <exception>
#include <optional>
#include <ostream>
#include <utility>

#include "expr/reporter.h"
#include "expr/undefined_mark.h"
#include "graph/box.h"
#include "graph/graph.h"
#include "io/atomic_file.h"
#include "io/document.h"
#include "io/io_error.h"
#include "io/picture_file.h"
#include "io/shown_points.h"
#include "io/vector_picture.h"
#include "quillon/version.h"
#include "scene/camera.h"
#include "scene/frame_renderer.h"
#include "scene/light.h"
#include "scene/offscreen_context.h"
#include "scene/picture_capture.h"

namespace quillon {
namespace {

// Large enough for any screen, small enough that a frame fits in memory.
constexpr std::int32_t kLargestPictureSide = 16384;

enum class ExportKind { Png, Bmp, Svg, Pdf, GraphFile, Csv };

std::optional<ExportKind> ExportKindOf(const std::string& path) {
  const std::size_t dot = path.rfind('.');
  const std::size_t slash = path.rfind('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
    return std::nullopt;
  }
  std::string extension = path.substr(dot + 1);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == "png") {
    return ExportKind::Png;
  }
  if (extension == "bmp") {
    return ExportKind::Bmp;
  }
  if (extension == "svg") {
    return ExportKind::Svg;
  }
  if (extension == "pdf") {
    return ExportKind::Pdf;
  }
  if (extension == "pgp") {
    return ExportKind::GraphFile;
  }
  if (extension == "csv") {
    return ExportKind::Csv;
  }
  return std::nullopt;
}

std::optional<std::int32_t> PictureSide(const std::string& text) {
  std::int32_t value = 0;
  const char* end = text.data() + text.size();
  const auto parsed = std::from_chars(text.data(), end, value);
  if (parsed.ec != std::errc() || parsed.ptr != end || value < 1 || value > kLargestPictureSide) {
    return std::nullopt;
  }
  return value;
}

CommandLine Usage(const std::string& error) {
  CommandLine line;
  line.kind = CommandLine::UsageError;
  line.error = error;
  return line;
}

// Messages become lines on standard error; questions are answered No and
// file dialogs cancelled, so nothing waits for a user.
class BatchDialogs : public DocumentDialogs {
 public:
  explicit BatchDialogs(std::ostream& err) : err_(&err) {}
  void Report(const std::string& title, const std::string& text, MessageIcon) override {
    std::string line = title + ": " + text;
    std::replace(line.begin(), line.end(), '\n', ' ');
    *err_ << line << '\n';
    told_ = true;
  }
  // Whether a message (an error or a warning: the batch mode tells nothing
  // else) was written.
  bool Told() const { return told_; }
  std::optional<FileChoice> AskFileName(FileDialogMode, const std::string&,
                                        const std::string&) override {
    return std::nullopt;
  }
  Answer Ask(const std::string&, const std::string&, MessageIcon, QuestionButtons) override {
    return Answer::No;
  }

 private:
  std::ostream* err_;
  bool told_ = false;
};

std::string CoordinateText(float value) {
  if (value == UndefinedMark) {
    return "undefined";
  }
  char buffer[32];
  const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, written.ptr);
}

// The shortest text that reads back as the same double.
std::string NumberText(double value) {
  char buffer[32];
  const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, written.ptr);
}

// Six significant digits, for messages.
std::string ShortNumberText(double value) {
  char buffer[32];
  const auto written =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
  return std::string(buffer, written.ptr);
}

void AppendRows(std::string& csv, std::int32_t ID, int curve, const PointGrid& grid,
                std::int32_t StepV) {
  if (!grid.Allocated() || grid.Upper(0) < 0) {
    return;
  }
  const std::int32_t last = std::min(StepV, grid.Upper(1));
  for (std::int32_t i = 0; i <= last; ++i) {
    const GridPoint* point = grid.Find(0, i);
    if (point == nullptr) {
      continue;
    }
    csv += std::to_string(ID) + ',' + std::to_string(curve) + ',' + std::to_string(i) + ',' +
           CoordinateText(point->x) + ',' + CoordinateText(point->y) + ',' +
           CoordinateText(point->z) + '\n';
  }
}

// Runs `write`, which writes the export file at path; a failure becomes one
// error line.
template <typename Write>
bool WriteExport(const std::string& path, std::ostream& err, const Write& write) {
  try {
    write();
  } catch (const IoError& error) {
    err << "Error: Cannot write the file \"" << path << "\": " << error.what() << '\n';
    return false;
  }
  return true;
}

// Not a problem of the file: the exit status stays that of a clean export.
void NoteUndecidedPixels(std::int64_t undecided, std::ostream& err) {
  if (undecided > 0) {
    err << "Note: " << undecided
        << " pixels of implicit graphs could not be decided and are drawn in a lighter tone\n";
  }
}

// What make() draws, or none with the failure told on err.
template <typename Make>
auto DrawnOrTold(Make make, std::ostream& err) -> decltype(make()) {
  try {
    return make();
  } catch (const PictureError& error) {
    err << "Error: " << error.what() << '\n';
  } catch (const OffscreenError& error) {
    err << "Error: No off-screen drawing context could be made: " << error.what() << '\n';
  } catch (const std::exception& error) {
    err << "Error: The picture could not be drawn: " << error.what() << '\n';
  }
  return std::nullopt;
}

// Draws the document as the window would show it on a W x H drawing area and
// writes the picture. Messages go through the document's dialogs.
bool ExportPicture(Document& document, const CommandLine& line, PictureFormat format,
                   std::ostream& err) {
  std::int64_t undecided = 0;
  const std::optional<FrameImage> frame = DrawnOrTold(
      [&] { return DrawDocument(document, line.width, line.height, line.fit, &undecided); }, err);
  if (!frame) {
    return false;
  }
  NoteUndecidedPixels(undecided, err);
  return WriteExport(line.exportPath, err, [&] {
    WritePictureFile(line.exportPath, format, frame->Width, frame->Height, frame->Rgba);
  });
}

// Draws the document as ExportPicture does and writes it as an SVG or PDF
// picture of its lines and polygons.
bool ExportVectorPicture(Document& document, const CommandLine& line, ExportKind kind,
                         std::ostream& err) {
  std::int64_t undecided = 0;
  const std::optional<Picture> picture = DrawnOrTold(
      [&] { return CaptureDocument(document, line.width, line.height, line.fit, &undecided); },
      err);
  if (!picture) {
    return false;
  }
  NoteUndecidedPixels(undecided, err);
  return WriteExport(line.exportPath, err, [&] {
    WriteFileAtomically(line.exportPath, kind == ExportKind::Svg ? SvgPictureText(*picture)
                                                                 : PdfPictureBytes(*picture));
  });
}

std::string UsageText() {
  return "Usage: quillon [FILE]\n"
         "       quillon FILE --export-filename=OUT [--export-width=W] [--export-height=H]\n"
         "               [--export-fit] [--export-points-of-interest]\n"
         "\n"
         "Without export options Quillon opens its window, with FILE when it is given.\n"
         "\n"
         "With --export-filename Quillon opens the graph file FILE as the window does\n"
         "at start and writes OUT without a window; the extension of OUT chooses what:\n"
         "  .png, .bmp  the drawing area as the window shows it, W x H pixels\n"
         "  .svg, .pdf  the same drawing as lines and polygons: W x H pixels in SVG,\n"
         "              a page of W x H pixels at 96 dots per inch in PDF\n"
         "  .pgp        the document as Save As writes it\n"
         "  .csv        the points of the shown curves: graph,curve,i,x,y,z\n"
         "              (with --export-points-of-interest: graph,other,kind,x,y)\n"
         "\n"
         "Options:\n"
         "  --export-filename=OUT  the file to write\n"
         "  --export-width=W       picture width in pixels (default 800)\n"
         "  --export-height=H      picture height in pixels (default 600)\n"
         "  --export-fit           zoom to fit the shown graphs before drawing\n"
         "  --export-points-of-interest\n"
         "                         write the roots, minima, maxima, inflection points,\n"
         "                         intersections and y-intercepts of the shown graphs\n"
         "                         y = f(x) over their x ranges to the .csv OUT; a part\n"
         "                         of a range that cannot be decided is told in a\n"
         "                         'Note: ...' line and does not change the exit status\n"
         "  --help                 show this text and exit\n"
         "  --version              show the version and exit\n"
         "  --                     take every later argument as part of FILE\n"
         "\n"
         "Messages are written to standard error as 'Title: text'; questions are\n"
         "answered No.\n"
         "\n"
         "Exit status:\n"
         "  0  OUT was written and nothing was told\n"
         "  1  nothing was written: FILE could not be read or OUT not written\n"
         "  2  usage error\n"
         "  3  OUT was written, but an error or a warning was told on standard\n"
         "     error (a damaged FILE read in part, a formula that does not\n"
         "     compile, a graph that could not be sampled)\n";
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine line;
  std::vector<std::string> files;
  bool exporting = false;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (optionsEnded || argument.empty() || argument[0] != '-' || argument == "-") {
      files.push_back(argument);
      continue;
    }
    if (argument == "--") {
      optionsEnded = true;
      continue;
    }
    if (argument == "--help" || argument == "-h") {
      CommandLine help;
      help.kind = CommandLine::Help;
      return help;
    }
    if (argument == "--version") {
      CommandLine version;
      version.kind = CommandLine::Version;
      return version;
    }
    if (argument == "--export-fit") {
      line.fit = true;
      exporting = true;
      continue;
    }
    if (argument == "--export-points-of-interest") {
      line.pointsOfInterest = true;
      exporting = true;
      continue;
    }
    // --name=value, or --name value
    const std::size_t equals = argument.find('=');
    const std::string name = argument.substr(0, equals);
    std::string value;
    if (name != "--export-filename" && name != "--export-width" && name != "--export-height") {
      return Usage("unknown option '" + MessageQuote(name) + "'");
    }
    if (equals != std::string::npos) {
      value = argument.substr(equals + 1);
    } else if (i + 1 < arguments.size()) {
      value = arguments[++i];
    } else {
      return Usage("option '" + MessageQuote(name) + "' needs a value");
    }
    exporting = true;
    if (name == "--export-filename") {
      if (value.empty()) {
        return Usage("option '--export-filename' needs a file name");
      }
      line.exportPath = value;
    } else {
      const std::optional<std::int32_t> side = PictureSide(value);
      if (!side) {
        return Usage("option '" + name + "' needs a whole number of pixels from 1 to " +
                     std::to_string(kLargestPictureSide) + ", not '" + MessageQuote(value) + "'");
      }
      (name == "--export-width" ? line.width : line.height) = *side;
    }
  }
  for (const std::string& file : files) {
    line.file += (line.file.empty() ? "" : " ") + file;
  }
  if (!exporting) {
    line.kind = CommandLine::Window;
    return line;
  }
  if (line.exportPath.empty()) {
    return Usage("the export options need --export-filename=OUT");
  }
  if (line.file.empty()) {
    return Usage("no graph file to export was given");
  }
  const std::optional<ExportKind> kind = ExportKindOf(line.exportPath);
  if (!kind) {
    return Usage("cannot tell what to write from the name '" + line.exportPath +
                 "': it must end in .png, .bmp, .svg, .pdf, .pgp or .csv");
  }
  if (line.pointsOfInterest && *kind != ExportKind::Csv) {
    return Usage("option '--export-points-of-interest' writes a .csv file, not '" +
                 line.exportPath + "'");
  }
  line.kind = CommandLine::Export;
  return line;
}

namespace {

// Sets up a width x height off-screen frame of the document as the window's
// drawing area would show it, and returns take(renderer, view, light,
// context) with the lists built; nothing when the renderer cannot start.
template <typename Take>
auto WithDocumentFrame(Document& document, std::int32_t width, std::int32_t height, bool fit,
                       const Take& take)
    -> std::optional<decltype(take(std::declval<FrameRenderer&>(), std::declval<Camera&>(),
                                   std::declval<Light&>(), std::declval<OffscreenContext&>()))> {
  OffscreenContext context(width, height);
  FrameRenderer renderer(&document.Dialogs());
  if (!renderer.Initialize()) {
    return std::nullopt;
  }
  Camera view;
  Light light;
  Box sceneBox;
  view.SetScreen(width, height);
  // As the window's drawing area does: world units stay square, the
  // visible height stays and the width follows the picture's shape.
  view.SetViewRect(view.VolWidth(), view.VolHeight());
  if (fit && !document.ShowScene().Graphs().Empty()) {
    const Box box = document.ShowScene().GetBox(0);
    view.ZoomAll(box.MinX(), box.MinY(), box.MinZ(), box.MaxX(), box.MaxY(), box.MaxZ());
    view.Zoom(2.0f);
  }
  renderer.RebuildLists(document.ShowScene(), document.MainAxis(), document.Values(), sceneBox);
  // The lists are released on every way out, thrown exceptions included.
  struct Release {
    FrameRenderer& renderer;
    ~Release() { renderer.Release(); }
  } release{renderer};
  return take(renderer, view, light, context);
}

}  // namespace

std::optional<FrameImage> DrawDocument(Document& document, std::int32_t width, std::int32_t height,
                                       bool fit, std::int64_t* undecidedPixels) {
  return WithDocumentFrame(
      document, width, height, fit,
      [&](FrameRenderer& renderer, Camera& view, Light& light, OffscreenContext& context) {
        renderer.Display(document.ShowScene(), view, light, 0);
        FrameImage frame = context.ReadFrame();
        if (undecidedPixels != nullptr) {
          *undecidedPixels = renderer.UndecidedPixels();
        }
        return frame;
      });
}

std::optional<Picture> CaptureDocument(Document& document, std::int32_t width, std::int32_t height,
                                       bool fit, std::int64_t* undecidedPixels) {
  return WithDocumentFrame(
      document, width, height, fit,
      [&](FrameRenderer& renderer, Camera& view, Light& light, OffscreenContext&) {
        if (const std::optional<std::string> refusal =
                VectorPictureRefusal(document.Values().documentKind, document.ShowScene(), view)) {
          throw PictureError(*refusal);
        }
        Picture picture = CapturePicture(renderer, document.ShowScene(), view, light, 0);
        if (undecidedPixels != nullptr) {
          *undecidedPixels = renderer.UndecidedPixels();
        }
        return picture;
      });
}

std::string CurvePointsCsv(const Document& document) {
  std::string csv = "graph,curve,i,x,y,z\n";
  for (const GraphCollection::Entry& entry : document.ShowScene().Graphs()) {
    const Graph& graph = *entry.second;
    if (!IsPlaneCurveKind(graph.kind)) {
      continue;
    }
    AppendRows(csv, graph.id, 1, graph.Points(), graph.stepsV);
    if (graph.kind == GraphKind::CurveAndSecondCurve) {
      AppendRows(csv, graph.id, 2, graph.SecondCurvePoints(), graph.stepsV);
    }
  }
  return csv;
}

PointsOfInterestTable PointsOfInterestCsv(const Document& document, const AnalysisLimits& limits) {
  PointsOfInterestTable table;
  table.csv = "graph,other,kind,x,y\n";
  for (const GraphPointsOfInterest& listed : ShownPointsOfInterest(document, limits)) {
    const Graph& graph = *listed.graph;
    for (const PointOfInterest& point : listed.found.points) {
      table.csv +=
          std::to_string(graph.id) + ',' +
          (point.kind == PointOfInterestKind::Intersection ? std::to_string(point.otherGraphId)
                                                           : std::string()) +
          ',' + PointOfInterestKindName(point.kind) + ',' + NumberText(point.x) + ',' +
          NumberText(point.y) + '\n';
    }
    const std::size_t pieces = listed.found.undecided.size();
    if (pieces > 0) {
      double from = listed.found.undecided.front().from;
      double to = listed.found.undecided.front().to;
      for (const UndecidedPiece& piece : listed.found.undecided) {
        from = std::min(from, piece.from);
        to = std::max(to, piece.to);
      }
      table.notes.push_back("Note: graph " + std::to_string(graph.id) + ": " +
                            std::to_string(pieces) + (pieces == 1 ? " piece" : " pieces") +
                            " of the x range between " + ShortNumberText(from) + " and " +
                            ShortNumberText(to) +
                            " could not be decided; points of interest there are not listed");
    }
  }
  return table;
}

int RunCommandLine(const CommandLine& line, std::ostream& out, std::ostream& err) {
  switch (line.kind) {
    case CommandLine::Help:
      out << UsageText();
      return 0;
    case CommandLine::Version:
      out << "quillon " << kVersion << '\n';
      return 0;
    case CommandLine::UsageError:
    case CommandLine::Window:
      err << "quillon: "
          << (line.kind == CommandLine::Window ? "no export was asked for" : line.error) << '\n'
          << "Try 'quillon --help' for more information.\n";
      return 2;
    case CommandLine::Export:
      break;
  }

  BatchDialogs dialogs(err);
  Document document(dialogs);
  if (document.OpenGraphFile(line.file) == OpenResult::Refused) {
    return 1;
  }
  bool written = false;
  switch (*ExportKindOf(line.exportPath)) {
    case ExportKind::GraphFile:
      written = document.WriteGraphFile(line.exportPath);
      break;
    case ExportKind::Csv:
      written = WriteExport(line.exportPath, err, [&] {
        if (!line.pointsOfInterest) {
          WriteFileAtomically(line.exportPath, CurvePointsCsv(document));
          return;
        }
        const PointsOfInterestTable table = PointsOfInterestCsv(document);
        WriteFileAtomically(line.exportPath, table.csv);
        // As undecided pixels: not a problem of the file, so the exit
        // status stays that of a clean export.
        for (const std::string& note : table.notes)
          err << note << '\n';
      });
      break;
    case ExportKind::Png:
      written = ExportPicture(document, line, PictureFormat::Png, err);
      break;
    case ExportKind::Bmp:
      written = ExportPicture(document, line, PictureFormat::Bmp, err);
      break;
    case ExportKind::Svg:
    case ExportKind::Pdf:
      written = ExportVectorPicture(document, line, *ExportKindOf(line.exportPath), err);
      break;
  }
  if (!written) {
    return 1;
  }
  return dialogs.Told() ? 3 : 0;
}

}  // namespace quillon
