#include "app/win32/notification_bindings_win32.h"

#include <windows.h>

#include <cstdlib>
#include <exception>
#include <string>

#include "app/failure_texts.h"
#include "conversion/control_names.h"
#include "conversion/conversion.h"
#include "conversion/handlers.h"
#include "window/layout_table.h"
#include "window/win32/form1_win32.h"

namespace zentavo {
namespace {

void ShowReport(HWND owner, std::u16string_view summary, std::u16string_view details, UINT icon) {
  const std::u16string text = std::u16string(summary) + u"\n\n" + std::u16string(details);
  const std::u16string caption(layout::kLayoutTable.window.caption);
  MessageBoxW(owner, reinterpret_cast<const wchar_t*>(text.c_str()),
              reinterpret_cast<const wchar_t*>(caption.c_str()), MB_OK | icon);
}

void ReportUnexpectedFailure(HWND owner, std::u16string_view what) {
  ShowReport(owner, failure_texts::kUnexpectedSummary, failure_texts::UnexpectedDetails(what),
             MB_ICONERROR);
}

}  // namespace

void BindNotifications(Form1Win32& form) {
  form.Bind(control_names::kCodeInput, [&form] {
    RunHandlerReportingFailures(form, CodeToCharacterHandler, control_names::kCodeInput);
  });
  form.Bind(control_names::kCharacterInput, [&form] {
    RunHandlerReportingFailures(form, CharacterToCodeHandler, control_names::kCharacterInput);
  });
  form.Bind(control_names::kExitButton, [] { PostQuitMessage(EXIT_SUCCESS); });
  form.OnUnexpectedFailure(
      [&form](std::u16string_view what) { ReportUnexpectedFailure(form.Handle(), what); });
}

void RunHandlerReportingFailures(Form1Win32& form, void (*handler)(TextBoxAccess&),
                                 std::string_view input_box) noexcept {
  try {
    try {
      handler(form);
    } catch (const ConversionFailure& failure) {
      // The report waits until the edit's notification is done, so no message box opens in
      // the middle of the box's own editing.
      const ConversionFailure::Kind kind = failure.kind();
      std::u16string input = form.ReadText(input_box);
      form.PostTask([&form, kind, input = std::move(input), input_box] {
        ShowReport(form.Handle(), failure_texts::ConversionSummary(kind),
                   failure_texts::ConversionDetails(input), MB_ICONWARNING);
        form.FocusBox(input_box);
      });
    }
  } catch (const std::exception& failure) {
    const std::string_view what = failure.what();
    try {
      form.EndReportingFailure(std::u16string(what.begin(), what.end()));
    } catch (...) {
      form.EndReportingFailure(u"out of memory");
    }
  } catch (...) {
    form.EndReportingFailure(u"unknown failure");
  }
}

}  // namespace zentavo
