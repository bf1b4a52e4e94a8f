// Little-endian fields of stored records, read and written through a cursor that never
// steps outside its buffer: a read past the end gives zeros, a write past the end is
// dropped, and either leaves Ok() false from then on.
#pragma once

#include <cstddef>

#include "Engine/EngTypes.h"

class EngByteReader {
 public:
  EngByteReader(const void *bytes, size_t size) : m_bytes(static_cast<const EngUInt8 *>(bytes)), m_size(size) {}

  // Moves to a fixed offset of the record; returns the cursor so a field reads as Seek(o).U32().
  EngByteReader &Seek(size_t offset);
  size_t At() const { return m_at; }
  bool Ok() const { return m_ok; }

  EngUInt8 U8();
  EngInt8 I8() { return EngInt8(U8()); }
  EngUInt16 U16();
  EngInt16 I16() { return EngInt16(U16()); }
  EngUInt32 U32();
  EngInt32 I32() { return EngInt32(U32()); }
  EngUInt64 U64();
  float F32();
  double F64();
  void Bytes(void *out, size_t n);
  // A text that fills its field is cut at its last byte, so it always ends there.
  void Text(char *out, size_t n);

  // The same fields into references, so one walk over a record can serve EngByteWriter too.
  void U8(EngUInt8 &v) { v = U8(); }
  void I8(EngInt8 &v) { v = I8(); }
  void U16(EngUInt16 &v) { v = U16(); }
  void I16(EngInt16 &v) { v = I16(); }
  void U32(EngUInt32 &v) { v = U32(); }
  void I32(EngInt32 &v) { v = I32(); }
  void F32(float &v) { v = F32(); }

 private:
  // The n bytes at the cursor, or null (and the cursor spent) when fewer are left.
  const EngUInt8 *Take(size_t n);

  const EngUInt8 *m_bytes;
  size_t m_size;
  size_t m_at = 0;
  bool m_ok = true;
};

class EngByteWriter {
 public:
  EngByteWriter(void *bytes, size_t size) : m_bytes(static_cast<EngUInt8 *>(bytes)), m_size(size) {}

  EngByteWriter &Seek(size_t offset);
  size_t At() const { return m_at; }
  bool Ok() const { return m_ok; }

  void U8(EngUInt8 v);
  void I8(EngInt8 v) { U8(EngUInt8(v)); }
  void U16(EngUInt16 v);
  void I16(EngInt16 v) { U16(EngUInt16(v)); }
  void U32(EngUInt32 v);
  void I32(EngInt32 v) { U32(EngUInt32(v)); }
  void U64(EngUInt64 v);
  void F32(float v);
  void F64(double v);
  void Bytes(const void *in, size_t n);
  void Text(const char *in, size_t n) { Bytes(in, n); }

 private:
  EngUInt8 *Take(size_t n);

  EngUInt8 *m_bytes;
  size_t m_size;
  size_t m_at = 0;
  bool m_ok = true;
};
