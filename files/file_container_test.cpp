#include "files/file_container.h"

#include <gtest/gtest.h>

#include "base/exception.h"
#include "base/text.h"
#include "files/testing/file_fixture.h"
#include "model/parameter_list.h"
#include "ui/application.h"

namespace kit {
namespace {

using testing::Bytes;
using testing::FileTest;
using Lines = std::vector<std::string>;

std::string Message(const std::function<void()>& f) {
  try {
    f();
  } catch (const Exception& e) {
    return e.Message();
  }
  return "<no error>";
}

class ContainerTest : public FileTest {};

TEST_F(ContainerTest, InstallRunExtractsEveryFileAndReportsItsOwnShares) {
  TInstallFileGroup* g = Group(driver_.get(), "Group1", "Tools");
  TInstallFile* a = File(g, "a.txt", Bytes(8192, 1));
  TInstallFile* b = File(g, "b.txt", Bytes(24576, 2));
  TInstallFile* top = File(driver_.get(), "top.txt", Bytes(32768, 3));
  TInstallFileGroup* empty = Group(driver_.get(), "Group2", "Empty");
  Build();

  Lines events;
  std::vector<int> group_totals, driver_totals;
  g->on_status = [&](TInstallFile*, int32_t, int32_t total) { group_totals.push_back(total); };
  driver_->on_status = [&](TInstallFile*, int32_t, int32_t total) { driver_totals.push_back(total); };
  g->on_show_copy_file_dlg = [&](TInstallContainer* c) {
    auto* group = dynamic_cast<TFileContainer*>(c);
    ASSERT_NE(group, nullptr);
    events.push_back("show " + c->Name() + " " + std::to_string(group->TotalBytes()));
    EXPECT_EQ(group->State(), fcsInstall);
  };
  g->on_close_copy_file_dlg = [&](TInstallContainer* c, bool aborted) {
    events.push_back("close " + c->Name() + (aborted ? " aborted" : ""));
  };
  empty->on_show_copy_file_dlg = g->on_show_copy_file_dlg;
  empty->on_close_copy_file_dlg = g->on_close_copy_file_dlg;
  driver_->Process();

  // An empty group after a finished one was not stopped either.
  EXPECT_EQ(events, (Lines{"show Group1 32768", "close Group1", "show Group2 0", "close Group2"}));
  EXPECT_EQ(driver_->TotalBytes(), 65536);
  EXPECT_EQ(Get(dest_ + "\\Tools\\a.txt"), Bytes(8192, 1));
  EXPECT_EQ(Get(dest_ + "\\Tools\\b.txt"), Bytes(24576, 2));
  EXPECT_EQ(Get(dest_ + "\\top.txt"), Bytes(32768, 3));
  EXPECT_EQ(a->FileSize(), 8192);
  uint32_t source_time = 0, installed_time = 0;
  ASSERT_TRUE(m_.platform().Files().GetTime(src_ + "\\b.txt", &source_time));
  ASSERT_TRUE(m_.platform().Files().GetTime(dest_ + "\\Tools\\b.txt", &installed_time));
  EXPECT_EQ(installed_time, source_time);
  EXPECT_NE(b->FileDate(), 0);
  EXPECT_GT(top->CompressedSize(), 0);
  // Half-way through the second file of the group: (8192 + 12288) / 32768.
  EXPECT_NE(std::find(group_totals.begin(), group_totals.end(), 62), group_totals.end());
  EXPECT_EQ(group_totals.back(), 100);
  EXPECT_TRUE(std::is_sorted(group_totals.begin(), group_totals.end()));
  // The driver sees the same reports against its own totals.
  EXPECT_GT(driver_totals.size(), group_totals.size());
  EXPECT_EQ(driver_totals[group_totals.size() - 1], 50);  // 32768 of 65536
  EXPECT_EQ(driver_totals.back(), 100);
  EXPECT_EQ(g->State(), fcsNone);
  EXPECT_EQ(driver_->State(), fcsNone);
  EXPECT_EQ(Log(), (Lines{"[]", "[Files]", "Entries=\"3\"", "File1=\"" + dest_ + "\\Tools\\a.txt\"",
                          "File2=\"" + dest_ + "\\Tools\\b.txt\"", "File3=\"" + dest_ + "\\top.txt\""}));
}

TEST_F(ContainerTest, ReportsAreCheckedIgnoredOutsideARunAndClimbTheTree) {
  TInstallFileGroup* g = Group(driver_.get(), "Group1", "Tools");
  TInstallFileGroup* empty = Group(g, "Empty", "Nothing");
  TInstallFile* f = File(g, "a.txt", Bytes(100, 1));
  Build();

  int driver_calls = 0;
  driver_->on_status = [&](TInstallFile*, int32_t, int32_t) { ++driver_calls; };
  TFileStatusParameter status;
  status.BytesProcessed = 50;
  TParameterList list{f, &status};
  // Not running: neither handled nor passed on.
  g->DoInformationEventControl(f, event::kInstallingFile, &list);
  EXPECT_EQ(driver_calls, 0);
  EXPECT_EQ(status.TotalBytesProcessed, 0);

  Lines messages;
  std::vector<int> empty_totals;
  std::string disk_path;
  empty->on_status = [&](TInstallFile*, int32_t, int32_t total) { empty_totals.push_back(total); };
  g->on_new_disk = [&](TInstallFile*, int32_t disk, std::string& path) {
    disk_path = path + " #" + std::to_string(disk);  // answered, path left unchanged
  };
  empty->on_show_copy_file_dlg = [&](TInstallContainer*) {
    // A group with nothing counted reports 0 for every report.
    empty->DoInformationEventControl(f, "EIEINSTALLINGFILE", &list);
    TDiskParameter disk(2, "C:\\Disks");
    TParameterList change{f, &disk};
    f->SetTag(0);
    empty->DoInformationEventControl(f, event::kChangeDiskReport, &change);
    messages.push_back("tag " + std::to_string(f->Tag()) + " " + disk.Path());
    TParameterList bad{f, &status};
    messages.push_back(Message([&] { empty->DoInformationEventControl(f, event::kChangeDiskReport, &bad); }));
    messages.push_back(Message([&] { empty->DoInformationEventControl(f, event::kInstallingFile, nullptr); }));
    messages.push_back(Message([&] { empty->DoInformationEventControl(f, event::kInstallingFile, f); }));
    TParameterList one{f};
    messages.push_back(Message([&] { empty->DoInformationEventControl(f, event::kInstallingFile, &one); }));
    TParameterList swapped{&status, f};
    messages.push_back(Message([&] { empty->DoInformationEventControl(f, event::kInstallingFile, &swapped); }));
    messages.push_back(Message([&] { empty->DoInformationEventControl(f, event::kReplaceInstallFile, &status); }));
    messages.push_back(Message([&] { empty->DoInformationEventControl(f, event::kReplaceInstallFile, nullptr); }));
  };
  driver_->Process();
  EXPECT_EQ(empty_totals, std::vector<int>{0});
  EXPECT_EQ(disk_path, "C:\\Disks #2");
  EXPECT_EQ(messages,
            (Lines{"tag 1 C:\\Disks", "DoInformationEventControl says bad second parameter",
                   "The ParameterObject is Nil in the DoInformationEventControl method of the TInstallFileGroup",
                   "DoInformationEventControl--PO is not a TList object",
                   "DoInformationEventControl--Not engouh parameters for status event",
                   "DoInformationEventControl says bad first parameter",
                   "DoInformationEventControl parameter is not TInstallFile",
                   "The ParameterObject is Nil in the DoInformationEventControl method of the TFileContainer"}));
  // The synthetic report reached the group and the driver above the empty group.
  EXPECT_EQ(status.TotalBytesProcessed, 50);
  EXPECT_GE(driver_calls, 2);
}

TEST_F(ContainerTest, TotalsCountByInstallTypeUnlikeProcessing) {
  TInstallFileGroup* g = Group(driver_.get(), "Group1", "Tools");
  TInstallFile* a = File(g, "a.txt", Bytes(100, 1));
  TInstallFile* b = File(g, "b.txt", Bytes(300, 2));
  TInstallFile* c = File(g, "c.txt", Bytes(500, 3));
  b->SetInstallTypesChecked({itFull});
  c->SetInclude(false);
  driver_->ReadSourceInfo();
  driver_->SetCurrentInstallType(itCustom);
  EXPECT_EQ(g->TotalSize(false), 100);  // b is processed for itCustom, yet not counted
  EXPECT_EQ(g->TotalSize(true), 900);
  driver_->SetCurrentInstallType(itFull);
  EXPECT_EQ(driver_->TotalSize(false), 400);
  g->SetInclude(false);
  EXPECT_EQ(driver_->TotalSize(false), 0);
  EXPECT_EQ(driver_->TotalSize(true), 900);
  (void)a;

  // The setter rule: itAlways never stands with another type.
  b->SetInstallTypesChecked({itFull});
  b->SetInstallTypesChecked({itFull, itAlways});
  EXPECT_EQ(b->InstallTypes(), (TInstallTypeSet{itAlways}));
  b->SetInstallTypesChecked({itFull, itAlways});
  EXPECT_EQ(b->InstallTypes(), (TInstallTypeSet{itFull}));
  g->SetInstallTypesChecked({});
  EXPECT_EQ(g->InstallTypes(), (TInstallTypeSet{itAlways}));
}

TEST_F(ContainerTest, ForcedCompressPutsEverythingIntoTheDriversArchiveAndRestoresSettings) {
  TInstallFileGroup* g = Group(driver_.get(), "Group1", "Tools");
  TInstallFileGroup* own = Group(g, "Own", "Own");
  TInstallFile* a = File(g, "a.txt", Bytes(1000, 1));
  TInstallFile* b = File(own, "b.txt", Bytes(2000, 2));
  b->SetInclude(false);
  own->SetArchiveFileType(ddAbsolute);
  own->SetArchiveFile(m_.Scratch() + "\\own\\own.1");
  Build();

  EXPECT_EQ(own->ArchiveFileType(), ddAbsolute);
  EXPECT_EQ(own->ArchiveFile(), m_.Scratch() + "\\own\\own.1");
  EXPECT_FALSE(b->Include());
  EXPECT_EQ(a->AddToArchive(), lzcOverwrite);
  EXPECT_FALSE(Exists(m_.Scratch() + "\\own\\own.1"));
  TKblnCompress& engine = InstallEngine();
  engine.SetCompressedFile(archive_);
  engine.ReadHeaders();
  EXPECT_EQ(engine.FileCount(), 2);
  EXPECT_GE(engine.IndexOfFile(src_ + "\\b.txt"), 0);

  // Without Force each keeps its own archive and excluded files stay out.
  driver_->CompressFiles(false);
  EXPECT_FALSE(Exists(m_.Scratch() + "\\own\\own.1"));  // b is excluded
  b->SetInclude(true);
  driver_->CompressFiles(false);
  engine.SetCompressedFile(m_.Scratch() + "\\own\\own.1");
  engine.ReadHeaders();
  EXPECT_EQ(engine.FileCount(), 1);
  engine.SetCompressedFile(archive_);
  engine.ReadHeaders();
  EXPECT_EQ(engine.FileCount(), 1);  // recreated with a alone
  EXPECT_EQ(driver_->State(), fcsNone);
}

TEST_F(ContainerTest, AnArchiveThatCannotBeDeletedEndsTheCompressRun) {
  File(driver_.get(), "a.txt", Bytes(10, 1));
  Build();
  auto held = testing::HoldOpen(m_.platform(), archive_);
  ASSERT_TRUE(held);
  EXPECT_EQ(Message([&] { driver_->SetState(fcsCompress); }), "Cannot delete archive file " + archive_);
  EXPECT_EQ(driver_->State(), fcsNone);
}

TEST_F(ContainerTest, CopyRunCopiesUncompressedFilesFirstThenGroups) {
  TInstallFileGroup* g = Group(driver_.get(), "Group1", "Tools");
  File(g, "a.txt", Bytes(5000, 1));
  File(driver_.get(), "top.txt", Bytes(7000, 2));
  Lines order;
  for (auto& f : files_)
    f->on_before_copy = [&order](TInstallFile* file) { order.push_back(file->FileName()); };
  driver_->SetState(fcsCopy);
  EXPECT_EQ(order, (Lines{"top.txt", "a.txt"}));
  EXPECT_EQ(Get(dest_ + "\\Tools\\a.txt"), Bytes(5000, 1));
  EXPECT_EQ(Get(dest_ + "\\top.txt"), Bytes(7000, 2));
  EXPECT_EQ(driver_->TotalBytes(), 12000);
  EXPECT_EQ(driver_->State(), fcsNone);
}

TEST_F(ContainerTest, GroupsAreNamedAndFindTheirFilesWithoutRegardToCase) {
  TInstallFileGroup* g = Group(driver_.get(), "Group1", "Tools");
  EXPECT_EQ(g->GroupName(), "Unnamed File Group");
  EXPECT_EQ(g->ProcessingRank(), rank::kFileGroup);
  EXPECT_TRUE(g->AllowChoice());
  TInstallFile* a = File(g, "Read Me.txt", "x");
  EXPECT_EQ(g->FindInstallFile(UpperCase(src_) + "\\READ ME.TXT"), a);
  EXPECT_EQ(g->FindInstallFile("Read Me.txt"), nullptr);
  EXPECT_EQ(g->InstallFileCount(), 1);

  TComponent form(nullptr);
  form.SetDesigning(true);
  TInstallFileGroup first(&form), second(&form);
  EXPECT_EQ(first.Container(), driver_.get());
  EXPECT_EQ(first.GroupName(), "Group #2");  // Group1 is already there
  EXPECT_EQ(second.GroupName(), "Group #3");
  EXPECT_EQ(first.ArchiveFileType(), ddContainerArchiveFile);
}

}  // namespace
}  // namespace kit
