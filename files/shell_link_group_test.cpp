#include "files/shell_link_group.h"

#include <gtest/gtest.h>

#include "base/exception.h"
#include "files/install_shell_link.h"
#include "files/shell_link_roles.h"
#include "files/testing/file_fixture.h"

namespace kit {
namespace {

std::string FailureOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const Exception& e) {
    return e.Message();
  }
  return "no failure";
}

// Groups and links owned by a form, as the configuration makes them.
class MainFolderTest : public testing::FileTest {
 protected:
  TShellLinkGroup* NewGroup(const std::string& name) {
    auto* g = new TShellLinkGroup(&form_);
    g->SetName(name);
    return g;
  }
  TInstallShellLink* NewLink(const std::string& name, TInstallContainer* object = nullptr) {
    auto* l = new TInstallShellLink(&form_);
    l->SetName(name);
    if (object != nullptr) l->SetObjectLink(object);
    return l;
  }
  TComponent form_{nullptr};
};

TEST_F(MainFolderTest, TheMainFolderIsTheLastOneMadeAndTakesTheMainLinksAlong) {
  TInstallFile* exe = File(driver_.get(), "Tinst.exe", "MZ");
  TShellLinkGroup* first = NewGroup("First");
  TInstallShellLink* link = NewLink("Link1", exe);
  EXPECT_EQ(FailureOf([&] { link->SetLinkKind(lkMainExecutable); }),
            "You must first specify a folder as the main folder");
  EXPECT_EQ(link->LinkKind(), lkCustom);

  first->SetGroupKind(gkMainFolder);
  EXPECT_EQ(MainFolder(), first);
  EXPECT_EQ(first->Container(), driver_.get());
  EXPECT_EQ(first->DestDirType(), ddProgramMenuDir);
  first->SetDestDirType(ddAbsolute);  // the role fixes it
  EXPECT_EQ(first->DestDirType(), ddProgramMenuDir);
  link->SetLinkKind(lkMainExecutable);
  EXPECT_EQ(MainExecutableLink(), link);
  EXPECT_EQ(link->Container(), first);
  link->SetDestDirType(ddAbsolute);
  EXPECT_EQ(link->DestDirType(), ddContainerDestDir);

  TShellLinkGroup* second = NewGroup("Second");
  second->SetGroupKind(gkMainFolder);
  EXPECT_EQ(first->GroupKind(), gkCustom);
  EXPECT_EQ(MainFolder(), second);
  EXPECT_EQ(link->Container(), second);
  EXPECT_EQ(link->LinkKind(), lkMainExecutable);

  // Another main executable link takes the role from the first.
  TInstallShellLink* other = NewLink("Link2", exe);
  other->SetLinkKind(lkMainExecutable);
  EXPECT_EQ(link->LinkKind(), lkCustom);
  EXPECT_EQ(MainExecutableLink(), other);
  // A container that is no main folder ends the role.
  other->SetContainer(driver_.get());
  EXPECT_EQ(other->LinkKind(), lkCustom);
}

TEST_F(MainFolderTest, LinkKindsCheckTheirFolderAndTarget) {
  TInstallFile* exe = File(driver_.get(), "Tinst.exe", "MZ");
  TShellLinkGroup* main = NewGroup("Main");
  main->SetGroupKind(gkMainFolder);
  TInstallShellLink* link = NewLink("Link1");
  link->SetObjectLocation("C:\\Tavwin\\Tinst.exe");
  EXPECT_EQ(FailureOf([&] { link->SetLinkKind(lkLinkInMainFolder); }),
            "You must the ObjectLocationType set to ddObjectLink");
  EXPECT_EQ(FailureOf([&] { link->SetLinkKind(lkLinkToSubFolder); }),
            "You must first specify a folder as the main sub folder");
  EXPECT_EQ(FailureOf([&] { link->SetLinkKind(lkLinkInSubFolder); }),
            "You must first specify a folder as the main sub folder");
  TShellLinkGroup* sub = NewGroup("Sub");
  sub->SetGroupKind(gkMainSubFolder);
  EXPECT_EQ(sub->DestDirType(), ddContainerDestDir);
  EXPECT_EQ(FailureOf([&] { link->SetLinkKind(lkLinkInSubFolder); }),
            "You must set the ObjectLocationType to ddObjectLink");
  link->SetObjectLink(main);  // a folder is no file
  EXPECT_EQ(FailureOf([&] { link->SetLinkKind(lkLinkInSubFolder); }),
            "You must be pointing to a TInstallFile component with the ObjectLink property");
  EXPECT_EQ(link->LinkKind(), lkCustom);
  link->SetObjectLink(exe);
  link->SetLinkKind(lkLinkInSubFolder);
  EXPECT_EQ(link->Container(), sub);

  TInstallShellLink* to_sub = NewLink("ToSub");
  to_sub->SetLinkKind(lkLinkToSubFolder);
  EXPECT_EQ(to_sub->Container(), main);
  EXPECT_EQ(to_sub->ObjectLink(), sub);
  EXPECT_EQ(to_sub->ObjectLocationType(), ddObjectLink);
  EXPECT_EQ(SubFolderLink(), to_sub);

  // A new main sub folder is pointed to and takes the links inside.
  TShellLinkGroup* sub2 = NewGroup("Sub2");
  sub2->SetGroupKind(gkMainSubFolder);
  EXPECT_EQ(sub->GroupKind(), gkCustom);
  EXPECT_EQ(to_sub->ObjectLink(), sub2);
  EXPECT_EQ(link->Container(), sub2);
  // Giving up the role leaves its links custom.
  sub2->SetGroupKind(gkCustom);
  EXPECT_EQ(to_sub->LinkKind(), lkCustom);
  EXPECT_EQ(link->LinkKind(), lkCustom);
  // Losing the object ends a file kind.
  link->SetObjectLink(exe);
  main->SetGroupKind(gkMainFolder);
  link->SetLinkKind(lkLinkInMainFolder);
  link->SetObjectLink(nullptr);
  EXPECT_EQ(link->LinkKind(), lkCustom);
  EXPECT_EQ(link->ObjectLocationType(), ddAbsolute);
}

TEST_F(MainFolderTest, ARoleNeedsADriverAndGetsADefaultFolderWhileDesigned) {
  form_.SetDesigning(true);
  TShellLinkGroup* main = NewGroup("Main");
  main->SetGroupKind(gkMainFolder);
  EXPECT_EQ(main->DestDir(), "\\" + driver_->product);
  TShellLinkGroup* sub = NewGroup("Sub");
  sub->SetGroupKind(gkMainSubFolder);
  EXPECT_EQ(sub->DestDir(), "\\More stuff");
  EXPECT_EQ(sub->GetDestDir(), dest_ + "\\More stuff");
  driver_.reset();
  TShellLinkGroup* orphan = NewGroup("Orphan");
  EXPECT_EQ(FailureOf([&] { orphan->SetGroupKind(gkMainSubFolder); }), "Must first have a TInstall component");
  EXPECT_EQ(orphan->GroupKind(), gkCustom);
}

TEST_F(MainFolderTest, LoadingAssignsEveryValueAsItStands) {
  TShellLinkGroup* group = NewGroup("Main");
  TInstallShellLink* link = NewLink("Link1");
  group->SetLoading(true);
  link->SetLoading(true);
  group->SetGroupKind(gkMainSubFolder);
  group->SetDestDirType(ddAbsolute);
  link->SetLinkKind(lkMainExecutable);
  link->SetLinkName("Readme.txt");
  link->SetContainer(driver_.get());
  link->SetDestDirType(ddWindows);
  EXPECT_EQ(group->GroupKind(), gkMainSubFolder);
  EXPECT_EQ(group->DestDirType(), ddAbsolute);
  EXPECT_EQ(link->LinkKind(), lkMainExecutable);
  EXPECT_EQ(link->LinkName(), "Readme.txt");
  EXPECT_EQ(link->DestDirType(), ddWindows);
}

TEST_F(MainFolderTest, LinksGoWithTheirFolderAndWithTheObjectTheyPointTo) {
  TInstallFile* exe = File(driver_.get(), "Tinst.exe", "MZ");
  TShellLinkGroup* group = NewGroup("Folder");
  group->SetContainer(driver_.get());
  TInstallShellLink* inside = NewLink("Inside");
  inside->SetContainer(group);
  NewLink("Nested")->SetContainer(inside);
  TInstallShellLink* pointing = NewLink("Pointing");
  pointing->SetContainer(driver_.get());
  pointing->SetObjectLink(group);
  NewLink("Kept")->SetContainer(driver_.get());
  ASSERT_EQ(form_.ComponentCount(), 5);
  delete group;
  ASSERT_EQ(form_.ComponentCount(), 1);
  EXPECT_EQ(form_.Components(0)->Name(), "Kept");
  // A link the test holds itself only lets go.
  TInstallShellLink held(nullptr);
  held.SetObjectLink(exe);
  files_.clear();
  EXPECT_EQ(held.ObjectLink(), nullptr);
  EXPECT_EQ(held.Container(), nullptr);
}

}  // namespace
}  // namespace kit
