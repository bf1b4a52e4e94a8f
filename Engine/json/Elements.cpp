#include "Engine/json/Elements.h"

namespace json {

UnknownElement::UnknownElement() : m_pImp(new Imp_T<Null>(Null())) {}
UnknownElement::UnknownElement(const UnknownElement &unknown) : m_pImp(unknown.m_pImp->Clone()) {}
UnknownElement::UnknownElement(const Object &object) : m_pImp(new Imp_T<Object>(object)) {}
UnknownElement::UnknownElement(const Array &array) : m_pImp(new Imp_T<Array>(array)) {}
UnknownElement::UnknownElement(const Number &number) : m_pImp(new Imp_T<Number>(number)) {}
UnknownElement::UnknownElement(const Boolean &boolean) : m_pImp(new Imp_T<Boolean>(boolean)) {}
UnknownElement::UnknownElement(const String &string) : m_pImp(new Imp_T<String>(string)) {}
UnknownElement::UnknownElement(const Null &null) : m_pImp(new Imp_T<Null>(null)) {}

UnknownElement::~UnknownElement() { delete m_pImp; }

UnknownElement &UnknownElement::operator=(const UnknownElement &unknown) {
  // Clone before releasing: the new value may live inside the old one.
  Imp *pImp = unknown.m_pImp->Clone();
  delete m_pImp;
  m_pImp = pImp;
  return *this;
}

void UnknownElement::Accept(ConstVisitor &visitor) const { m_pImp->Accept(visitor); }
void UnknownElement::Accept(Visitor &visitor) { m_pImp->Accept(visitor); }

bool UnknownElement::operator==(const UnknownElement &element) const { return m_pImp->Compare(*element.m_pImp); }

Object::Member::Member(const std::string &nameIn, const UnknownElement &elementIn)
    : name(nameIn), element(elementIn) {}

bool Object::Member::operator==(const Member &member) const {
  return name == member.name && element == member.element;
}

bool Object::operator==(const Object &object) const { return m_Members == object.m_Members; }

Object::iterator Object::Find(const std::string &name) {
  for (iterator it = m_Members.begin(); it != m_Members.end(); ++it) {
    if (it->name == name) return it;
  }
  return m_Members.end();
}

Object::const_iterator Object::Find(const std::string &name) const {
  for (const_iterator it = m_Members.begin(); it != m_Members.end(); ++it) {
    if (it->name == name) return it;
  }
  return m_Members.end();
}

Object::iterator Object::Insert(const Member &member, iterator itWhere) {
  if (Find(member.name) != m_Members.end()) throw Exception("Object member already exists: " + member.name);
  return m_Members.insert(itWhere, member);
}

UnknownElement &Object::operator[](const std::string &name) {
  iterator it = Find(name);
  if (it == m_Members.end()) it = Insert(Member(name), End());
  return it->element;
}

const UnknownElement &Object::operator[](const std::string &name) const {
  const_iterator it = Find(name);
  if (it == m_Members.end()) throw Exception("Object member not found: " + name);
  return it->element;
}

Array::iterator Array::Insert(const UnknownElement &element, iterator itWhere) {
  return m_Elements.insert(itWhere, element);
}

}  // namespace json
