// CRC-32 (the polynomial of zlib and PKZIP) computed bit by bit, without
// tables: the loading program's replacement for zlib's crc32, whose tables
// would be 5 KB of a program that never checks a gzip stream.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kit {

uint32_t SmallCrc32(uint32_t crc, const unsigned char* data, size_t size);

}  // namespace kit
