#include "failure_policy.h"

#include <cstdlib>
#include <exception>
#include <utility>

#include "conversion.h"
#include "failure_texts.h"
#include "handlers.h"

namespace zentavo {

std::optional<FailureReport> RunHandler(void (*handler)(TextBoxAccess&), TextBoxAccess& boxes,
                                        std::string_view input_box) noexcept {
  try {
    try {
      handler(boxes);
      return std::nullopt;
    } catch (const ConversionFailure& failure) {
      return FailureReport{failure_texts::ConversionSummary(failure.kind()),
                           failure_texts::ConversionDetails(boxes.ReadText(input_box)), false,
                           input_box};
    } catch (...) {
      return EscapedFailureReport(std::current_exception());
    }
  } catch (...) {
    std::abort();  // out of memory before the report could even be made
  }
}

ReportIcon IconOf(const FailureReport& report) {
  return report.program_must_end ? ReportIcon::Error : ReportIcon::Warning;
}

AfterReport AfterAcknowledging(const FailureReport& report) {
  if (report.program_must_end) return {EXIT_FAILURE, {}};
  return {std::nullopt, report.focus_box};
}

FailureReport EscapedFailureReport(const std::exception_ptr& failure) noexcept {
  try {
    try {
      std::rethrow_exception(failure);
    } catch (const std::exception& escaped) {
      const std::string_view what = escaped.what();
      return UnexpectedFailureReport(std::u16string(what.begin(), what.end()));
    } catch (...) {
      return UnexpectedFailureReport(u"unknown failure");
    }
  } catch (...) {
    std::abort();  // out of memory before the report could even be made
  }
}

FailureReport UnexpectedFailureReport(std::u16string_view what) {
  return {std::u16string(failure_texts::kUnexpectedSummary),
          failure_texts::UnexpectedDetails(what),
          true,
          {}};
}

bool FailureReportQueue::Admit(FailureReport report) noexcept {
  if (ending_) return false;
  ending_ = report.program_must_end;
  try {
    waiting_.push_back(std::move(report));
  } catch (...) {
    std::abort();  // not even the report could be kept: nothing is left to vouch for
  }
  return true;
}

std::optional<FailureReport> FailureReportQueue::Next() noexcept {
  if (waiting_.empty()) return std::nullopt;
  std::optional<FailureReport> next(std::move(waiting_.front()));
  waiting_.pop_front();
  return next;
}

}  // namespace zentavo
