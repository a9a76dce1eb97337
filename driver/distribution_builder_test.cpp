// The build modes: the trailer, BUILD.INF, the self-extracting setup.exe and
// where the driver finds its file archive in it.
#include "driver/distribution_builder.h"

#include "driver/extraction_trailer.h"
#include "driver/testing/driver_fixture.h"
#include "files/install_engine.h"
#include "files/install_file.h"

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

}  // namespace
}  // namespace kit
