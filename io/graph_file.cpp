#include "io/graph_file.h"

#include <algorithm>
#include <optional>

#include "expr/reporter.h"
#include "graph/graph.h"
#include "io/ansi_text.h"
#include "io/atomic_file.h"
#include "io/field_text.h"
#include "io/graph_list_text.h"
#include "io/io_error.h"
#include "io/record_reader.h"
#include "io/record_writer.h"
#include "scene/scene.h"

namespace quillon {
namespace {

constexpr unsigned char kTextTypeCode = 8;
constexpr std::size_t kLongLengthMark = 0xFFFF;
// 08 00, FF FF and the long length.
constexpr std::size_t kLongHeaderSize = 8;

void AppendLittleEndian(std::string& bytes, std::uint64_t value, int byteCount) {
  for (int i = 0; i < byteCount; ++i) {
    bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
  }
}

std::uint32_t ReadLittleEndian(const std::string& bytes, std::size_t offset, int byteCount) {
  std::uint32_t value = 0;
  for (int i = byteCount - 1; i >= 0; --i) {
    value = (value << 8) | static_cast<unsigned char>(bytes[offset + static_cast<std::size_t>(i)]);
  }
  return value;
}

// Document kind and scene rotation by the units digit of an accepted tag.
void ApplyTagKind(char units, StagedDocument& staged) {
  const bool space = units == '2' || units == '3' || units == '5' || units == '6';
  switch (units) {
    case '2':
    case '6':
      staged.documentKind = DocumentKind::Space;
      break;
    case '3':
    case '5':
      staged.documentKind = DocumentKind::Ribbon;
      break;
    case '7':
      staged.documentKind = DocumentKind::Field;
      break;
    default:  // '1', '4'
      staged.documentKind = DocumentKind::Plane;
      break;
  }
  staged.RotRoll = 0;
  staged.RotPitch = space ? -15.0f : 0.0f;
  staged.RotYaw = space ? 45.0f : 0.0f;
}

// Where the text of a graph file lies, in bytes from the file's start.
struct TextPlace {
  std::uint64_t offset = 4;
  std::uint64_t length = 0;  // as announced
  // The bytes of the text that a file of fileSize bytes holds.
  std::size_t HeldIn(std::uint64_t fileSize) const {
    return static_cast<std::size_t>(std::min(length, fileSize - offset));
  }
};

// The place of the text from the file's first bytes (head: up to
// kLongHeaderSize of them) and its size.
TextPlace LocateText(const std::string& head, std::uint64_t fileSize) {
  if (head.size() < 4 || static_cast<unsigned char>(head[0]) != kTextTypeCode || head[1] != 0) {
    throw IoError("It does not begin with a stored text, as graph files do.");
  }
  TextPlace place;
  place.length = ReadLittleEndian(head, 2, 2);
  if (place.length == kLongLengthMark) {
    if (head.size() < kLongHeaderSize) {
      throw IoError("Its text length is cut off.");
    }
    // A text of exactly 65535 characters written with the plain length
    // begins where the long length would be; its tag makes that length far
    // larger than the file.
    const std::uint64_t longLength = ReadLittleEndian(head, 4, 4);
    const bool plainText = fileSize >= 4 + kLongLengthMark &&
                           (longLength < kLongLengthMark || longLength > fileSize - 8);
    if (!plainText) {
      place.length = longLength;
      place.offset = kLongHeaderSize;
    }
  }
  return place;
}

GraphFileText TextOf(const TextPlace& place, const std::string& held) {
  GraphFileText file;
  file.announced = place.length;
  file.held = held.size();
  file.text = FromWindows1252(held);
  return file;
}

std::string RecordFailure(std::int32_t record, const char* kind, const IoError& error) {
  return "Record " + std::to_string(record) + " (" + kind + "): " + error.what();
}

// A value refused where the text had already ended was never in the file:
// the text is damaged there, which the caller tells. Any other refusal
// stands.
void RefuseUnlessRanOut(const TokenCursor& cursor, const std::string& failure) {
  if (!cursor.RanOut()) {
    throw IoError(failure);
  }
}

// Whether the tokens after start are exactly one axis record; it is then
// read into axis.
bool AxisRecordEndsText(TokenCursor& cursor, std::size_t start, Axis& axis) {
  cursor.Position(start);
  Axis read = axis;
  try {
    ReadAxisRecord(cursor, read);
  } catch (const IoError&) {
    return false;
  }
  if (cursor.Position() != cursor.TokenCount()) {
    return false;
  }
  axis = read;
  return true;
}

// "1 graph", "3 graphs".
std::string GraphCount(std::int64_t count) {
  return std::to_string(count) + (count == 1 ? " graph" : " graphs");
}

// "", "graph 1 was read whole, ", "graphs 1 and 2 were read whole, ",
// "graphs 1 to 3 were read whole, ".
std::string WholeGraphs(std::int32_t count) {
  switch (count) {
    case 0:
      return "";
    case 1:
      return "graph 1 was read whole, ";
    case 2:
      return "graphs 1 and 2 were read whole, ";
    default:
      return "graphs 1 to " + std::to_string(count) + " were read whole, ";
  }
}

}  // namespace

std::string DocumentTag(DocumentKind documentKind) {
  switch (documentKind) {
    case DocumentKind::Plane:
      return "S51";
    case DocumentKind::Ribbon:
      return "S53";
    case DocumentKind::Space:
      return "S52";
    case DocumentKind::PlaneVariant:
      return "S54";
    case DocumentKind::RibbonVariant:
      return "S55";
    case DocumentKind::SpaceVariant:
      return "S56";
    case DocumentKind::Field:
      return "S57";
    default:
      return "";
  }
}

std::string BuildDocumentText(DocumentKind documentKind, const Scene& scene, const Axis& axis) {
  std::string text = DocumentTag(documentKind);
  if (!text.empty()) {
    text += ' ';
  }
  text += IntegerText(scene.Graphs().Count());
  text += ' ';
  text += Save(scene);
  text += Save(axis);
  return text;
}

GraphFileBytes EncodeGraphFile(const std::string& documentText) {
  AnsiText ansi = ToWindows1252(documentText);
  const std::size_t length = ansi.bytes.size();
  if (length > 0xFFFFFFFFu) {
    throw IoError("The document is too large for a graph file.");
  }
  GraphFileBytes file;
  file.bytes.reserve(length + 8);
  AppendLittleEndian(file.bytes, kTextTypeCode, 2);
  if (length < kLongLengthMark) {
    AppendLittleEndian(file.bytes, length, 2);
  } else {
    AppendLittleEndian(file.bytes, kLongLengthMark, 2);
    AppendLittleEndian(file.bytes, length, 4);
  }
  file.bytes += ansi.bytes;
  for (const std::string& word : ansi.lossyWords) {
    file.lossyTexts.push_back(TextFieldValue(word));
  }
  return file;
}

GraphFileText DecodeGraphFile(const std::string& bytes) {
  const TextPlace place = LocateText(bytes.substr(0, kLongHeaderSize), bytes.size());
  return TextOf(place, bytes.substr(place.offset, place.HeldIn(bytes.size())));
}

GraphFileText ReadGraphFileText(const std::string& path) {
  const FileReader file(path);
  const TextPlace place = LocateText(file.Read(0, kLongHeaderSize), file.Size());
  return TextOf(place, file.Read(place.offset, place.HeldIn(file.Size())));
}

StagedDocument ParseDocumentText(const std::string& text, DocumentValues& owner,
                                 const Axis& currentAxis, bool textCut) {
  TokenCursor cursor(SplitTokens(text));
  const std::string& tag = cursor.Token(1);
  const bool accepted = tag.size() == 3 && tag[0] == 'S' && tag[1] >= '3' && tag[1] <= '5' &&
                        tag[2] >= '1' && tag[2] <= '7';
  if (!accepted) {
    throw IoError("It begins with \"" + MessageQuote(TextFieldValue(tag)) +
                  "\" where a graph document names its kind: it is no document this program "
                  "can read.");
  }
  StagedDocument staged;
  staged.generation = tag[1] - '0';
  ApplyTagKind(tag[2], staged);
  staged.axis = currentAxis;

  RecordReading reading;
  reading.generation = staged.generation;
  cursor.Position(1);
  if (cursor.TokenCount() < 2) {
    staged.damage = "it ends before its graph count";
    return staged;
  }
  const std::int32_t count = cursor.NextInteger("graph count");
  for (std::int32_t record = 1; record <= count; ++record) {
    const std::size_t start = cursor.Position();
    if (start >= cursor.TokenCount()) {
      staged.damage = "it ends before its last " + GraphCount(count - record + 1) + "; " +
                      std::to_string(record - 1) + " of " + std::to_string(count) +
                      " graphs were read";
      return staged;
    }
    const std::string& kind = cursor.Peek();
    StagedGraph staging;
    staging.graph = std::make_shared<Graph>(owner);
    Graph& graph = *staging.graph;
    if (IsGraphRecordKind(kind)) {
      AnimationFields animation;
      try {
        ReadGraphRecord(cursor, graph, reading, animation);
      } catch (const IoError& error) {
        RefuseUnlessRanOut(cursor, RecordFailure(record, "graph", error));
      }
      staging.sample = true;
      if (animation.read) {
        staging.animFrames = animation.values.AnimFrames;
        staging.animExtra = animation.values.AnimExtra;
      }
      staging.entryText =
          OpenedGraphEntryText(graph, staged.documentKind).value_or(FallbackEntryText(graph));
    } else if (IsTableRecordKind(kind)) {
      try {
        ReadTableRecord(cursor, graph, reading);
      } catch (const IoError& error) {
        RefuseUnlessRanOut(cursor, RecordFailure(record, "table", error));
      }
      staging.entryText = TableEntryText(graph).value_or(FallbackEntryText(graph));
    } else {
      // An unknown kind is not consumed: every later slot meets the same
      // token and is skipped the same way, so stop here.
      break;
    }
    if (cursor.RanOut()) {
      if (!textCut && AxisRecordEndsText(cursor, start, staged.axis)) {
        staged.damage = "it holds " + GraphCount(record - 1) + " where its count announces " +
                        std::to_string(count);
        return staged;
      }
      staged.damage = "it ends inside graph " + std::to_string(record) + " of " +
                      std::to_string(count) + "; " + WholeGraphs(record - 1) + "graph " +
                      std::to_string(record) +
                      (record > 1 ? " only in part" : " was read only in part");
      staged.graphs.push_back(std::move(staging));
      return staged;
    }
    staged.graphs.push_back(std::move(staging));
  }
  const bool axisMissing = cursor.Position() >= cursor.TokenCount();
  Axis axis = staged.axis;
  try {
    ReadAxisRecord(cursor, axis);
  } catch (const IoError& error) {
    RefuseUnlessRanOut(cursor, std::string("Axis record: ") + error.what());
  }
  if (cursor.RanOut()) {
    staged.damage = std::string("it ends ") + (axisMissing ? "before" : "inside") +
                    " its axis settings, which were left as they were";
  } else {
    staged.axis = axis;
  }
  return staged;
}

}  // namespace quillon
