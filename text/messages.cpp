#include "text/messages.h"

#include <array>

#include "model/drive_model.h"

namespace kv5 {

bool hideWarnings = false;

namespace {
struct MessageList {
  unsigned short count = 0;
  std::array<std::string, kMaxMessages> texts;
};
MessageList messageList;
const std::string kEmpty;
}  // namespace

void AddMessage(const std::string& text) {
  for (int i = 0; i < messageList.count; ++i)
    if (messageList.texts[static_cast<size_t>(i)] == text) return;
  if (messageList.count >= kMaxMessages) return;  // a 13th distinct text is dropped
  messageList.texts[messageList.count] = text;
  ++messageList.count;
}

void ResetMessages() {
  messageList.count = 0;
  calcFailed = false;
  abortFlag = false;
}

void ClearMessages() {
  messageList.count = 0;
  for (auto& t : messageList.texts) t.clear();
}

int MessageCount() {
  return messageList.count;
}

const std::string& MessageText(int index) {
  if (index < 1 || index > kMaxMessages) return kEmpty;
  return messageList.texts[static_cast<size_t>(index - 1)];
}

}  // namespace kv5
