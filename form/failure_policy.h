// When a handler fails, what the user is told and what follows. Both windows run handlers only
// through RunHandler and show its report the same way: once the handler has returned and the
// edit that ran it is done, never in the middle of the box's own editing.
#pragma once

#include <deque>
#include <exception>
#include <optional>
#include <string>
#include <string_view>

namespace zentavo {

class TextBoxAccess;

struct FailureReport {
  std::u16string summary;  // names the failure
  std::u16string details;  // what was typed and what is allowed, or what went wrong
  // A conversion failure comes from what the user typed: the program goes on, with the focus
  // back in `focus_box`. Anything else leaves it in a state it cannot vouch for, so it ends.
  bool program_must_end = false;
  std::string_view focus_box;
};

// How the report looks: a warning for a failure the program goes on after, an error for one it
// ends on.
enum class ReportIcon { Warning, Error };
[[nodiscard]] ReportIcon IconOf(const FailureReport& report);

// What follows once the user has acknowledged `report`: the program ends with `exit_status`, or
// goes on with the focus in `focus_box`.
struct AfterReport {
  std::optional<int> exit_status;
  std::string_view focus_box;
};
[[nodiscard]] AfterReport AfterAcknowledging(const FailureReport& report);

// Runs `handler` over `boxes`. Nothing when it succeeds; otherwise the report to show. A
// ConversionFailure quotes what `input_box` holds. Ends the program (std::abort) only when not
// even the report can be made.
[[nodiscard]] std::optional<FailureReport> RunHandler(void (*handler)(TextBoxAccess&),
                                                      TextBoxAccess& boxes,
                                                      std::string_view input_box) noexcept;

// The report for a failure that escaped anywhere else; `what` is the failure's own message.
[[nodiscard]] FailureReport UnexpectedFailureReport(std::u16string_view what);

// The same for `failure`, caught as it escaped: its what() when it is a std::exception, else
// "unknown failure". Ends the program (std::abort) only when not even the report can be made.
[[nodiscard]] FailureReport EscapedFailureReport(const std::exception_ptr& failure) noexcept;

// The reports waiting to be shown, one window's worth. Each is shown once the message or event
// that failed is done; what follows a report that ends the program is never shown, for the
// program is ending.
class FailureReportQueue {
 public:
  // Keeps `report` to be shown, and says whether it was kept: not once a report that ends the
  // program has been kept. Ends the program (std::abort) when not even the report can be kept.
  bool Admit(FailureReport report) noexcept;
  // The report to show now, oldest first; nothing once the report that ends the program has
  // been taken.
  [[nodiscard]] std::optional<FailureReport> Next() noexcept;

 private:
  std::deque<FailureReport> waiting_;
  bool ending_ = false;  // a report that ends the program has been admitted
};

}  // namespace zentavo
