#include "platform/emulated/registry_journal.h"

#include <fcntl.h>
#include <unistd.h>
#include <zlib.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace kit::emu {

namespace {

constexpr size_t kFrameSize = 19;  // "@" 8 hex " " 8 hex "\n"

bool ParseHex8(const char* p, uint32_t* out) {
  uint32_t x = 0;
  for (int i = 0; i < 8; ++i) {
    char c = p[i];
    int d = (c >= '0' && c <= '9') ? c - '0' : (c >= 'a' && c <= 'f') ? c - 'a' + 10 : -1;
    if (d < 0) return false;
    x = x * 16 + static_cast<uint32_t>(d);
  }
  *out = x;
  return true;
}

uint32_t RecordCrc(const char* length_field, const char* payload, size_t size) {
  uLong crc = crc32(0L, Z_NULL, 0);
  crc = crc32(crc, reinterpret_cast<const Bytef*>(length_field), 8);
  // crc32 takes a uInt length; payloads are far smaller, but stay exact.
  while (size > 0) {
    uInt chunk = size > (1u << 30) ? (1u << 30) : static_cast<uInt>(size);
    crc = crc32(crc, reinterpret_cast<const Bytef*>(payload), chunk);
    payload += chunk;
    size -= chunk;
  }
  return static_cast<uint32_t>(crc);
}

std::string Hex8(uint32_t x) {
  char buf[12];
  std::snprintf(buf, sizeof buf, "%08x", x);
  return buf;
}

}  // namespace

uint32_t Crc32(const std::string& data) {
  uLong crc = crc32(0L, Z_NULL, 0);
  const char* p = data.data();
  size_t size = data.size();
  while (size > 0) {
    uInt chunk = size > (1u << 30) ? (1u << 30) : static_cast<uInt>(size);
    crc = crc32(crc, reinterpret_cast<const Bytef*>(p), chunk);
    p += chunk;
    size -= chunk;
  }
  return static_cast<uint32_t>(crc);
}

std::string JournalHeader(uint32_t base_crc, uint64_t base_size) {
  return "KITREGLOG 1 " + Hex8(base_crc) + " " + std::to_string(base_size) + "\n";
}

std::string JournalRecord(const std::string& payload) {
  std::string length = Hex8(static_cast<uint32_t>(payload.size()));
  std::string out = "@" + length + " " +
                    Hex8(RecordCrc(length.data(), payload.data(), payload.size())) + "\n";
  out += payload;
  out += "\n";
  return out;
}

void ScanJournalRecords(const std::string& data, uint64_t offset, JournalScan* out) {
  out->records.clear();
  out->damage.clear();
  size_t pos = 0;
  while (pos < data.size()) {
    uint64_t at = offset + pos;
    size_t left = data.size() - pos;
    const char* p = data.data() + pos;
    uint32_t length = 0, crc = 0;
    if (left < kFrameSize) {
      out->damage = "the record at offset " + std::to_string(at) + " is incomplete (" +
                    std::to_string(left) + " bytes; a write was cut short)";
      break;
    }
    if (p[0] != '@' || !ParseHex8(p + 1, &length) || p[9] != ' ' || !ParseHex8(p + 10, &crc) ||
        p[18] != '\n') {
      out->damage = "there is no record at offset " + std::to_string(at) + " (a damaged record header)";
      break;
    }
    if (static_cast<uint64_t>(length) + 1 > left - kFrameSize) {
      out->damage = "the record at offset " + std::to_string(at) + " is incomplete (" +
                    std::to_string(left) + " of " + std::to_string(kFrameSize + length + 1) +
                    " bytes; a write was cut short)";
      break;
    }
    if (RecordCrc(p + 1, p + kFrameSize, length) != crc || p[kFrameSize + length] != '\n') {
      out->damage = "the record at offset " + std::to_string(at) +
                    " is damaged (its checksum does not match)";
      break;
    }
    out->records.emplace_back(at, std::string(p + kFrameSize, length));
    pos += kFrameSize + length + 1;
  }
  out->end = offset + pos;
}

bool ScanJournal(const std::string& data, uint32_t base_crc, uint64_t base_size,
                 JournalScan* out) {
  std::string header = JournalHeader(base_crc, base_size);
  out->records.clear();
  out->damage.clear();
  out->end = 0;
  if (data.compare(0, header.size(), header) != 0) return false;
  ScanJournalRecords(data.substr(header.size()), header.size(), out);
  return true;
}

bool ReadHostFileFrom(const std::string& file, uint64_t offset, std::string* data,
                      struct stat* st) {
  int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = ::fstat(fd, st) == 0;
  data->clear();
  if (ok && static_cast<uint64_t>(st->st_size) > offset)
    data->reserve(static_cast<size_t>(static_cast<uint64_t>(st->st_size) - offset));
  char buf[65536];
  off_t at = static_cast<off_t>(offset);
  while (ok) {
    ssize_t n = ::pread(fd, buf, sizeof buf, at);
    if (n < 0) {
      if (errno == EINTR) continue;
      ok = false;
    } else if (n == 0) {
      break;
    } else {
      data->append(buf, static_cast<size_t>(n));
      at += n;
    }
  }
  int saved = errno;
  ::close(fd);
  errno = saved;
  return ok;
}

bool AppendJournalRecord(const std::string& file, uint64_t offset, const std::string& record,
                         std::string* error) {
  int fd = ::open(file.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) {
    if (error) *error = "cannot open " + file + ": " + std::strerror(errno);
    return false;
  }
  size_t done = 0;
  bool ok = true;
  while (done < record.size()) {
    ssize_t w = ::pwrite(fd, record.data() + done, record.size() - done,
                         static_cast<off_t>(offset + done));
    if (w < 0) {
      if (errno == EINTR) continue;
      ok = false;
      break;
    }
    done += static_cast<size_t>(w);
  }
  if (ok && ::fdatasync(fd) != 0) ok = false;
  if (!ok) {
    int saved = errno;
    if (error) *error = "cannot write " + file + ": " + std::strerror(saved);
    // Whatever part of the record reached the file must not count as one
    // later: spoil its frame.
    if (done > 0) {
      ssize_t w = ::pwrite(fd, "#", 1, static_cast<off_t>(offset));
      (void)w;
    }
    ::close(fd);
    errno = saved;
    return false;
  }
  ::close(fd);  // the record is on the disk already
  return true;
}

}  // namespace kit::emu
