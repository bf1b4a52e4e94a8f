// The JSON document model: an element holds one value of six kinds (object, array, number,
// string, boolean, null); objects keep their members in insertion order. Misuse throws
// json::Exception. The classes refer to one another, so they share this header.
#pragma once

#include <cstddef>
#include <deque>
#include <list>
#include <string>

#include "Engine/json/Exception.h"
#include "Engine/json/Visitor.h"

namespace json {

// One number, string or boolean.
template <typename ValueTypeT>
class TrivialType_T {
 public:
  TrivialType_T(const ValueTypeT &value = ValueTypeT()) : m_tValue(value) {}

  operator ValueTypeT &() { return m_tValue; }
  operator const ValueTypeT &() const { return m_tValue; }
  ValueTypeT &Value() { return m_tValue; }
  const ValueTypeT &Value() const { return m_tValue; }

  bool operator==(const TrivialType_T &trivial) const { return m_tValue == trivial.m_tValue; }
  bool operator!=(const TrivialType_T &trivial) const { return !(*this == trivial); }
  // Without these, comparing with a plain value would be ambiguous with the conversion.
  bool operator==(const ValueTypeT &value) const { return m_tValue == value; }
  bool operator!=(const ValueTypeT &value) const { return !(m_tValue == value); }

 private:
  ValueTypeT m_tValue;
};

class Null {
 public:
  bool operator==(const Null &) const { return true; }
  bool operator!=(const Null &) const { return false; }
};

// Owns exactly one holder of a value; copies are deep.
class UnknownElement {
 public:
  UnknownElement();
  UnknownElement(const UnknownElement &unknown);
  UnknownElement(const Object &object);
  UnknownElement(const Array &array);
  UnknownElement(const Number &number);
  UnknownElement(const Boolean &boolean);
  UnknownElement(const String &string);
  UnknownElement(const Null &null);
  ~UnknownElement();

  UnknownElement &operator=(const UnknownElement &unknown);

  // The held value, or json::Exception "Bad cast" when it is of another kind.
  template <typename ElementTypeT>
  const ElementTypeT &CastTo() const;
  // The held value; a value of another kind is first replaced by a default one.
  template <typename ElementTypeT>
  ElementTypeT &ConvertTo();

  void Accept(ConstVisitor &visitor) const;
  void Accept(Visitor &visitor);

  bool operator==(const UnknownElement &element) const;
  bool operator!=(const UnknownElement &element) const { return !(*this == element); }

 private:
  class Imp;
  template <typename ElementTypeT>
  class Imp_T;
  class CastVisitor;
  class ConstCastVisitor;
  template <typename ElementTypeT>
  class CastVisitor_T;
  template <typename ElementTypeT>
  class ConstCastVisitor_T;

  Imp *m_pImp;
};

class Object {
 public:
  struct Member {
    Member(const std::string &nameIn = std::string(), const UnknownElement &elementIn = UnknownElement());
    bool operator==(const Member &member) const;

    std::string name;
    UnknownElement element;
  };

  // A list, so positions held by a caller stay valid while members are added.
  typedef std::list<Member> Members;
  typedef Members::iterator iterator;
  typedef Members::const_iterator const_iterator;

  bool operator==(const Object &object) const;
  bool operator!=(const Object &object) const { return !(*this == object); }

  iterator Begin() { return m_Members.begin(); }
  iterator End() { return m_Members.end(); }
  const_iterator Begin() const { return m_Members.begin(); }
  const_iterator End() const { return m_Members.end(); }
  iterator begin() { return m_Members.begin(); }
  iterator end() { return m_Members.end(); }
  const_iterator begin() const { return m_Members.begin(); }
  const_iterator end() const { return m_Members.end(); }
  size_t Size() const { return m_Members.size(); }
  bool Empty() const { return m_Members.empty(); }

  // Linear search by exact (case-sensitive) name; End() when absent.
  iterator Find(const std::string &name);
  const_iterator Find(const std::string &name) const;

  // Inserts a copy before itWhere; throws when the name is already present.
  iterator Insert(const Member &member, iterator itWhere);

  // Appends a null member when the name is absent.
  UnknownElement &operator[](const std::string &name);
  // Throws when the name is absent.
  const UnknownElement &operator[](const std::string &name) const;

 private:
  Members m_Members;
};

class Array {
 public:
  typedef std::deque<UnknownElement> Elements;
  typedef Elements::iterator iterator;
  typedef Elements::const_iterator const_iterator;

  bool operator==(const Array &array) const { return m_Elements == array.m_Elements; }
  bool operator!=(const Array &array) const { return !(*this == array); }

  iterator Begin() { return m_Elements.begin(); }
  iterator End() { return m_Elements.end(); }
  const_iterator Begin() const { return m_Elements.begin(); }
  const_iterator End() const { return m_Elements.end(); }
  iterator begin() { return m_Elements.begin(); }
  iterator end() { return m_Elements.end(); }
  const_iterator begin() const { return m_Elements.begin(); }
  const_iterator end() const { return m_Elements.end(); }
  size_t Size() const { return m_Elements.size(); }
  bool Empty() const { return m_Elements.empty(); }

  // Inserts a copy before itWhere (End() appends).
  iterator Insert(const UnknownElement &element, iterator itWhere);

 private:
  Elements m_Elements;
};

// The holder interface and its implementation for each kind.
class UnknownElement::Imp {
 public:
  virtual ~Imp() {}
  virtual Imp *Clone() const = 0;
  virtual bool Compare(const Imp &imp) const = 0;
  virtual void Accept(ConstVisitor &visitor) const = 0;
  virtual void Accept(Visitor &visitor) = 0;
};

class UnknownElement::ConstCastVisitor : public ConstVisitor {
 public:
  void Visit(const Array &) override {}
  void Visit(const Object &) override {}
  void Visit(const Number &) override {}
  void Visit(const String &) override {}
  void Visit(const Boolean &) override {}
  void Visit(const Null &) override {}
};

template <typename ElementTypeT>
class UnknownElement::ConstCastVisitor_T : public UnknownElement::ConstCastVisitor {
 public:
  using ConstCastVisitor::Visit;
  void Visit(const ElementTypeT &element) override { m_pElement = &element; }
  const ElementTypeT *m_pElement = nullptr;
};

class UnknownElement::CastVisitor : public Visitor {
 public:
  void Visit(Array &) override {}
  void Visit(Object &) override {}
  void Visit(Number &) override {}
  void Visit(String &) override {}
  void Visit(Boolean &) override {}
  void Visit(Null &) override {}
};

template <typename ElementTypeT>
class UnknownElement::CastVisitor_T : public UnknownElement::CastVisitor {
 public:
  using CastVisitor::Visit;
  void Visit(ElementTypeT &element) override { m_pElement = &element; }
  ElementTypeT *m_pElement = nullptr;
};

template <typename ElementTypeT>
class UnknownElement::Imp_T : public UnknownElement::Imp {
 public:
  explicit Imp_T(const ElementTypeT &element) : m_Element(element) {}
  Imp *Clone() const override { return new Imp_T<ElementTypeT>(*this); }
  bool Compare(const Imp &imp) const override {
    ConstCastVisitor_T<ElementTypeT> castVisitor;
    imp.Accept(castVisitor);
    return castVisitor.m_pElement != nullptr && m_Element == *castVisitor.m_pElement;
  }
  void Accept(ConstVisitor &visitor) const override { visitor.Visit(m_Element); }
  void Accept(Visitor &visitor) override { visitor.Visit(m_Element); }

 private:
  ElementTypeT m_Element;
};

template <typename ElementTypeT>
const ElementTypeT &UnknownElement::CastTo() const {
  ConstCastVisitor_T<ElementTypeT> castVisitor;
  m_pImp->Accept(castVisitor);
  if (castVisitor.m_pElement == nullptr) throw Exception("Bad cast");
  return *castVisitor.m_pElement;
}

template <typename ElementTypeT>
ElementTypeT &UnknownElement::ConvertTo() {
  CastVisitor_T<ElementTypeT> castVisitor;
  m_pImp->Accept(castVisitor);
  if (castVisitor.m_pElement == nullptr) {
    *this = ElementTypeT();
    m_pImp->Accept(castVisitor);
  }
  return *castVisitor.m_pElement;
}

}  // namespace json
