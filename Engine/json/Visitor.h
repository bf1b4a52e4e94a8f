// Visitor interfaces over the six kinds of JSON value: ConstVisitor reads a value tree,
// Visitor may change it. The checked casts and the writer are built on them.
#pragma once

#include <string>

namespace json {

class Object;
class Array;
class Null;
template <typename ValueTypeT>
class TrivialType_T;

typedef TrivialType_T<double> Number;
typedef TrivialType_T<std::string> String;
typedef TrivialType_T<bool> Boolean;

class ConstVisitor {
 public:
  virtual ~ConstVisitor() {}
  virtual void Visit(const Array &array) = 0;
  virtual void Visit(const Object &object) = 0;
  virtual void Visit(const Number &number) = 0;
  virtual void Visit(const String &string) = 0;
  virtual void Visit(const Boolean &boolean) = 0;
  virtual void Visit(const Null &null) = 0;
};

class Visitor {
 public:
  virtual ~Visitor() {}
  virtual void Visit(Array &array) = 0;
  virtual void Visit(Object &object) = 0;
  virtual void Visit(Number &number) = 0;
  virtual void Visit(String &string) = 0;
  virtual void Visit(Boolean &boolean) = 0;
  virtual void Visit(Null &null) = 0;
};

}  // namespace json
