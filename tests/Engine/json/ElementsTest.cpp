#include "Engine/json/Elements.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

using json::Array;
using json::Boolean;
using json::Null;
using json::Number;
using json::Object;
using json::String;
using json::UnknownElement;

namespace {

std::string MessageOf(const std::function<void()> &action) {
  try {
    action();
  } catch (const json::Exception &e) {
    return e.what();
  }
  return "(no exception)";
}

// One element of each kind, with a value that differs from the kind's default.
std::vector<UnknownElement> OneOfEachKind() {
  Object object;
  object["a"] = Number(1);
  Array array;
  array.Insert(Number(2), array.End());
  return {UnknownElement(object), UnknownElement(array),        UnknownElement(Number(3.5)),
          UnknownElement(String("12")), UnknownElement(Boolean(true)), UnknownElement(Null())};
}

// Which kinds a cast accepts, in the order of OneOfEachKind.
template <typename T>
std::vector<bool> CastSucceeds() {
  std::vector<bool> result;
  for (const UnknownElement &element : OneOfEachKind()) {
    try {
      element.CastTo<T>();
      result.push_back(true);
    } catch (const json::Exception &e) {
      EXPECT_STREQ("Bad cast", e.what());
      result.push_back(false);
    }
  }
  return result;
}

}  // namespace

TEST(JsonElementsTest, CastAcceptsOnlyTheHeldKind) {
  EXPECT_EQ((std::vector<bool>{true, false, false, false, false, false}), CastSucceeds<Object>());
  EXPECT_EQ((std::vector<bool>{false, true, false, false, false, false}), CastSucceeds<Array>());
  EXPECT_EQ((std::vector<bool>{false, false, true, false, false, false}), CastSucceeds<Number>());
  EXPECT_EQ((std::vector<bool>{false, false, false, true, false, false}), CastSucceeds<String>());
  EXPECT_EQ((std::vector<bool>{false, false, false, false, true, false}), CastSucceeds<Boolean>());
  EXPECT_EQ((std::vector<bool>{false, false, false, false, false, true}), CastSucceeds<Null>());
}

TEST(JsonElementsTest, DefaultElementHoldsNullAndFailedCastChangesNothing) {
  UnknownElement element;
  EXPECT_NO_THROW(element.CastTo<Null>());
  EXPECT_EQ("Bad cast", MessageOf([&] { element.CastTo<Number>(); }));
  EXPECT_TRUE(element == UnknownElement(Null()));

  UnknownElement text = String("12");
  EXPECT_EQ("Bad cast", MessageOf([&] { text.CastTo<Number>(); }));
  EXPECT_EQ("12", text.CastTo<String>().Value());
}

TEST(JsonElementsTest, ConvertToKeepsTheSameKindAndResetsAnother) {
  UnknownElement element = Number(7);
  const Number *held = &element.CastTo<Number>();
  Number &converted = element.ConvertTo<Number>();
  EXPECT_EQ(held, &converted);
  EXPECT_EQ(7.0, converted.Value());

  EXPECT_EQ("", element.ConvertTo<String>().Value());
  EXPECT_EQ("Bad cast", MessageOf([&] { element.CastTo<Number>(); }));

  Array array;
  array.Insert(Number(1), array.End());
  element = array;
  EXPECT_TRUE(element.ConvertTo<Object>().Empty());
  EXPECT_EQ(0.0, element.ConvertTo<Number>().Value());
  EXPECT_FALSE(element.ConvertTo<Boolean>().Value());

  element.ConvertTo<String>() = std::string("set");
  EXPECT_EQ("set", element.CastTo<String>().Value());
}

TEST(JsonElementsTest, NonConstMemberAccessAppendsOnlyNewNames) {
  Object object;
  object["a"] = Number(1);
  object["b"] = Number(2);
  Object::iterator itA = object.Find("a");

  UnknownElement &added = object["c"];
  EXPECT_EQ(3u, object.Size());
  EXPECT_EQ("c", std::prev(object.End())->name);
  EXPECT_NO_THROW(added.CastTo<Null>());

  object["a"] = String("again");
  EXPECT_EQ(3u, object.Size());
  EXPECT_EQ(itA, object.Begin());
  EXPECT_EQ("again", itA->element.CastTo<String>().Value());
}

TEST(JsonElementsTest, ConstMemberAccessAndInsertReportTheName) {
  Object object;
  object["X"] = Number(1);
  const Object &constObject = object;

  EXPECT_EQ("Object member not found: x", MessageOf([&] { constObject["x"]; }));
  EXPECT_EQ(1.0, constObject["X"].CastTo<Number>().Value());
  EXPECT_EQ(constObject.End(), constObject.Find("x"));

  EXPECT_EQ("Object member already exists: X",
            MessageOf([&] { object.Insert(Object::Member("X", Number(2)), object.End()); }));
  EXPECT_EQ(1u, object.Size());
  EXPECT_EQ(1.0, constObject["X"].CastTo<Number>().Value());
}

TEST(JsonElementsTest, InsertPlacesBeforeThePositionAndKeepsOthersValid) {
  Object object;
  Object::iterator itB = object.Insert(Object::Member("b"), object.End());
  object.Insert(Object::Member("a"), itB);
  object.Insert(Object::Member("c"), object.End());
  std::vector<std::string> names;
  for (const Object::Member &member : object) names.push_back(member.name);
  EXPECT_EQ((std::vector<std::string>{"a", "b", "c"}), names);
  EXPECT_EQ("b", itB->name);

  Array array;
  Array::iterator it = array.Insert(Number(3), array.End());
  array.Insert(Number(1), it);
  array.Insert(Number(2), array.Begin() + 1);
  std::vector<double> values;
  for (const UnknownElement &element : array) values.push_back(element.CastTo<Number>().Value());
  EXPECT_EQ((std::vector<double>{1, 2, 3}), values);
}

TEST(JsonElementsTest, CopiesAreDeep) {
  Object source;
  Array list;
  list.Insert(Number(1), list.End());
  source["list"] = list;
  source["name"] = String("x");

  Object copy = source;
  copy["list"].ConvertTo<Array>().Insert(Number(2), copy["list"].ConvertTo<Array>().End());
  copy["name"] = String("y");
  copy["extra"] = Null();

  const Object &constSource = source;
  EXPECT_EQ(2u, constSource.Size());
  EXPECT_EQ(1u, constSource["list"].CastTo<Array>().Size());
  EXPECT_EQ("x", constSource["name"].CastTo<String>().Value());

  // Assigning an element from a value inside it.
  UnknownElement element = source;
  element = element.CastTo<Object>()["list"];
  EXPECT_EQ(1u, element.CastTo<Array>().Size());
}

TEST(JsonElementsTest, Equality) {
  Object ab, ba;
  ab["a"] = Number(1);
  ab["b"] = Number(2);
  ba["b"] = Number(2);
  ba["a"] = Number(1);
  EXPECT_FALSE(ab == ba);
  EXPECT_TRUE(ab == Object(ab));

  Array shorter, longer;
  shorter.Insert(Number(1), shorter.End());
  longer = shorter;
  longer.Insert(Number(2), longer.End());
  EXPECT_FALSE(shorter == longer);
  EXPECT_FALSE(longer == shorter);

  EXPECT_TRUE(UnknownElement() == UnknownElement(Null()));
  EXPECT_FALSE(UnknownElement(Number(0)) == UnknownElement(Boolean(false)));
  EXPECT_FALSE(UnknownElement(String("1")) == UnknownElement(Number(1)));
  EXPECT_FALSE(UnknownElement(Number(NAN)) == UnknownElement(Number(NAN)));
  EXPECT_FALSE(UnknownElement(String(std::string("a\0b", 3))) == UnknownElement(String(std::string("a\0c", 3))));
  EXPECT_FALSE(UnknownElement(String("Name")) == UnknownElement(String("name")));
}
