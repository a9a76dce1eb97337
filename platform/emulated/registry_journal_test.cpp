#include "platform/emulated/registry_journal.h"

#include <gtest/gtest.h>

namespace kit::emu {
namespace {

const char* kPayloads[] = {
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\A]\r\n\"v\"=\"1\"\r\n",
    "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\B]\r\n",
    "",  // an empty record is still one
    "[HKEY_CURRENT_USER\\X]\r\n@=hex:00,01,0a,0d,ff\r\n",
};

std::string Journal(std::vector<uint64_t>* ends) {
  std::string data = JournalHeader(0x1234abcd, 77);
  ends->push_back(data.size());
  for (const char* p : kPayloads) {
    data += JournalRecord(p);
    ends->push_back(data.size());
  }
  return data;
}

TEST(RegistryJournalTest, EveryCutKeepsTheWholeRecordsBeforeItAndNamesTheRest) {
  std::vector<uint64_t> ends;
  std::string full = Journal(&ends);
  for (size_t cut = ends.front(); cut <= full.size(); ++cut) {
    JournalScan scan;
    ASSERT_TRUE(ScanJournal(full.substr(0, cut), 0x1234abcd, 77, &scan));
    size_t whole = 0;
    while (whole + 1 < ends.size() && ends[whole + 1] <= cut) ++whole;
    ASSERT_EQ(scan.records.size(), whole) << "cut at " << cut;
    for (size_t i = 0; i < whole; ++i) {
      EXPECT_EQ(scan.records[i].first, ends[i]);
      EXPECT_EQ(scan.records[i].second, kPayloads[i]);
    }
    EXPECT_EQ(scan.end, ends[whole]);
    bool at_boundary = cut == ends[whole];
    EXPECT_EQ(scan.damage.empty(), at_boundary) << "cut at " << cut << ": " << scan.damage;
    if (!at_boundary) {
      EXPECT_NE(scan.damage.find("offset " + std::to_string(ends[whole])), std::string::npos)
          << scan.damage;
    }
  }
}

TEST(RegistryJournalTest, AnyChangedByteStopsTheScanAtItsRecord) {
  std::vector<uint64_t> ends;
  std::string full = Journal(&ends);
  for (size_t at = ends.front(); at < full.size(); ++at) {
    std::string bad = full;
    bad[at] ^= 0x20;
    size_t record = 0;
    while (ends[record + 1] <= at) ++record;
    JournalScan scan;
    ASSERT_TRUE(ScanJournal(bad, 0x1234abcd, 77, &scan));
    EXPECT_EQ(scan.records.size(), record) << "byte " << at;
    EXPECT_EQ(scan.end, ends[record]) << "byte " << at;
    EXPECT_FALSE(scan.damage.empty()) << "byte " << at;
  }
}

TEST(RegistryJournalTest, AJournalOfAnotherBaseHoldsNothing) {
  std::vector<uint64_t> ends;
  std::string full = Journal(&ends);
  JournalScan scan;
  EXPECT_FALSE(ScanJournal(full, 0x1234abcd, 78, &scan));
  EXPECT_FALSE(ScanJournal(full, 0x1234abce, 77, &scan));
  EXPECT_FALSE(ScanJournal("", 0x1234abcd, 77, &scan));
  EXPECT_FALSE(ScanJournal("KITREGLOG 1 1234ab", 0x1234abcd, 77, &scan));
  EXPECT_TRUE(scan.records.empty());
  // Records scanned from the middle of the file carry their file offsets.
  ScanJournalRecords(full.substr(ends[2]), ends[2], &scan);
  ASSERT_EQ(scan.records.size(), 2u);
  EXPECT_EQ(scan.records[0].first, ends[2]);
  EXPECT_EQ(scan.end, full.size());
}

}  // namespace
}  // namespace kit::emu
