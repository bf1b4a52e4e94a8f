#include "Engine/json/Writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <string>

#include "Engine/json/Reader.h"

using json::Array;
using json::Boolean;
using json::Null;
using json::Number;
using json::Object;
using json::String;

namespace {

std::string Write(const Object &object) {
  std::ostringstream stream;
  json::Writer::Write(object, stream);
  return stream.str();
}

std::string WriteValue(const json::UnknownElement &value) {
  Object object;
  object["v"] = value;
  return Write(object);
}

// The text a lone member's value is written as.
std::string ValueText(const json::UnknownElement &value) {
  std::string text = WriteValue(value);
  const std::string head = "{\n\t\"v\" : ", tail = "\n}";
  EXPECT_EQ(head, text.substr(0, head.size()));
  EXPECT_EQ(tail, text.substr(text.size() - tail.size()));
  return text.substr(head.size(), text.size() - head.size() - tail.size());
}

}  // namespace

TEST(JsonWriterTest, LayoutIsTabIndentedWithNoFinalLineFeed) {
  Object object;
  object["a"] = Number(1);
  Array array;
  array.Insert(Number(1), array.End());
  array.Insert(Number(2), array.End());
  object["b"] = array;
  object["c"] = Object();
  object["d"] = String("x");

  EXPECT_EQ(
      "{\n"
      "\t\"a\" : 1,\n"
      "\t\"b\" : [\n"
      "\t\t1,\n"
      "\t\t2\n"
      "\t],\n"
      "\t\"c\" : {},\n"
      "\t\"d\" : \"x\"\n"
      "}",
      Write(object));
}

TEST(JsonWriterTest, EmptyContainersAndNesting) {
  EXPECT_EQ("{}", Write(Object()));

  Object inner;
  inner["e"] = Array();
  inner["t"] = Boolean(true);
  inner["f"] = Boolean(false);
  inner["n"] = Null();
  Array list;
  list.Insert(inner, list.End());
  Object outer;
  outer["list"] = list;
  EXPECT_EQ(
      "{\n"
      "\t\"list\" : [\n"
      "\t\t{\n"
      "\t\t\t\"e\" : [],\n"
      "\t\t\t\"t\" : true,\n"
      "\t\t\t\"f\" : false,\n"
      "\t\t\t\"n\" : null\n"
      "\t\t}\n"
      "\t]\n"
      "}",
      Write(outer));
}

TEST(JsonWriterTest, NumbersTakeTheirPrecisionFromPercentG) {
  struct Case {
    double value;
    const char *text;
  };
  const Case cases[] = {
      {0.5, "0.5"},
      {640, "640"},
      {double(0.1f), "0.1"},
      {double(12.34f), "12.34"},
      {double(1.0f / 3.0f), "0.33333334"},
      {123456.7, "123457"},
      {1000000, "1000000"},
      {1234567, "1234567"},
      {0.00001, "1.0000000000000000818e-05"},
      {-0.25, "-0.25"},
      {0, "0"},
      {4294967295.0, "4294967295"},
      {-128, "-128"},
      {std::nan(""), "nan"},
      {std::numeric_limits<double>::infinity(), "inf"},
      {-std::numeric_limits<double>::infinity(), "-inf"},
  };
  for (const Case &c : cases) EXPECT_EQ(c.text, ValueText(Number(c.value))) << c.text;
}

TEST(JsonWriterTest, StringsEscapeOnlyQuotesBackslashesAndFiveControls) {
  struct Case {
    std::string value;
    std::string text;
  };
  const Case cases[] = {
      {"a\"b\\c", "\"a\\\"b\\\\c\""},
      {"\b\f\n\r\t", "\"\\b\\f\\n\\r\\t\""},
      {"/", "\"/\""},
      {std::string("\x0b\x01", 2), std::string("\"\x0b\x01\"", 4)},
      {"\xc8\xef\xbb\xbf", "\"\xc8\xef\xbb\xbf\""},
      {std::string("a\0b", 3), std::string("\"a\0b\"", 5)},
  };
  for (const Case &c : cases) EXPECT_EQ(c.text, ValueText(String(c.value)));
}

TEST(JsonWriterTest, MemberNamesAreEscapedAndReadBack) {
  Object object;
  object["say \"hi\"\\\n"] = Number(1);
  EXPECT_EQ("{\n\t\"say \\\"hi\\\"\\\\\\n\" : 1\n}", Write(object));

  std::istringstream stream(Write(object));
  Object read;
  json::Reader::Read(read, stream);
  EXPECT_TRUE(read == object);
}
