// Every text the window and its dialogs show the user: captions, menu items,
// shortcuts, tool tips, dialog labels, and the messages with their titles.
// They are the program's own texts, kept here so that they read together
// and change in one place; the code that shows them names them.
#pragma once

#include <array>
#include <string>

namespace quillon::texts {

// --- the program ---

inline constexpr char kProgramName[] = "Quillon";
// The maker's home page, opened by Help, Homepage and by the About box.
inline constexpr char kHomePage[] = "https://quillon.example.org";

// --- titles of the messages ---

inline constexpr char kErrorTitle[] = "Error";
inline constexpr char kNoteTitle[] = "Note";
inline constexpr char kWarningTitle[] = "Warning";

// --- the main window's menus and toolbar ---

inline constexpr char kFileMenu[] = "&File";
inline constexpr char kEditMenu[] = "&Edit";
inline constexpr char kViewMenu[] = "&View";
inline constexpr char kDrawMenu[] = "&Draw";
inline constexpr char kAnalysisMenu[] = "&Analysis";
inline constexpr char kHelpMenu[] = "&Help";
// The pop-up menus' titles, which the user never sees on them.
inline constexpr char kGraphListMenu[] = "FunEdit";
inline constexpr char kDrawAreaMenu[] = "GraphEdit";
// The toolbar's name in the window's own pop-up menu.
inline constexpr char kToolBar[] = "Toolbar1";

// A command's menu item, "&" before the letter that Alt chooses it by (unique
// in every menu that shows it), and, for a command with a toolbar button, the
// button's tool tip. The keys of the commands are the window's.
struct CommandTexts {
  const char* item;
  const char* toolTip;
};

inline constexpr CommandTexts kNew{"&New", "New 2D Graphs"};
inline constexpr CommandTexts kOpen{"&Open...", "Open File"};
inline constexpr CommandTexts kSave{"&Save", "Save File"};
inline constexpr CommandTexts kSaveAs{"Save&As...", "Save File As"};
inline constexpr CommandTexts kPrint{"&Print...", "Print"};
inline constexpr CommandTexts kExit{"E&xit", ""};
inline constexpr CommandTexts kUndo{"&Undo", ""};
inline constexpr CommandTexts kRedo{"&Redo", ""};
inline constexpr CommandTexts kCut{"Cu&t", "Cut Selected Graph"};
inline constexpr CommandTexts kCopy{"&Copy", "Copy Graph"};
inline constexpr CommandTexts kCopyAsBitmap{"Copy As &BMP", "Copy Graph As BMP"};
inline constexpr CommandTexts kPaste{"&Paste", "Paste Graph"};
inline constexpr CommandTexts kDelete{"&Delete", "Delete Selected Graph"};
inline constexpr CommandTexts kDeleteAll{"Delete A&ll", ""};
inline constexpr CommandTexts kCutAll{"C&ut All", ""};
inline constexpr CommandTexts kCopyAll{"Cop&y All", ""};
inline constexpr CommandTexts kEditGraph{"&Edit...", ""};
inline constexpr CommandTexts kMove{"&Move", "Move The Scene"};
inline constexpr CommandTexts kZoom{"&Zoom", "Zoom In Or Zoom Out"};
inline constexpr CommandTexts kZoomToFit{"Zoom to &Fit", "Zoom To Fit"};
inline constexpr CommandTexts kZoomIn{"Zoom &In", ""};
inline constexpr CommandTexts kZoomOut{"Zoom &Out", ""};
inline constexpr CommandTexts kViewSettings{"&Settings...", ""};
inline constexpr CommandTexts kTrace{"&Trace", ""};
inline constexpr CommandTexts kDrawCartesian{"&Cartesian", "Add A 2D Cartesian Function Graph"};
inline constexpr CommandTexts kDrawPolar{"&Polar", "Add A 2D Polar Function Graph"};
inline constexpr CommandTexts kAxis{"&Axis...", "Modify Coordinate System"};
inline constexpr CommandTexts kPointsOfInterest{"&Points of Interest...", ""};
inline constexpr CommandTexts kHelpContents{"&Content...", "Help"};
inline constexpr CommandTexts kHomepage{"&Homepage", ""};
inline constexpr CommandTexts kAbout{"&About...", ""};

// --- the steps that Undo and Redo name ("Undo Delete") ---

inline constexpr char kAddStep[] = "Add Graph";
inline constexpr char kEditStep[] = "Edit Graph";
inline constexpr char kDeleteStep[] = "Delete";
inline constexpr char kDeleteAllStep[] = "Delete All";
inline constexpr char kCutStep[] = "Cut";
inline constexpr char kCutAllStep[] = "Cut All";
inline constexpr char kPasteStep[] = "Paste";
inline constexpr char kShowStep[] = "Show Graph";
inline constexpr char kHideStep[] = "Hide Graph";
inline constexpr char kViewSettingStep[] = "View Setting";
inline constexpr char kAxisStep[] = "Axis Properties";

// --- the main window's messages ---

// The drawing area got no OpenGL context; the window goes on without drawing.
inline constexpr char kNoOpenGL[] = "ChoosePixelFormat failed";
inline constexpr char kCannotEditGraph[] =
    "The Properties dialog edits only the plane functions y=f(x), x=f1(u),y=f2(u), f(x,y)=0, "
    "f(x,y)<0, r=f(a), a=f1(u),r=f2(u), f(a,r)=0 and f(a,r)<0.";
inline constexpr char kNoPictureToCopy[] =
    "The view cannot be copied as a picture: the drawing area has no OpenGL context, so there is "
    "no picture of it.";
inline constexpr char kNoPictureToPrint[] =
    "The view cannot be printed: the drawing area has no OpenGL context, so there is no picture "
    "of it.";
inline constexpr char kPrinterNotOpened[] =
    "The view cannot be printed: the printer cannot be opened.";

inline std::string PrintFileNotWritten(const std::string& path) {
  return "The view cannot be printed: the file \"" + path + "\" cannot be written.";
}

// A picture file of Save As that was not written, and why.
inline std::string PictureFileNotWritten(const std::string& path, const std::string& reason) {
  return "Cannot write the file \"" + path + "\": " + reason;
}
inline constexpr char kNoPictureShown[] = "the drawing area shows no picture.";

// --- Help ---

inline constexpr char kHelpTitle[] = "Quillon Help";

inline std::string HelpPageMissing(const std::string& path) {
  return "The help page \"" + path + "\" cannot be read. Reinstalling Quillon puts it back.";
}

// A web address that the desktop could not open.
inline std::string AddressNotOpened(const std::string& address) {
  return "No program on this computer opens the address " + address +
         ". Open it in a web browser on any computer.";
}

// A graph list entry as the list shows it: the entry, then the graph's name
// when it has one (the dialog's "Untitled" is none).
inline std::string ListEntryText(const std::string& entry, const std::string& name);

// --- the dialogs' common parts ---

inline constexpr char kOk[] = "OK";
inline constexpr char kCancel[] = "Cancel";
inline constexpr char kColorCaption[] = "Color";
inline constexpr char kWidthCaption[] = "Width";
// A box whose text is no number or no expression.
inline constexpr char kIllegalData[] = "Illegal data exist.";
inline constexpr char kNumberTooLarge[] = "A number is too large.";

// --- Properties, the dialog of a plane function ---

inline constexpr char kPropertiesTitle[] = "Properties";
inline constexpr char kEquationTab[] = "Equation";
inline constexpr char kPropertiesTab[] = "Properties";
inline constexpr char kNameCaption[] = "Name";
inline constexpr char kUntitled[] = "Untitled";

inline std::string ListEntryText(const std::string& entry, const std::string& name) {
  return name.empty() || name == kUntitled ? entry : entry + "   \xE2\x80\x94 " + name;
}
inline constexpr char kCoordinateCaption[] = "Coordinate";
inline constexpr char kCartesian[] = "Cartesian";
inline constexpr char kPolar[] = "Polar";
inline constexpr char kFormCaption[] = "Form";
inline constexpr char kFunctionGroup[] = "Function";
inline constexpr char kDomainGroup[] = "Domain Of Variables";
inline constexpr char kStepsToolTip[] = "Recommended Value: 30 - 100";
inline constexpr char kShowFunctionGraph[] = "Show Function Graph";

// The Analysis tab: what is marked or drawn for an explicit Cartesian graph.
inline constexpr char kAnalysisTab[] = "Analysis";
inline constexpr char kRootsCheck[] = "Roots";
inline constexpr char kMaximaCheck[] = "Maxima";
inline constexpr char kMinimaCheck[] = "Minima";
inline constexpr char kInflectionsCheck[] = "Inflection points";
inline constexpr char kIntersectionsCheck[] = "Intersections";
inline constexpr char kDerivativeCheck[] = "Derivative";
inline constexpr char kIntegralCheck[] = "Integral from";
inline constexpr char kIntegralToCaption[] = "to";
inline constexpr char kTangentLinesCheck[] = "Tangent lines at x =";
inline constexpr char kNormalLinesCheck[] = "Normal lines at x =";
inline constexpr char kPositionsToolTip[] = "Numbers separated by commas, at most 50";
inline constexpr char kTooManyPositions[] = "At most 50 positions can be listed.";

// --- Points of Interest ---

inline constexpr char kPointsOfInterestTitle[] = "Points of Interest";
inline constexpr char kGraphColumn[] = "Graph";
inline constexpr char kKindColumn[] = "Kind";
// An intersection's kind: this, then the other graph.
inline constexpr char kIntersectionWith[] = "with ";
inline constexpr char kCopyTable[] = "&Copy";
inline constexpr char kClose[] = "Close";
// Followed by the graphs, separated by commas.
inline constexpr char kUndecidedPieces[] =
    "Note: parts of the x range could not be decided, and points of interest there are not "
    "listed, for ";

// A form as the form list shows it, the captions of its function boxes and
// the name of its parameter, which the interval's captions end with.
struct FormTexts {
  const char* name;
  const char* firstFunction;
  const char* secondFunction;  // "" for the explicit forms, which have one
  const char* parameter;
  // The implicit forms: the second variable of their region; "" otherwise.
  const char* secondParameter = "";
};

inline constexpr FormTexts kCartesianExplicit{"y=f(x)", "y(x)", "", "x"};
inline constexpr FormTexts kCartesianParametric{"x=f1(u),y=f2(u)", "x(u)", "y(u)", "u"};
inline constexpr FormTexts kPolarExplicit{"r=f(a)", "r(a)", "", "a"};
inline constexpr FormTexts kPolarParametric{"a=f1(u),r=f2(u)", "a(u)", "r(u)", "u"};
inline constexpr FormTexts kCartesianEquation{"f(x,y)=0", "f(x,y)", "", "x", "y"};
inline constexpr FormTexts kCartesianInequation{"f(x,y)<0", "f(x,y)", "", "x", "y"};
inline constexpr FormTexts kPolarEquation{"f(a,r)=0", "f(a,r)", "", "a", "r"};
inline constexpr FormTexts kPolarInequation{"f(a,r)<0", "f(a,r)", "", "a", "r"};
// The interval's captions: these followed by the parameter's name.
inline constexpr char kMinCaption[] = "Min ";
inline constexpr char kMaxCaption[] = "Max ";
inline constexpr char kStepsCaption[] = "Steps ";

inline constexpr char kInputAllParameters[] = "Input all parameters please.";
// The explicit forms say x, whatever the coordinate system.
inline constexpr char kMinAboveMaxX[] = "Min x must less than Max x.";
inline constexpr char kMinAboveMaxU[] = "Min u must less than Max u.";
inline constexpr char kTooFewStepsX[] = "Steps x must larger than 1.";
inline constexpr char kTooFewStepsU[] = "Steps u must larger than 1.";
// The implicit forms name the variable of the region whose ends are wrong.
inline constexpr char kMinAboveMaxY[] = "Min y must less than Max y.";
inline constexpr char kMinAboveMaxA[] = "Min a must less than Max a.";
inline constexpr char kMinAboveMaxR[] = "Min r must less than Max r.";

// --- View Setting ---

inline constexpr char kViewSettingTitle[] = "View Setting";
inline constexpr char kProjectionGroup[] = "Projection Type";
inline constexpr char kOrthographic[] = "Ortho";
inline constexpr char kPerspective[] = "Perspective";
inline constexpr char kExactCurves[] = "Exact curves";
inline constexpr char kViewIntervalsGroup[] = "View Intervals";
inline constexpr std::array<const char*, 6> kViewBoundCaptions = {"Min x", "Max x", "Min y",
                                                                  "Max y", "Min z", "Max z"};

// --- Axis Properties ---

inline constexpr char kAxisPropertiesTitle[] = "Axis Properties";
inline constexpr char kGeneralTab[] = "General";
inline constexpr char kLineTab[] = "Line";
inline constexpr char kFontsTab[] = "Fonts";
inline constexpr char kShowAxis[] = "Show Axis";
inline constexpr char kBetterFonts[] = "Better Fonts";

// --- the status bar ---

// The world point under the mouse; the numbers come written.
inline std::string PointerCoordinates(const std::string& x, const std::string& y) {
  return "x = " + x + "    y = " + y;
}
// Trace: the graph's name, then its parameter ("u = 0.50", or nothing for
// y = f(x), whose parameter is x) and the point, or "undefined".
inline std::string TracedPoint(const std::string& name, const std::string& parameter,
                               const std::string& point) {
  return name + ":    " + (parameter.empty() ? "" : parameter + "    ") + point;
}
inline std::string ParameterValue(const std::string& parameter, const std::string& value) {
  return parameter + " = " + value;
}
// The parameters of the curve forms: x of y = f(x), a of r = f(a), u.
inline constexpr char kParameterX[] = "x";
inline constexpr char kParameterA[] = "a";
inline constexpr char kParameterU[] = "u";
inline constexpr char kUndefinedPoint[] = "undefined";
inline constexpr char kTraceWithoutCurve[] = "Trace: select a curve in the graph list";

// --- About ---

inline constexpr char kAboutTitle[] = "About Quillon";
// Followed by the version.
inline constexpr char kVersionCaption[] = "Version ";
inline constexpr char kDisclaimer[] =
    "Quillon is provided \"as is\", without warranty of any kind, express or implied. Check every "
    "plot that you rely on: the program samples each function at a finite number of points and "
    "may miss what happens between them.";
inline constexpr char kAboutOk[] = "O K";

}  // namespace quillon::texts
