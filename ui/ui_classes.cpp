#include "ui/ui_classes.h"

#include "base/class_registry.h"
#include "ui/data_module.h"
#include "ui/controls/bevel.h"
#include "ui/controls/bit_btn.h"
#include "ui/controls/check_box.h"
#include "ui/controls/edit.h"
#include "ui/controls/group_box.h"
#include "ui/controls/image.h"
#include "ui/controls/label.h"
#include "ui/controls/list_box.h"
#include "ui/controls/memo.h"
#include "ui/controls/panel.h"
#include "ui/controls/progress_bar.h"
#include "ui/controls/radio_button.h"
#include "ui/controls/radio_group.h"
#include "ui/controls/speed_button.h"
#include "ui/controls/tab_control.h"
#include "ui/form.h"

namespace kit {

void RegisterUiClasses(ClassRegistry& registry) {
  registry.Register<TForm>();
  registry.Register<TDataModule>();
  registry.Register<TPanel>();
  registry.Register<TLabel>();
  registry.Register<TButton>();
  registry.Register<TBitBtn>();
  registry.Register<TCheckBox>();
  registry.Register<TEdit>();
  registry.Register<TMemo>();
  registry.Register<TRichEdit>();
  registry.Register<TImage>();
  registry.Register<TBevel>();
  registry.Register<TProgressBar>();
  registry.Register<TGroupBox>();
  registry.Register<TRadioButton>();
  registry.Register<TRadioGroup>();
  registry.Register<TSpeedButton>();
  registry.Register<TListBox>();
  registry.Register<TTabControl>();
}

}  // namespace kit
