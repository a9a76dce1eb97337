#include "platform/win32/win32_dde.h"

#include <windows.h>
#include <ddeml.h>

namespace kit {

namespace {

HDDEDATA CALLBACK Callback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) { return nullptr; }

// DDEML errors as Windows error codes the platform reports.
uint32_t ErrorOf(DWORD instance) {
  switch (DdeGetLastError(instance)) {
    case DMLERR_NO_CONV_ESTABLISHED: return winerr::kFileNotFound;
    case DMLERR_MEMORY_ERROR: return winerr::kNotEnoughMemory;
    case DMLERR_INVALIDPARAMETER: return winerr::kInvalidParameter;
    default: return winerr::kInvalidFunction;
  }
}

class Conversation : public DdeConversation {
 public:
  Conversation(Platform& platform, DWORD instance, HCONV conv)
      : platform_(platform), instance_(instance), conv_(conv) {}
  ~Conversation() override { DdeDisconnect(conv_); }

  bool Execute(const std::string& command) override {
    DWORD result = 0;
    HDDEDATA ok = DdeClientTransaction(
        reinterpret_cast<LPBYTE>(const_cast<char*>(command.c_str())), static_cast<DWORD>(command.size() + 1),
        conv_, nullptr, CF_TEXT, XTYP_EXECUTE, TIMEOUT_ASYNC, &result);
    if (ok == nullptr) platform_.SetError(ErrorOf(instance_));
    return ok != nullptr;
  }

  bool Request(const std::string& item, uint32_t timeout_ms, std::string* data) override {
    HSZ hsz = DdeCreateStringHandleA(instance_, item.c_str(), CP_WINANSI);
    if (hsz == nullptr) {
      platform_.SetError(ErrorOf(instance_));
      return false;
    }
    HDDEDATA reply = DdeClientTransaction(nullptr, 0, conv_, hsz, CF_TEXT, XTYP_REQUEST, timeout_ms, nullptr);
    DdeFreeStringHandle(instance_, hsz);
    if (reply == nullptr) {
      platform_.SetError(ErrorOf(instance_));
      return false;
    }
    const DWORD size = DdeGetData(reply, nullptr, 0, 0);
    std::string text(size, '\0');
    if (size > 0) DdeGetData(reply, reinterpret_cast<LPBYTE>(text.data()), size, 0);
    DdeFreeDataHandle(reply);
    const size_t zero = text.find('\0');
    if (zero != std::string::npos) text.resize(zero);
    *data = text;
    return true;
  }

 private:
  Platform& platform_;
  DWORD instance_;
  HCONV conv_;
};

}  // namespace

Win32Dde::~Win32Dde() {
  if (instance_ != 0) DdeUninitialize(instance_);
}

std::unique_ptr<DdeConversation> Win32Dde::Connect(const std::string& service, const std::string& topic) {
  if (instance_ == 0) {
    DWORD instance = 0;
    if (DdeInitializeA(&instance, Callback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) {
      platform_.SetError(winerr::kInvalidFunction);
      return nullptr;
    }
    instance_ = instance;
  }
  const DWORD instance = static_cast<DWORD>(instance_);
  HSZ hservice = DdeCreateStringHandleA(instance, service.c_str(), CP_WINANSI);
  HSZ htopic = DdeCreateStringHandleA(instance, topic.c_str(), CP_WINANSI);
  HCONV conv = (hservice && htopic) ? DdeConnect(instance, hservice, htopic, nullptr) : nullptr;
  const uint32_t error = conv ? 0 : ErrorOf(instance);
  if (hservice) DdeFreeStringHandle(instance, hservice);
  if (htopic) DdeFreeStringHandle(instance, htopic);
  if (conv == nullptr) {
    platform_.SetError(error);
    return nullptr;
  }
  return std::make_unique<Conversation>(platform_, instance, conv);
}

}  // namespace kit
