// Writes logger.csv in batches on a second thread, so that the next batch can
// be formatted while the system copies the last one: on two cores the run
// then takes about as long as the larger of the two jobs, not their sum.
//
// The caller owns two batch buffers and alternates between them: once
// hand_over() has returned, the batch handed over before it has been written
// and its buffer may be filled again. Only the platform layer's write_all()
// touches the file. If the thread cannot be started, batches are written
// synchronously, with the same results.
#pragma once

#include <condition_variable>
#include <mutex>
#include <span>
#include <thread>

#include "platform.hpp"

namespace logger2csv {

struct overlapped_writer {
  file_handle output;
  std::mutex lock;
  std::condition_variable changed;
  std::span<const char> batch;  // handed over and not yet written
  bool pending = false;         // `batch` waits for or is in its write
  bool failed = false;          // a write has failed; later batches are dropped
  bool finishing = false;       // no more batches will come
  std::thread thread;
};

// Starts the writing thread for `output`.
void start_writing(overlapped_writer& writer, file_handle output) noexcept;

// Waits until the batch before is written, then hands `batch` over. False once
// any write has failed; the caller should stop converting.
bool hand_over(overlapped_writer& writer, std::span<const char> batch) noexcept;

// Waits for the last batch and stops the thread. False if any write failed.
bool finish_writing(overlapped_writer& writer) noexcept;

}  // namespace logger2csv
