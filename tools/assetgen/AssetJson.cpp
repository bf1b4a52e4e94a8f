#include "tools/assetgen/AssetJson.h"

#include <cstdlib>
#include <cstring>

#include "tools/assetgen/Assetgen.h"

namespace assetgen {

const JsonValue *JsonValue::Find(const std::string &name) const {
  for (const auto &m : members)
    if (m.first == name) return &m.second;
  return nullptr;
}

const char *JsonKindName(JsonValue::Kind kind) {
  switch (kind) {
    case JsonValue::kNull: return "null";
    case JsonValue::kBool: return "a boolean";
    case JsonValue::kNumber: return "a number";
    case JsonValue::kString: return "a string";
    case JsonValue::kArray: return "an array";
    case JsonValue::kObject: return "an object";
  }
  return "?";
}

namespace {

class Parser {
 public:
  explicit Parser(const std::string &text) : m_text(text) {}

  JsonValue ParseDocument() {
    SkipSpace();
    JsonValue value = ParseValue(0);
    SkipSpace();
    if (m_pos != m_text.size()) Fail("unexpected text after the end of the document");
    return value;
  }

 private:
  [[noreturn]] void Fail(const std::string &what) {
    throw AssetError("line " + std::to_string(m_line) + ": " + what);
  }

  void SkipSpace() {
    while (m_pos < m_text.size()) {
      char c = m_text[m_pos];
      if (c == '\n') m_line++;
      if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
        m_pos++;
      } else {
        break;
      }
    }
  }

  bool Eat(char c) {
    if (m_pos < m_text.size() && m_text[m_pos] == c) {
      m_pos++;
      return true;
    }
    return false;
  }

  JsonValue ParseValue(int depth) {
    if (depth > 64) Fail("nesting too deep");
    JsonValue value;
    value.line = m_line;
    if (m_pos >= m_text.size()) Fail("unexpected end of the document");
    char c = m_text[m_pos];
    if (c == '{') {
      m_pos++;
      value.kind = JsonValue::kObject;
      SkipSpace();
      if (Eat('}')) return value;
      for (;;) {
        SkipSpace();
        if (m_pos >= m_text.size() || m_text[m_pos] != '"') Fail("expected a member name in quotes");
        std::string name = ParseString();
        for (const auto &m : value.members)
          if (m.first == name) Fail("member \"" + name + "\" given twice");
        SkipSpace();
        if (!Eat(':')) Fail("expected ':' after \"" + name + "\"");
        SkipSpace();
        value.members.emplace_back(name, ParseValue(depth + 1));
        SkipSpace();
        if (Eat('}')) return value;
        if (!Eat(',')) Fail("expected ',' or '}' in an object");
      }
    }
    if (c == '[') {
      m_pos++;
      value.kind = JsonValue::kArray;
      SkipSpace();
      if (Eat(']')) return value;
      for (;;) {
        SkipSpace();
        value.items.push_back(ParseValue(depth + 1));
        SkipSpace();
        if (Eat(']')) return value;
        if (!Eat(',')) Fail("expected ',' or ']' in an array");
      }
    }
    if (c == '"') {
      value.kind = JsonValue::kString;
      value.text = ParseString();
      return value;
    }
    if (m_text.compare(m_pos, 4, "true") == 0) {
      m_pos += 4;
      value.kind = JsonValue::kBool;
      value.boolean = true;
      return value;
    }
    if (m_text.compare(m_pos, 5, "false") == 0) {
      m_pos += 5;
      value.kind = JsonValue::kBool;
      return value;
    }
    if (m_text.compare(m_pos, 4, "null") == 0) {
      m_pos += 4;
      return value;
    }
    if (c == '-' || (c >= '0' && c <= '9')) {
      const char *start = m_text.c_str() + m_pos;
      char *end = nullptr;
      value.number = strtod(start, &end);
      if (end == start) Fail("bad number");
      m_pos += size_t(end - start);
      value.kind = JsonValue::kNumber;
      return value;
    }
    Fail(std::string("unexpected character '") + c + "'");
  }

  std::string ParseString() {
    m_pos++;  // the opening quote
    std::string out;
    while (m_pos < m_text.size()) {
      char c = m_text[m_pos++];
      if (c == '"') return out;
      if (c == '\n') Fail("line break inside a string");
      if (c != '\\') {
        out += c;
        continue;
      }
      if (m_pos >= m_text.size()) break;
      char e = m_text[m_pos++];
      switch (e) {
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        case 'r': out += '\r'; break;
        case 'b': out += '\b'; break;
        case 'f': out += '\f'; break;
        case '/': out += '/'; break;
        case '\\': out += '\\'; break;
        case '"': out += '"'; break;
        case 'u': {
          if (m_pos + 4 > m_text.size()) Fail("short \\u escape");
          unsigned code = unsigned(strtoul(m_text.substr(m_pos, 4).c_str(), nullptr, 16));
          m_pos += 4;
          if (code < 0x80) {
            out += char(code);
          } else if (code < 0x800) {
            out += char(0xc0 | (code >> 6));
            out += char(0x80 | (code & 0x3f));
          } else {
            out += char(0xe0 | (code >> 12));
            out += char(0x80 | ((code >> 6) & 0x3f));
            out += char(0x80 | (code & 0x3f));
          }
          break;
        }
        default: Fail(std::string("unknown escape \\") + e);
      }
    }
    Fail("unterminated string");
  }

  const std::string &m_text;
  size_t m_pos = 0;
  int m_line = 1;
};

}  // namespace

JsonValue JsonParse(const std::string &text) { return Parser(text).ParseDocument(); }

}  // namespace assetgen
