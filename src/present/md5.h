// MD5 digest (RFC 1321) as the string table keys its texts: one byte per character,
// the result written as 32 lowercase hexadecimal digits. Rol and LEHex are the two
// helpers the digest is built from; the string table exposes them as well.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// 32-bit rotate left by n bits (n taken modulo 32).
uint32_t Rol(uint32_t v, int n);
// The four bytes of v, lowest first, as 8 lowercase hexadecimal digits.
std::string LEHex(uint32_t v);
// Digest of the bytes: LEHex of the state words A, B, C and D.
std::string MD5(std::string_view bytes);
