#include "Engine/EngJson.h"

#include <climits>
#include <cstring>
#include <fstream>
#include <new>
#include <sstream>
#include <string>

#include "Engine/EngDebug.h"
#include "Engine/EngEncryption.h"
#include "Engine/EngFile.h"
#include "Engine/EngMemory.h"
#include "Engine/EngZlib.h"
#include "Engine/json/Reader.h"
#include "Engine/json/Writer.h"

namespace {

bool IsEmpty(const char *text) { return !text || !*text; }

// Deflate grows incompressible data by well under 1%, so a container larger than this cannot
// hold a document the reader would accept.
const EngUInt32 kMaxCompressedSize = json::Reader::kMaxDocumentSize + json::Reader::kMaxDocumentSize / 64;

std::string WriteToText(const json::Object &object) {
  std::ostringstream stream;
  json::Writer::Write(object, stream);
  return stream.str();
}

// Where in the input a located reader exception points, as a second line after its message.
void ReportLocation(const char *signature, const json::Exception &exception) {
  const json::Reader::Location *location = nullptr;
  if (const auto *scan = dynamic_cast<const json::Reader::ScanException *>(&exception)) {
    location = &scan->m_locError;
  } else if (const auto *parse = dynamic_cast<const json::Reader::ParseException *>(&exception)) {
    // The end-of-input errors carry an empty token, with no position.
    if (parse->m_locTokenEnd.m_nDocOffset != 0) location = &parse->m_locTokenBegin;
  }
  if (!location) return;
  DebugErrorAlt(signature, "At line %u, column %u.", location->m_nLine + 1, location->m_nLineOffset + 1);
}

// Reads the object from the text and reports a failure against the file it came from (or
// without a file when path is null).
char ReadFromStream(const char *signature, json::Object *object, std::istream &stream, const char *path) {
  try {
    json::Reader::Read(*object, stream);
    return 1;
  } catch (const json::Exception &exception) {
    if (path) {
      DebugErrorAlt(signature, "json::Exception <%s> in <%s>", DebugOutsideText(exception.what()).c_str(), path);
    } else {
      DebugErrorAlt(signature, "json::Exception <%s>", DebugOutsideText(exception.what()).c_str());
    }
    ReportLocation(signature, exception);
  } catch (const std::bad_alloc &) {
    DebugStandardError(signature, DEBUG_ERR_OMEM);
  }
  return 0;
}

}  // namespace

char EngJsonWriteObjectToFile(const json::Object &object, const char *path) {
  if (IsEmpty(path)) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  try {
    const std::string text = WriteToText(object);
    if (text.size() > UINT_MAX) {
      DebugErrorAlt(ENG_FUNC, "Text too long (%zu bytes).", text.size());
      return 0;
    }
    // Saved through the file module so that a failed save is reported and leaves the old file.
    return EngFileOpenWriteAndClose(path, 0, text.data(), euint(text.size()));
  } catch (const json::Exception &exception) {
    DebugErrorAlt(ENG_FUNC, "json::Exception <%s>", DebugOutsideText(exception.what()).c_str());
  } catch (const std::bad_alloc &) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
  }
  return 0;
}

char EngJsonReadObjectFromFile(json::Object *object, const char *path) {
  if (!object || IsEmpty(path)) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  if (!EngFileExists(path, 0)) {
    DebugErrorAlt(ENG_FUNC, "File does not exist <%s>", path);
    return 0;
  }
  std::ifstream stream(path, std::ios::in | std::ios::binary);
  if (!stream.is_open()) {
    DebugErrorAlt(ENG_FUNC, "File does not exist <%s>", path);
    return 0;
  }
  return ReadFromStream(ENG_FUNC, object, stream, path);
}

char *EngJsonWriteObjectToString(const json::Object &object) {
  try {
    const std::string text = WriteToText(object);
    char *block = static_cast<char *>(EngMalloc(text.size() + 1, "EngJsonWriteObjectToString", 1));
    if (!block) return nullptr;
    // A string value holding a zero byte ends the text there.
    strcpy(block, text.c_str());
    return block;
  } catch (const json::Exception &exception) {
    DebugErrorAlt(ENG_FUNC, "json::Exception <%s>", DebugOutsideText(exception.what()).c_str());
  } catch (const std::bad_alloc &) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
  }
  return nullptr;
}

char EngJsonReadObjectFromString(json::Object *object, const char *text) {
  if (!object || IsEmpty(text)) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  std::istringstream stream(text);
  return ReadFromStream(ENG_FUNC, object, stream, nullptr);
}

char EngJsonWriteCompressedAndEncryptedObjectToFile(const json::Object &object, const ENG_CHAR *path) {
  if (IsEmpty(path)) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  std::string text;
  try {
    text = WriteToText(object);
  } catch (const json::Exception &exception) {
    DebugErrorAlt(ENG_FUNC, "json::Exception <%s>", DebugOutsideText(exception.what()).c_str());
    return 0;
  } catch (const std::bad_alloc &) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
    return 0;
  }
  if (text.size() >= UINT_MAX) {
    DebugErrorAlt(ENG_FUNC, "Text too long (%zu bytes).", text.size());
    return 0;
  }
  unsigned int size = 0;
  char *compressed = EngZlibCompressData(text.c_str(), (unsigned int)text.size() + 1, &size, 0);
  char result = 0;
  if (compressed && size != 0) result = EngEncryptionEncryptAndWriteToFile(path, compressed, size);
  EngFree(compressed, 0, "EngJsonWriteCompressedAndEncryptedObjectToFile");
  return result;
}

char EngJsonReadCompressedAndEncryptedObjectFromFile(json::Object *object, const ENG_CHAR *path) {
  const char *const caller = "EngJsonReadCompressedAndEncryptedObjectFromFile";
  if (!object || IsEmpty(path)) {
    DebugStandardError(ENG_FUNC, DEBUG_ERR_BAPA);
    return 0;
  }
  if (!EngFileExists(path, 0)) {
    DebugErrorAlt(ENG_FUNC, "File does not exist <%s>", path);
    return 0;
  }
  const EngUInt32 file_size = EngFileGetFileSize(path);
  if (file_size <= ENG_ENCRYPTION_BLOCK_SIZE) {
    DebugErrorAlt(ENG_FUNC, "No data to read.");
    return 0;
  }
  const EngUInt32 c = file_size - ENG_ENCRYPTION_BLOCK_SIZE;
  if (c > kMaxCompressedSize) {
    DebugErrorAlt(ENG_FUNC, "File too large <%s>", path);
    return 0;
  }
  char *compressed = static_cast<char *>(EngMalloc(c, caller, 1));
  if (!compressed) return 0;
  if (!EngEncryptionReadFromFileAndDecrypt(path, compressed, c)) {
    EngFree(compressed, 0, caller);
    return 0;
  }
  unsigned int length = 0;
  char *inflated = EngZlibUncompressData(compressed, c, &length);
  EngFree(compressed, 0, caller);
  if (!inflated || length == 0) {
    EngFree(inflated, 0, caller);
    return 0;
  }
  std::string text;
  try {
    text.assign(inflated, strnlen(inflated, length));
  } catch (const std::bad_alloc &) {
    EngFree(inflated, 0, caller);
    DebugStandardError(ENG_FUNC, DEBUG_ERR_OMEM);
    return 0;
  }
  EngFree(inflated, 0, caller);
  if (text.empty()) {
    DebugErrorAlt(ENG_FUNC, "No length in string.");
    return 0;
  }
  std::istringstream stream(text);
  return ReadFromStream(ENG_FUNC, object, stream, path);
}
