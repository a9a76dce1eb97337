#include "platform/win32/win32_processes.h"

#include <ole2.h>

#include <cstdlib>

#include "platform/win32/stdcall_thunk.h"
#include "platform/win32/win32_util.h"

namespace kit {
namespace {

using win32::Fail;
using win32::FailWith;

// "Name" or "#N" (an ordinal) as GetProcAddress takes it; null when a "#"
// is not followed by a number from 1 to 65535.
FARPROC FindExport(HMODULE module, const std::string& name) {
  if (!name.empty() && name[0] == '#') {
    char* end = nullptr;
    unsigned long ordinal = std::strtoul(name.c_str() + 1, &end, 10);
    if (name.size() < 2 || *end != '\0' || ordinal == 0 || ordinal > 0xFFFF) {
      SetLastError(ERROR_PROC_NOT_FOUND);
      return nullptr;
    }
    return GetProcAddress(module, MAKEINTRESOURCEA(ordinal));
  }
  return GetProcAddress(module, name.c_str());
}

}  // namespace

bool Win32Processes::RunAndWait(const std::string& command_line,
                                const std::function<void()>& pump, uint32_t* exit_code) {
  std::string line = command_line;  // CreateProcessA may write into it
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                      &pi))
    return Fail(err_);
  CloseHandle(pi.hThread);
  for (;;) {
    DWORD wait = pump ? MsgWaitForMultipleObjects(1, &pi.hProcess, FALSE, 100, QS_ALLINPUT)
                      : WaitForSingleObject(pi.hProcess, INFINITE);
    if (wait == WAIT_OBJECT_0) break;
    if (wait == WAIT_FAILED) {
      Fail(err_);
      CloseHandle(pi.hProcess);
      return false;
    }
    // New messages, or a quiet while: let the caller keep its windows alive.
    if (pump) pump();
  }
  DWORD code = 0;
  bool ok = GetExitCodeProcess(pi.hProcess, &code) != 0;
  if (!ok) Fail(err_);
  CloseHandle(pi.hProcess);
  if (ok && exit_code) *exit_code = code;
  return ok;
}

uint32_t Win32Processes::Exec(const std::string& command_line, bool hidden) {
  UINT rc = WinExec(command_line.c_str(), hidden ? SW_HIDE : SW_SHOW);
  if (rc < 32) Fail(err_);
  return rc;
}

ModuleHandle Win32Processes::LoadModule(const std::string& path) {
  HMODULE m = LoadLibraryA(path.c_str());
  if (!m) Fail(err_);
  return reinterpret_cast<ModuleHandle>(m);
}

bool Win32Processes::HasExport(ModuleHandle module, const std::string& export_name) {
  if (!module) return FailWith(err_, ERROR_INVALID_HANDLE);
  return FindExport(reinterpret_cast<HMODULE>(module), export_name) ? true : Fail(err_);
}

bool Win32Processes::Call(ModuleHandle module, const std::string& export_name,
                          const std::vector<CallArg>& args, int32_t* result) {
  if (!module) return FailWith(err_, ERROR_INVALID_HANDLE);
  if (args.size() > static_cast<size_t>(win32::kMaxStdcallArgs))
    return FailWith(err_, ERROR_INVALID_PARAMETER);
  FARPROC fn = FindExport(reinterpret_cast<HMODULE>(module), export_name);
  if (!fn) return Fail(err_);
  // Each string argument gets its own writable, zero-terminated buffer that
  // lives until the call returns.
  std::vector<std::string> buffers;
  buffers.reserve(args.size());
  intptr_t words[win32::kMaxStdcallArgs] = {};
  for (size_t i = 0; i < args.size(); ++i) {
    switch (args[i].kind) {
      case CallArg::Kind::kInt:
        words[i] = args[i].value;
        break;
      case CallArg::Kind::kNull:
        words[i] = 0;
        break;
      case CallArg::Kind::kString:
        buffers.push_back(args[i].text);
        words[i] = reinterpret_cast<intptr_t>(buffers.back().c_str());
        break;
    }
  }
  int32_t r = win32::CallStdcall(reinterpret_cast<const void*>(fn), words,
                                 static_cast<int>(args.size()));
  if (result) *result = r;
  return true;
}

void Win32Processes::UnloadModule(ModuleHandle module) {
  if (module) FreeLibrary(reinterpret_cast<HMODULE>(module));
}

bool Win32Processes::OleInitialize() {
  HRESULT hr = ::OleInitialize(nullptr);
  if (SUCCEEDED(hr)) return true;  // S_FALSE: already initialised on this thread
  return FailWith(err_, static_cast<uint32_t>(hr));
}

void Win32Processes::OleUninitialize() { ::OleUninitialize(); }

}  // namespace kit
