#include "menu/win32/menu_failure.h"

#include "common/win32/crash_handler.h"

namespace lirabo {
namespace {

[[noreturn]] void EndAfterFailure(MenuProgram& program, const std::string& text) {
  program.services.messages.Show(text);
  if (program.flow.AfterFatalError() == MenuStep::EndWithShutdown)
    RestoreDesktop(program.state, program.desktop, program.services.messages);
  ExitProcess(1);
}

}  // namespace

void InstallMenuFailureHandlers(MenuProgram& program) {
  auto end = [&program](const std::string& text) { EndAfterFailure(program, text); };
  Form::SetFatalErrorHandler(end);
  InstallCrashHandler(end);
}

}  // namespace lirabo
