#include "Engine/EngByteCursor.h"

#include <cstring>

namespace {

EngUInt64 Load(const EngUInt8 *p, int n) {
  EngUInt64 v = 0;
  for (int i = 0; i < n; i++) v |= EngUInt64(p[i]) << (8 * i);
  return v;
}

void Store(EngUInt8 *p, EngUInt64 v, int n) {
  for (int i = 0; i < n; i++) p[i] = EngUInt8(v >> (8 * i));
}

}  // namespace

EngByteReader &EngByteReader::Seek(size_t offset) {
  if (offset > m_size) {
    m_ok = false;
    offset = m_size;
  }
  m_at = offset;
  return *this;
}

const EngUInt8 *EngByteReader::Take(size_t n) {
  if (!m_bytes || n > m_size - m_at) {
    m_ok = false;
    m_at = m_size;
    return nullptr;
  }
  const EngUInt8 *p = m_bytes + m_at;
  m_at += n;
  return p;
}

EngUInt8 EngByteReader::U8() {
  const EngUInt8 *p = Take(1);
  return p ? *p : 0;
}

EngUInt16 EngByteReader::U16() {
  const EngUInt8 *p = Take(2);
  return p ? EngUInt16(Load(p, 2)) : 0;
}

EngUInt32 EngByteReader::U32() {
  const EngUInt8 *p = Take(4);
  return p ? EngUInt32(Load(p, 4)) : 0;
}

EngUInt64 EngByteReader::U64() {
  const EngUInt8 *p = Take(8);
  return p ? Load(p, 8) : 0;
}

float EngByteReader::F32() {
  EngUInt32 u = U32();
  float f;
  memcpy(&f, &u, sizeof(f));
  return f;
}

double EngByteReader::F64() {
  EngUInt64 u = U64();
  double d;
  memcpy(&d, &u, sizeof(d));
  return d;
}

void EngByteReader::Bytes(void *out, size_t n) {
  const EngUInt8 *p = Take(n);
  if (p) {
    memcpy(out, p, n);
  } else if (n) {
    memset(out, 0, n);
  }
}

void EngByteReader::Text(char *out, size_t n) {
  Bytes(out, n);
  if (n) out[n - 1] = 0;
}

EngByteWriter &EngByteWriter::Seek(size_t offset) {
  if (offset > m_size) {
    m_ok = false;
    offset = m_size;
  }
  m_at = offset;
  return *this;
}

EngUInt8 *EngByteWriter::Take(size_t n) {
  if (!m_bytes || n > m_size - m_at) {
    m_ok = false;
    m_at = m_size;
    return nullptr;
  }
  EngUInt8 *p = m_bytes + m_at;
  m_at += n;
  return p;
}

void EngByteWriter::U8(EngUInt8 v) {
  if (EngUInt8 *p = Take(1)) *p = v;
}

void EngByteWriter::U16(EngUInt16 v) {
  if (EngUInt8 *p = Take(2)) Store(p, v, 2);
}

void EngByteWriter::U32(EngUInt32 v) {
  if (EngUInt8 *p = Take(4)) Store(p, v, 4);
}

void EngByteWriter::U64(EngUInt64 v) {
  if (EngUInt8 *p = Take(8)) Store(p, v, 8);
}

void EngByteWriter::F32(float v) {
  EngUInt32 u;
  memcpy(&u, &v, sizeof(u));
  U32(u);
}

void EngByteWriter::F64(double v) {
  EngUInt64 u;
  memcpy(&u, &v, sizeof(u));
  U64(u);
}

void EngByteWriter::Bytes(const void *in, size_t n) {
  if (EngUInt8 *p = Take(n)) {
    if (n) memcpy(p, in, n);
  }
}
