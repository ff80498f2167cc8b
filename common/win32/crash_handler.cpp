#include "common/win32/crash_handler.h"

#include <cstdio>

#include "common/win32/form.h"

namespace lirabo {
namespace {

std::function<void(const std::string&)>& CrashEnd() {
  static std::function<void(const std::string&)> end;
  return end;
}

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* info) {
  const EXCEPTION_RECORD* record = info ? info->ExceptionRecord : nullptr;
  if (CrashEnd() && record) CrashEnd()(CrashDescription(record->ExceptionCode, record->ExceptionAddress));
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

std::string CrashDescription(DWORD code, const void* address) {
  char text[160];
  std::snprintf(text, sizeof text,
                "Das Programm wurde durch einen unerwarteten Fehler unterbrochen (Ausnahme 0x%08lX an der "
                "Adresse %p) und wird beendet.",
                static_cast<unsigned long>(code), address);
  return text;
}

void InstallFailureHandlers(std::function<void(const std::string&)> fatalEnd) {
  Form::SetFatalErrorHandler(fatalEnd);
  CrashEnd() = std::move(fatalEnd);
  SetUnhandledExceptionFilter(&OnUnhandledException);
}

}  // namespace lirabo
