#include "toolkit_start.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "display_refusal.h"

namespace zentavo {
namespace {

std::optional<std::string> Variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::optional<std::string>(value) : std::nullopt;
}

// A message as the toolkit gave it, to be given to its own handler later.
struct KeptMessage {
  QtMsgType type;
  std::string file;
  int line;
  std::string function;
  std::string category;
  QString text;
  off_t printed_up_to;  // how much the libraries had printed by then
};

// One start at a time: the toolkit's message handler is a plain function.
struct Watch {
  std::mutex mutex;
  std::condition_variable made_or_given_up;
  bool made = false;
  int status = 2;
  NamedDisplays named;
  QtMessageHandler toolkits_handler = nullptr;
  // The standard error as the program was given it, and where the libraries' own writes to it
  // go meanwhile (-1 where no such file could be made: they then go out as they come).
  int standard_error = -1;
  int held = -1;
  std::vector<KeptMessage> kept;
  std::thread watchdog;
};

Watch& TheWatch() {
  static Watch watch;
  return watch;
}

// Everything the libraries have printed so far.
std::string Held(const Watch& watch) {
  std::string printed;
  if (watch.held < 0) return printed;
  printed.resize(static_cast<std::size_t>(std::max<off_t>(lseek(watch.held, 0, SEEK_CUR), 0)));
  const ssize_t got = pread(watch.held, printed.data(), printed.size(), 0);
  printed.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  return printed;
}

// What was printed before the `index`th message kept, after the one before it.
std::string_view PrintedBefore(const Watch& watch, std::string_view printed, std::size_t index) {
  const auto up_to = [&](std::size_t each) {
    return std::min(static_cast<std::size_t>(watch.kept[each].printed_up_to), printed.size());
  };
  const std::size_t from = index == 0 ? 0 : up_to(index - 1);
  return printed.substr(from, std::max(up_to(index), from) - from);
}

// The messages kept, as the wording of the toolkit's answer reads them.
std::vector<ToolkitMessage> Said(const Watch& watch) {
  const std::string printed = Held(watch);
  std::vector<ToolkitMessage> said;
  for (std::size_t i = 0; i < watch.kept.size(); ++i) {
    const KeptMessage& message = watch.kept[i];
    said.push_back({message.category == "default" ? "" : message.category,
                    message.text.toStdString(), std::string(PrintedBefore(watch, printed, i))});
  }
  return said;
}

void WriteAll(int out, std::string_view text) {
  while (!text.empty()) {
    const ssize_t each = write(out, text.data(), text.size());
    if (each <= 0) return;
    text.remove_prefix(static_cast<std::size_t>(each));
  }
}

[[noreturn]] void EndWith(const Watch& watch, const std::string& line) {
  WriteAll(watch.standard_error >= 0 ? watch.standard_error : STDERR_FILENO, line + '\n');
  _exit(watch.status);  // the half-made toolkit is not torn down: nothing of it is needed
}

void HearToolkit(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  Watch& watch = TheWatch();
  const std::lock_guard lock(watch.mutex);
  const off_t printed_up_to = watch.held >= 0 ? lseek(watch.held, 0, SEEK_CUR) : 0;
  // A message of no category is the toolkit's default one, as its own handler reads it.
  const std::string category = context.category != nullptr ? context.category : "default";
  if (type == QtFatalMsg) {
    EndWith(watch, DisplayRefusalLine(Said(watch), text.toStdString(), watch.named));
  }
  watch.kept.push_back({type, context.file != nullptr ? context.file : "", context.line,
                        context.function != nullptr ? context.function : "", category, text,
                        printed_up_to});
}

void WatchForAnAnswer(std::chrono::seconds patience) {
  Watch& watch = TheWatch();
  std::unique_lock lock(watch.mutex);
  if (watch.made_or_given_up.wait_for(lock, patience, [&] { return watch.made; })) return;
  EndWith(watch,
          UnansweredDisplayLine(Said(watch), watch.named, static_cast<int>(patience.count())));
}

}  // namespace

ToolkitStart::ToolkitStart(int status, std::chrono::seconds patience) {
  Watch& watch = TheWatch();
  watch.status = status;
  watch.named = {Variable("WAYLAND_DISPLAY"), Variable("WAYLAND_SOCKET"), Variable("DISPLAY")};
  if (const std::optional<std::string> platforms =
          PlatformsToTry(Variable("QT_QPA_PLATFORM"), watch.named)) {
    qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(*platforms));
  }
  watch.held = memfd_create("zentavo-start", MFD_CLOEXEC);
  if (watch.held >= 0) {
    watch.standard_error = fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3);
    if (watch.standard_error < 0 || dup2(watch.held, STDERR_FILENO) < 0) {
      close(watch.held);
      watch.held = -1;
    }
  }
  watch.toolkits_handler = qInstallMessageHandler(&HearToolkit);
  watch.watchdog = std::thread(&WatchForAnAnswer, patience);
}

ToolkitStart::~ToolkitStart() { Made(); }

void ToolkitStart::Made() {
  Watch& watch = TheWatch();
  {
    const std::lock_guard lock(watch.mutex);
    if (watch.made) return;
    watch.made = true;
  }
  watch.made_or_given_up.notify_all();
  watch.watchdog.join();
  qInstallMessageHandler(watch.toolkits_handler);
  const std::string printed = Held(watch);
  if (watch.held >= 0) {
    dup2(watch.standard_error, STDERR_FILENO);
    close(watch.standard_error);
    close(watch.held);
    watch.held = -1;
  }
  // In the order they came: what the libraries printed between the toolkit's messages included.
  std::size_t printed_out = 0;
  for (std::size_t i = 0; i < watch.kept.size(); ++i) {
    const std::string_view before = PrintedBefore(watch, printed, i);
    WriteAll(STDERR_FILENO, before);
    printed_out = static_cast<std::size_t>(before.data() - printed.data()) + before.size();
    const KeptMessage& message = watch.kept[i];
    const QMessageLogContext context(message.file.c_str(), message.line, message.function.c_str(),
                                     message.category.c_str());
    watch.toolkits_handler(message.type, context, message.text);
  }
  WriteAll(STDERR_FILENO, std::string_view(printed).substr(printed_out));
  watch.kept.clear();
}

}  // namespace zentavo
