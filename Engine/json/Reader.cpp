#include "Engine/json/Reader.h"

#include <cmath>
#include <locale>
#include <sstream>

namespace json {

namespace {

bool IsWhiteSpace(int c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsNumberCharacter(int c) {
  return (c >= '0' && c <= '9') || c == '.' || c == 'e' || c == 'E' || c == '-' || c == '+';
}

// Keeps the reader's depth count right however a nested parse ends.
class DepthGuard {
 public:
  explicit DepthGuard(EngUInt32 &nDepth) : m_nDepth(nDepth) {}
  ~DepthGuard() { --m_nDepth; }

 private:
  EngUInt32 &m_nDepth;
};

}  // namespace

int Reader::InputStream::Peek() { return m_iStr.peek(); }

char Reader::InputStream::Get() {
  if (m_Location.m_nDocOffset >= kMaxDocumentSize) {
    throw ScanException("Document too large (more than " + std::to_string(kMaxDocumentSize) + " characters)",
                        m_Location);
  }
  char c = char(m_iStr.get());
  ++m_Location.m_nDocOffset;
  if (c == '\n') {
    ++m_Location.m_nLine;
    m_Location.m_nLineOffset = 0;
  } else {
    ++m_Location.m_nLineOffset;
  }
  return c;
}

bool Reader::InputStream::EOS() { return m_iStr.peek() == std::char_traits<char>::eof(); }

void Reader::Read(Object &object, std::istream &istr) {
  Reader reader;
  reader.Read_i(object, istr);
}

void Reader::Read_i(Object &object, std::istream &istr) {
  Tokens tokens;
  InputStream inputStream(istr);
  Scan(tokens, inputStream);

  TokenStream tokenStream(tokens);
  Parse(object, tokenStream);

  if (!tokenStream.EOS()) {
    const Token &token = tokenStream.Peek();
    throw ParseException("Expected End of token stream; found " + token.sValue, token.locBegin, token.locEnd);
  }
}

void Reader::Scan(Tokens &tokens, InputStream &inputStream) {
  while (EatWhiteSpace(inputStream), !inputStream.EOS()) {
    if (tokens.size() >= kMaxTokens) {
      throw ScanException("Too many tokens in stream (more than " + std::to_string(kMaxTokens) + ")",
                          inputStream.GetLocation());
    }
    Token token;
    token.locBegin = inputStream.GetLocation();

    char c = char(inputStream.Peek());
    switch (c) {
      case '{':
        token.sValue = inputStream.Get();
        token.nType = Token::ObjectBegin;
        break;
      case '}':
        token.sValue = inputStream.Get();
        token.nType = Token::ObjectEnd;
        break;
      case '[':
        token.sValue = inputStream.Get();
        token.nType = Token::ArrayBegin;
        break;
      case ']':
        token.sValue = inputStream.Get();
        token.nType = Token::ArrayEnd;
        break;
      case ',':
        token.sValue = inputStream.Get();
        token.nType = Token::Comma;
        break;
      case ':':
        token.sValue = inputStream.Get();
        token.nType = Token::Colon;
        break;
      case '"':
        MatchString(token.sValue, inputStream);
        token.nType = Token::String;
        break;
      case '-':
      case '0':
      case '1':
      case '2':
      case '3':
      case '4':
      case '5':
      case '6':
      case '7':
      case '8':
      case '9':
        MatchNumber(token.sValue, inputStream);
        token.nType = Token::Number;
        break;
      case 't':
        token.sValue = "true";
        MatchExpectedString(inputStream, token.sValue);
        token.nType = Token::Boolean;
        break;
      case 'f':
        token.sValue = "false";
        MatchExpectedString(inputStream, token.sValue);
        token.nType = Token::Boolean;
        break;
      case 'n':
        token.sValue = "null";
        MatchExpectedString(inputStream, token.sValue);
        token.nType = Token::Null;
        break;
      default:
        throw ScanException(std::string("Unexpected character in stream: ") + c, inputStream.GetLocation());
    }

    token.locEnd = inputStream.GetLocation();
    tokens.push_back(token);
  }
}

void Reader::EatWhiteSpace(InputStream &inputStream) {
  while (!inputStream.EOS() && IsWhiteSpace(inputStream.Peek())) inputStream.Get();
}

void Reader::MatchExpectedString(InputStream &inputStream, const std::string &sExpected) {
  for (char expected : sExpected) {
    if (inputStream.EOS() || inputStream.Get() != expected) {
      throw ScanException("Expected string: " + sExpected, inputStream.GetLocation());
    }
  }
}

void Reader::MatchString(std::string &sValue, InputStream &inputStream) {
  MatchExpectedString(inputStream, "\"");

  while (!inputStream.EOS() && inputStream.Peek() != '"') {
    char c = inputStream.Get();
    if (c == '\\' && !inputStream.EOS()) {
      char c2 = inputStream.Get();
      switch (c2) {
        case '/':
          sValue.push_back('/');
          break;
        case '\\':
          sValue.push_back('\\');
          break;
        case '"':
          sValue.push_back('"');
          break;
        case 'b':
          sValue.push_back('\b');
          break;
        case 'f':
          sValue.push_back('\f');
          break;
        case 'n':
          sValue.push_back('\n');
          break;
        case 'r':
          sValue.push_back('\r');
          break;
        case 't':
          sValue.push_back('\t');
          break;
        default:
          throw ScanException(std::string("Unrecognized escape sequence found in string: \\") + c2,
                              inputStream.GetLocation());
      }
    } else {
      sValue.push_back(c);
    }
  }

  MatchExpectedString(inputStream, "\"");
}

void Reader::MatchNumber(std::string &sNumber, InputStream &inputStream) {
  while (!inputStream.EOS() && IsNumberCharacter(inputStream.Peek())) sNumber.push_back(inputStream.Get());
}

void Reader::Parse(UnknownElement &element, TokenStream &tokenStream) {
  if (tokenStream.EOS()) throw ParseException("Unexpected end of token stream", Location(), Location());

  const Token &token = tokenStream.Peek();
  switch (token.nType) {
    case Token::ObjectBegin:
      Parse(element.ConvertTo<Object>(), tokenStream);
      break;
    case Token::ArrayBegin:
      Parse(element.ConvertTo<Array>(), tokenStream);
      break;
    case Token::String:
      element.ConvertTo<json::String>() = MatchExpectedToken(Token::String, tokenStream);
      break;
    case Token::Number:
      Parse(element.ConvertTo<json::Number>(), tokenStream);
      break;
    case Token::Boolean:
      element.ConvertTo<json::Boolean>() = (MatchExpectedToken(Token::Boolean, tokenStream) == "true");
      break;
    case Token::Null:
      element.ConvertTo<json::Null>();
      MatchExpectedToken(Token::Null, tokenStream);
      break;
    default:
      throw ParseException("Unexpected token: " + token.sValue, token.locBegin, token.locEnd);
  }
}

void Reader::EnterNesting(TokenStream &tokenStream) {
  if (m_nDepth >= kMaxNestingDepth && !tokenStream.EOS()) {
    const Token &token = tokenStream.Peek();
    throw ParseException("Nesting too deep (more than " + std::to_string(kMaxNestingDepth) +
                             " levels) at token: " + token.sValue,
                         token.locBegin, token.locEnd);
  }
  ++m_nDepth;
}

void Reader::Parse(Object &object, TokenStream &tokenStream) {
  EnterNesting(tokenStream);
  DepthGuard guard(m_nDepth);
  MatchExpectedToken(Token::ObjectBegin, tokenStream);

  bool bContinue = (!tokenStream.EOS() && tokenStream.Peek().nType != Token::ObjectEnd);
  while (bContinue) {
    if (tokenStream.EOS()) throw ParseException("Unexpected End of token stream", Location(), Location());
    const Token &tokenName = tokenStream.Peek();

    Object::Member member;
    member.name = MatchExpectedToken(Token::String, tokenStream);
    MatchExpectedToken(Token::Colon, tokenStream);
    Parse(member.element, tokenStream);

    try {
      object.Insert(member, object.End());
    } catch (const Exception &) {
      throw ParseException("Duplicate object member token: " + member.name, tokenName.locBegin,
                           tokenName.locEnd);
    }

    bContinue = (!tokenStream.EOS() && tokenStream.Peek().nType == Token::Comma);
    if (bContinue) MatchExpectedToken(Token::Comma, tokenStream);
  }

  MatchExpectedToken(Token::ObjectEnd, tokenStream);
}

void Reader::Parse(Array &array, TokenStream &tokenStream) {
  EnterNesting(tokenStream);
  DepthGuard guard(m_nDepth);
  MatchExpectedToken(Token::ArrayBegin, tokenStream);

  bool bContinue = (!tokenStream.EOS() && tokenStream.Peek().nType != Token::ArrayEnd);
  while (bContinue) {
    Array::iterator itElement = array.Insert(UnknownElement(), array.End());
    Parse(*itElement, tokenStream);

    bContinue = (!tokenStream.EOS() && tokenStream.Peek().nType == Token::Comma);
    if (bContinue) MatchExpectedToken(Token::Comma, tokenStream);
  }

  MatchExpectedToken(Token::ArrayEnd, tokenStream);
}

void Reader::Parse(json::Number &number, TokenStream &tokenStream) {
  if (tokenStream.EOS()) MatchExpectedToken(Token::Number, tokenStream);
  const Token &token = tokenStream.Peek();
  const std::string &sValue = MatchExpectedToken(Token::Number, tokenStream);

  std::istringstream iStr(sValue);
  iStr.imbue(std::locale::classic());
  double dValue = 0;
  iStr >> dValue;

  if (iStr.fail()) {
    // The extraction reports an overflow as a failure with the largest finite value.
    if (std::fabs(dValue) > 0) {
      throw ParseException("Number out of range in NUMBER token: " + sValue, token.locBegin, token.locEnd);
    }
    throw ParseException("Unexpected character in NUMBER token: " + sValue, token.locBegin, token.locEnd);
  }
  int c = iStr.peek();
  if (c != std::char_traits<char>::eof()) {
    throw ParseException(std::string("Unexpected character in NUMBER token: ") + char(c), token.locBegin,
                         token.locEnd);
  }
  if (!std::isfinite(dValue)) {
    throw ParseException("Number out of range in NUMBER token: " + sValue, token.locBegin, token.locEnd);
  }
  number = dValue;
}

const std::string &Reader::MatchExpectedToken(Token::Type nExpected, TokenStream &tokenStream) {
  if (tokenStream.EOS()) throw ParseException("Unexpected End of token stream", Location(), Location());

  const Token &token = tokenStream.Get();
  if (token.nType != nExpected) {
    throw ParseException("Unexpected token: " + token.sValue, token.locBegin, token.locEnd);
  }
  return token.sValue;
}

}  // namespace json
