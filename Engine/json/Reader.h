// Reads JSON text from a stream into a json::Object: the whole input is scanned into tokens
// first, then parsed. Failures throw ScanException or ParseException with input locations.
// Documents are bounded in size and nesting depth; numbers must be finite.
#pragma once

#include <istream>
#include <string>
#include <vector>

#include "Engine/EngTypes.h"
#include "Engine/json/Elements.h"

namespace json {

class Reader {
 public:
  // All counters are zero-based.
  struct Location {
    EngUInt32 m_nLine = 0;        // line feeds seen
    EngUInt32 m_nLineOffset = 0;  // characters since the last line feed
    EngUInt32 m_nDocOffset = 0;   // characters since the start
  };

  class ScanException : public Exception {
   public:
    ScanException(const std::string &message, const Location &locError)
        : Exception(message), m_locError(locError) {}
    Location m_locError;
  };

  class ParseException : public Exception {
   public:
    ParseException(const std::string &message, const Location &locTokenBegin, const Location &locTokenEnd)
        : Exception(message), m_locTokenBegin(locTokenBegin), m_locTokenEnd(locTokenEnd) {}
    Location m_locTokenBegin;
    Location m_locTokenEnd;
  };

  // Larger inputs are refused before they can exhaust memory or the location counters.
  static constexpr EngUInt32 kMaxDocumentSize = 16u * 1024u * 1024u;
  static constexpr EngUInt32 kMaxTokens = 1024u * 1024u;
  // Parsing, copying and writing recurse once per level.
  static constexpr EngUInt32 kMaxNestingDepth = 256;

  // Adds the members of the document to object (which is not emptied first).
  static void Read(Object &object, std::istream &istr);

 private:
  struct Token {
    enum Type {
      ObjectBegin,
      ObjectEnd,
      ArrayBegin,
      ArrayEnd,
      Comma,
      Colon,
      String,
      Number,
      Boolean,
      Null,
    };
    Type nType;
    std::string sValue;
    Location locBegin;
    Location locEnd;
  };
  typedef std::vector<Token> Tokens;

  class InputStream {
   public:
    explicit InputStream(std::istream &iStr) : m_iStr(iStr) {}
    int Peek();
    char Get();
    bool EOS();
    const Location &GetLocation() const { return m_Location; }

   private:
    std::istream &m_iStr;
    Location m_Location;
  };

  class TokenStream {
   public:
    explicit TokenStream(const Tokens &tokens) : m_Tokens(tokens), m_itCurrent(tokens.begin()) {}
    const Token &Peek() { return *m_itCurrent; }
    const Token &Get() { return *m_itCurrent++; }
    bool EOS() const { return m_itCurrent == m_Tokens.end(); }

   private:
    const Tokens &m_Tokens;
    Tokens::const_iterator m_itCurrent;
  };

  void Read_i(Object &object, std::istream &istr);

  void Scan(Tokens &tokens, InputStream &inputStream);
  void EatWhiteSpace(InputStream &inputStream);
  void MatchExpectedString(InputStream &inputStream, const std::string &sExpected);
  void MatchString(std::string &sValue, InputStream &inputStream);
  void MatchNumber(std::string &sNumber, InputStream &inputStream);

  void Parse(UnknownElement &element, TokenStream &tokenStream);
  void Parse(Object &object, TokenStream &tokenStream);
  void Parse(Array &array, TokenStream &tokenStream);
  void Parse(json::Number &number, TokenStream &tokenStream);
  const std::string &MatchExpectedToken(Token::Type nType, TokenStream &tokenStream);
  void EnterNesting(TokenStream &tokenStream);

  EngUInt32 m_nDepth = 0;
};

}  // namespace json
