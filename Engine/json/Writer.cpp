#include "Engine/json/Writer.h"

#include <cstdio>
#include <cstring>

namespace json {

void Writer::Write(const Object &object, std::ostream &ostr) {
  Writer writer(ostr);
  writer.Write_i(object);
  ostr.flush();
}

void Writer::WriteTabs() {
  for (EngUInt32 i = 0; i < m_nTabDepth; ++i) m_ostr << '\t';
}

void Writer::Write_i(const Object &object) {
  if (object.Empty()) {
    m_ostr << "{}";
    return;
  }

  m_ostr << '{' << std::endl;
  ++m_nTabDepth;

  Object::const_iterator it = object.Begin(), itEnd = object.End();
  while (it != itEnd) {
    WriteTabs();
    Write_i(it->name);
    m_ostr << " : ";
    it->element.Accept(*this);
    if (++it != itEnd) m_ostr << ',';
    m_ostr << std::endl;
  }

  --m_nTabDepth;
  WriteTabs();
  m_ostr << '}';
}

void Writer::Write_i(const Array &array) {
  if (array.Empty()) {
    m_ostr << "[]";
    return;
  }

  m_ostr << '[' << std::endl;
  ++m_nTabDepth;

  Array::const_iterator it = array.Begin(), itEnd = array.End();
  while (it != itEnd) {
    WriteTabs();
    it->Accept(*this);
    if (++it != itEnd) m_ostr << ',';
    m_ostr << std::endl;
  }

  --m_nTabDepth;
  WriteTabs();
  m_ostr << ']';
}

void Writer::Write_i(const std::string &sValue) {
  m_ostr << '"';
  for (char c : sValue) {
    switch (c) {
      case '"':
        m_ostr << "\\\"";
        break;
      case '\\':
        m_ostr << "\\\\";
        break;
      case '\b':
        m_ostr << "\\b";
        break;
      case '\f':
        m_ostr << "\\f";
        break;
      case '\n':
        m_ostr << "\\n";
        break;
      case '\r':
        m_ostr << "\\r";
        break;
      case '\t':
        m_ostr << "\\t";
        break;
      default:
        m_ostr << c;
        break;
    }
  }
  m_ostr << '"';
}

void Writer::Visit(const Array &array) { Write_i(array); }
void Writer::Visit(const Object &object) { Write_i(object); }

void Writer::Visit(const Number &number) {
  // "%g" decides the precision: its own length for short values, 20 digits for exponent forms.
  char buffer[64];
  snprintf(buffer, sizeof(buffer), "%g", number.Value());
  std::streamsize precision = strchr(buffer, 'e') ? 20 : std::streamsize(strlen(buffer));
  m_ostr.precision(precision);
  m_ostr << number.Value();
}

void Writer::Visit(const String &string) { Write_i(string.Value()); }
void Writer::Visit(const Boolean &boolean) { m_ostr << (boolean.Value() ? "true" : "false"); }
void Writer::Visit(const Null &) { m_ostr << "null"; }

}  // namespace json
