#include "present/md5.h"

#include <array>

namespace {

// Per-step shift amounts, four rounds of sixteen steps.
constexpr std::array<int, 64> SHIFTS = {
    7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22,
    5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20,
    4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23,
    6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21};

// T[i] = floor(2^32 * |sin(i + 1)|), the additive constants of RFC 1321.
constexpr std::array<uint32_t, 64> SINES = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};

struct State {
  uint32_t a = 0x67452301, b = 0xefcdab89, c = 0x98badcfe, d = 0x10325476;
};

void ProcessBlock(State& s, const uint8_t* block) {
  uint32_t m[16];
  for (int i = 0; i < 16; ++i)
    m[i] = uint32_t(block[i * 4]) | uint32_t(block[i * 4 + 1]) << 8 |
           uint32_t(block[i * 4 + 2]) << 16 | uint32_t(block[i * 4 + 3]) << 24;
  uint32_t a = s.a, b = s.b, c = s.c, d = s.d;
  for (int i = 0; i < 64; ++i) {
    uint32_t f;
    int g;
    if (i < 16) {
      f = (b & c) | (~b & d);
      g = i;
    } else if (i < 32) {
      f = (b & d) | (c & ~d);
      g = (5 * i + 1) % 16;
    } else if (i < 48) {
      f = b ^ c ^ d;
      g = (3 * i + 5) % 16;
    } else {
      f = c ^ (b | ~d);
      g = (7 * i) % 16;
    }
    const uint32_t rotated = Rol(a + f + SINES[size_t(i)] + m[g], SHIFTS[size_t(i)]);
    a = d;
    d = c;
    c = b;
    b = b + rotated;
  }
  s.a += a;
  s.b += b;
  s.c += c;
  s.d += d;
}

}  // namespace

uint32_t Rol(uint32_t v, int n) {
  n &= 31;
  return n == 0 ? v : (v << n) | (v >> (32 - n));
}

std::string LEHex(uint32_t v) {
  static const char digits[] = "0123456789abcdef";
  std::string out(8, '0');
  for (int i = 0; i < 4; ++i) {
    const uint32_t byte = (v >> (8 * i)) & 0xff;
    out[size_t(i) * 2] = digits[byte >> 4];
    out[size_t(i) * 2 + 1] = digits[byte & 15];
  }
  return out;
}

std::string MD5(std::string_view bytes) {
  State s;
  const size_t full = bytes.size() / 64 * 64;
  for (size_t i = 0; i < full; i += 64)
    ProcessBlock(s, reinterpret_cast<const uint8_t*>(bytes.data()) + i);

  // Padding: a 1 bit, zeros up to 56 mod 64, then the bit length, low byte first.
  uint8_t tail[128] = {};
  const size_t rest = bytes.size() - full;
  for (size_t i = 0; i < rest; ++i) tail[i] = uint8_t(bytes[full + i]);
  tail[rest] = 0x80;
  const size_t tailSize = rest < 56 ? 64 : 128;
  const uint64_t bits = uint64_t(bytes.size()) * 8;
  for (int i = 0; i < 8; ++i) tail[tailSize - 8 + size_t(i)] = uint8_t(bits >> (8 * i));
  for (size_t i = 0; i < tailSize; i += 64) ProcessBlock(s, tail + i);

  return LEHex(s.a) + LEHex(s.b) + LEHex(s.c) + LEHex(s.d);
}
