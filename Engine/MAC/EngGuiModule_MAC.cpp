// The native dialogs' module's side of the hand-over: its one exported entry, and the engine
// calls its GTK code makes, each passed on to the program that loaded it.
#include "Engine/MAC/EngGuiModule_MAC.h"

#include <cstdarg>
#include <cstdio>
#include <type_traits>

#include "Engine/EngFile.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMisc.h"
#include "Engine/MAC/EngText_MAC.h"

static const EngGuiModuleImports *imports = nullptr;

#define ENG_GUI_IMPORT(ret, name, params, args) \
  ret name params { return imports->name args; }
ENG_GUI_MODULE_IMPORTS(ENG_GUI_IMPORT)
#undef ENG_GUI_IMPORT

static std::string Format(const char *format, va_list args) {
  va_list again;
  va_copy(again, args);
  int length = vsnprintf(nullptr, 0, format, again);
  va_end(again);
  if (length <= 0) return std::string();
  std::string text(size_t(length) + 1, '\0');
  vsnprintf(&text[0], text.size(), format, args);
  text.resize(size_t(length));
  return text;
}

void DebugErrorAlt(const char *signature, const char *format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = Format(format, args);
  va_end(args);
  imports->DebugErrorAlt(signature, "%s", text.c_str());
}

void DebugInfo(const char *format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = Format(format, args);
  va_end(args);
  imports->DebugInfo("%s", text.c_str());
}

#define ENG_GUI_ADDRESS(ret, name, ...) &::name,

extern "C" __attribute__((visibility("default"))) const EngGuiModuleCalls *EngGuiModuleOpen(
    const EngGuiModuleImports *given, size_t imports_size, size_t calls_size) {
  if (!given || imports_size != sizeof(EngGuiModuleImports) || calls_size != sizeof(EngGuiModuleCalls)) return nullptr;
  imports = given;
  static const EngGuiModuleCalls calls = {ENG_GUI_MODULE_CALLS(ENG_GUI_ADDRESS)
                                              ENG_GUI_MODULE_STATE_CALLS(ENG_GUI_ADDRESS)};
  return &calls;
}
static_assert(std::is_same<decltype(&EngGuiModuleOpen), EngGuiModuleOpenFunction>::value, "entry's type");
