// Writes a json::Object as indented JSON text (tabs, one member per line) on a stream:
// the layout of every JSON file and string the program produces.
#pragma once

#include <ostream>
#include <string>

#include "Engine/EngTypes.h"
#include "Engine/json/Elements.h"

namespace json {

class Writer : private ConstVisitor {
 public:
  // Writes the object and flushes the stream; nothing follows the closing brace.
  static void Write(const Object &object, std::ostream &ostr);

  ~Writer() override {}

 private:
  explicit Writer(std::ostream &ostr) : m_ostr(ostr) {}

  void Write_i(const Object &object);
  void Write_i(const Array &array);
  // Member names and string values alike, with their special characters escaped.
  void Write_i(const std::string &sValue);

  void Visit(const Array &array) override;
  void Visit(const Object &object) override;
  void Visit(const Number &number) override;
  void Visit(const String &string) override;
  void Visit(const Boolean &boolean) override;
  void Visit(const Null &null) override;

  void WriteTabs();

  std::ostream &m_ostr;
  EngUInt32 m_nTabDepth = 0;
};

}  // namespace json
