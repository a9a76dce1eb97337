// The plain event of components: the component that raised it.
#pragma once

#include <functional>

namespace kit {

class TComponent;

using TNotifyEvent = std::function<void(TComponent* sender)>;

}  // namespace kit
