// Reader for DirectX text meshes: a streaming tokenizer, a generic walker over data objects, and
// the conversion of Frame and Mesh objects into one triangulated mesh with the frame transforms
// applied.
#include "render/platform/formats/xfile.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>
#include <string>
#include <unordered_map>
#include <utility>

namespace xfile {
namespace {

constexpr std::size_t kHeaderSize = 16;
constexpr std::size_t kMaxFileSize = std::size_t{32} << 20;
constexpr int kMaxFrameDepth = 64;
constexpr std::size_t kMaxGuidLength = 64;

enum class Kind { End, Word, String, Guid, Open, Close, Separator, Invalid };

// One token; for Kind::Invalid `text` holds the reason.
struct Token {
  Kind kind = Kind::End;
  std::string_view text;
  std::size_t offset = 0;
};

// Row-major 4x4 matrix applied to row vectors (v' = v · M).
using Matrix = std::array<double, 16>;

// Splits the body of a text .x file into tokens; white space and comments are dropped.
class Lexer {
 public:
  Lexer(std::string_view text, std::size_t start) : text_(text), pos_(start) {}

  // Returns the next token; End at the end of input, Invalid for an unterminated string or GUID.
  Token Next();

  // Bytes not yet tokenized.
  std::size_t Remaining() const { return text_.size() - pos_; }

 private:
  void SkipBlank();
  Token Single(Kind kind);
  Token Delimited(char close, std::size_t limit, Kind kind, std::string_view failure);
  Token Word();

  std::string_view text_;
  std::size_t pos_ = 0;
};

// Quotes input text for an error message: control bytes escaped, long text shortened, one line.
std::string Quote(std::string_view text) {
  constexpr std::size_t kShown = 32;
  std::string quoted = "\"";
  for (const char c : text.substr(0, kShown)) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7f) {
      constexpr char kHex[] = "0123456789abcdef";
      quoted += {'\\', 'x', kHex[byte >> 4], kHex[byte & 0xf]};
    } else {
      quoted += c;
    }
  }
  return quoted + (text.size() > kShown ? "...\"" : "\"");
}

bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

bool EndsWord(std::string_view text, std::size_t at) {
  const char c = text[at];
  if (IsBlank(c) || c == '{' || c == '}' || c == ',' || c == ';' || c == '"' || c == '<' ||
      c == '#') {
    return true;
  }
  return c == '/' && at + 1 < text.size() && text[at + 1] == '/';
}

void Lexer::SkipBlank() {
  while (pos_ < text_.size()) {
    const char c = text_[pos_];
    const bool comment =
        c == '#' || (c == '/' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '/');
    if (comment) {
      const std::size_t eol = text_.find('\n', pos_);
      pos_ = eol == std::string_view::npos ? text_.size() : eol + 1;
    } else if (IsBlank(c)) {
      ++pos_;
    } else {
      return;
    }
  }
}

Token Lexer::Next() {
  SkipBlank();
  if (pos_ >= text_.size()) {
    return Token{Kind::End, {}, pos_};
  }
  switch (text_[pos_]) {
    case '{':
      return Single(Kind::Open);
    case '}':
      return Single(Kind::Close);
    case ',':
    case ';':
      return Single(Kind::Separator);
    case '"':
      return Delimited('"', text_.size(), Kind::String, "unterminated string");
    case '<':
      return Delimited('>', kMaxGuidLength, Kind::Guid, "unterminated GUID");
    default:
      return Word();
  }
}

Token Lexer::Single(Kind kind) {
  const Token token{kind, text_.substr(pos_, 1), pos_};
  ++pos_;
  return token;
}

Token Lexer::Delimited(char close, std::size_t limit, Kind kind, std::string_view failure) {
  const std::size_t start = pos_;
  const std::size_t end = text_.find(close, start + 1);
  if (end == std::string_view::npos || end - start > limit) {
    pos_ = text_.size();
    return Token{Kind::Invalid, failure, start};
  }
  pos_ = end + 1;
  return Token{kind, text_.substr(start + 1, end - start - 1), start};
}

Token Lexer::Word() {
  const std::size_t start = pos_;
  ++pos_;  // the first character never ends a word, or Next would have handled it
  while (pos_ < text_.size() && !EndsWord(text_, pos_)) {
    ++pos_;
  }
  return Token{Kind::Word, text_.substr(start, pos_ - start), start};
}

// Faces of a mesh or of its normals: corner indices, with face i spanning [starts[i], starts[i+1]).
struct FaceList {
  std::vector<std::uint32_t> starts{0};
  std::vector<std::uint32_t> corners;

  std::size_t Count() const { return starts.size() - 1; }
};

// A Mesh object as written in the file, before vertex splitting and triangulation.
struct RawMesh {
  std::vector<float> positions;  // three per vertex
  FaceList faces;
  std::vector<std::uint32_t> faceAttributes;  // one per face
  bool hasNormals = false;
  std::vector<float> normals;  // three per normal
  FaceList normalFaces;
  bool hasTexCoords = false;
  std::vector<float> texCoords;  // two per vertex
  bool hasMaterials = false;
};

// Transform state of the frame being read.
struct FrameState {
  Matrix matrix{};
  bool hasMatrix = false;
};

// Cofactors of the upper 3x3, signed so that normals keep their side: the inverse transpose up to a
// positive factor, which the normalisation removes.
std::array<double, 9> NormalMatrix(const Matrix& m) {
  const auto a = [&m](int r, int c) { return m[static_cast<std::size_t>(r * 4 + c)]; };
  std::array<double, 9> cof = {
      a(1, 1) * a(2, 2) - a(1, 2) * a(2, 1), a(1, 2) * a(2, 0) - a(1, 0) * a(2, 2),
      a(1, 0) * a(2, 1) - a(1, 1) * a(2, 0), a(0, 2) * a(2, 1) - a(0, 1) * a(2, 2),
      a(0, 0) * a(2, 2) - a(0, 2) * a(2, 0), a(0, 1) * a(2, 0) - a(0, 0) * a(2, 1),
      a(0, 1) * a(1, 2) - a(0, 2) * a(1, 1), a(0, 2) * a(1, 0) - a(0, 0) * a(1, 2),
      a(0, 0) * a(1, 1) - a(0, 1) * a(1, 0)};
  const double det = a(0, 0) * cof[0] + a(0, 1) * cof[1] + a(0, 2) * cof[2];
  if (det < 0.0) {
    for (double& value : cof) {
      value = -value;
    }
  }
  return cof;
}

void TransformPosition(const Matrix& m, Vertex& v) {
  const double x = v.px, y = v.py, z = v.pz;
  v.px = static_cast<float>(x * m[0] + y * m[4] + z * m[8] + m[12]);
  v.py = static_cast<float>(x * m[1] + y * m[5] + z * m[9] + m[13]);
  v.pz = static_cast<float>(x * m[2] + y * m[6] + z * m[10] + m[14]);
}

void TransformNormal(const std::array<double, 9>& n, Vertex& v) {
  const double x = v.nx, y = v.ny, z = v.nz;
  const double tx = x * n[0] + y * n[3] + z * n[6];
  const double ty = x * n[1] + y * n[4] + z * n[7];
  const double tz = x * n[2] + y * n[5] + z * n[8];
  const double length = std::sqrt(tx * tx + ty * ty + tz * tz);
  const double scale = length > 0.0 && std::isfinite(length) ? 1.0 / length : 0.0;
  v.nx = static_cast<float>(tx * scale);
  v.ny = static_cast<float>(ty * scale);
  v.nz = static_cast<float>(tz * scale);
}

bool IsFinite(const Vertex& v) {
  return std::isfinite(v.px) && std::isfinite(v.py) && std::isfinite(v.pz) && std::isfinite(v.nx) &&
         std::isfinite(v.ny) && std::isfinite(v.nz) && std::isfinite(v.u) && std::isfinite(v.v);
}

// Walks the objects of one file and collects the merged mesh in `mesh_`.
class Parser {
 public:
  explicit Parser(std::string_view bytes)
      : bytes_(bytes), lexer_(bytes, std::min(kHeaderSize, bytes.size())) {}

  // Parses the whole input; on success moves the merged mesh into `out`.
  bool Run(Mesh& out);

  const std::string& error() const { return error_; }

 private:
  bool Fail(std::size_t offset, std::string_view message);
  bool CheckHeader();
  bool Take(Token& token);
  bool Peek(Token& token);
  bool SkipSeparators();
  bool TakeWord(Token& token, std::string_view what);
  bool ReadUint(std::uint32_t& value, std::size_t& offset);
  bool ReadCount(std::uint32_t& value, std::uint64_t numbersPerItem);
  bool ReadIndex(std::uint32_t& value, std::size_t limit);
  bool ReadFloat(float& value);
  bool ReadFloats(std::vector<float>& values, std::uint32_t count, std::uint32_t perItem);
  bool OpenObject();
  bool SkipRest();
  bool ParseObjects(int depth, FrameState* frame);
  bool ParseObject(const Token& type, int depth, FrameState* frame);
  bool ParseFrame(const Token& type, int depth);
  bool ParseMatrix(const Token& type, FrameState& frame);
  bool ParseMesh();
  bool ParseFaces(FaceList& faces, std::size_t indexLimit);
  bool ParseMeshChildren(RawMesh& raw);
  bool ParseMeshChild(const Token& type, RawMesh& raw);
  bool ParseNormals(const Token& type, RawMesh& raw);
  bool ParseTexCoords(const Token& type, RawMesh& raw);
  bool ParseMaterialList(const Token& type, RawMesh& raw);
  void Emit(const RawMesh& raw);
  Vertex MakeVertex(const RawMesh& raw, std::uint32_t corner) const;
  void TransformFrom(std::size_t first, const Matrix& matrix);

  std::string_view bytes_;
  Lexer lexer_;
  Token ahead_{};
  bool hasAhead_ = false;
  bool sawMesh_ = false;
  std::string error_;
  Mesh mesh_{};
};

bool Parser::Fail(std::size_t offset, std::string_view message) {
  const std::size_t end = std::min(offset, bytes_.size());
  const auto line =
      1 + std::count(bytes_.begin(), bytes_.begin() + static_cast<std::ptrdiff_t>(end), '\n');
  error_ = "line " + std::to_string(line) + ": " + std::string(message);
  return false;
}

bool Parser::CheckHeader() {
  if (bytes_.size() > kMaxFileSize) {
    error_ = "file too large (" + std::to_string(bytes_.size()) + " bytes)";
    return false;
  }
  if (bytes_.size() < kHeaderSize || bytes_.substr(0, 4) != "xof " || bytes_.substr(4, 2) != "03") {
    error_ = "not a DirectX .x file (missing \"xof 03xx\" header)";
    return false;
  }
  const std::string_view format = bytes_.substr(8, 4);
  const std::string_view floatSize = bytes_.substr(12, 4);
  if (format == "bin ") {
    error_ = "binary .x files are not supported";
  } else if (format == "tzip" || format == "bzip") {
    error_ = "compressed .x files are not supported";
  } else if (format != "txt ") {
    error_ = "unknown .x format " + Quote(format);
  } else if (floatSize != "0032" && floatSize != "0064") {
    error_ = "unknown float size " + Quote(floatSize) + " in the .x header";
  }
  return error_.empty();
}

bool Parser::Take(Token& token) {
  token = hasAhead_ ? ahead_ : lexer_.Next();
  hasAhead_ = false;
  if (token.kind == Kind::Invalid) {
    return Fail(token.offset, token.text);
  }
  return true;
}

bool Parser::Peek(Token& token) {
  if (!hasAhead_) {
    if (!Take(ahead_)) {
      return false;
    }
    hasAhead_ = true;
  }
  token = ahead_;
  return true;
}

bool Parser::SkipSeparators() {
  Token token;
  while (Peek(token)) {
    if (token.kind != Kind::Separator) {
      return true;
    }
    hasAhead_ = false;
  }
  return false;
}

bool Parser::TakeWord(Token& token, std::string_view what) {
  if (!SkipSeparators() || !Take(token)) {
    return false;
  }
  if (token.kind != Kind::Word) {
    return Fail(token.offset, "expected " + std::string(what));
  }
  return true;
}

bool Parser::ReadUint(std::uint32_t& value, std::size_t& offset) {
  Token token;
  if (!TakeWord(token, "a whole number")) {
    return false;
  }
  offset = token.offset;
  const char* first = token.text.data();
  const char* last = first + token.text.size();
  const auto [end, status] = std::from_chars(first, last, value);
  if (status != std::errc{} || end != last) {
    return Fail(token.offset, "expected a whole number, found " + Quote(token.text));
  }
  return true;
}

// A count of items of `numbersPerItem` numbers each; every number needs at least one character and
// a separator, so a count the rest of the input cannot hold is rejected before anything is
// reserved.
bool Parser::ReadCount(std::uint32_t& value, std::uint64_t numbersPerItem) {
  std::size_t offset = 0;
  if (!ReadUint(value, offset)) {
    return false;
  }
  const std::uint64_t needed = std::uint64_t{value} * numbersPerItem * 2;
  if (needed > std::uint64_t{lexer_.Remaining()} + 1) {
    return Fail(offset, "count " + std::to_string(value) + " exceeds the remaining data");
  }
  return true;
}

bool Parser::ReadIndex(std::uint32_t& value, std::size_t limit) {
  std::size_t offset = 0;
  if (!ReadUint(value, offset)) {
    return false;
  }
  if (value >= limit) {
    return Fail(offset, "index " + std::to_string(value) + " out of range (" +
                            std::to_string(limit) + " entries)");
  }
  return true;
}

bool Parser::ReadFloat(float& value) {
  Token token;
  if (!TakeWord(token, "a number")) {
    return false;
  }
  std::string_view text = token.text;
  if (text.size() > 1 && text.front() == '+') {
    text.remove_prefix(1);
  }
  double parsed = 0.0;
  const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), parsed);
  if (status != std::errc{} || end != text.data() + text.size() ||
      !(std::fabs(parsed) <= std::numeric_limits<float>::max())) {
    return Fail(token.offset, "expected a finite number, found " + Quote(token.text));
  }
  value = static_cast<float>(parsed);
  return true;
}

bool Parser::ReadFloats(std::vector<float>& values, std::uint32_t count, std::uint32_t perItem) {
  const std::size_t total = std::size_t{count} * perItem;
  values.resize(total);
  for (float& value : values) {
    if (!ReadFloat(value)) {
      return false;
    }
  }
  return true;
}

// After a type word: an optional name, the opening brace and an optional GUID.
bool Parser::OpenObject() {
  Token token;
  if (!Take(token)) {
    return false;
  }
  if (token.kind == Kind::Word && !Take(token)) {
    return false;
  }
  if (token.kind == Kind::Guid && !Take(token)) {
    return false;
  }
  if (token.kind != Kind::Open) {
    return Fail(token.offset, "expected '{'");
  }
  if (!Peek(token)) {
    return false;
  }
  if (token.kind == Kind::Guid) {
    hasAhead_ = false;
  }
  return true;
}

// Skips everything up to and including the brace that closes the current object.
bool Parser::SkipRest() {
  std::size_t open = 1;
  Token token;
  while (Take(token)) {
    if (token.kind == Kind::End) {
      return Fail(token.offset, "unexpected end of file inside an object");
    }
    if (token.kind == Kind::Open) {
      ++open;
    } else if (token.kind == Kind::Close && --open == 0) {
      return true;
    }
  }
  return false;
}

// Reads data objects until the brace closing `frame`, or until the end of input at the top level.
bool Parser::ParseObjects(int depth, FrameState* frame) {
  Token token;
  while (Take(token)) {
    switch (token.kind) {
      case Kind::End:
        return frame == nullptr || Fail(token.offset, "unexpected end of file inside a Frame");
      case Kind::Close:
        return frame != nullptr || Fail(token.offset, "unmatched '}'");
      case Kind::Separator:
        break;
      case Kind::Open:  // a reference to an object defined elsewhere
        if (!SkipRest()) {
          return false;
        }
        break;
      case Kind::Word:
        if (!ParseObject(token, depth, frame)) {
          return false;
        }
        break;
      default:
        return Fail(token.offset, "expected a data object");
    }
  }
  return false;
}

bool Parser::ParseObject(const Token& type, int depth, FrameState* frame) {
  if (!OpenObject()) {
    return false;
  }
  if (type.text == "Frame") {
    return ParseFrame(type, depth + 1);
  }
  if (type.text == "Mesh") {
    return ParseMesh();
  }
  if (type.text == "FrameTransformMatrix" && frame != nullptr) {
    return ParseMatrix(type, *frame);
  }
  return SkipRest();
}

// A frame's own matrix is applied after its children's, so each vertex ends up transformed by
// child · parent, whatever the order of the objects inside the frame.
bool Parser::ParseFrame(const Token& type, int depth) {
  if (depth > kMaxFrameDepth) {
    return Fail(type.offset, "frames nested too deeply");
  }
  const std::size_t first = mesh_.vertices.size();
  FrameState frame;
  if (!ParseObjects(depth, &frame)) {
    return false;
  }
  if (frame.hasMatrix) {
    TransformFrom(first, frame.matrix);
  }
  return true;
}

bool Parser::ParseMatrix(const Token& type, FrameState& frame) {
  if (frame.hasMatrix) {
    return Fail(type.offset, "second FrameTransformMatrix in one Frame");
  }
  for (double& value : frame.matrix) {
    float element = 0.0f;
    if (!ReadFloat(element)) {
      return false;
    }
    value = element;
  }
  frame.hasMatrix = true;
  return SkipRest();
}

bool Parser::ParseMesh() {
  RawMesh raw;
  std::uint32_t count = 0;
  if (!ReadCount(count, 3) || !ReadFloats(raw.positions, count, 3)) {
    return false;
  }
  if (!ParseFaces(raw.faces, count)) {
    return false;
  }
  raw.faceAttributes.assign(raw.faces.Count(), 0);
  if (!ParseMeshChildren(raw)) {
    return false;
  }
  Emit(raw);
  sawMesh_ = true;
  return true;
}

bool Parser::ParseFaces(FaceList& faces, std::size_t indexLimit) {
  std::uint32_t count = 0;
  if (!ReadCount(count, 4)) {
    return false;
  }
  faces.starts.reserve(std::size_t{count} + 1);
  for (std::uint32_t face = 0; face < count; ++face) {
    std::uint32_t corners = 0;
    std::size_t offset = 0;
    if (!ReadUint(corners, offset)) {
      return false;
    }
    if (corners < 3) {
      return Fail(offset, "a face needs at least three corners");
    }
    if (std::uint64_t{corners} * 2 > std::uint64_t{lexer_.Remaining()} + 1) {
      return Fail(offset, "face size " + std::to_string(corners) + " exceeds the remaining data");
    }
    for (std::uint32_t i = 0; i < corners; ++i) {
      std::uint32_t index = 0;
      if (!ReadIndex(index, indexLimit)) {
        return false;
      }
      faces.corners.push_back(index);
    }
    faces.starts.push_back(static_cast<std::uint32_t>(faces.corners.size()));
  }
  return true;
}

bool Parser::ParseMeshChildren(RawMesh& raw) {
  Token token;
  while (Take(token)) {
    switch (token.kind) {
      case Kind::Close:
        return true;
      case Kind::Separator:
        break;
      case Kind::Open:  // a reference, e.g. to a shared material
        if (!SkipRest()) {
          return false;
        }
        break;
      case Kind::Word:
        if (!OpenObject() || !ParseMeshChild(token, raw)) {
          return false;
        }
        break;
      case Kind::End:
        return Fail(token.offset, "unexpected end of file inside a Mesh");
      default:
        return Fail(token.offset, "expected a data object");
    }
  }
  return false;
}

bool Parser::ParseMeshChild(const Token& type, RawMesh& raw) {
  if (type.text == "MeshNormals") {
    return ParseNormals(type, raw);
  }
  if (type.text == "MeshTextureCoords") {
    return ParseTexCoords(type, raw);
  }
  if (type.text == "MeshMaterialList") {
    return ParseMaterialList(type, raw);
  }
  return SkipRest();
}

bool Parser::ParseNormals(const Token& type, RawMesh& raw) {
  if (raw.hasNormals) {
    return Fail(type.offset, "second MeshNormals in one Mesh");
  }
  std::uint32_t count = 0;
  if (!ReadCount(count, 3) || !ReadFloats(raw.normals, count, 3) ||
      !ParseFaces(raw.normalFaces, count)) {
    return false;
  }
  if (raw.normalFaces.starts != raw.faces.starts) {
    return Fail(type.offset, "MeshNormals faces do not match the Mesh faces");
  }
  raw.hasNormals = true;
  return SkipRest();
}

bool Parser::ParseTexCoords(const Token& type, RawMesh& raw) {
  if (raw.hasTexCoords) {
    return Fail(type.offset, "second MeshTextureCoords in one Mesh");
  }
  std::uint32_t count = 0;
  if (!ReadCount(count, 2)) {
    return false;
  }
  if (count != raw.positions.size() / 3) {
    return Fail(type.offset, "MeshTextureCoords count " + std::to_string(count) +
                                 " differs from the vertex count " +
                                 std::to_string(raw.positions.size() / 3));
  }
  if (!ReadFloats(raw.texCoords, count, 2)) {
    return false;
  }
  raw.hasTexCoords = true;
  return SkipRest();
}

// One attribute per face, or a single one that applies to every face.
bool Parser::ParseMaterialList(const Token& type, RawMesh& raw) {
  if (raw.hasMaterials) {
    return Fail(type.offset, "second MeshMaterialList in one Mesh");
  }
  std::uint32_t materials = 0;
  std::uint32_t count = 0;
  std::size_t offset = 0;
  if (!ReadUint(materials, offset) || !ReadCount(count, 1)) {
    return false;
  }
  if (count != raw.faces.Count() && count != 1) {
    return Fail(type.offset, "MeshMaterialList has " + std::to_string(count) +
                                 " face indexes for " + std::to_string(raw.faces.Count()) +
                                 " faces");
  }
  std::vector<std::uint32_t> attributes(count);
  for (std::uint32_t& attribute : attributes) {
    if (!ReadIndex(attribute, materials)) {
      return false;
    }
  }
  if (count == 1) {
    std::fill(raw.faceAttributes.begin(), raw.faceAttributes.end(), attributes[0]);
  } else {
    raw.faceAttributes = std::move(attributes);
  }
  raw.hasMaterials = true;
  return SkipRest();
}

Vertex Parser::MakeVertex(const RawMesh& raw, std::uint32_t corner) const {
  const std::size_t p = raw.faces.corners[corner];
  Vertex v;
  v.px = raw.positions[3 * p];
  v.py = raw.positions[3 * p + 1];
  v.pz = raw.positions[3 * p + 2];
  if (raw.hasNormals) {
    const std::size_t n = raw.normalFaces.corners[corner];
    v.nx = raw.normals[3 * n];
    v.ny = raw.normals[3 * n + 1];
    v.nz = raw.normals[3 * n + 2];
  }
  if (raw.hasTexCoords) {
    v.u = raw.texCoords[2 * p];
    v.v = raw.texCoords[2 * p + 1];
  }
  return v;
}

// Gives each distinct (position, normal) pair one output vertex, then triangulates every face as a
// fan around its first corner, keeping the file's winding.
void Parser::Emit(const RawMesh& raw) {
  std::unordered_map<std::uint64_t, std::uint32_t> vertexOf;
  std::vector<std::uint32_t> cornerVertex(raw.faces.corners.size());
  for (std::uint32_t c = 0; c < cornerVertex.size(); ++c) {
    const std::uint64_t normal = raw.hasNormals ? raw.normalFaces.corners[c] : 0;
    const std::uint64_t key = (std::uint64_t{raw.faces.corners[c]} << 32) | normal;
    const auto [it, added] =
        vertexOf.try_emplace(key, static_cast<std::uint32_t>(mesh_.vertices.size()));
    if (added) {
      mesh_.vertices.push_back(MakeVertex(raw, c));
    }
    cornerVertex[c] = it->second;
  }
  for (std::size_t face = 0; face < raw.faces.Count(); ++face) {
    const std::uint32_t first = raw.faces.starts[face];
    for (std::uint32_t c = first + 1; c + 1 < raw.faces.starts[face + 1]; ++c) {
      mesh_.indices.insert(mesh_.indices.end(),
                           {cornerVertex[first], cornerVertex[c], cornerVertex[c + 1]});
      mesh_.attributes.push_back(raw.faceAttributes[face]);
    }
  }
}

void Parser::TransformFrom(std::size_t first, const Matrix& matrix) {
  const std::array<double, 9> normalMatrix = NormalMatrix(matrix);
  for (std::size_t i = first; i < mesh_.vertices.size(); ++i) {
    TransformPosition(matrix, mesh_.vertices[i]);
    TransformNormal(normalMatrix, mesh_.vertices[i]);
  }
}

bool Parser::Run(Mesh& out) {
  if (!CheckHeader() || !ParseObjects(0, nullptr)) {
    return false;
  }
  if (!sawMesh_) {
    error_ = "the file contains no Mesh";
    return false;
  }
  if (!std::all_of(mesh_.vertices.begin(), mesh_.vertices.end(), IsFinite)) {
    error_ = "vertex coordinates overflow after applying the frame transforms";
    return false;
  }
  out = std::move(mesh_);
  return true;
}

}  // namespace

bool Parse(std::string_view bytes, Mesh& out, std::string& error) {
  out = Mesh{};
  error.clear();
  Parser parser(bytes);
  if (parser.Run(out)) {
    return true;
  }
  error = parser.error();
  return false;
}

}  // namespace xfile
