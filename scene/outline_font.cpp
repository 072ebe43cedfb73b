// Outline fonts: FreeType glyph outlines of the face fontconfig matches,
// flattened into polygons, filled with the GLU tessellator and extruded into
// one display list per character code 32..127.

#include "scene/outline_font.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <deque>
#include <memory>
#include <vector>

#include "expr/number_text.h"
#include "expr/reporter.h"

namespace quillon {
namespace {

constexpr std::int32_t kFirstCode = 32;
constexpr std::int32_t kGlyphCount = 96;  // codes 32..127
constexpr GLdouble kExtrusion = 0.1;      // em units, towards -z
// Largest distance (em units) between a flattened curve and the true curve:
// a fifth of a pixel even when a label is zoomed to 100 pixels an em.
constexpr double kFlatness = 0.002;
constexpr int kMaxCurveSegments = 64;

struct Vec2 {
  double x = 0;
  double y = 0;
};

using Contour = std::vector<Vec2>;

// A glyph as closed polygons in em units (1 em = 1 unit), with its advance.
struct GlyphOutline {
  std::vector<Contour> contours;
  double advance = 0;
  // True when the filled area lies to the right of each contour's direction
  // (TrueType), false when to the left (PostScript).
  bool fillOnRight = true;
};

// ---- fontconfig: which file holds the face ----------------------------------

struct FontFile {
  std::string path;
  int index = 0;
};

struct FcPatternDeleter {
  void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using FcPatternPtr = std::unique_ptr<FcPattern, FcPatternDeleter>;

// The file of the scalable face that fontconfig chooses for the family, weight
// (Windows scale: 400 normal, 700 bold, 0 default) and slant; empty path when
// nothing matches.
FontFile MatchFontFile(const std::string& family, std::int32_t weight, bool italic) {
  FontFile found;
  FcPatternPtr pattern(FcPatternCreate());
  if (!pattern) {
    return found;
  }
  const std::int32_t openTypeWeight = weight <= 0 ? 400 : std::min<std::int32_t>(weight, 1000);
  FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddInteger(pattern.get(), FC_WEIGHT, FcWeightFromOpenType(openTypeWeight));
  FcPatternAddInteger(pattern.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult result = FcResultNoMatch;
  FcPatternPtr match(FcFontMatch(nullptr, pattern.get(), &result));
  if (!match || result != FcResultMatch) {
    return found;
  }
  FcChar8* file = nullptr;
  if (FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch || file == nullptr) {
    return found;
  }
  int index = 0;
  if (FcPatternGetInteger(match.get(), FC_INDEX, 0, &index) != FcResultMatch) {
    index = 0;
  }
  found.path = reinterpret_cast<const char*>(file);
  found.index = index;
  return found;
}

// ---- FreeType: glyph outlines ----------------------------------------------

struct FtLibraryDeleter {
  void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
using FtLibraryPtr = std::unique_ptr<FT_LibraryRec_, FtLibraryDeleter>;
struct FtFaceDeleter {
  void operator()(FT_Face face) const { FT_Done_Face(face); }
};
using FtFacePtr = std::unique_ptr<FT_FaceRec_, FtFaceDeleter>;

// Collects the decomposed outline, flattening curves into segments.
struct OutlineSink {
  double unitsPerEm = 1;
  std::vector<Contour> contours;

  Vec2 ToEm(const FT_Vector* point) const {
    return {static_cast<double>(point->x) / unitsPerEm, static_cast<double>(point->y) / unitsPerEm};
  }
  Vec2 Pen() const { return contours.back().back(); }
  void Add(Vec2 point) { contours.back().push_back(point); }
};

// Segments needed so that a curve whose control polygon bends by `bend` (the
// largest second difference, em units) stays within kFlatness of its chords.
int SegmentsFor(double bend) {
  const double segments = std::ceil(std::sqrt(bend / kFlatness));
  if (!(segments >= 1)) {
    return 1;
  }
  return static_cast<int>(std::min<double>(segments, kMaxCurveSegments));
}

double Length(double x, double y) {
  return std::sqrt(x * x + y * y);
}

int MoveTo(const FT_Vector* to, void* user) {
  auto* sink = static_cast<OutlineSink*>(user);
  sink->contours.emplace_back();
  sink->Add(sink->ToEm(to));
  return 0;
}

int LineTo(const FT_Vector* to, void* user) {
  auto* sink = static_cast<OutlineSink*>(user);
  sink->Add(sink->ToEm(to));
  return 0;
}

int ConicTo(const FT_Vector* control, const FT_Vector* to, void* user) {
  auto* sink = static_cast<OutlineSink*>(user);
  const Vec2 p0 = sink->Pen();
  const Vec2 p1 = sink->ToEm(control);
  const Vec2 p2 = sink->ToEm(to);
  // Chord error of n uniform pieces of a quadratic is |p0 - 2 p1 + p2| / (8 n^2).
  const int n = SegmentsFor(Length(p0.x - 2 * p1.x + p2.x, p0.y - 2 * p1.y + p2.y) / 8);
  for (int i = 1; i <= n; ++i) {
    const double t = static_cast<double>(i) / n;
    const double u = 1 - t;
    sink->Add({u * u * p0.x + 2 * u * t * p1.x + t * t * p2.x,
               u * u * p0.y + 2 * u * t * p1.y + t * t * p2.y});
  }
  return 0;
}

int CubicTo(const FT_Vector* control1, const FT_Vector* control2, const FT_Vector* to, void* user) {
  auto* sink = static_cast<OutlineSink*>(user);
  const Vec2 p0 = sink->Pen();
  const Vec2 p1 = sink->ToEm(control1);
  const Vec2 p2 = sink->ToEm(control2);
  const Vec2 p3 = sink->ToEm(to);
  // The second derivative of a cubic is at most 6 times its largest second
  // difference; chord error <= max |B''| / (8 n^2).
  const double bend = std::max(Length(p0.x - 2 * p1.x + p2.x, p0.y - 2 * p1.y + p2.y),
                               Length(p1.x - 2 * p2.x + p3.x, p1.y - 2 * p2.y + p3.y));
  const int n = SegmentsFor(bend * 6 / 8);
  for (int i = 1; i <= n; ++i) {
    const double t = static_cast<double>(i) / n;
    const double u = 1 - t;
    const double a = u * u * u;
    const double b = 3 * u * u * t;
    const double c = 3 * u * t * t;
    const double d = t * t * t;
    sink->Add(
        {a * p0.x + b * p1.x + c * p2.x + d * p3.x, a * p0.y + b * p1.y + c * p2.y + d * p3.y});
  }
  return 0;
}

// Drops repeated points and the closing point that repeats the first, and
// contours too small to enclose anything.
void CleanContours(std::vector<Contour>& contours) {
  auto same = [](const Vec2& a, const Vec2& b) { return a.x == b.x && a.y == b.y; };
  for (Contour& contour : contours) {
    contour.erase(std::unique(contour.begin(), contour.end(), same), contour.end());
    while (contour.size() > 1 && same(contour.front(), contour.back())) {
      contour.pop_back();
    }
  }
  contours.erase(std::remove_if(contours.begin(), contours.end(),
                                [](const Contour& contour) { return contour.size() < 3; }),
                 contours.end());
}

// The unscaled, unhinted outline of the glyph for a character code, in em
// units. A code without a glyph gets the face's missing-glyph shape, as the
// system fonts draw it. False when FreeType cannot load the glyph.
bool LoadGlyphOutline(FT_Face face, FT_ULong code, GlyphOutline& glyph) {
  const FT_UInt index = FT_Get_Char_Index(face, code);
  if (FT_Load_Glyph(face, index, FT_LOAD_NO_SCALE | FT_LOAD_NO_BITMAP) != 0) {
    return false;
  }
  const FT_GlyphSlot slot = face->glyph;
  const double unitsPerEm = face->units_per_EM > 0 ? face->units_per_EM : 1;
  glyph.advance = static_cast<double>(slot->advance.x) / unitsPerEm;
  glyph.contours.clear();
  if (slot->format != FT_GLYPH_FORMAT_OUTLINE) {
    return true;  // no outline (a space, or a bitmap-only glyph): advance only
  }
  glyph.fillOnRight = FT_Outline_Get_Orientation(&slot->outline) != FT_ORIENTATION_POSTSCRIPT;
  FT_Outline_Funcs funcs{};
  funcs.move_to = MoveTo;
  funcs.line_to = LineTo;
  funcs.conic_to = ConicTo;
  funcs.cubic_to = CubicTo;
  OutlineSink sink;
  sink.unitsPerEm = unitsPerEm;
  if (FT_Outline_Decompose(&slot->outline, &funcs, &sink) != 0) {
    return false;
  }
  CleanContours(sink.contours);
  glyph.contours = std::move(sink.contours);
  return true;
}

// ---- GLU tessellation into triangles ---------------------------------------

struct Tessellation {
  std::vector<Vec2> triangles;                   // three points per triangle
  std::deque<std::array<GLdouble, 3>> combined;  // points the tessellator made up
  bool failed = false;
};

using TessCallback = void (*)();

void TessBegin(GLenum /*type*/, void* /*data*/) {}  // always GL_TRIANGLES (edge flags on)
void TessEdgeFlag(GLboolean /*flag*/, void* /*data*/) {}
void TessEnd(void* /*data*/) {}

void TessVertex(void* vertex, void* data) {
  const auto* point = static_cast<const GLdouble*>(vertex);
  static_cast<Tessellation*>(data)->triangles.push_back({point[0], point[1]});
}

void TessCombine(GLdouble coords[3], void* /*neighbours*/[4], GLfloat /*weights*/[4], void** out,
                 void* data) {
  auto* tessellation = static_cast<Tessellation*>(data);
  tessellation->combined.push_back({coords[0], coords[1], coords[2]});
  *out = tessellation->combined.back().data();
}

void TessError(GLenum /*error*/, void* data) {
  static_cast<Tessellation*>(data)->failed = true;
}

struct TessDeleter {
  void operator()(GLUtesselator* tess) const { gluDeleteTess(tess); }
};
using TessPtr = std::unique_ptr<GLUtesselator, TessDeleter>;

TessPtr MakeTessellator() {
  TessPtr tess(gluNewTess());
  if (!tess) {
    return tess;
  }
  // GLU takes every callback as void (*)(); it calls each with its own arguments.
  gluTessCallback(tess.get(), GLU_TESS_BEGIN_DATA, reinterpret_cast<TessCallback>(TessBegin));
  gluTessCallback(tess.get(), GLU_TESS_EDGE_FLAG_DATA,
                  reinterpret_cast<TessCallback>(TessEdgeFlag));
  gluTessCallback(tess.get(), GLU_TESS_VERTEX_DATA, reinterpret_cast<TessCallback>(TessVertex));
  gluTessCallback(tess.get(), GLU_TESS_END_DATA, reinterpret_cast<TessCallback>(TessEnd));
  gluTessCallback(tess.get(), GLU_TESS_COMBINE_DATA, reinterpret_cast<TessCallback>(TessCombine));
  gluTessCallback(tess.get(), GLU_TESS_ERROR_DATA, reinterpret_cast<TessCallback>(TessError));
  // TrueType and PostScript outlines both fill by the non-zero rule.
  gluTessProperty(tess.get(), GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_NONZERO);
  gluTessNormal(tess.get(), 0, 0, 1);
  return tess;
}

// Fills the glyph's contours into triangles; false on a tessellator error.
bool Tessellate(GLUtesselator* tess, const GlyphOutline& glyph, Tessellation& out) {
  std::size_t total = 0;
  for (const Contour& contour : glyph.contours) {
    total += contour.size();
  }
  // The tessellator keeps pointers to these until the polygon ends.
  std::vector<std::array<GLdouble, 3>> points;
  points.reserve(total);
  gluTessBeginPolygon(tess, &out);
  for (const Contour& contour : glyph.contours) {
    gluTessBeginContour(tess);
    for (const Vec2& p : contour) {
      points.push_back({p.x, p.y, 0});
      gluTessVertex(tess, points.back().data(), points.back().data());
    }
    gluTessEndContour(tess);
  }
  gluTessEndPolygon(tess);
  return !out.failed && out.triangles.size() % 3 == 0;
}

// ---- display lists ----------------------------------------------------------

double Cross(const Vec2& a, const Vec2& b, const Vec2& c) {
  return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

// Emits the extruded glyph as one batch of triangles (one draw per glyph
// keeps a printed label cheap): the front face at z = 0 facing +z, the back
// face at z = -kExtrusion facing -z, and the sides with outward normals;
// then moves the pen by the advance.
void EmitGlyph(const GlyphOutline& glyph, const std::vector<Vec2>& triangles) {
  if (!glyph.contours.empty()) {
    glBegin(GL_TRIANGLES);
    for (const double z : {0.0, -kExtrusion}) {
      const bool front = z == 0;
      glNormal3d(0, 0, front ? 1 : -1);
      for (std::size_t i = 0; i + 2 < triangles.size(); i += 3) {
        const Vec2& a = triangles[i];
        Vec2 b = triangles[i + 1];
        Vec2 c = triangles[i + 2];
        if ((Cross(a, b, c) < 0) == front) {
          std::swap(b, c);  // counter-clockwise seen from the side it faces
        }
        glVertex3d(a.x, a.y, z);
        glVertex3d(b.x, b.y, z);
        glVertex3d(c.x, c.y, z);
      }
    }
    const double outward = glyph.fillOnRight ? 1 : -1;
    for (const Contour& contour : glyph.contours) {
      for (std::size_t i = 0; i < contour.size(); ++i) {
        const Vec2& p = contour[i];
        const Vec2& q = contour[(i + 1) % contour.size()];
        const double length = Length(q.x - p.x, q.y - p.y);
        // The fill lies on one side of the edge; the normal points to the other.
        glNormal3d(-outward * (q.y - p.y) / length, outward * (q.x - p.x) / length, 0);
        glVertex3d(p.x, p.y, 0);
        glVertex3d(p.x, p.y, -kExtrusion);
        glVertex3d(q.x, q.y, -kExtrusion);
        glVertex3d(p.x, p.y, 0);
        glVertex3d(q.x, q.y, -kExtrusion);
        glVertex3d(q.x, q.y, 0);
      }
    }
    glEnd();
  }
  glTranslated(glyph.advance, 0, 0);
}

// Builds the 96 glyph lists from base; false when the face cannot be loaded or
// a glyph cannot be outlined or filled.
bool BuildGlyphLists(const FontFile& file, GLuint base) {
  FT_Library rawLibrary = nullptr;
  if (FT_Init_FreeType(&rawLibrary) != 0) {
    return false;
  }
  FtLibraryPtr library(rawLibrary);
  FT_Face rawFace = nullptr;
  if (FT_New_Face(library.get(), file.path.c_str(), file.index, &rawFace) != 0) {
    return false;
  }
  FtFacePtr face(rawFace);
  if (!FT_IS_SCALABLE(face.get())) {
    return false;
  }
  TessPtr tess = MakeTessellator();
  if (!tess) {
    return false;
  }
  GlyphOutline glyph;
  for (std::int32_t k = 0; k < kGlyphCount; ++k) {
    if (!LoadGlyphOutline(face.get(), static_cast<FT_ULong>(kFirstCode + k), glyph)) {
      return false;
    }
    Tessellation tessellation;
    if (!glyph.contours.empty() && !Tessellate(tess.get(), glyph, tessellation)) {
      return false;
    }
    glNewList(base + static_cast<GLuint>(k), GL_COMPILE);
    EmitGlyph(glyph, tessellation.triangles);
    glEndList();
  }
  return true;
}

void ReportFontFailure(Reporter* reporter) {
  if (reporter != nullptr) {
    reporter->Report("Error", "Unable to create font", MessageIcon::Critical);
  }
}

// The character codes of text that have a glyph, in order. A character
// outside codes 32..127 (any byte of a multi-byte UTF-8 character included)
// has no glyph in the font and prints nothing, not even an advance.
std::vector<GLubyte> PrintableCodes(const std::string& text) {
  std::vector<GLubyte> codes;
  codes.reserve(text.size());
  for (const char ch : text) {
    const auto code = static_cast<unsigned char>(ch);
    if (code >= kFirstCode && code < kFirstCode + kGlyphCount) {
      codes.push_back(code);
    }
  }
  return codes;
}

}  // namespace

std::uint32_t CreateOutlineFont(const std::string& faceName, std::int32_t /*height*/,
                                std::int32_t weight, bool italic, std::int32_t color,
                                Reporter* reporter) {
  // Glyphs are kept in em units, so the requested height changes nothing in
  // the lists; it only chose a bitmap size on systems with hinted outlines.
  SetGLColor(color);
  const FontFile file = MatchFontFile(faceName, weight, italic);
  const GLuint base = glGenLists(kGlyphCount);
  if (base == 0) {
    ReportFontFailure(reporter);
    return 0;
  }
  if (file.path.empty() || !BuildGlyphLists(file, base)) {
    glDeleteLists(base, kGlyphCount);
    ReportFontFailure(reporter);
    return 0;
  }
  return base;
}

void DeleteOutlineFont(std::uint32_t base) {
  if (base != 0) {
    glDeleteLists(base, kGlyphCount);
  }
}

void PrintText(std::uint32_t base, const std::string& text, float x, float y, float z,
               const std::array<float, 4>& rotation, const std::optional<std::string>& color) {
  if (base == 0) {
    return;  // no font: the lists below base + 32 belong to someone else
  }
  // The list base is saved too, so that later glCallLists of the caller are
  // not shifted by this font's offset.
  glPushAttrib(GL_POLYGON_BIT | GL_LIST_BIT);
  glPushMatrix();
  // Offsetting by the first code lets a character code index its glyph list.
  glListBase(base - static_cast<GLuint>(kFirstCode));
  glTranslatef(x, y, z);
  glScalef(0.7f, 0.7f, 0.7f);
  glRotatef(rotation[0], rotation[1], rotation[2], rotation[3]);
  if (color) {
    // A text that is no colour number (out of the 32-bit range) leaves the
    // current colour as it is.
    if (const auto value = RoundHalfEven(LeadingNumberValue(*color))) {
      SetGLColor(*value);
    }
  }
  const std::vector<GLubyte> codes = PrintableCodes(text);
  if (!codes.empty()) {
    glCallLists(static_cast<GLsizei>(codes.size()), GL_UNSIGNED_BYTE, codes.data());
  }
  glPopMatrix();
  glPopAttrib();
}

std::int32_t RedOf(std::int32_t color) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(color) & 255u);
}

std::int32_t GreenOf(std::int32_t color) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(color / 256) & 255u);
}

std::int32_t BlueOf(std::int32_t color) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(color / 65536) & 255u);
}

void SetGLColor(std::int32_t color) {
  // Alpha is given as 1 explicitly: Mesa can keep an earlier alpha after glColor3f.
  glColor4f(static_cast<float>(RedOf(color)) / 255.0f, static_cast<float>(GreenOf(color)) / 255.0f,
            static_cast<float>(BlueOf(color)) / 255.0f, 1.0f);
}

}  // namespace quillon
