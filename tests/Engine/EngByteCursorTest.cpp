#include "Engine/EngByteCursor.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

TEST(EngByteCursorTest, FieldsAreLittleEndianBothWays) {
  unsigned char bytes[25];
  EngByteWriter out(bytes, sizeof(bytes));
  out.U8(0xAB);
  out.I16(-2);
  out.U32(0x01020304u);
  out.I32(-5);
  out.F32(1.5f);
  out.F64(-0.25);
  out.Bytes("xy", 2);
  ASSERT_TRUE(out.Ok());
  EXPECT_EQ(sizeof(bytes), out.At());
  const unsigned char expected[25] = {0xAB, 0xFE, 0xFF, 0x04, 0x03, 0x02, 0x01, 0xFB, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0xC0,
                                      0x3F, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xD0, 0xBF, 'x',  'y'};
  EXPECT_EQ(0, memcmp(expected, bytes, 25));

  EngByteReader in(bytes, sizeof(bytes));
  EXPECT_EQ(0xAB, in.U8());
  EXPECT_EQ(-2, in.I16());
  EXPECT_EQ(0x01020304u, in.U32());
  EXPECT_EQ(-5, in.I32());
  EXPECT_EQ(1.5f, in.F32());
  EXPECT_EQ(-0.25, in.F64());
  char text[3] = "??";
  in.Text(text, 2);
  EXPECT_STREQ("x", text);
  EXPECT_TRUE(in.Ok());
  EXPECT_EQ(0x0304u, in.Seek(3).U16());
}

// Every field that does not fit reads as zero, writes nothing, and marks the cursor.
TEST(EngByteCursorTest, NothingOutsideTheBufferIsTouched) {
  struct Case {
    size_t seek;
    int width;  // 1, 2, 4, 8 or a byte run of 3
    bool fits;
  };
  const Case cases[] = {{0, 8, true}, {1, 8, false}, {4, 4, true}, {5, 4, false}, {6, 2, true}, {7, 2, false},
                        {7, 1, true}, {8, 1, false}, {5, 3, true}, {6, 3, false}, {9, 1, false}};
  for (const Case &c : cases) {
    std::vector<unsigned char> buffer(12, 0xEE);  // 8 bytes of record, 4 of guard
    EngByteWriter out(buffer.data(), 8);
    out.Seek(c.seek);
    const unsigned char run[3] = {1, 2, 3};
    switch (c.width) {
      case 1: out.U8(1); break;
      case 2: out.U16(1); break;
      case 4: out.U32(1); break;
      case 8: out.U64(1); break;
      default: out.Bytes(run, 3);
    }
    EXPECT_EQ(c.fits, out.Ok()) << c.seek << "+" << c.width;
    for (size_t i = 8; i < buffer.size(); i++) EXPECT_EQ(0xEE, buffer[i]) << c.seek << "+" << c.width;

    EngByteReader in(buffer.data(), 8);
    in.Seek(c.seek);
    EngUInt64 value = 0;
    unsigned char got[3] = {9, 9, 9};
    switch (c.width) {
      case 1: value = in.U8(); break;
      case 2: value = in.U16(); break;
      case 4: value = in.U32(); break;
      case 8: value = in.U64(); break;
      default: in.Bytes(got, 3);
    }
    EXPECT_EQ(c.fits, in.Ok()) << c.seek << "+" << c.width;
    if (!c.fits) {
      EXPECT_EQ(0u, value);
      if (c.width == 3) {
        EXPECT_EQ(0, got[0] | got[1] | got[2]) << c.seek;
      }
      EXPECT_EQ(0u, in.U8()) << "a spent cursor stays spent";
      EXPECT_FALSE(in.Ok());
    }
  }
}

TEST(EngByteCursorTest, NoBufferReadsZeros) {
  EngByteReader in(nullptr, 0);
  EXPECT_EQ(0, in.I32());
  EXPECT_FALSE(in.Ok());
}
