#include "menu/win32/menu_failure.h"

#include "common/win32/crash_handler.h"

namespace lirabo {
namespace {

[[noreturn]] void EndAfterFailure(MenuProgram& program, const std::string& text) {
  program.services.messages.Show(text);
  Form1::CarryOut(program, nullptr, program.flow.AfterFatalError());
  ExitProcess(1);  // the flow's steps after a failure all exit
}

}  // namespace

void InstallMenuFailureHandlers(MenuProgram& program) {
  auto end = [&program](const std::string& text) { EndAfterFailure(program, text); };
  Form::SetFatalErrorHandler(end);
  InstallCrashHandler(end);
}

}  // namespace lirabo
