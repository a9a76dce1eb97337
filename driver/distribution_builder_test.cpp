// The build modes: the trailer, BUILD.INF, the self-extracting setup.exe and
// where the driver finds its file archive in it.
#include "driver/distribution_builder.h"

#include <random>

#include "driver/extraction_trailer.h"
#include "driver/testing/driver_fixture.h"
#include "files/install_engine.h"
#include "files/install_file.h"
#include "platform/fault_platform.h"
#include "ui/message_box.h"
#ifndef _WIN32
#include <filesystem>

#include "platform/emulated/emulated_file_system.h"
#include "platform/emulated/emulated_machine.h"
#endif

namespace kit {
namespace {

using testing::DriverTest;

TEST(ExtractionTrailerTest, LayoutCutDescriptionAndInclusiveOffsets) {
  ExtractionTrailer t;
  t.setup_first = 1000;
  t.setup_last = 1000 + 8192 - 1;
  t.files_first = 0x01020304;
  t.files_last = 0x7FFFFFFF;
  t.description = "123456789012345678901";  // 21 characters
  const ExtractionTrailer::Bytes b = t.Encode();
  EXPECT_EQ(std::string(b.begin(), b.begin() + 16), std::string("\x0eSELFEXTRACTING\0", 16));
  EXPECT_EQ(b[24], 0x04);
  EXPECT_EQ(b[27], 0x01);
  EXPECT_EQ(b[32], 20);
  EXPECT_EQ(std::string(b.begin() + 33, b.begin() + 53), "12345678901234567890");
  EXPECT_EQ(std::string(b.begin() + 53, b.end()), std::string(3, '\0'));
  const ExtractionTrailer back = ExtractionTrailer::Decode(b);
  EXPECT_EQ(back.setup_last - back.setup_first + 1, 8192);
  EXPECT_EQ(back.files_first, 0x01020304);
  EXPECT_EQ(back.description, "12345678901234567890");
  EXPECT_TRUE(ExtractionTrailer::HasSignature(b));
}

class BuildTest : public DriverTest {
 protected:
  std::string Build() { return platform_.Scratch() + "\\Dist"; }
  std::string Kit() { return platform_.Scratch() + "\\Kit"; }
  void Write(const std::string& path, const std::string& bytes) {
    auto f = platform_.Files().Open(path, FileAccess::kWrite, share::kAll, Disposition::kCreateAlways);
    ASSERT_TRUE(f) << path;
    uint32_t n = 0;
    f->Write(bytes.data(), static_cast<uint32_t>(bytes.size()), &n);
  }
  std::string ReadAll(const std::string& path) {
    auto f = platform_.Files().Open(path, FileAccess::kRead, share::kAll, Disposition::kOpenExisting);
    if (!f) return "(missing)";
    std::string s(static_cast<size_t>(f->Size()), '\0');
    uint32_t n = 0;
    f->Read(s.data(), static_cast<uint32_t>(s.size()), &n);
    return s;
  }
  // A driver with one payload file, the kit's loader and its registry value.
  void MakeProduct() {
    platform_.Files().MakeDirectories(Kit());
    platform_.Files().MakeDirectories(Build());
    platform_.Files().MakeDirectories(platform_.Scratch() + "\\Payload");
    Write(Kit() + "\\KobbelinLoadProgram.exe", "MZ loader bytes");
    Write(platform_.Scratch() + "\\Payload\\tav.dat", std::string(20000, 'x'));
    Write(platform_.exe_path, "MZ installer");
    auto key = platform_.Reg().Open(RegRoot::kLocalMachine, "\\Software\\Tarn Vell\\Kobbelin96", RegAccess::kAll, true);
    key->Set("KobbelinDirectory", RegValue::String(Kit()));
    Make([&](TInstall& i, TForm& f) {
      auto* file = new TInstallFile(&f);
      file->SetContainer(&i);
      file->SetFileName("tav.dat");
      file->SetIncludeFromDir(platform_.Scratch() + "\\Payload");
      file->SetDestDirType(ddAbsolute);
      file->SetDestDir("C:\\TAVWIN");
    });
  }
};

TEST_F(BuildTest, SelfExtractingSetupCarriesLoaderArchivesAndTrailer) {
  MakeProduct();
  std::vector<std::string> notes;
  auto note = [&](const char* what) { return [&notes, what](TComponent*) { notes.push_back(what); }; };
  BuildNotifications& n = DistributionBuilder::Notifications();
  n = BuildNotifications{note("setup"), note("copy"), note("files"), note("self")};
  const TPathSpecifiers type = install_->ArchiveFileType();
  DistributionBuilder(*install_).BuildDistribution(platform_.exe_path, Build(), "Tavrix 1.0 for Windows 95", true);
  n = BuildNotifications{};
  EXPECT_EQ(notes, (std::vector<std::string>{"setup", "files", "self"}));
  EXPECT_EQ(install_->ArchiveFileType(), type);  // put back

  const std::string exe = ReadAll(Build() + "\\setup.exe");
  const std::string setup1 = ReadAll(Build() + "\\setup.1");
  const std::string files1 = ReadAll(Build() + "\\files.1");
  ASSERT_GT(files1.size(), 0u);
  ASSERT_EQ(exe.size(), 15 + setup1.size() + files1.size() + 56);
  EXPECT_EQ(exe.substr(0, 15), "MZ loader bytes");
  ExtractionTrailer::Bytes b{};
  std::copy(exe.end() - 56, exe.end(), b.begin());
  const ExtractionTrailer t = ExtractionTrailer::Decode(b);
  EXPECT_EQ(t.setup_first, 15);
  EXPECT_EQ(exe.substr(t.setup_first, t.setup_last - t.setup_first + 1), setup1);
  EXPECT_EQ(exe.substr(t.files_first, t.files_last - t.files_first + 1), files1);
  EXPECT_EQ(t.description, "Tavrix 1.0 for Windo");

  // The driver started from it reads its archive from the embedded files.1.
  install_->SetArchiveFileType(ddAbsolute);
  install_->SetArchiveFile(Build() + "\\setup.exe");
  DistributionBuilder(*install_).FindSelfExtractOffset();
  EXPECT_EQ(InstallEngine().Offset(), t.files_first);
  InstallEngine().SetOffset(0);
}

TEST_F(BuildTest, FailuresNameWhatIsWrong) {
  MakeProduct();
  DistributionBuilder b(*install_);
  auto message = [](const std::function<void()>& work) {
    try {
      work();
    } catch (const Exception& e) {
      return e.Message();
    }
    return std::string("no failure");
  };
  EXPECT_EQ(message([&] { b.BuildFromInfFile(); }),
            "Need to have a BUILD.INF file in this directory with the first line specifying the build directory");
  Write(Dir() + "\\BUILD.INF", "");
  EXPECT_EQ(message([&] { b.BuildFromInfFile(); }),
            "Must be 1 line in BUILD.INF. This line should specify the build directory");
  EXPECT_EQ(message([&] { b.CreateSetupFile(Build(), "  "); }), "Cannot create setup file. Executable is blank");
  EXPECT_EQ(message([&] { b.CreateSetupFile(Build(), "C:\\none\\install.exe"); }),
            "TInstall: Cannot find the executable file C:\\none\\install.exe");
  install_->SetUseLoadingProgram(false);
  EXPECT_EQ(message([&] { b.BuildDistribution(platform_.exe_path, Build(), "", true); }),
            "Cannot build a stand alone executable if the UseLoadingProgram property of the TInstall is set to False");
  install_->SetUseLoadingProgram(true);
  platform_.Files().RemoveFile(Kit() + "\\KobbelinLoadProgram.exe");
  EXPECT_EQ(message([&] { b.BuildDistribution(platform_.exe_path, Build(), "", true); }),
            "The loader program " + Kit() + "\\KobbelinLoadProgram.exe was not found");

  Write(platform_.Scratch() + "\\file", "");
  EXPECT_EQ(message([&] { b.BuildDistribution(platform_.exe_path, platform_.Scratch() + "\\file\\Dist", "", true); }),
            "Cannot make the build directory " + platform_.Scratch() + "\\file\\Dist");
  Write(Build() + "\\short.exe", std::string(55, 'x'));
  EXPECT_EQ(message([&] { ExtractionTrailer::Read(platform_.Files(), Build() + "\\short.exe"); }),
            "Could not read the extraction info from the archive file " + Build() +
                "\\short.exe when trying to find the correct offset into the self extracting file");
  EXPECT_EQ(message([&] { ExtractionTrailer::Read(platform_.Files(), Build() + "\\none.exe"); }),
            "Could not open the archive file " + Build() +
                "\\none.exe when trying to find the correct offset into the self extracting file");
}

// An installation started from a damaged self-extracting setup.exe fails
// with one clear message and installs nothing.
TEST_F(BuildTest, ADamagedSelfExtractingSetupInstallsNothing) {
  const std::string exe = Build() + "\\setup.exe";
  platform_.arguments = {"*SELFEXTRACT", "setup.exe", Build()};
  MakeProduct();
  DistributionBuilder::InstallSeams();
  DistributionBuilder(*install_).BuildDistribution(platform_.exe_path, Build(), "", true);
  const std::string good = ReadAll(exe);
  ExtractionTrailer::Bytes b{};
  std::copy(good.end() - 56, good.end(), b.begin());
  const ExtractionTrailer t = ExtractionTrailer::Decode(b);
  // The embedded files.1 with its member table overwritten after the count.
  std::string bad = good;
  for (int i = 5; i < 64; ++i) bad[t.files_first + i] = static_cast<char>(0x01);
  Write(exe, bad);
  Application().Run();
  EXPECT_EQ(Boxes(), std::vector<std::string>{"Could not read the file headers for the compressed file. "
                                              "The Archive file could possible be corrupt."});
  EXPECT_FALSE(Exists("C:\\TAVWIN\\tav.dat"));
  EXPECT_TRUE(std::find(record_.begin(), record_.end(), "OnShowBadInstall") != record_.end());
}

TEST_F(BuildTest, ASetupCutShorterThanItsTrailerInstallsNothing) {
  const std::string exe = Build() + "\\setup.exe";
  platform_.arguments = {"*SELFEXTRACT", "setup.exe", Build()};
  MakeProduct();
  DistributionBuilder::InstallSeams();
  Write(exe, std::string(40, 'M'));
  Application().Run();
  EXPECT_EQ(Boxes(), std::vector<std::string>{"Could not read the extraction info from the archive file " + exe +
                                              " when trying to find the correct offset into the self extracting file."});
  EXPECT_FALSE(Exists("C:\\TAVWIN\\tav.dat"));
}

// "*TODISK" onto drive A:, the user changing disks at each prompt: the disk
// taken out is kept in Scratch\DiskN. Natively drive A: is the emulated
// machine's 1.44 MB floppy drive; under Wine the test runs with a folder
// mapped as a: (distribution_builder_wine_test.sh) and a 1.44 MB disk is a
// write limit on the platform.
class ToDiskTest : public BuildTest {
 protected:
  static constexpr uint64_t kFloppy = 1457664;
  // "Lütfen İzleyen Numaralı Disketi Takın : %d", code page 1254.
  static std::string Prompt(int disk) {
    return "L\xFCtfen \xDDzleyen Numaral\xFD Disketi Tak\xFDn : " + std::to_string(disk);
  }
  void SetUp() override {
#ifndef _WIN32
    auto& machine = dynamic_cast<EmulatedMachine&>(platform_.inner());
    std::filesystem::create_directories(machine.FilesImpl().DriveHost('A'));
#endif
    if (!platform_.Files().DirectoryExists("A:\\")) GTEST_SKIP() << "no folder is mapped as drive a:";
  }
  std::string Random(size_t n, unsigned seed) {
    std::mt19937 gen(seed);
    std::string s(n, '\0');
    for (char& c : s) c = static_cast<char>(gen());
    return s;
  }
  std::vector<std::string> OnDisk() {
    std::vector<FileEntry> entries;
    platform_.Files().List("A:\\", "*", &entries);
    std::vector<std::string> names;
    for (const auto& e : entries) names.push_back(e.name);
    std::sort(names.begin(), names.end());
    return names;
  }
  std::string Kept(int disk) { return platform_.Scratch() + "\\Disk" + std::to_string(disk); }
  // Takes the disk in A: out (as disk `out`) and puts disk `in` back, or an empty one.
  void ChangeDisk(int out, int in) {
    FileSystem& fs = platform_.Files();
    fs.MakeDirectories(Kept(out));
    for (const std::string& name : OnDisk()) {
      ASSERT_TRUE(fs.Copy("A:\\" + name, Kept(out) + "\\" + name, false));
      ASSERT_TRUE(fs.RemoveFile("A:\\" + name));
    }
    std::vector<FileEntry> entries;
    fs.List(Kept(in), "*", &entries);
    for (const auto& e : entries) ASSERT_TRUE(fs.Copy(Kept(in) + "\\" + e.name, "A:\\" + e.name, false));
    ArmDisk();
  }
  // The room of a fresh floppy.
  void ArmDisk() {
#ifdef _WIN32
    faults_.ClearFaults();
    faults_.DiskFullAfter(kFloppy);
#endif
  }
  // Runs "*TODISK setup.exe <build dir>" as the driver does; the failure message or "".
  std::string ToDisk(const std::function<int(int disk)>& answer) {
    platform_.arguments = {"*TODISK", "setup.exe", Build()};
    int in_drive = 1;
    backend().on_message_box = [&](const ShownMessageBox& box) {
      prompts_.push_back(box.text);
      const int disk = std::stoi(box.text.substr(box.text.rfind(' ') + 1));
      const int chosen = answer(disk);
      if (chosen == id::kOk) {
        ChangeDisk(in_drive, disk);
        in_drive = disk;
      }
      return chosen;
    };
    ArmDisk();
    std::string failure;
    {
      ScopedPlatform faulty(faults_);
      try {
        DistributionBuilder(*install_).BuildToDisk();
      } catch (const Exception& e) {
        failure = e.Message();
      }
    }
    faults_.ClearFaults();
    backend().on_message_box = nullptr;
    return failure;
  }

  FaultPlatform faults_{platform_};
  std::vector<std::string> prompts_;
};

TEST_F(ToDiskTest, AFullFloppyAsksForTheNextDiskAndTheSetReadsBack) {
#ifndef _WIN32
  uint64_t free_bytes = 0, total = 0;
  ASSERT_TRUE(platform_.Files().DiskSpace("A:\\", &free_bytes, &total));
  EXPECT_EQ(total, kFloppy);
#endif
  MakeProduct();
  const std::string big = Random(1600000, 1);  // does not compress
  Write(platform_.Scratch() + "\\Payload\\big.dat", big);
  auto* file = new TInstallFile(form_);
  file->SetContainer(install_);
  file->SetFileName("big.dat");
  file->SetIncludeFromDir(platform_.Scratch() + "\\Payload");
  DistributionBuilder(*install_).BuildDistribution(platform_.exe_path, Build(), "", true);

  EXPECT_EQ(ToDisk([](int) { return id::kOk; }), "");
  // Disk 2 when disk 1 is full, then disk 1 again for the volume table.
  EXPECT_EQ(prompts_, (std::vector<std::string>{Prompt(2), Prompt(1)}));
  EXPECT_EQ(Application().ScreenCursor(), crDefault);
  EXPECT_EQ(OnDisk(), (std::vector<std::string>{"files.1", "setup.1", "setup.exe"}));
  EXPECT_EQ(ReadAll("A:\\setup.exe"), "MZ loader bytes");
  EXPECT_EQ(ReadAll("A:\\setup.1"), ReadAll(Build() + "\\setup.1"));
  EXPECT_GT(ReadAll(Kept(2) + "\\files.2").size(), 0u);

  // The installer reads the set back, the user changing disks again.
  TKblnCompress reader(nullptr, platform_.Files());
  reader.SetCompressedFile("A:\\files.1");
  reader.OnNewDisk = [&](TKblnCompress&, int disk, std::string&) { ChangeDisk(3, disk); };
  ASSERT_EQ(reader.FileCount(), 2);
  reader.SetExtractDirectory(platform_.Scratch() + "\\Out");
  platform_.Files().MakeDirectories(platform_.Scratch() + "\\Out");
  reader.SetFilesToProcess({reader.Headers().FileHeaders(0)->FileName(), reader.Headers().FileHeaders(1)->FileName()});
  reader.ExtractFiles();
  EXPECT_EQ(ReadAll(platform_.Scratch() + "\\Out\\tav.dat"), std::string(20000, 'x'));
  EXPECT_TRUE(ReadAll(platform_.Scratch() + "\\Out\\big.dat") == big);
}

TEST_F(ToDiskTest, CancelAtThePromptAborts) {
  MakeProduct();
  Write(platform_.Scratch() + "\\Payload\\big.dat", Random(1600000, 2));
  auto* file = new TInstallFile(form_);
  file->SetContainer(install_);
  file->SetFileName("big.dat");
  file->SetIncludeFromDir(platform_.Scratch() + "\\Payload");
  DistributionBuilder(*install_).BuildDistribution(platform_.exe_path, Build(), "", true);
  EXPECT_EQ(ToDisk([](int) { return id::kCancel; }), "Aborted");
  EXPECT_EQ(prompts_, std::vector<std::string>{Prompt(2)});
  EXPECT_EQ(Application().ScreenCursor(), crDefault);
}

// setup.exe made by hand: a loader, a setup.1 of exactly one block, a files.1.
TEST_F(ToDiskTest, OneBlockSetupArchiveAndAFloppyTooSmallForIt) {
  MakeProduct();
  DistributionBuilder(*install_).BuildDistribution(platform_.exe_path, Build(), "", false);
  const std::string files1 = ReadAll(Build() + "\\files.1");
  const std::string setup1 = Random(8192, 3);
  auto make = [&](const std::string& loader) {
    ExtractionTrailer t;
    t.setup_first = static_cast<int32_t>(loader.size());
    t.setup_last = t.setup_first + 8191;
    t.files_first = t.setup_last + 1;
    t.files_last = t.files_first + static_cast<int32_t>(files1.size()) - 1;
    const auto b = t.Encode();
    Write(Build() + "\\setup.exe", loader + setup1 + files1 + std::string(b.begin(), b.end()));
  };
  make("MZ loader");
  EXPECT_EQ(ToDisk([](int) { return id::kOk; }), "");
  EXPECT_TRUE(prompts_.empty());
  EXPECT_EQ(ReadAll("A:\\setup.exe"), "MZ loader");
  EXPECT_TRUE(ReadAll("A:\\setup.1") == setup1);

  // A loader that leaves less than the setup archive's room on the disk.
  ChangeDisk(1, 9);  // an empty disk
  make("MZ" + std::string(kFloppy - 4096, 'L'));
  EXPECT_EQ(ToDisk([](int) { return id::kOk; }),
            "Cannot create the Setup.1 archive on the A drive. Probably not enough room");
}

}  // namespace
}  // namespace kit
