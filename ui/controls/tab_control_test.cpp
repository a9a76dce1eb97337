#include "ui/controls/tab_control.h"

#include <gtest/gtest.h>

#include "base/class_registry.h"
#include "base/form_reader.h"
#include "base/form_writer.h"
#include "ui/controls/panel.h"
#include "ui/form.h"
#include "ui/testing/headless_app.h"
#include "ui/ui_classes.h"

namespace kit {
namespace {

constexpr const char kForm[] = R"(object Frame: TForm
  ClientWidth = 300
  ClientHeight = 200
  object Tabs: TTabControl
    Width = 300
    Height = 150
    TabIndex = 1
    Tabs.Strings = (
      'Welcome'
      'Licence'
      'Copying')
    object Page: TPanel
      Align = alClient
    end
  end
end
)";

TEST(TabControlTest, StoredTabsChosenByTheUserAndWrittenBack) {
  testing::HeadlessApp app;
  ClassRegistry classes;
  RegisterUiClasses(classes);
  std::unique_ptr<TComponent> root = FormReader(classes).Read(kForm, "frame.dfm");
  auto& form = dynamic_cast<TForm&>(*root);
  auto& tabs = dynamic_cast<TTabControl&>(*form.FindControl("Tabs"));
  form.Show();
  EXPECT_EQ(tabs.TabIndex(), 1);  // read before its tabs, kept
  // A client-aligned child fills the area below the tab row.
  TControl* page = form.FindControl("Page");
  EXPECT_EQ((std::vector<int>{page->Left(), page->Top(), page->Width(), page->Height()}),
            (std::vector<int>{4, 24, 292, 122}));

  std::vector<int> seen;
  tabs.SetOnChange([&](TComponent*) { seen.push_back(tabs.TabIndex()); });
  auto& peer = dynamic_cast<HeadlessPeer&>(*tabs.PeerIfMade());
  peer.Choose(2);
  peer.Choose(2);  // the same tab again changes nothing
  peer.Choose(7);  // no such tab
  EXPECT_EQ(seen, (std::vector<int>{2}));
  EXPECT_EQ(peer.Look().item_index, 2);
  tabs.SetTabIndex(3);
  EXPECT_EQ(tabs.TabIndex(), -1);

  tabs.SetTabIndex(0);
  const std::string written = FormWriter(classes).Write(&form);
  EXPECT_NE(written.find("TabIndex = 0"), std::string::npos) << written;
  EXPECT_EQ(FormWriter(classes).Write(FormReader(classes).Read(written, "again.dfm").get()), written);
}

}  // namespace
}  // namespace kit
