#include "ui/controls/list_box.h"

#include <gtest/gtest.h>

#include "base/class_registry.h"
#include "base/form_reader.h"
#include "base/form_writer.h"
#include "ui/form.h"
#include "ui/testing/headless_app.h"
#include "ui/ui_classes.h"

namespace kit {
namespace {

constexpr const char kForm[] = R"(object F: TForm
  object Files: TListBox
    Left = 8
    Top = 8
    Items.Strings = (
      'setup.1'
      'files.1'
      'KobbelinLoadProgram.exe')
    Sorted = True
    TabOrder = 0
    Visible = False
  end
end
)";

TEST(ListBoxTest, StoredItemsSortedChosenAndWrittenBack) {
  testing::HeadlessApp app;
  ClassRegistry classes;
  RegisterUiClasses(classes);
  std::unique_ptr<TComponent> root = FormReader(classes).Read(kForm, "list.dfm");
  auto& form = dynamic_cast<TForm&>(*root);
  auto& list = dynamic_cast<TListBox&>(*form.FindControl("Files"));
  form.Show();
  EXPECT_EQ(list.Items().Lines(), (std::vector<std::string>{"files.1", "KobbelinLoadProgram.exe", "setup.1"}));
  EXPECT_EQ(list.ItemIndex(), -1);
  EXPECT_FALSE(list.Visible());

  int clicks = 0;
  list.SetOnClick([&](TComponent*) { ++clicks; });
  auto& peer = dynamic_cast<HeadlessPeer&>(*list.PeerIfMade());
  EXPECT_EQ(peer.Look().items.size(), 3u);
  peer.Choose(2);
  EXPECT_EQ(list.ItemIndex(), 2);
  EXPECT_EQ(clicks, 1);
  // Deleting the chosen item chooses none; an index out of range too.
  list.Items().Delete(2);
  EXPECT_EQ(list.ItemIndex(), -1);
  list.SetItemIndex(5);
  EXPECT_EQ(list.ItemIndex(), -1);
  list.Items().Add("a.dll");
  EXPECT_EQ(list.Items()[0], "a.dll");
  EXPECT_EQ(peer.Look().items.front(), "a.dll");

  const std::string written = FormWriter(classes).Write(&form);
  EXPECT_EQ(FormWriter(classes).Write(FormReader(classes).Read(written, "again.dfm").get()), written);
}

}  // namespace
}  // namespace kit
