#include "platform/win32/win32_dde.h"

#include <windows.h>
#include <dde.h>
#include <ddeml.h>

#include <string>

namespace kit {

namespace {

// How long an execute's answer is awaited before the next transaction.
constexpr DWORD kExecuteSettleMs = 10000;

// The id of the last asynchronous transaction DDEML reported complete (one
// thread, one transaction outstanding at a time).
// A request's data is copied while the callback runs (DDEML frees it after).
DWORD completed_transaction = 0;
bool completed_with_data = false;
std::string completed_data;

HDDEDATA CALLBACK Callback(UINT type, UINT, HCONV, HSZ, HSZ, HDDEDATA data, ULONG_PTR id, ULONG_PTR) {
  if (type != XTYP_XACT_COMPLETE) return nullptr;
  completed_with_data = data != nullptr;
  completed_data.clear();
  if (data != nullptr) {
    const DWORD size = DdeGetData(data, nullptr, 0, 0);
    completed_data.assign(size, '\0');
    if (size > 0) DdeGetData(data, reinterpret_cast<LPBYTE>(completed_data.data()), size, 0);
  }
  completed_transaction = static_cast<DWORD>(id);
  return nullptr;
}

// Hands the conversation's DDE messages to DDEML until the asynchronous
// transaction `id` is complete, so that its answer is not left queued in
// front of the next transaction's. Only DDE messages are dispatched. True
// when it completed; false after the time-out, or when the server refused
// it with a negative acknowledgement that DDEML did not complete the
// transaction with (Wine's does not, for a request or an execute): the
// transaction is then abandoned, so it does not hold up the later ones.
bool Settle(DWORD instance, HCONV conv, DWORD id, DWORD timeout_ms) {
  const DWORD start = GetTickCount();
  while (completed_transaction != id) {
    MSG msg;
    bool any = false;
    while (completed_transaction != id && PeekMessageA(&msg, nullptr, WM_DDE_FIRST, WM_DDE_LAST, PM_REMOVE)) {
      const bool ack = msg.message == WM_DDE_ACK;
      DispatchMessageA(&msg);
      any = true;
      if (ack && completed_transaction != id) {
        DdeAbandonTransaction(instance, conv, id);
        return false;
      }
    }
    if (completed_transaction == id) break;
    if (GetTickCount() - start >= timeout_ms) {
      DdeAbandonTransaction(instance, conv, id);
      return false;
    }
    // A short wait: a message already queued before does not wake it.
    if (!any) MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_POSTMESSAGE | QS_SENDMESSAGE);
  }
  return true;
}

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
    if (ok == nullptr) {
      platform_.SetError(ErrorOf(instance_));
      return false;
    }
    Settle(instance_, conv_, result, kExecuteSettleMs);  // its outcome is not looked at
    return true;
  }

  bool Request(const std::string& item, uint32_t timeout_ms, std::string* data) override {
    HSZ hsz = DdeCreateStringHandleA(instance_, item.c_str(), CP_WINANSI);
    if (hsz == nullptr) {
      platform_.SetError(ErrorOf(instance_));
      return false;
    }
    DWORD id = 0;
    HDDEDATA started = DdeClientTransaction(nullptr, 0, conv_, hsz, CF_TEXT, XTYP_REQUEST, TIMEOUT_ASYNC, &id);
    // Waited for here, so that a refusal ends the wait at once.
    const bool answered = started != nullptr && Settle(instance_, conv_, id, timeout_ms) && completed_with_data;
    DdeFreeStringHandle(instance_, hsz);
    if (!answered) {
      platform_.SetError(started == nullptr ? ErrorOf(instance_) : winerr::kInvalidFunction);
      return false;
    }
    std::string text = completed_data;
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
