#include "io/graph_file.h"

#include <algorithm>
#include <optional>

#include "graph/graph.h"
#include "io/ansi_text.h"
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

std::string RecordFailure(std::int32_t record, const char* kind, const IoError& error) {
  return "Record " + std::to_string(record) + " (" + kind + "): " + error.what();
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

std::string BuildDocumentText(DocumentKind documentKind, const Scene& showScene, const Axis& axis) {
  std::string text = DocumentTag(documentKind);
  if (!text.empty()) {
    text += ' ';
  }
  text += IntegerText(showScene.Graphs().Count());
  text += ' ';
  text += Save(showScene);
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

std::string DecodeGraphFile(const std::string& bytes) {
  if (bytes.size() < 4 || static_cast<unsigned char>(bytes[0]) != kTextTypeCode || bytes[1] != 0) {
    throw IoError("It does not begin with a stored text, as graph files do.");
  }
  std::size_t offset = 4;
  std::size_t length = ReadLittleEndian(bytes, 2, 2);
  if (length == kLongLengthMark) {
    if (bytes.size() < 8) {
      throw IoError("Its text length is cut off.");
    }
    // A text of exactly 65535 characters written with the plain length
    // begins where the long length would be; its tag makes that length far
    // larger than the file.
    const std::size_t longLength = ReadLittleEndian(bytes, 4, 4);
    const bool plainText = bytes.size() >= 4 + kLongLengthMark &&
                           (longLength < kLongLengthMark || longLength > bytes.size() - 8);
    if (!plainText) {
      length = longLength;
      offset = 8;
    }
  }
  const std::size_t available = bytes.size() - offset;
  return FromWindows1252(bytes.substr(offset, std::min(length, available)));
}

StagedDocument ParseDocumentText(const std::string& text, DocumentValues& owner,
                                 const Axis& currentAxis) {
  TokenCursor cursor(SplitTokens(text));
  const std::string& tag = cursor.Token(1);
  const bool accepted = tag.size() == 3 && tag[0] == 'S' && tag[1] >= '3' && tag[1] <= '5' &&
                        tag[2] >= '1' && tag[2] <= '7';
  if (!accepted) {
    std::string shown = TextFieldValue(tag.substr(0, 20));
    throw IoError("It begins with \"" + shown +
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
  const std::int32_t count = cursor.NextInteger("graph count");
  for (std::int32_t record = 1; record <= count; ++record) {
    const std::string& kind = cursor.Peek();
    StagedGraph staging;
    staging.graph = std::make_shared<Graph>(owner);
    Graph& graph = *staging.graph;
    if (IsGraphRecordKind(kind)) {
      AnimationFields animation;
      try {
        ReadGraphRecord(cursor, graph, reading, animation);
      } catch (const IoError& error) {
        throw IoError(RecordFailure(record, "graph", error));
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
        throw IoError(RecordFailure(record, "table", error));
      }
      staging.entryText = TableEntryText(graph).value_or(FallbackEntryText(graph));
    } else {
      // An unknown kind is not consumed: every later slot meets the same
      // token and is skipped the same way, so stop here.
      break;
    }
    staged.graphs.push_back(std::move(staging));
  }
  try {
    ReadAxisRecord(cursor, staged.axis);
  } catch (const IoError& error) {
    throw IoError(std::string("Axis record: ") + error.what());
  }
  return staged;
}

}  // namespace quillon
