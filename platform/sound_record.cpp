#include "platform/sound_record.h"

#include <deque>
#include <mutex>

namespace {

constexpr size_t kept_calls = 10000;

struct call_record {
  std::mutex lock;
  std::deque<sound_call> calls;
};

call_record& the_record() {
  static call_record record;
  return record;
}

}  // namespace

void sound_record_add(const sound_call& call) {
  call_record& record = the_record();
  std::lock_guard<std::mutex> hold(record.lock);
  if (record.calls.size() == kept_calls) record.calls.pop_front();
  record.calls.push_back(call);
}

std::vector<sound_call> sound_record() {
  call_record& record = the_record();
  std::lock_guard<std::mutex> hold(record.lock);
  return {record.calls.begin(), record.calls.end()};
}

void sound_record_clear() {
  call_record& record = the_record();
  std::lock_guard<std::mutex> hold(record.lock);
  record.calls.clear();
}
