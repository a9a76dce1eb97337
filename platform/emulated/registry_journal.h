// registry.log, the journal of the emulated registry: every change made
// since registry.reg was last written, one self-checking record each,
// appended and flushed to the disk before the change is reported done.
//
//   KITREGLOG 1 <crc32> <size>\n         the registry.reg the records apply to:
//                                         checksum (8 hex digits) and size of
//                                         its bytes
//   @<length> <crc32>\n<payload>\n        one record: the change as REGEDIT4
//                                         lines without the header
//
// A record's length and checksum are 8 hexadecimal digits; the checksum
// covers the length field and the payload, so a record cut short by a crash
// or damaged later is recognised and it and everything after it are left
// unused. A journal whose header names another registry.reg (rewritten
// since) holds nothing that applies to it, unless the header is only
// damaged (one or two characters off): its checked records then apply.
#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace kit::emu {

uint32_t Crc32(const std::string& data);

std::string JournalHeader(uint32_t base_crc, uint64_t base_size);
std::string JournalRecord(const std::string& payload);

// What a look at journal bytes found.
struct JournalScan {
  std::vector<std::pair<uint64_t, std::string>> records;  // file offset, payload
  uint64_t end = 0;    // file offset after the last good record
  std::string damage;  // why the bytes from `end` on are unused; empty if none
};

// The records in `data`, the bytes of the journal from file offset `offset`.
void ScanJournalRecords(const std::string& data, uint64_t offset, JournalScan* out);
// A whole journal: false when its header is not the one of the given
// registry.reg (nothing in it applies).
bool ScanJournal(const std::string& data, uint32_t base_crc, uint64_t base_size,
                 JournalScan* out);

// Reads a host file from `offset` to its end, with the status of the file
// read; false (errno set) when it cannot be opened or read.
bool ReadHostFileFrom(const std::string& file, uint64_t offset, std::string* data,
                      struct stat* st);

// Writes `record` at `offset` of the journal (its current end) and flushes
// it to the disk. On failure what may have reached the file is made
// unreadable as a record, and *error says why (errno is kept).
bool AppendJournalRecord(const std::string& file, uint64_t offset, const std::string& record,
                         std::string* error);

}  // namespace kit::emu
