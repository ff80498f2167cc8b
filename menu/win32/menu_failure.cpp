#include "menu/win32/menu_failure.h"

#include "common/win32/crash_handler.h"

namespace lirabo {
namespace {

[[noreturn]] void EndAfterFailure(MenuProgram& program, const std::string& text) {
  program.services.messages.Show(text);
  MenuWindow::CarryOut(program, nullptr, program.flow.AfterFatalError());
  ExitProcess(1);  // the flow's steps after a failure all exit
}

}  // namespace

void InstallMenuFailureHandlers(MenuProgram& program) {
  InstallFailureHandlers([&program](const std::string& text) { EndAfterFailure(program, text); });
}

}  // namespace lirabo
