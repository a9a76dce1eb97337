#include "model/program_manager_errors.h"

#include "model/detail_format.h"
#include "translation/translation.h"

namespace kit {
namespace {

using detail::Arg;
using detail::Format;

// A name joined into a format text keeps its "%" characters literal.
std::string Literal(const std::string& text) {
  std::string out;
  for (char c : text) {
    out += c;
    if (c == '%') out += '%';
  }
  return out;
}

}  // namespace

EAIPMError::EAIPMError()
    : EAI(TranslateMessage(
          "The TProgramManager object was unable to communicate with Program Manager")) {}

EAIPMCannotOpen::EAIPMCannotOpen()
    : EAIPMError(TranslateMessage(
          "The TProgramManager object was unable to establish a link with Program Manager")) {}

EAIPMCannotOpenGroup::EAIPMCannotOpenGroup(const std::string& group)
    : EAIPMError(TranslateMessage(
                     "The TProgramManager object was unable to open the following program "
                     "group: ") +
                 group),
      group_(group) {}

EAIPMCannotCreateGroup::EAIPMCannotCreateGroup(const std::string& group)
    : EAIPMError(TranslateMessage(
                     "The TProgramManager object was unable to create the following program "
                     "group: ") +
                 group),
      group_(group) {}

EAIPMCannotAddItem::EAIPMCannotAddItem(const std::string& group, const std::string& item,
                                       const std::string& command)
    : EAIPMError(Format(
          TranslateMessage("The TProgramManager object was unable to add the following program "
                           "item: " +
                           Literal(item) +
                           " to the following group: %s. The arguments passed to " +
                           " Program Manager were: %s"),
          {Arg(group), Arg(command)})),
      group_(group),
      item_(item),
      command_(command) {}

EAIPMCannotReplaceItem::EAIPMCannotReplaceItem(const std::string& group, const std::string& item)
    : EAIPMError(Format(TranslateMessage(std::string("The TProgramManager object was unable to "
                                                     "replace the following program item: %s") +
                                         " to the following group: %s"),
                        {Arg(item), Arg(group)})),
      group_(group),
      item_(item) {}

EAIPMCannotDeleteItem::EAIPMCannotDeleteItem(const std::string& group, const std::string& item)
    : EAIPMError(Format(TranslateMessage(std::string("The TProgramManager object was unable to "
                                                     "delete the following program item: %s") +
                                         " to the following group: %s"),
                        {Arg(item), Arg(group)})),
      group_(group),
      item_(item) {}

}  // namespace kit
