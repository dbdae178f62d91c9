// The string table's key: RFC 1321 test suite, a text that is a real key of the shipped
// table, the padding edge cases and the two helpers.
#include "present/md5.h"

#include <gtest/gtest.h>

#include <string>

TEST(Md5, MatchesRfc1321TestSuite) {
  EXPECT_EQ(MD5(""), "d41d8cd98f00b204e9800998ecf8427e");
  EXPECT_EQ(MD5("a"), "0cc175b9c0f1b6a831c399e269772661");
  EXPECT_EQ(MD5("abc"), "900150983cd24fb0d6963f7d28e17f72");
  EXPECT_EQ(MD5("message digest"), "f96b697d7cb7938d525a2f31aaf161d0");
  EXPECT_EQ(MD5("abcdefghijklmnopqrstuvwxyz"), "c3fcd3d76192e4007dfb496cca67e13b");
  EXPECT_EQ(MD5("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"),
            "d174ab98d277d9f5a5611c2c9f419d9f");
  EXPECT_EQ(MD5("1234567890123456789012345678901234567890"
                "1234567890123456789012345678901234567890"),
            "57edf4a22be3c955ac49da2e2107b67a");
}

TEST(Md5, KeysStringTableTexts) {
  EXPECT_EQ(MD5("New"), "03c2e7e41ffc181a4e84080b4710e81e");
}

// Lengths 55, 56 and 64 decide whether the length field still fits the last block.
TEST(Md5, PadsAtBlockBoundaries) {
  EXPECT_EQ(MD5(std::string(55, 'a')), "ef1772b6dff9a122358552954ad0df65");
  EXPECT_EQ(MD5(std::string(56, 'a')), "3b0c8ac703f828b04c6c197006d17218");
  EXPECT_EQ(MD5(std::string(64, 'a')), "014842d480b571495a4a0363793f7367");
}

// Characters above 127 count as their single byte (ISO 8859-1), never as UTF-8.
TEST(Md5, HashesHighBytesAsSingleBytes) {
  const std::string latin1("\xe4", 1);  // a-umlaut
  EXPECT_EQ(MD5(latin1), "c15bcc5577f9fade4b4a3256190a59b0");
  EXPECT_NE(MD5(latin1), MD5("\xc3\xa4"));
}

TEST(Md5, HelpersRotateAndWriteLowByteFirst) {
  EXPECT_EQ(Rol(0x80000001u, 1), 0x00000003u);
  EXPECT_EQ(Rol(0x12345678u, 0), 0x12345678u);
  EXPECT_EQ(Rol(0x12345678u, 32), 0x12345678u);
  EXPECT_EQ(Rol(0x12345678u, 8), 0x34567812u);
  EXPECT_EQ(LEHex(0x67452301u), "01234567");
  EXPECT_EQ(LEHex(0xefcdab89u), "89abcdef");
  EXPECT_EQ(LEHex(0u), "00000000");
}
