// A small JSON reader for the asset descriptions: keeps member order and the line of every
// value, so that a broken description is reported with its file and line.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace assetgen {

struct JsonValue {
  enum Kind { kNull, kBool, kNumber, kString, kArray, kObject };
  Kind kind = kNull;
  bool boolean = false;
  double number = 0.0;
  std::string text;
  std::vector<JsonValue> items;
  std::vector<std::pair<std::string, JsonValue>> members;
  int line = 0;

  const JsonValue *Find(const std::string &name) const;
  bool IsNumber() const { return kind == kNumber; }
  bool IsString() const { return kind == kString; }
  bool IsArray() const { return kind == kArray; }
  bool IsObject() const { return kind == kObject; }
};

// Throws AssetError with "line N: ..." on malformed text.
JsonValue JsonParse(const std::string &text);

const char *JsonKindName(JsonValue::Kind kind);

}  // namespace assetgen
