#pragma once

#include <functional>

namespace ios {

// The once-only access question that the camera and the photo library each put to the user.
//
// `askForAccess` asks `prompt`, or, when there is none, the environment: access is granted only when
// `environmentVariable` is "granted". A prompt may answer from any thread, now or later, even more
// than once; only its first answer goes to `decide`, at once, on the answering thread.
using AccessAnswer = std::function<void(bool granted)>;
using AccessQuestion = std::function<void(AccessAnswer answer)>;
void askForAccess(const AccessQuestion& prompt, const char* environmentVariable, AccessAnswer decide);

// `completion`, run on the main queue on a later turn, the way access requests reply. A null
// completion is fine: the reply then does nothing.
template <typename Value>
std::function<void(Value)> replyLaterOnMain(std::function<void(Value)> completion);

}  // namespace ios

#include <Foundation/DispatchQueue.h>

template <typename Value>
std::function<void(Value)> ios::replyLaterOnMain(std::function<void(Value)> completion) {
  return [completion = std::move(completion)](Value value) {
    DispatchQueue::main().async([completion, value] {
      if (completion) completion(value);
    });
  };
}
