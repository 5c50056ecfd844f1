#include "overlapped_writer.hpp"

#include <system_error>

namespace logger2csv {

namespace {

void write_batches(overlapped_writer& writer) {
  std::unique_lock held(writer.lock);
  for (;;) {
    writer.changed.wait(held, [&] { return writer.pending || writer.finishing; });
    if (!writer.pending) return;  // finishing, and nothing left
    const std::span<const char> batch = writer.batch;
    held.unlock();
    const bool written = write_all(writer.output, batch);
    held.lock();
    writer.failed = writer.failed || !written;
    writer.pending = false;
    writer.changed.notify_all();
  }
}

}  // namespace

void start_writing(overlapped_writer& writer, file_handle output) noexcept {
  writer.output = output;
  try {
    writer.thread = std::thread(write_batches, std::ref(writer));
  } catch (const std::system_error&) {
    // No second thread: hand_over() writes each batch itself.
  }
}

bool hand_over(overlapped_writer& writer, std::span<const char> batch) noexcept {
  if (!writer.thread.joinable()) {
    writer.failed = writer.failed || !write_all(writer.output, batch);
    return !writer.failed;
  }
  std::unique_lock held(writer.lock);
  writer.changed.wait(held, [&] { return !writer.pending; });
  if (writer.failed) return false;
  writer.batch = batch;
  writer.pending = true;
  writer.changed.notify_all();
  return true;
}

bool finish_writing(overlapped_writer& writer) noexcept {
  if (writer.thread.joinable()) {
    {
      std::lock_guard held(writer.lock);
      writer.finishing = true;
      writer.changed.notify_all();
    }
    writer.thread.join();
  }
  return !writer.failed;
}

}  // namespace logger2csv
