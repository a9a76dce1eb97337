#include "model/errors.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "archive/archive_errors.h"
#include "model/base_helper_component.h"
#include "model/detail_format.h"
#include "model/program_manager_errors.h"
#include "system/system_errors.h"
#include "model/testing/test_components.h"
#include "translation/translation.h"

namespace kit {
namespace {

// Marks every text it translates, so a test sees which messages went
// through the translation and that the arguments were filled in after it.
class MarkingTranslator : public Translator {
 public:
  MarkingTranslator() { RegisterTranslator(this); }
  ~MarkingTranslator() override { UnregisterTranslator(this); }
  std::string TranslateText(TKblnLanguage, const std::string& text) override {
    return "<" + text + ">";
  }
  void SetFormFont(TComponent&) override {}
  void SetFormFontInto(TKblnLanguage, TComponent&) override {}
  TKblnLanguage TranslateControl(TKblnLanguage from, TComponent&) override { return from; }
  TKblnLanguage TranslateControlInto(TKblnLanguage, TKblnLanguage into, TComponent&) override {
    return into;
  }
};

struct Case {
  std::function<std::unique_ptr<Exception>()> make;
  const char* class_name;
  std::string message;  // with no translator
  bool translated;      // whole format passed through the translation
  std::string marked;   // with the marking translator, when it differs from "<" + message + ">"
};

template <class E, class... A>
std::function<std::unique_ptr<Exception>()> Make(A... args) {
  return [=] { return std::unique_ptr<Exception>(new E(args...)); };
}

// The message a marking translator gives for a format and its arguments.
std::string M(const std::string& format, std::initializer_list<detail::FormatArg> args) {
  return detail::Format("<" + format + ">", args);
}

std::vector<Case> Cases(TInstallContainer* container) {
  using detail::Arg;
  using R = EAICannotExpandContainerDirMV::Reason;
  return {
      {Make<EAIIFCouldNotOpenFileImage>(std::string("C:\\TAVWIN\\A.EXE")), "EAIIFCouldNotOpenFileImage",
       "Could not open or find the following file when trying to read the Size, Date, and "
       "Version :C:\\TAVWIN\\A.EXE",
       true,
       M("Could not open or find the following file when trying to read the Size, Date, and "
         "Version :%s", {Arg("C:\\TAVWIN\\A.EXE")})},
      {Make<EAIIFBlankArchiveFile>(std::string("A.EXE")), "EAIIFBlankArchiveFile",
       "Cannot either compress or decompress the following file because it's archive file "
       "property is blank. File is :A.EXE",
       true,
       M("Cannot either compress or decompress the following file because it's archive file "
         "property is blank. File is :%s", {Arg("A.EXE")})},
      {Make<EAIIFNotFileContainer>(std::string("File3")), "EAIIFNotFileContainer",
       "The following TInstallFile component File3 requires the Container property to be a "
       "component descended from the TFileContainer component",
       true,
       M("The following TInstallFile component %s requires the Container property to be a "
         "component descended from the TFileContainer component", {Arg("File3")})},
      {Make<EAIIFDLLNameConflict>(std::string("averylongname.dll")), "EAIIFDLLNameConflict",
       "The following file :averylongname.dll: is specified to be a Shared DLL file. To be "
       "installed on the user's system, shared DLLs must be loaded into the WININIT.INI. When "
       "the system reboots, the DLL will be installed.  However, the WININIT.INI supports only "
       "old 8.3 character filenames. Therefore, please rename the DESTNAME property of the "
       "TInstallFile component",
       true,
       M("The following file :%s: is specified to be a Shared DLL file. To be "
         "installed on the user's system, shared DLLs must be loaded into the WININIT.INI. When "
         "the system reboots, the DLL will be installed.  However, the WININIT.INI supports only "
         "old 8.3 character filenames. Therefore, please rename the DESTNAME property of the "
         "TInstallFile component", {Arg("averylongname.dll")})},
      {Make<EAIIFDuplicateFileInGroup>(std::string("C:\\X\\a.txt")), "EAIIFDuplicateFileInGroup",
       "There is already a file with the name :C:\\X\\a.txt", true,
       M("There is already a file with the name :%s", {Arg("C:\\X\\a.txt")})},
      {Make<EAIIFCannotUpdateDLLCountInRegistry>(std::string("a.dll")),
       "EAIIFCannotUpdateDLLCountInRegistry", "Cannot update the DLL count for the following file :a.dll:",
       true, M("Cannot update the DLL count for the following file :%s:", {Arg("a.dll")})},
      {Make<EAIICBadCompCall>(3, ComponentClass::Of<testing::TTestFile>()), "EAIICBadCompCall",
       "Bad call to the Comp procedure which returns a TBaseHelperComponent for a "
       "TInstallContainer component. The parameters are probably reversed.",
       true, ""},
      {Make<EAIICAddingNilHelperComponent>(container), "EAIICAddingNilHelperComponent",
       "Tried to add a NIL helper component to the following container: FileGroup1", true,
       M("Tried to add a NIL helper component to the following container: %s", {Arg("FileGroup1")})},
      {Make<EAIICCircularInstallContainer>(), "EAIICCircularInstallContainer", "Circular reference",
       false, ""},
      {Make<EAIICCircularInstallContainer>(std::string("A"), std::string("B")),
       "EAIICCircularInstallContainer", "Circular reference: Tried to add: A to B", true,
       M("Circular reference: Tried to add: %s to %s", {Arg("A"), Arg("B")})},
      {Make<EAICannotExpandContainerDirMV>(R::kComponentNilForA), "EAICannotExpandContainerDirMV",
       "Cannot expand the %a meta variable because the component is Nil", true, ""},
      {Make<EAICannotExpandContainerDirMV>(R::kComponentNilForC), "EAICannotExpandContainerDirMV",
       "Cannot expand the %c meta variable because the component is Nil", true, ""},
      {Make<EAICannotExpandContainerDirMV>(R::kContainerNil), "EAICannotExpandContainerDirMV",
       "Cannot expand the %c meta variable because the Container property is Nil", true, ""},
      {Make<EAICannotExpandInstallDirMV>(), "EAICannotExpandInstallDirMV",
       "Cannot expand the %i meta variable because there is no TInstall component", true, ""},
      {Make<EAITwoInstallComponents>(), "EAITwoInstallComponents",
       "The TInstall component does not currently support the use of 2 TInstall components in "
       "the same project",
       true, ""},
      {Make<EAIUserAbort>(), "EAIUserAbort", "Installation aborted by the user", true, ""},
      {Make<EAICannotGetWindowsDir>(), "EAICannotGetWindowsDir",
       "Cannot get the Windows directory for your computer. Using GetWindowsDirectory API "
       "function",
       false, ""},
      {Make<EAICannotGetSystemDir>(), "EAICannotGetSystemDir",
       "Cannot get the System directory for your computer. Using GetSystemDir API function",
       false, ""},
      // Program Manager
      {Make<EAIPMError>(), "EAIPMError",
       "The TProgramManager object was unable to communicate with Program Manager", true, ""},
      {Make<EAIPMCannotOpen>(), "EAIPMCannotOpen",
       "The TProgramManager object was unable to establish a link with Program Manager", true, ""},
      {Make<EAIPMCannotOpenGroup>(std::string("Startup")), "EAIPMCannotOpenGroup",
       "The TProgramManager object was unable to open the following program group: Startup",
       true,
       "<The TProgramManager object was unable to open the following program group: >Startup"},
      {Make<EAIPMCannotCreateGroup>(std::string("Tavrix")), "EAIPMCannotCreateGroup",
       "The TProgramManager object was unable to create the following program group: Tavrix",
       true,
       "<The TProgramManager object was unable to create the following program group: >Tavrix"},
      {Make<EAIPMCannotAddItem>(std::string("Tavrix"), std::string("Tinst"),
                                std::string("[AddItem(c:\\Tavwin\\Tinst.exe,Tinst)]")),
       "EAIPMCannotAddItem",
       "The TProgramManager object was unable to add the following program item: Tinst to the "
       "following group: Tavrix. The arguments passed to  Program Manager were: "
       "[AddItem(c:\\Tavwin\\Tinst.exe,Tinst)]",
       true,
       M("The TProgramManager object was unable to add the following program item: Tinst to the "
         "following group: %s. The arguments passed to  Program Manager were: %s",
         {Arg("Tavrix"), Arg("[AddItem(c:\\Tavwin\\Tinst.exe,Tinst)]")})},
      {Make<EAIPMCannotReplaceItem>(std::string("Tavrix"), std::string("Tinst")),
       "EAIPMCannotReplaceItem",
       "The TProgramManager object was unable to replace the following program item: Tinst to "
       "the following group: Tavrix",
       true,
       M("The TProgramManager object was unable to replace the following program item: %s to "
         "the following group: %s", {Arg("Tinst"), Arg("Tavrix")})},
      {Make<EAIPMCannotDeleteItem>(std::string("Startup"), std::string("install")),
       "EAIPMCannotDeleteItem",
       "The TProgramManager object was unable to delete the following program item: install "
       "to the following group: Startup",
       true,
       M("The TProgramManager object was unable to delete the following program item: %s "
         "to the following group: %s", {Arg("install"), Arg("Startup")})},
      // Archive engine: never translated.
      {Make<EKCCannotCreateTemp>(), "EKCCannotCreateTemp",
       "Cannot open a temporary file into which to compress a file", false, ""},
      {Make<EKCCouldNotOpenFile>(std::string("C:\\a.txt")), "EKCCouldNotOpenFile",
       "Could not open the following file: C:\\a.txt", false, ""},
      {Make<EKCCouldNotOpenCompressedFile>(std::string("A:\\files.1")), "EKCCouldNotOpenCompressedFile",
       "Could not open the compressed file. The following value is the current value of the "
       "CompressedFile property: A:\\files.1",
       false, ""},
      {Make<EKCCouldNotCreateFile>(std::string("C:\\b")), "EKCCouldNotCreateFile",
       "Could not create the file C:\\b", false, ""},
      {Make<EKCDiskFull>(), "EKCDiskFull", "Disk is full", false, ""},
      {Make<EKCStop>(), "EKCStop", "Operation aborted by user", false, ""},
      {Make<EKCNewDiskEventNotAssigned>(), "EKCNewDiskEventNotAssigned",
       "There was no event handler for the OnNewDisk event, therefore no new disk could be "
       "inserted",
       false, ""},
      {Make<EKCNotEnoughSpace>(), "EKCNotEnoughSpace",
       "There is too little space on this disk to operate", false, ""},
      {Make<EKCWrongDecompressedSize>(std::string("a.dll")), "EKCWrongDecompressedSize",
       "The decompressed file's size does not match with the actual size the file.  The file "
       "is a.dll",
       false, ""},
      {Make<EKCFHInvalidNewFileHeader>(), "EKCFHInvalidNewFileHeader",
       "Tried to add an invalid file header", false, ""},
      {Make<EKCFHFileNotInArchive>(std::string("\\Bde\\x.dll")), "EKCFHFileNotInArchive",
       "The following file was not found in the archive: \\Bde\\x.dll", false, ""},
      {Make<EKCFHCannotReadHeaders>(), "EKCFHCannotReadHeaders",
       "Could not read the file headers for the compressed file. The Archive file could "
       "possible be corrupt.",
       false, ""},
      {Make<EKCFHCannotWriteHeaders>(), "EKCFHCannotWriteHeaders",
       "Could not write the file headers for the compressed file", false, ""},
      {Make<EKCFHCannotReadHeaderCount>(), "EKCFHCannotReadHeaderCount",
       "Could not read the file header count for the compressed file", false, ""},
      // Outside the installer's family.
      {Make<ESHELLCannotInitialize>(-2147221008), "ESHELLCannotInitialize",
       "Could not initialize IShellLink with following error code returned: -2147221008", false,
       ""},
      {Make<EIRCannotWriteValue>(std::string("\\SOFTWARE\\KOBBELININSTALLING"), std::string("File1"),
                                 std::string("0")),
       "EIRCannotWriteValue",
       "Cannot install into registry. Key: \\SOFTWARE\\KOBBELININSTALLING Ident: File1 Value 0",
       false, ""},
  };
}

class ErrorsTest : public ::testing::Test {
 protected:
  void SetUp() override { group.SetName("FileGroup1"); }
  TComponent form{nullptr};
  testing::TTestGroup group{&form, "FileGroup1"};
};

TEST_F(ErrorsTest, MessagesAreExactWithoutTranslator) {
  for (const Case& c : Cases(&group)) {
    auto e = c.make();
    EXPECT_EQ(e->Message(), c.message) << c.class_name;
    EXPECT_STREQ(e->ClassName(), c.class_name);
    EXPECT_STREQ(e->what(), c.message.c_str());
  }
}

TEST_F(ErrorsTest, TranslatedMessagesGoThroughTheTranslatorBeforeTheirArguments) {
  MarkingTranslator tr;
  for (const Case& c : Cases(&group)) {
    auto e = c.make();
    const std::string expected =
        !c.translated ? c.message : (c.marked.empty() ? "<" + c.message + ">" : c.marked);
    EXPECT_EQ(e->Message(), expected) << c.class_name;
  }
}

TEST_F(ErrorsTest, ClassTree) {
  for (const Case& c : Cases(&group)) {
    auto e = c.make();
    const std::string name = c.class_name;
    const bool installer = name.rfind("EAI", 0) == 0;
    EXPECT_EQ(dynamic_cast<EAI*>(e.get()) != nullptr, installer) << name;
    if (name.rfind("EAIIF", 0) == 0) {
      EXPECT_NE(dynamic_cast<EAIIF*>(e.get()), nullptr) << name;
    }
    if (name.rfind("EAIIC", 0) == 0) {
      EXPECT_NE(dynamic_cast<EAIIC*>(e.get()), nullptr) << name;
    }
    if (name.rfind("EAIPM", 0) == 0) {
      EXPECT_NE(dynamic_cast<EAIPMError*>(e.get()), nullptr) << name;
    }
    EXPECT_EQ(dynamic_cast<EKC*>(e.get()) != nullptr, name.rfind("EKC", 0) == 0) << name;
    EXPECT_EQ(dynamic_cast<EKCFH*>(e.get()) != nullptr, name.rfind("EKCFH", 0) == 0) << name;
    // No error of the system is the silent one.
    EXPECT_EQ(dynamic_cast<EAbort*>(e.get()), nullptr) << name;
  }
}

TEST_F(ErrorsTest, ErrorsKeepWhatTheyAreAbout) {
  EAIICBadCompCall bad(-1, ComponentClass::Of<testing::TTestFile>());
  EXPECT_EQ(bad.Index(), -1);
  EXPECT_TRUE(bad.ClassAsked() == ComponentClass::Of<testing::TTestFile>());
  EXPECT_EQ(EAIICAddingNilHelperComponent(&group).Container(), &group);
  EXPECT_EQ(EKCCouldNotOpenCompressedFile("A:\\files.1").Path(), "A:\\files.1");
  EXPECT_EQ(EKCFHFileNotInArchive("x").FileName(), "x");
  EXPECT_EQ(ESHELLCannotInitialize(-5).ErrorCode(), -5);
  EIRCannotWriteValue reg("K", "I", "V");
  EXPECT_EQ(reg.Key() + reg.Ident() + reg.Value(), "KIV");
  EAIPMCannotAddItem add("G", "I", "C");
  EXPECT_EQ(add.Group() + add.Item() + add.Command(), "GIC");
}

TEST_F(ErrorsTest, NamesWithPercentSignsStayIntact) {
  EXPECT_EQ(EAIPMCannotAddItem("Group %s", "100% Tool", "[x %d]").Message(),
            "The TProgramManager object was unable to add the following program item: 100% Tool "
            "to the following group: Group %s. The arguments passed to  Program Manager were: "
            "[x %d]");
  EXPECT_EQ(EAIIFDuplicateFileInGroup("C:\\%s%d").Message(),
            "There is already a file with the name :C:\\%s%d");
}

TEST(DetailFormat, FillsPlaceholdersAndToleratesBadFormats) {
  using detail::Arg;
  using detail::Format;
  EXPECT_EQ(Format("%s has %d files, 100%%", {Arg("G"), Arg(3)}), "G has 3 files, 100%");
  EXPECT_EQ(Format("%s and %s", {Arg("one")}), "one and ");
  EXPECT_EQ(Format("%x %", {}), "%x %");
  EXPECT_EQ(Format("%d", {Arg(-2147483647 - 1)}), "-2147483648");
}

}  // namespace
}  // namespace kit
