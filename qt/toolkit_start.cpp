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
  off_t read_up_to = 0;
  std::vector<ToolkitMessage> said;
  std::vector<KeptMessage> kept;
  std::thread watchdog;
};

Watch& TheWatch() {
  static Watch watch;
  return watch;
}

std::string HeldSince(Watch& watch, off_t up_to) {
  std::string printed;
  if (watch.held < 0 || up_to <= watch.read_up_to) return printed;
  printed.resize(static_cast<std::size_t>(up_to - watch.read_up_to));
  const ssize_t got = pread(watch.held, printed.data(), printed.size(), watch.read_up_to);
  printed.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  watch.read_up_to = up_to;
  return printed;
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
    EndWith(watch, DisplayRefusalLine(watch.said, text.toStdString(), watch.named));
  }
  watch.said.push_back(
      {category == "default" ? "" : category, text.toStdString(), HeldSince(watch, printed_up_to)});
  watch.kept.push_back({type, context.file != nullptr ? context.file : "", context.line,
                        context.function != nullptr ? context.function : "", category, text,
                        printed_up_to});
}

void WatchForAnAnswer(std::chrono::seconds patience) {
  Watch& watch = TheWatch();
  std::unique_lock lock(watch.mutex);
  if (watch.made_or_given_up.wait_for(lock, patience, [&] { return watch.made; })) return;
  EndWith(watch,
          UnansweredDisplayLine(watch.said, watch.named, static_cast<int>(patience.count())));
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
  std::string printed;
  if (watch.held >= 0) {
    const off_t end = lseek(watch.held, 0, SEEK_CUR);
    watch.read_up_to = 0;
    printed = HeldSince(watch, end);
    dup2(watch.standard_error, STDERR_FILENO);
    close(watch.standard_error);
    close(watch.held);
    watch.held = -1;
  }
  // In the order they came: what the libraries printed between the toolkit's messages included.
  std::size_t printed_out = 0;
  for (const KeptMessage& message : watch.kept) {
    const auto up_to = std::min(static_cast<std::size_t>(message.printed_up_to), printed.size());
    if (up_to > printed_out) {
      WriteAll(STDERR_FILENO, std::string_view(printed).substr(printed_out, up_to - printed_out));
    }
    printed_out = std::max(printed_out, up_to);
    const QMessageLogContext context(message.file.c_str(), message.line, message.function.c_str(),
                                     message.category.c_str());
    watch.toolkits_handler(message.type, context, message.text);
  }
  if (printed.size() > printed_out)
    WriteAll(STDERR_FILENO, std::string_view(printed).substr(printed_out));
  watch.kept.clear();
  watch.said.clear();
}

}  // namespace zentavo
