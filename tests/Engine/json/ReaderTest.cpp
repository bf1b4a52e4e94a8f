#include "Engine/json/Reader.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "Engine/json/Writer.h"

using json::Array;
using json::Boolean;
using json::Null;
using json::Number;
using json::Object;
using json::Reader;
using json::String;

namespace {

Object Read(const std::string &text) {
  std::istringstream stream(text);
  Object object;
  Reader::Read(object, stream);
  return object;
}

std::string Write(const Object &object) {
  std::ostringstream stream;
  json::Writer::Write(object, stream);
  return stream.str();
}

enum Kind { kScan, kParse, kNone };

struct Failure {
  Kind kind = kNone;
  std::string message;
  Reader::Location begin;  // the scan location, or the token's begin
  Reader::Location end;
};

Failure ReadFailure(const std::string &text) {
  Failure failure;
  try {
    Read(text);
  } catch (const Reader::ScanException &e) {
    failure.kind = kScan;
    failure.message = e.what();
    failure.begin = e.m_locError;
  } catch (const Reader::ParseException &e) {
    failure.kind = kParse;
    failure.message = e.what();
    failure.begin = e.m_locTokenBegin;
    failure.end = e.m_locTokenEnd;
  }
  return failure;
}

std::string Where(const Reader::Location &location) {
  return std::to_string(location.m_nLine) + ":" + std::to_string(location.m_nLineOffset) + ":" +
         std::to_string(location.m_nDocOffset);
}

}  // namespace

TEST(JsonReaderTest, WrittenDocumentsReadBackEqualAndRewriteIdentically) {
  const char *documents[] = {
      "{}",
      "{\n\t\"a\" : 1\n}",
      "{\n\t\"a\" : 1,\n\t\"b\" : [\n\t\t1,\n\t\t2\n\t],\n\t\"c\" : {},\n\t\"d\" : \"x\"\n}",
      "{\n\t\"n\" : null,\n\t\"t\" : true,\n\t\"f\" : false,\n\t\"e\" : []\n}",
      "{\n\t\"s\" : \"tab\\tline\\nquote\\\"back\\\\\\b\\f\\r\"\n}",
      "{\n\t\"latin\" : \"\xe9t\xe9 \xff\"\n}",
      "{\n\t\"deep\" : [\n\t\t[\n\t\t\t{\n\t\t\t\t\"x\" : -0.25\n\t\t\t}\n\t\t]\n\t]\n}",
      "{\n\t\"big\" : 4294967295,\n\t\"small\" : 1.0000000000000000818e-05,\n\t\"third\" : 0.33333334\n}",
      "{\n\t\"B\" : 1,\n\t\"b\" : 2\n}",
  };
  for (const char *document : documents) {
    Object object;
    ASSERT_NO_THROW(object = Read(document)) << document;
    EXPECT_EQ(document, Write(object));
    EXPECT_TRUE(Read(Write(object)) == object) << document;
  }
}

TEST(JsonReaderTest, AcceptsTheEnginesLooserLanguage) {
  Object object = Read(
      " \v\f\r\n{\"zero\":007,\"point\":1.,\"exp\":2E+2,\"neg\":-0.5,"
      "\"raw\":\"a\tb\nc\",\"slash\":\"\\/\",\"nested\":{\"k\":[true,false,null]}}\t\n");
  const Object &o = object;
  EXPECT_EQ(7.0, o["zero"].CastTo<Number>().Value());
  EXPECT_EQ(1.0, o["point"].CastTo<Number>().Value());
  EXPECT_EQ(200.0, o["exp"].CastTo<Number>().Value());
  EXPECT_EQ(-0.5, o["neg"].CastTo<Number>().Value());
  EXPECT_EQ("a\tb\nc", o["raw"].CastTo<String>().Value());
  EXPECT_EQ("/", o["slash"].CastTo<String>().Value());
  const Array &list = o["nested"].CastTo<Object>()["k"].CastTo<Array>();
  ASSERT_EQ(3u, list.Size());
  EXPECT_TRUE(list.Begin()[0].CastTo<Boolean>().Value());
  EXPECT_FALSE(list.Begin()[1].CastTo<Boolean>().Value());
  EXPECT_NO_THROW(list.Begin()[2].CastTo<Null>());

  // Members in document order.
  std::string names;
  for (const Object::Member &member : o) names += member.name + ",";
  EXPECT_EQ("zero,point,exp,neg,raw,slash,nested,", names);
}

TEST(JsonReaderTest, BadDocumentsGiveLocatedErrors) {
  struct Case {
    std::string text;
    Kind kind;
    std::string message;
    std::string begin;
    std::string end;
  };
  const Case cases[] = {
      {"", kParse, "Unexpected End of token stream", "0:0:0", "0:0:0"},
      {" \n\t ", kParse, "Unexpected End of token stream", "0:0:0", "0:0:0"},
      {"\xef\xbb\xbf{}", kScan, "Unexpected character in stream: \xef", "0:0:0", ""},
      {"{\"a\":\"\x80\"} \x80", kScan, "Unexpected character in stream: \x80", "0:10:10", ""},
      {"[1]", kParse, "Unexpected token: [", "0:0:0", "0:1:1"},
      {"{\"a\":1,}", kParse, "Unexpected token: }", "0:7:7", "0:8:8"},
      {"{\"a\":[1,]}", kParse, "Unexpected token: ]", "0:8:8", "0:9:9"},
      {"{\"a\":1", kParse, "Unexpected End of token stream", "0:0:0", "0:0:0"},
      {"{\"a\":", kParse, "Unexpected end of token stream", "0:0:0", "0:0:0"},
      {"{\"a\":1,", kParse, "Unexpected End of token stream", "0:0:0", "0:0:0"},
      {"{\"a\":[", kParse, "Unexpected End of token stream", "0:0:0", "0:0:0"},
      {"{}}", kParse, "Expected End of token stream; found }", "0:2:2", "0:3:3"},
      {"{\"a\":tru}", kScan, "Expected string: true", "0:9:9", ""},
      {"{\"a\":nan}", kScan, "Expected string: null", "0:7:7", ""},
      {"{\"a\":inf}", kScan, "Unexpected character in stream: i", "0:5:5", ""},
      {"{\"a\":True}", kScan, "Unexpected character in stream: T", "0:5:5", ""},
      {"{\"a\":\"\\u0041\"}", kScan, "Unrecognized escape sequence found in string: \\u", "0:8:8", ""},
      {"{\"a\":\"open", kScan, "Expected string: \"", "0:10:10", ""},
      {"{\"a\":1.2.3}", kParse, "Unexpected character in NUMBER token: .", "0:5:5", "0:10:10"},
      {"{\"a\":1-2}", kParse, "Unexpected character in NUMBER token: -", "0:5:5", "0:8:8"},
      {"{\"a\":-}", kParse, "Unexpected character in NUMBER token: -", "0:5:5", "0:6:6"},
      {"{\"a\":1e999}", kParse, "Number out of range in NUMBER token: 1e999", "0:5:5", "0:10:10"},
      {"{\"a\":-1e999}", kParse, "Number out of range in NUMBER token: -1e999", "0:5:5", "0:11:11"},
      {"{\"a\":+1}", kScan, "Unexpected character in stream: +", "0:5:5", ""},
      {"{\"a\":.5}", kScan, "Unexpected character in stream: .", "0:5:5", ""},
      {"{\"a\":1,\n \"a\":2}", kParse, "Duplicate object member token: a", "1:1:9", "1:4:12"},
      {"{\"a\" 1 #}", kScan, "Unexpected character in stream: #", "0:7:7", ""},
      {"{\n  #", kScan, "Unexpected character in stream: #", "1:2:4", ""},
      {"{1:2}", kParse, "Unexpected token: 1", "0:1:1", "0:2:2"},
      {"{\"a\":}", kParse, "Unexpected token: }", "0:5:5", "0:6:6"},
  };
  for (const Case &c : cases) {
    Failure failure = ReadFailure(c.text);
    EXPECT_EQ(c.kind, failure.kind) << c.text;
    EXPECT_EQ(c.message, failure.message) << c.text;
    EXPECT_EQ(c.begin, Where(failure.begin)) << c.text;
    if (c.kind == kParse) {
      EXPECT_EQ(c.end, Where(failure.end)) << c.text;
    }
  }
}

TEST(JsonReaderTest, FailureKeepsCompleteMembersAndExistingOnes) {
  Object object;
  object["old"] = Number(1);
  std::istringstream stream("{\"a\":1,\"b\":[1,2,x],\"c\":3}");
  EXPECT_THROW(Reader::Read(object, stream), Reader::ScanException);
  EXPECT_EQ(1u, object.Size());

  std::istringstream parseStream("{\"a\":1,\"b\":[1,2,}],\"c\":3}");
  EXPECT_THROW(Reader::Read(object, parseStream), Reader::ParseException);
  const Object &o = object;
  ASSERT_EQ(2u, o.Size());
  EXPECT_EQ(1.0, o["old"].CastTo<Number>().Value());
  EXPECT_EQ(1.0, o["a"].CastTo<Number>().Value());

  // A duplicate of a member that was there before the read.
  std::istringstream duplicate("{\"old\":2}");
  EXPECT_THROW(Reader::Read(object, duplicate), Reader::ParseException);
  EXPECT_EQ(1.0, o["old"].CastTo<Number>().Value());
}

TEST(JsonReaderTest, NestingDepthIsBounded) {
  const unsigned limit = Reader::kMaxNestingDepth;
  auto nested = [](unsigned depth) {
    // The top-level object is the first level.
    std::string text = "{\"a\":";
    for (unsigned i = 1; i < depth; ++i) text += "[";
    text += "0";
    for (unsigned i = 1; i < depth; ++i) text += "]";
    return text + "}";
  };
  EXPECT_NO_THROW(Read(nested(limit)));

  Failure failure = ReadFailure(nested(limit + 1));
  EXPECT_EQ(kParse, failure.kind);
  EXPECT_EQ("Nesting too deep (more than 256 levels) at token: [", failure.message);
  EXPECT_EQ(5u + limit - 1, failure.begin.m_nDocOffset);

  // Far deeper input fails the same way instead of exhausting the stack.
  failure = ReadFailure("{\"a\":" + std::string(200000, '[') + std::string(200000, ']') + "}");
  EXPECT_EQ(kParse, failure.kind);

  failure = ReadFailure(std::string(100000, '{'));
  EXPECT_EQ(kParse, failure.kind);
}

TEST(JsonReaderTest, OversizedInputIsRefused) {
  std::string text = "{\"s\":\"" + std::string(Reader::kMaxDocumentSize, 'x') + "\"}";
  Failure failure = ReadFailure(text);
  EXPECT_EQ(kScan, failure.kind);
  EXPECT_EQ("Document too large (more than 16777216 characters)", failure.message);
  EXPECT_EQ(Reader::kMaxDocumentSize, failure.begin.m_nDocOffset);

  std::string commas(Reader::kMaxTokens + 10, ',');
  failure = ReadFailure(commas);
  EXPECT_EQ(kScan, failure.kind);
  EXPECT_EQ("Too many tokens in stream (more than 1048576)", failure.message);
}
