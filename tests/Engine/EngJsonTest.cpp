#include "Engine/EngJson.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <sstream>
#include <string>

#include "Engine/EngDebug.h"
#include "Engine/EngEncryption.h"
#include "Engine/EngFile.h"
#include "Engine/EngMemory.h"
#include "Engine/EngZlib.h"
#include "Engine/json/Reader.h"
#include "Engine/json/Writer.h"
#include "tests/support/TestSupport.h"

namespace {

using qwtest::FileExists;
using qwtest::ReadWholeFile;
using qwtest::WriteWholeFile;

// What the action logged (every message also goes to standard error).
std::string Logged(const std::function<void()> &action) {
  testing::internal::CaptureStderr();
  action();
  return testing::internal::GetCapturedStderr();
}

json::Object Parse(const std::string &text) {
  json::Object object;
  std::istringstream stream(text);
  json::Reader::Read(object, stream);
  return object;
}

std::string Write(const json::Object &object) {
  std::ostringstream stream;
  json::Writer::Write(object, stream);
  return stream.str();
}

class EngJsonTest : public testing::Test {
 protected:
  void SetUp() override {
    DebugResetForTests();
    EngEncryptionResetForTests();
    ASSERT_EQ(EngEncryptionInit("JSON_TEST_KEY"), 1);
  }
  void TearDown() override { EngEncryptionResetForTests(); }
  std::string Path(const std::string &name) const { return dir.File(name); }

  qwtest::TempDir dir;
};

// A document with one member of each kind the getters meet.
const char kDoc[] =
    "{ \"neg\" : -2.7, \"minus1\" : -1, \"big\" : 300, \"c200\" : 200, \"c-129\" : -129, \"i70000\" : 70000,"
    "  \"huge\" : 3e10, \"tiny\" : -3e10, \"u2p32\" : 4294967301, \"tenth\" : 0.1, \"text\" : \"hello\","
    "  \"list\" : [1, 2], \"flag\" : true }";

}  // namespace

// ---------------------------------------------------------------------------------------------
// Lookups with a report flag

TEST_F(EngJsonTest, NumberGettersConvertByTruncatingAndKeepingLowBits) {
  const json::Object doc = Parse(kDoc);
  typedef std::function<char(const char *, char, double *)> Getter;
  auto as = [&](auto function, auto zero) -> Getter {
    return [&doc, function, zero](const char *name, char report, double *value) {
      auto out = zero;
      char result = function(doc, name, &out, report);
      *value = double(out);
      return result;
    };
  };
  const Getter get_char = as(EngJsonGetCharFromObjectElement, char(0));
  const Getter get_uchar = as(EngJsonGetUnsignedCharFromObjectElement, (unsigned char)0);
  const Getter get_int8 = as(EngJsonGetEInt8FromObjectElement, (signed char)0);
  const Getter get_uint8 = as(EngJsonGetEUInt8FromObjectElement, (unsigned char)0);
  const Getter get_float = as(EngJsonGetFloatFromObjectElement, 0.0f);
  const Getter get_int = as(EngJsonGetEIntFromObjectElement, eint(0));
  const Getter get_uint = as(EngJsonGetEUIntFromObjectElement, euint(0));
  const Getter get_int16 = as(EngJsonGetEInt16FromObjectElement, EngInt16(0));
  const Getter get_uint16 = as(EngJsonGetEUInt16FromObjectElement, EngUInt16(0));

  struct Case {
    const char *what;
    const Getter &get;
    const char *name;
    char result;
    double value;
  };
  const Case cases[] = {
      {"int truncates toward zero", get_int, "neg", 1, -2},
      {"uint keeps the low 32 bits of -1", get_uint, "minus1", 1, 4294967295.0},
      {"uint keeps the low 32 bits above 2^32", get_uint, "u2p32", 1, 5},
      {"unsigned char keeps the low 8 bits", get_uchar, "big", 1, 44},
      {"eint8 is the char getter", get_int8, "c200", 1, -56},
      {"char of 200 wraps to -56", get_char, "c200", 1, -56},
      {"char of -129 wraps to 127", get_char, "c-129", 1, 127},
      {"char of -2.7 is -2", get_char, "neg", 1, -2},
      {"euint8 of 300", get_uint8, "big", 1, 44},
      {"int16 keeps the low 16 bits", get_int16, "i70000", 1, 4464},
      {"uint16 of -1", get_uint16, "minus1", 1, 65535},
      {"int saturates above the range", get_int, "huge", 1, 2147483647.0},
      {"int saturates below the range", get_int, "tiny", 1, -2147483648.0},
      {"float rounds to nearest", get_float, "tenth", 1, double(0.1f)},
      {"string is the wrong kind", get_int, "text", 0, 0},
      {"boolean is the wrong kind", get_float, "flag", 0, 0},
      {"array is the wrong kind", get_char, "list", 0, 0},
      {"missing member", get_uint16, "absent", 0, 0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    double value = 12345;
    char result = 9;
    // Without the report flag nothing is logged, whatever happens.
    EXPECT_EQ("", Logged([&] { result = c.get(c.name, 0, &value); }));
    EXPECT_EQ(c.result, result);
    EXPECT_EQ(c.value, value);
  }
}

TEST_F(EngJsonTest, ReportFlagLogsMissingMembersAndWrongKinds) {
  const json::Object doc = Parse(kDoc);
  char out = 'x';
  std::string log = Logged([&] { EXPECT_EQ(0, EngJsonDoesElementExistInObject(doc, "x", 1)); });
  EXPECT_NE(std::string::npos,
            log.find("( EngJsonDoesElementExistInObject )    Exception <Object member not found: x> for element <x>"))
      << log;
  EXPECT_EQ("", Logged([&] { EXPECT_EQ(0, EngJsonDoesElementExistInObject(doc, "x", 0)); }));
  EXPECT_EQ(1, EngJsonDoesElementExistInObject(doc, "flag", 1));

  log = Logged([&] { EXPECT_EQ(0, EngJsonGetCharFromObjectElement(doc, "text", &out, 1)); });
  EXPECT_NE(std::string::npos, log.find("EngJsonGetCharFromObjectElement )    Exception <Bad cast> for element <text>"))
      << log;
  EXPECT_EQ(0, out);
  // The 8-bit aliases report under the getters they stand for.
  signed char s8 = 5;
  log = Logged([&] { EXPECT_EQ(0, EngJsonGetEInt8FromObjectElement(doc, "nope", &s8, 1)); });
  EXPECT_NE(std::string::npos, log.find("( EngJsonGetCharFromObjectElement )")) << log;

  log = Logged([&] { EXPECT_EQ(nullptr, EngJsonGetElementFromObject(doc, "nope", 1)); });
  EXPECT_NE(std::string::npos, log.find("Object member not found: nope")) << log;
  const json::UnknownElement *element = EngJsonGetElementFromObject(doc, "list", 0);
  ASSERT_NE(nullptr, element);
  EXPECT_EQ(&doc["list"], element);
}

TEST_F(EngJsonTest, BadParametersAreReportedAndLeaveNumberOutputsAlone) {
  const json::Object doc = Parse(kDoc);
  for (const char *name : {(const char *)nullptr, ""}) {
    SCOPED_TRACE(name ? "empty name" : "null name");
    eint value = 77;
    std::string log = Logged([&] { EXPECT_EQ(0, EngJsonGetEIntFromObjectElement(doc, name, &value, 0)); });
    EXPECT_NE(std::string::npos, log.find("Bad parameters.")) << log;
    EXPECT_EQ(77, value);
    log = Logged([&] { EXPECT_EQ(0, EngJsonDoesElementExistInObject(doc, name, 0)); });
    EXPECT_NE(std::string::npos, log.find("Bad parameters.")) << log;
    char buffer[8] = "junk";
    EXPECT_EQ(0, EngJsonGetStringFromObjectElement(doc, name, buffer, sizeof buffer, 0));
    EXPECT_STREQ("", buffer);  // a buffer with a size is emptied even so
  }
  EXPECT_EQ(0, EngJsonGetEUIntFromObjectElement(doc, "big", nullptr, 0));
  char buffer[4] = "abc";
  EXPECT_EQ(0, EngJsonGetStringFromObjectElement(doc, "text", buffer, 0, 0));
  EXPECT_STREQ("abc", buffer);
  EXPECT_EQ(0, EngJsonGetStringFromObjectElement(doc, "text", nullptr, 4, 0));
}

TEST_F(EngJsonTest, StringGettersCopyBoundedOrPointIntoTheDocument) {
  const json::Object doc = Parse(kDoc);
  char small[4] = "xyz";
  EXPECT_EQ(1, EngJsonGetStringFromObjectElement(doc, "text", small, sizeof small, 1));
  EXPECT_STREQ("hel", small);
  char large[32];
  EXPECT_EQ(1, EngJsonGetStringFromObjectElement(doc, "text", large, sizeof large, 1));
  EXPECT_STREQ("hello", large);
  EXPECT_EQ(0, EngJsonGetStringFromObjectElement(doc, "big", large, sizeof large, 0));
  EXPECT_STREQ("", large);

  const char *text = EngJsonGetStringFromObjectElement(doc, "text", 1);
  ASSERT_NE(nullptr, text);
  EXPECT_EQ(doc["text"].CastTo<json::String>().Value().c_str(), text);
  EXPECT_EQ(nullptr, EngJsonGetStringFromObjectElement(doc, "big", 0));
}

// ---------------------------------------------------------------------------------------------
// Setters

TEST_F(EngJsonTest, SettersStoreNumbersAndArraysUnderOneName) {
  json::Object object;
  EXPECT_EQ(1, EngJsonAddDimensionToObject(object, "area", _Dimension{10, 20, 300, 40.5f}));
  EXPECT_EQ(
      "{\n"
      "\t\"area\" : [\n"
      "\t\t10,\n"
      "\t\t20,\n"
      "\t\t300,\n"
      "\t\t40.5\n"
      "\t]\n"
      "}",
      Write(object));

  EXPECT_EQ(1, EngJsonAddVector2dToObject(object, "pos", _Vector2d{-1.5f, 2}));
  EXPECT_EQ(1, EngJsonAddCharToObject(object, "c", char(-5)));
  EXPECT_EQ(1, EngJsonAddInt32ToObject(object, "i", INT32_MIN));
  EXPECT_EQ(1, EngJsonAddUInt32ToObject(object, "u", 4294967295u));
  EXPECT_EQ(1, EngJsonAddFloatToObject(object, "f", 0.1f));
  EXPECT_EQ(1, EngJsonAddStringToObject(object, "s", ""));
  // A second value under a name replaces the first in its place, whatever kind it was.
  EXPECT_EQ(1, EngJsonAddStringToObject(object, "area", "now a string"));

  const json::Object expected = Parse(
      "{ \"area\" : \"now a string\", \"pos\" : [-1.5, 2], \"c\" : -5, \"i\" : -2147483648, \"u\" : 4294967295,"
      "  \"f\" : 0, \"s\" : \"\" }");
  ASSERT_EQ(expected.Size(), object.Size());
  auto it = object.Begin();
  for (const json::Object::Member &member : expected) {
    EXPECT_EQ(member.name, it->name);
    if (member.name != "f") {
      EXPECT_EQ(member.element, it->element) << member.name;
    }
    ++it;
  }
  EXPECT_EQ(double(0.1f), object["f"].CastTo<json::Number>().Value());  // widened exactly

  std::string log = Logged([&] { EXPECT_EQ(0, EngJsonAddStringToObject(object, "x", nullptr)); });
  EXPECT_NE(std::string::npos, log.find("Bad parameters.")) << log;
  EXPECT_EQ(0, EngJsonAddCharToObject(object, "", 1));
  EXPECT_EQ(0, EngJsonAddFloatToObject(object, nullptr, 1));
  EXPECT_EQ(expected.Size(), object.Size());
}

TEST_F(EngJsonTest, AddNumbersSkipsNullPointersAndKeepsTheRest) {
  const float a = 1.25f, c = -3;
  const char ch = -7, ch2 = 100;
  const int i1 = 5, i4 = -6;
  const double d = 1e100;
  json::Object object;
  EXPECT_EQ(1, EngJsonAddNumbersToObject(object, "floats", &a, nullptr, &c, nullptr));
  EXPECT_EQ(1, EngJsonAddNumbersToObject(object, "none", (const float *)nullptr, nullptr, nullptr, nullptr));
  EXPECT_EQ(1, EngJsonAddNumbersToObject(object, "mixed", &ch, nullptr, &a, nullptr, &c));
  EXPECT_EQ(1, EngJsonAddNumbersToObject(object, "chars", &ch, &ch2, nullptr, nullptr, &ch));
  EXPECT_EQ(1, EngJsonAddNumbersToObject(object, "ints", &i1, nullptr, nullptr, &i4));
  EXPECT_EQ(1, EngJsonAddNumbersToObject(object, "doubles", nullptr, nullptr, &d, (const double *)nullptr));
  EXPECT_EQ(Parse("{ \"floats\" : [1.25, -3], \"none\" : [], \"mixed\" : [-7, 1.25, -3],"
                  "  \"chars\" : [-7, 100, -7], \"ints\" : [5, -6], \"doubles\" : [1e100] }"),
            object);
  EXPECT_EQ(2, EngJsonGetArraySize(object["floats"].CastTo<json::Array>()));
  EXPECT_EQ(0, EngJsonGetArraySize(object["none"].CastTo<json::Array>()));
}

// ---------------------------------------------------------------------------------------------
// Getters that always report

TEST_F(EngJsonTest, ArrayGettersFillLeadingFieldsAndRefuseExtraElements) {
  const json::Object doc = Parse(
      "{ \"two\" : [1, 2], \"four\" : [1, 2, 3, 4.5], \"five\" : [1, 2, 3, 4, 5], \"str5\" : [1, 2, 3, 4, \"x\"],"
      "  \"str2\" : [7, \"x\", 9], \"num\" : 3, \"three\" : [1, 2, 3], \"six\" : [1, 2, 3, 4, 5, 6] }");
  struct Case {
    const char *name;
    char result;
    _Dimension dimension;  // starts as {-1, -1, -1, -1}
    const char *log;
  };
  const Case cases[] = {
      {"two", 1, {1, 2, -1, -1}, nullptr},
      {"four", 1, {1, 2, 3, 4.5f}, nullptr},
      {"five", 0, {1, 2, 3, 4}, "( EngJsonGetDimensionFromObject )    Error during parse."},
      // Every element is checked as a number before its place is.
      {"str5", 0, {1, 2, 3, 4}, "json::Exception <Bad cast>"},
      {"str2", 0, {7, -1, -1, -1}, "json::Exception <Bad cast>"},
      {"num", 0, {-1, -1, -1, -1}, "json::Exception <Bad cast>"},
      {"absent", 0, {-1, -1, -1, -1}, "json::Exception <Object member not found: absent>"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    _Dimension dimension = {-1, -1, -1, -1};
    const std::string log = Logged([&] { EXPECT_EQ(c.result, EngJsonGetDimensionFromObject(doc, c.name, &dimension)); });
    EXPECT_EQ(c.dimension.x, dimension.x);
    EXPECT_EQ(c.dimension.y, dimension.y);
    EXPECT_EQ(c.dimension.width, dimension.width);
    EXPECT_EQ(c.dimension.height, dimension.height);
    if (c.log) {
      EXPECT_NE(std::string::npos, log.find(c.log)) << log;
    } else {
      EXPECT_EQ("", log);
    }
  }

  _Vector2d vector = {9, 9};
  std::string log = Logged([&] { EXPECT_EQ(0, EngJsonGetVector2dFromObject(doc, "three", &vector)); });
  EXPECT_NE(std::string::npos, log.find("Error during parse.")) << log;
  EXPECT_EQ(1, vector.x);
  EXPECT_EQ(2, vector.y);

  eint ints[3] = {0, 0, 0};
  log = Logged([&] { EXPECT_EQ(0, EngJsonGetArrayOfIntsFromObject(doc, "four", 3, ints)); });
  EXPECT_NE(std::string::npos, log.find("( EngJsonGetArrayOfIntsFromObject )    Bad entry num 3 (3).")) << log;
  EXPECT_EQ(3, ints[2]);
  float floats[6] = {0, 0, 0, 0, 0, 0};
  EXPECT_EQ(1, EngJsonGetArrayOfFloatsFromObject(doc, "four", 6, floats));
  EXPECT_EQ(4.5f, floats[3]);
  EXPECT_EQ(0, floats[4]);
  log = Logged([&] { EXPECT_EQ(0, EngJsonGetArrayOfFloatsFromObject(doc, "four", 0, floats)); });
  EXPECT_NE(std::string::npos, log.find("Bad parameters.")) << log;
  EXPECT_EQ(0, EngJsonGetArrayOfIntsFromObject(doc, "four", 3, nullptr));
}

TEST_F(EngJsonTest, ReadNumbersSkipsNullPlacesAndRefusesTooManyElements) {
  const json::Object doc =
      Parse("{ \"five\" : [-1, 2.5, 3.5, 4.5, 5.5], \"six\" : [1, 2, 3, 4, 5, 6], \"four\" : [1.9, 2, 3, 4] }");
  char c = 0;
  float f2 = 0, f4 = 0;
  EXPECT_EQ(1, EngJsonReadNumbersFromObject(doc, "five", &c, nullptr, &f2, nullptr, &f4));
  EXPECT_EQ(-1, c);
  EXPECT_EQ(3.5f, f2);
  EXPECT_EQ(5.5f, f4);

  char chars[5] = {0, 0, 0, 0, 0};
  std::string log = Logged([&] {
    EXPECT_EQ(0, EngJsonReadNumbersFromObject(doc, "six", &chars[0], &chars[1], &chars[2], &chars[3], &chars[4]));
  });
  EXPECT_NE(std::string::npos, log.find("( EngJsonReadNumbersFromObject )    Error during parse.")) << log;
  EXPECT_EQ(5, chars[4]);

  int i1 = 0, i4 = 0;
  EXPECT_EQ(1, EngJsonReadNumbersFromObject(doc, "four", &i1, nullptr, nullptr, &i4));
  EXPECT_EQ(1, i1);
  EXPECT_EQ(4, i4);
  double d[4] = {0, 0, 0, 0};
  log = Logged([&] { EXPECT_EQ(0, EngJsonReadNumbersFromObject(doc, "five", &d[0], &d[1], &d[2], &d[3])); });
  EXPECT_NE(std::string::npos, log.find("Error during parse.")) << log;
  EXPECT_EQ(4.5, d[3]);
  float f[4] = {7, 7, 7, 7};
  log = Logged([&] { EXPECT_EQ(0, EngJsonReadNumbersFromObject(doc, "absent", &f[0], &f[1], &f[2], &f[3])); });
  EXPECT_NE(std::string::npos, log.find("json::Exception <Object member not found: absent>")) << log;
  EXPECT_EQ(7, f[0]);

  char one = 3;
  int integer = 3;
  float real = 3;
  const json::Object numbers = Parse("{ \"n\" : -300.9, \"s\" : \"x\" }");
  EXPECT_EQ(1, EngJsonGetCharFromObject(numbers, "n", &one));
  EXPECT_EQ(-44, one);
  EXPECT_EQ(1, EngJsonGetIntFromObject(numbers, "n", &integer));
  EXPECT_EQ(-300, integer);
  log = Logged([&] { EXPECT_EQ(0, EngJsonGetFloatFromObject(numbers, "s", &real)); });
  EXPECT_NE(std::string::npos, log.find("( EngJsonGetFloatFromObject )    json::Exception <Bad cast>")) << log;
  EXPECT_EQ(3, real);
}

// ---------------------------------------------------------------------------------------------
// Whole documents

TEST_F(EngJsonTest, TextFilesRoundTripInTheWritersLayout) {
  const json::Object doc = Parse(kDoc);
  const std::string path = Path("doc.json");
  ASSERT_EQ(1, EngJsonWriteObjectToFile(doc, path.c_str()));
  EXPECT_EQ(Write(doc), ReadWholeFile(path));  // nothing before or after, no final line feed
  EXPECT_FALSE(FileExists(path + ".tmp"));

  json::Object back;
  ASSERT_EQ(1, EngJsonReadObjectFromFile(&back, path.c_str()));
  EXPECT_EQ(doc, back);

  // Saving again replaces the old text.
  json::Object small;
  EngJsonAddCharToObject(small, "a", 1);
  ASSERT_EQ(1, EngJsonWriteObjectToFile(small, path.c_str()));
  EXPECT_EQ(Write(small), ReadWholeFile(path));
}

TEST_F(EngJsonTest, FailedSavesAreReportedAndKeepTheOldFile) {
  json::Object doc = Parse(kDoc);
  const std::string missing_folder = Path("no/such/folder/doc.json");
  EXPECT_EQ(0, EngJsonWriteObjectToFile(doc, missing_folder.c_str()));
  EXPECT_FALSE(FileExists(missing_folder));

  // A folder in the file's place cannot be replaced: the save fails and the folder stays.
  const std::string folder = Path("taken");
  ASSERT_EQ(1, EngFileCreateDirectory(folder.c_str(), 1));
  EXPECT_EQ(0, EngJsonWriteObjectToFile(doc, folder.c_str()));
  EXPECT_EQ(1, EngFileDirectoryExists(folder.c_str()));

  for (const char *path : {(const char *)nullptr, ""}) {
    const std::string log = Logged([&] { EXPECT_EQ(0, EngJsonWriteObjectToFile(doc, path)); });
    EXPECT_NE(std::string::npos, log.find("Bad parameters.")) << log;
  }
}

TEST_F(EngJsonTest, BadTextFilesAreReportedAndKeepEarlierMembers) {
  struct Case {
    const char *what;
    std::string text;
    const char *message;
    const char *kept;  // the members complete before the fault
  };
  const Case cases[] = {
      {"ends after a comma", "{ \"kept\" : 1,", "json::Exception <Unexpected End of token stream> in <",
       "{ \"kept\" : 1 }"},
      {"empty file", "", "json::Exception <Unexpected End of token stream> in <", "{}"},
      {"not UTF-8 nor JSON", "\xff\xfe{\x80}", "json::Exception <Unexpected character in stream: ", "{}"},
      {"nested too deep", "{ \"a\" : 1, \"b\" : " + std::string(100000, '['), "json::Exception <Nesting too deep",
       "{ \"a\" : 1 }"},
      {"bad token on line 2", "{\n  \"a\" : x }", "json::Exception <Unexpected character in stream: x> in <", "{}"},
      {"a control byte", "{ \"a\" : \x1b }", "json::Exception <Unexpected character in stream: \\x1b> in <", "{}"},
      {"too large", "{ \"s\" : \"" + std::string(json::Reader::kMaxDocumentSize, 'a') + "\" }",
       "json::Exception <Document too large", "{}"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    const std::string path = Path("bad.json");
    WriteWholeFile(path, c.text);
    json::Object object;
    const std::string log = Logged([&] { EXPECT_EQ(0, EngJsonReadObjectFromFile(&object, path.c_str())); });
    EXPECT_NE(std::string::npos, log.find(std::string("( EngJsonReadObjectFromFile )    ") + c.message)) << log;
    EXPECT_NE(std::string::npos, log.find(path)) << log;
    EXPECT_EQ(Parse(c.kept), object);
  }
  WriteWholeFile(Path("line2.json"), "{\n  \"a\" : x }");
  json::Object object;
  const std::string log = Logged([&] { EngJsonReadObjectFromFile(&object, Path("line2.json").c_str()); });
  EXPECT_NE(std::string::npos, log.find("At line 2, column ")) << log;
}

TEST_F(EngJsonTest, MissingFilesAndBadParametersLeaveTheObjectAlone) {
  json::Object object = Parse("{ \"a\" : 1 }");
  const json::Object before = object;
  const std::string path = Path("missing.json");
  std::string log = Logged([&] { EXPECT_EQ(0, EngJsonReadObjectFromFile(&object, path.c_str())); });
  EXPECT_NE(std::string::npos, log.find("( EngJsonReadObjectFromFile )    File does not exist <" + path + ">")) << log;
  log = Logged([&] { EXPECT_EQ(0, EngJsonReadCompressedAndEncryptedObjectFromFile(&object, path.c_str())); });
  EXPECT_NE(std::string::npos, log.find("File does not exist <" + path + ">")) << log;
  EXPECT_EQ(before, object);

  WriteWholeFile(path, "{ \"b\" : 2 }");
  EXPECT_EQ(0, EngJsonReadObjectFromFile(nullptr, path.c_str()));
  EXPECT_EQ(0, EngJsonReadObjectFromFile(&object, ""));
  EXPECT_EQ(0, EngJsonReadCompressedAndEncryptedObjectFromFile(nullptr, path.c_str()));
  EXPECT_EQ(0, EngJsonWriteCompressedAndEncryptedObjectToFile(object, nullptr));
  EXPECT_EQ(before, object);
  // Reading adds to what the object holds.
  EXPECT_EQ(1, EngJsonReadObjectFromFile(&object, path.c_str()));
  EXPECT_EQ(Parse("{ \"a\" : 1, \"b\" : 2 }"), object);
}

TEST_F(EngJsonTest, StringsRoundTripThroughHeapText) {
  const json::Object doc = Parse(kDoc);
  char *text = EngJsonWriteObjectToString(doc);
  ASSERT_NE(nullptr, text);
  EXPECT_EQ(Write(doc), text);
  json::Object back;
  EXPECT_EQ(1, EngJsonReadObjectFromString(&back, text));
  EXPECT_EQ(doc, back);
  EngFree(text, 0, "test");

  // A zero byte inside a string value ends the heap text there.
  json::Object zero;
  zero["s"] = json::String(std::string("ab\0cd", 5));
  text = EngJsonWriteObjectToString(zero);
  ASSERT_NE(nullptr, text);
  EXPECT_EQ("{\n\t\"s\" : \"ab", std::string(text));
  EngFree(text, 0, "test");

  json::Object object;
  std::string log = Logged([&] { EXPECT_EQ(0, EngJsonReadObjectFromString(&object, "{ \"a\" : [1, }")); });
  EXPECT_NE(std::string::npos, log.find("( EngJsonReadObjectFromString )    json::Exception <Unexpected token: }>"))
      << log;
  log = Logged([&] { EXPECT_EQ(0, EngJsonReadObjectFromString(&object, "")); });
  EXPECT_NE(std::string::npos, log.find("Bad parameters.")) << log;
  EXPECT_EQ(0, EngJsonReadObjectFromString(nullptr, "{}"));
}

// ---------------------------------------------------------------------------------------------
// Compressed and encrypted files

TEST_F(EngJsonTest, CompressedAndEncryptedFilesRoundTrip) {
  const json::Object doc = Parse(kDoc);
  const std::string path = Path("doc.dat");
  ASSERT_EQ(1, EngJsonWriteCompressedAndEncryptedObjectToFile(doc, path.c_str()));
  json::Object back;
  ASSERT_EQ(1, EngJsonReadCompressedAndEncryptedObjectFromFile(&back, path.c_str()));
  EXPECT_EQ(doc, back);

  // The layout: one encrypted record holding the deflated text and its zero byte.
  const std::string bytes = ReadWholeFile(path);
  ASSERT_GT(bytes.size(), 16u);
  const EngUInt32 c = EngUInt32(bytes.size() - 16);
  std::string record(c, '\0');
  ASSERT_EQ(1, EngEncryptionReadFromFileAndDecrypt(path.c_str(), &record[0], c));
  unsigned int length = 0;
  char *inflated = EngZlibUncompressData(record.data(), c, &length);
  ASSERT_NE(nullptr, inflated);
  EXPECT_EQ(Write(doc) + '\0', std::string(inflated, length));
  EngFree(inflated, 0, "test");
}

TEST_F(EngJsonTest, DamagedSealedFilesFailWithAReport) {
  const json::Object doc = Parse(kDoc);
  const std::string good_path = Path("good.dat");
  ASSERT_EQ(1, EngJsonWriteCompressedAndEncryptedObjectToFile(doc, good_path.c_str()));
  const std::string good = ReadWholeFile(good_path);

  // Records sealed by hand, to reach the steps after decryption.
  auto seal = [&](const std::string &name, const std::string &payload, bool compress) {
    unsigned int size = (unsigned int)payload.size();
    char *compressed = compress ? EngZlibCompressData(payload.data(), size, &size, 0) : nullptr;
    EXPECT_EQ(1, EngEncryptionEncryptAndWriteToFile(Path(name).c_str(), compress ? compressed : payload.data(), size));
    EngFree(compressed, 0, "test");
    return Path(name);
  };

  struct Case {
    const char *what;
    std::string path;
    const char *message;  // null: some module below reports it
  };
  std::string flipped_body = good, flipped_counter = good;
  flipped_body[good.size() / 2] ^= 0x10;
  flipped_counter[3] ^= 0x01;
  WriteWholeFile(Path("flip_body.dat"), flipped_body);
  WriteWholeFile(Path("flip_counter.dat"), flipped_counter);
  WriteWholeFile(Path("short.dat"), good.substr(0, good.size() - 5));
  WriteWholeFile(Path("sixteen.dat"), good.substr(0, 16));
  WriteWholeFile(Path("empty.dat"), "");
  const Case cases[] = {
      {"a byte of the body changed", Path("flip_body.dat"), nullptr},
      {"a byte of the counter block changed", Path("flip_counter.dat"), nullptr},
      {"truncated", Path("short.dat"), nullptr},
      {"16 bytes", Path("sixteen.dat"), "No data to read."},
      {"empty", Path("empty.dat"), "No data to read."},
      {"not compressed", seal("raw.dat", "{ \"a\" : 1 }", false), nullptr},
      {"empty text", seal("zero.dat", std::string(1, '\0'), true), "No length in string."},
      {"not JSON", seal("text.dat", std::string("hello\0", 6), true), "json::Exception <Unexpected character"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    json::Object object;
    const std::string log =
        Logged([&] { EXPECT_EQ(0, EngJsonReadCompressedAndEncryptedObjectFromFile(&object, c.path.c_str())); });
    EXPECT_NE("", log);
    if (c.message) {
      EXPECT_NE(std::string::npos,
                log.find(std::string("( EngJsonReadCompressedAndEncryptedObjectFromFile )    ") + c.message))
          << log;
    }
    EXPECT_TRUE(object.Empty());
  }

  // Under another key the file decrypts to noise, which does not inflate.
  EngEncryptionResetForTests();
  ASSERT_EQ(1, EngEncryptionInit("OTHER_KEY"));
  json::Object object;
  EXPECT_NE("", Logged([&] { EXPECT_EQ(0, EngJsonReadCompressedAndEncryptedObjectFromFile(&object, good_path.c_str())); }));
  EXPECT_TRUE(object.Empty());
  // Without a key nothing is written.
  EngEncryptionResetForTests();
  EXPECT_EQ(0, EngJsonWriteCompressedAndEncryptedObjectToFile(doc, Path("nokey.dat").c_str()));
  EXPECT_FALSE(FileExists(Path("nokey.dat")));
}
